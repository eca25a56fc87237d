# The two commands of the README: `make run` and `make test`. Both set up the machine first.
BUILD     ?= build
SANITIZE  ?= build-sanitize
JOBS      ?= $(shell nproc)
# Lets ccache share results between checkouts in different folders.
export CCACHE_BASEDIR ?= $(CURDIR)
CMAKE_ARGS ?=

.PHONY: all bootstrap configure build run test bench clean

all: build

bootstrap:
	@scripts/bootstrap

configure: bootstrap
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run $(BUILD)

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf $(BUILD) $(SANITIZE)
