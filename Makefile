# make run: build and start the program; make test: build and run every test.
# The build is the 64-bit program; it builds the 32-bit one in $(BUILD)/x86 too.
BUILD ?= build
JOBS ?= $(shell nproc)
# ccache, when present, shares compiled objects between build trees of one machine.
CCACHE := $(shell command -v ccache 2>/dev/null)
export CCACHE_BASEDIR := $(abspath ..)

.PHONY: deps configure build run test bench fuzz dist clean

deps:
	@scripts/install-deps.sh

configure: deps
	@grep -qs 'mingw-x86_64.cmake' $(BUILD)/CMakeCache.txt || { rm -rf $(BUILD)/CMakeCache.txt $(BUILD)/CMakeFiles; cmake -S . -B $(BUILD) -G Ninja \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
	  $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE) -DCMAKE_C_COMPILER_LAUNCHER=$(CCACHE)) >/dev/null; }

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
	@bench/run.sh $(BUILD)

clean:
	rm -rf $(BUILD)
