# make run: build and start the program; make test: build and run every test.
# The build is the 64-bit program; it builds the 32-bit one in $(BUILD)/x86 too.
BUILD ?= build
JOBS ?= $(shell nproc)
# ccache, when present, shares compiled objects between build trees of one machine (looked up
# after deps has installed it; the precompiled headers need the sloppiness below to be cached).
export CCACHE_BASEDIR := $(abspath ..)
export CCACHE_SLOPPINESS := pch_defines,time_macros,include_file_mtime,include_file_ctime

.PHONY: deps configure build run test bench fuzz dist clean

deps:
	@scripts/install-deps.sh

configure: deps
	@grep -qs 'mingw-x86_64.cmake' $(BUILD)/CMakeCache.txt || { rm -rf $(BUILD)/CMakeCache.txt $(BUILD)/CMakeFiles; cmake -S . -B $(BUILD) -G Ninja \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
	  $$(c=$$(command -v ccache) && echo -DCMAKE_CXX_COMPILER_LAUNCHER=$$c -DCMAKE_C_COMPILER_LAUNCHER=$$c) >/dev/null; }

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run.sh $(BUILD)

test: build
	@scripts/test.sh $(BUILD)

dist: configure
	@cmake --build $(BUILD) -j $(JOBS) --target dist
	@ls $(BUILD)/dist/*.exe $(BUILD)/dist/*.zip

# Long fuzz runs of the parsers (the test run keeps a short run of each); FUZZ_SECONDS per target.
FUZZ_SECONDS ?= 120
fuzz: deps
	@fuzz/run.sh $(BUILD)/fuzz $(FUZZ_SECONDS)

bench: build
	@cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	@bench/run.sh $(BUILD)

clean:
	rm -rf $(BUILD)
