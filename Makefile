# The two commands of the README, and a few more.
BUILD ?= build
JOBS ?= $(shell nproc)
# How long make fuzz looks for inputs that crash or hang the loaders.
SECONDS ?= 300

.PHONY: deps build demo test bench assets video fuzz clean

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	./$(BUILD)/snolk $(ARGS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	./$(BUILD)/bench/snolk-bench

assets: build
	./$(BUILD)/tools/mkassets/mkassets data
	./$(BUILD)/tools/mkmusic/mkmusic data/laten2.mp3

video: build
	mkdir -p out
	./$(BUILD)/snolk-render --video out/snolk.mp4

# Its own clang build in build-fuzz; see fuzz/run-fuzzer.
fuzz:
	@scripts/install-deps fuzz
	JOBS=$(JOBS) fuzz/run-fuzzer $(SECONDS)

clean:
	rm -rf $(BUILD)
