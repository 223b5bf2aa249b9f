# The two commands of the README, and a few more.
BUILD ?= build
WEB ?= build-web
WIN ?= build-win
# The Windows libraries, shared by every clone and CI run on the machine.
WIN_DEPS ?= $(or $(XDG_CACHE_HOME),$(HOME)/.cache)/snolk/win-deps
PORT ?= 8000
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
# How long make fuzz looks for inputs that crash or hang the loaders.
SECONDS ?= 300

.PHONY: demo build test bench assets video install fuzz web serve-web win test-win dist clean

# Only what the show needs: the packages to build and play it, and the one
# program.
demo:
	@scripts/install-deps run
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD) -j $(JOBS) --target snolk
	./$(BUILD)/snolk $(ARGS)

# Everything: the programs, generators, benchmarks and tests.
build:
	@scripts/install-deps test
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DSNOLK_DEVELOPER=ON >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

# The page's tests (ctest -L web) open the site in $(WEB).
test: build web
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	./$(BUILD)/bench/snolk-bench

assets: build
	./$(BUILD)/tools/mkassets/mkassets data
	./$(BUILD)/tools/mkmusic/mkmusic data/laten2.mp3

video: build
	mkdir -p out
	./$(BUILD)/snolk-render --video out/snolk.mp4

# The show, the renderer and the data files under PREFIX (default
# /usr/local); the installed show plays from any folder.
install:
	@scripts/install-deps run
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD) -j $(JOBS) --target snolk snolk-render
	cmake --install $(BUILD) --prefix $(PREFIX)

# Its own clang build in build-fuzz; see fuzz/run-fuzzer.
fuzz:
	@scripts/install-deps fuzz
	JOBS=$(JOBS) fuzz/run-fuzzer $(SECONDS)

# The show as a web page: $(WEB)/ holds index.html, snolk.js, snolk.wasm and
# data/, ready for any static file server; the libraries it links and the
# build's own files are in its subfolders deps*/ and obj/.
web:
	@scripts/install-deps web
	scripts/build-web-deps $(WEB)/deps
	NODE_PATH=/usr/share/nodejs emcmake cmake -S src/web -B $(WEB)/obj \
	  -DCMAKE_BUILD_TYPE=Release -DSNOLK_WEB_DEPS=$(abspath $(WEB))/deps \
	  -DSNOLK_SITE=$(abspath $(WEB)) >/dev/null
	NODE_PATH=/usr/share/nodejs cmake --build $(WEB)/obj -j $(JOBS)

serve-web: web
	@echo "the show is at http://localhost:$(PORT)/ (Ctrl-C stops the server)"
	cd $(WEB) && python3 -m http.server --bind 127.0.0.1 $(PORT)

# The show for 64-bit Windows, cross-built: $(WIN)/ holds snolk.exe and
# snolk-render.exe (static; they need only system DLLs) and data/ beside them.
win:
	@scripts/install-deps win
	scripts/build-win-deps $(WIN_DEPS)
	cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DSNOLK_WIN_DEPS=$(WIN_DEPS) >/dev/null
	cmake --build $(WIN) -j $(JOBS) --target snolk snolk-render snolk_win_data

# The Windows build's tests under wine, against the Linux build: the test
# suite built for Windows, the whole show's hashes, the live program in a real
# window.
test-win: build win
	cmake -S . -B $(WIN) -DSNOLK_WINDOWS_TESTS=ON -DSNOLK_LINUX_BUILD=$(abspath $(BUILD)) >/dev/null
	cmake --build $(WIN) -j $(JOBS)
	cd $(WIN) && ctest --output-on-failure -j $(JOBS)

# A release in dist/: the Linux, Windows and web archives, a whole-show video
# at 1920 x 1440, screenshots, snolk.nfo and SHA256SUMS; every archive is
# unpacked into an empty folder and played from there.
dist: build win web
	scripts/make-dist $(BUILD) $(WIN) $(WEB) dist

clean:
	rm -rf $(BUILD) $(WEB) $(WIN)
