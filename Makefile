# The two commands of the README, and a few more.
BUILD ?= build
WEB ?= build-web
WIN ?= build-win
# The Windows libraries, shared by every clone and CI run on the machine.
WIN_DEPS ?= $(or $(XDG_CACHE_HOME),$(HOME)/.cache)/snolk/win-deps
PORT ?= 8000
SITE_URL ?=
JOBS ?= $(shell nproc)
# Tests at once: one more than the processors, since many of them spend
# their time waiting (on a browser, a window, a show that plays for seconds).
TEST_JOBS ?= $(shell echo $$(($$(nproc) + 1)))
PREFIX ?= /usr/local
# How long make fuzz looks for inputs that crash or hang the loaders, and
# how many inputs make fuzz-ci tries.
SECONDS ?= 300
RUNS ?= 20000

.PHONY: demo build test bench bench-web assets golden video install fuzz fuzz-ci web serve-web \
        win test-win dist clean

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
	cd $(BUILD) && ctest --output-on-failure -j $(TEST_JOBS)

bench: build
	./$(BUILD)/bench/snolk-bench

# The whole show in the page and in snolk-render --bench, and their ratio.
bench-web: build web
	scripts/bench-web $(BUILD) $(WEB)

assets: build
	./$(BUILD)/tools/mkassets/mkassets data release/snolk.ico
	./$(BUILD)/tools/mkmusic/mkmusic data/laten2.mp3
	$(MAKE) golden

# The golden frames' table (tests/data/golden_frames.txt), drawn anew with the
# data files as they are: after the art has changed on purpose.
golden: build
	SNOLK_RENEW_GOLDEN=1 ./$(BUILD)/tests/snolk_tests --gtest_filter='GoldenFrames.*'

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

# Its own clang build in build-fuzz; see fuzz/run-fuzzer. fuzz-ci is what CI
# runs: the seeds and findings, then RUNS inputs from a fixed random seed.
fuzz:
	@scripts/install-deps fuzz
	JOBS=$(JOBS) fuzz/run-fuzzer $(SECONDS)

fuzz-ci:
	@scripts/install-deps fuzz
	JOBS=$(JOBS) fuzz/run-fuzzer --ci $(RUNS)

# The show as a web page: $(WEB)/ holds index.html, snolk.js, snolk.wasm,
# sw.js, files.txt, preview.png and data/ (with .gz twins), ready for any
# static file server; the libraries it links and the build's own files are in
# its subfolders deps*/ and obj/. SITE_URL=https://.../ gives link previews
# the whole address of the preview picture.
web:
	@scripts/install-deps run web
	scripts/build-web-deps $(WEB)/deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD) -j $(JOBS) --target snolk-render
	NODE_PATH=/usr/share/nodejs emcmake cmake -S src/web -B $(WEB)/obj \
	  -DCMAKE_BUILD_TYPE=Release -DSNOLK_WEB_DEPS=$(abspath $(WEB))/deps \
	  -DSNOLK_SITE=$(abspath $(WEB)) -DSNOLK_SITE_URL=$(SITE_URL) \
	  -DSNOLK_RENDER=$(abspath $(BUILD))/snolk-render >/dev/null
	NODE_PATH=/usr/share/nodejs cmake --build $(WEB)/obj -j $(JOBS)

serve-web: web
	scripts/serve-site $(WEB) $(PORT)

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
	SITE_URL=$(SITE_URL) scripts/make-dist $(BUILD) $(WIN) $(WEB) dist

clean:
	rm -rf $(BUILD) $(WEB) $(WIN)
