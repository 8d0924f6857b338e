# Two entry points: `make run` shows the clock, `make test` runs every test.
# Both install the Debian packages they need first.

BUILD      ?= build
NATIVE_DIR := $(BUILD)/native
WIN_DIR    := $(BUILD)/win
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps native win test run bench dist clean

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

# Native tests may run in parallel; the Wine tests share one prefix and lock it.
test: native win
	cd $(NATIVE_DIR) && ctest --output-on-failure -j $(JOBS)
	cd $(WIN_DIR) && ctest --output-on-failure

run: win
	tools/run.sh $(WIN_DIR)

bench: win
	tools/bench.sh $(WIN_DIR)

# The release: a zip and a per-user installer in dist/.
dist: win
	tools/dist.sh $(WIN_DIR) dist

clean:
	rm -rf $(BUILD) dist
