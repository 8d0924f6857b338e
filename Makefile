# Two entry points: `make run` shows the clock, `make test` runs every test.
# Both install the Debian packages they need first.

BUILD      ?= build
NATIVE_DIR := $(BUILD)/native
WIN_DIR    := $(BUILD)/win
CLANG_DIR  := $(BUILD)/clang
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps native win clang test run bench dist clean

all: win

deps:
	@tools/deps.sh

native: deps
	cmake -S . -B $(NATIVE_DIR) -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(NATIVE_DIR) -j $(JOBS)

win: deps
	cmake -S . -B $(WIN_DIR) -DCMAKE_BUILD_TYPE=Release \
	      -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake
	cmake --build $(WIN_DIR) -j $(JOBS)

# A second compiler over the same headers and libraries: clang and lld build
# the program, the core's tests and the crash test's probe with every warning
# an error. Only those targets (and the prefix the tests run in), to keep
# `make test` short.
clang: deps
	cmake -S . -B $(CLANG_DIR) -DCMAKE_BUILD_TYPE=Release \
	      -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/clang-mingw.cmake \
	      -DCMAKE_CXX_FLAGS="-Wall -Wextra -Werror"
	cmake --build $(CLANG_DIR) -j $(JOBS) --target qorvane core_tests crash_probe wineprefix

# Native tests may run in parallel; the Wine tests share one prefix and lock it.
test: native win clang
	cd $(NATIVE_DIR) && ctest --output-on-failure -j $(JOBS)
	cd $(WIN_DIR) && ctest --output-on-failure
	cd $(CLANG_DIR) && ctest --output-on-failure --no-tests=error -R '^(core_tests|crash_end_to_end)$$'

run: win
	tools/run.sh $(WIN_DIR)

bench: win
	tools/bench.sh $(WIN_DIR)

# The release: a zip and a per-user installer in dist/.
dist: win
	tools/dist.sh $(WIN_DIR) dist

clean:
	rm -rf $(BUILD) dist
