# SPDX-License-Identifier: GPL-3.0-or-later
# The two commands of the README: `make run` and `make test`. Both set up the machine first.
BUILD     ?= build
SANITIZE  ?= build-sanitize
JOBS      ?= $(shell nproc)
# Lets ccache share results between checkouts in different folders.
export CCACHE_BASEDIR ?= $(CURDIR)
CMAKE_ARGS ?=

.PHONY: all bootstrap configure build run test lint format-check package bench bench-report bench-memory sanitize fuzz-build fuzz-smoke clean

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

# clang-tidy with the root .clang-tidy (naming convention, a few bug-prone checks, every finding
# an error) over the .cpp files of src/ and tools/, on the compile commands of $(BUILD): the build
# it depends on has already generated the moc headers, so nothing is compiled twice.
LINT_JOBS ?= 2
lint: build
	@run-clang-tidy -quiet -j $(LINT_JOBS) -p $(BUILD) '^$(CURDIR)/(src|tools)/.*\.cpp$$' >$(BUILD)/lint.log 2>&1 \
		|| { grep -E 'error:|warning:' $(BUILD)/lint.log | sort -u; echo "lint: failed (log in $(BUILD)/lint.log)"; exit 1; }
	@echo "lint: clean"

# Every .cpp and .h of the tree formatted as .clang-format says.
format-check: bootstrap
	@git ls-files -- 'src/*.cpp' 'src/*.h' 'tools/*.cpp' 'tools/*.h' 'tests/*.cpp' 'tests/*.h' \
		'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h' | xargs clang-format --dry-run --Werror

# The Debian package, orbisca_<version>_<arch>.deb, built in $(BUILD) and copied here
# (`apt install ./orbisca_*.deb` installs it).
package: build
	@cmake --build $(BUILD) --target package
	@cp $(BUILD)/orbisca_*.deb .

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer; the first
# fault stops the test that meets it.
SANITIZE_FLAGS = -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
sanitize: bootstrap
	@cmake -S . -B $(SANITIZE) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBISCA_BUILD_BENCH=OFF \
		-DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)" $(CMAKE_ARGS) >/dev/null
	@cmake --build $(SANITIZE) -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		ctest --test-dir $(SANITIZE) --output-on-failure -j $(JOBS)

# libFuzzer targets under clang with AddressSanitizer and UndefinedBehaviorSanitizer.
# fuzz-smoke runs each target for FUZZ_RUNS inputs from its seed corpus (copied, so the seeds stay
# as committed); a crash, a sanitizer report or an input slower than FUZZ_TIMEOUT seconds fails.
FUZZ      ?= build-fuzz
FUZZ_RUNS ?= 70000
FUZZ_TIMEOUT ?= 10
FUZZ_FLAGS = -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
fuzz-build: bootstrap
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBISCA_FUZZ=ON -DORBISCA_WERROR=OFF \
		-DORBISCA_BUILD_TESTS=OFF -DORBISCA_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS="$(FUZZ_FLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
	@cmake --build $(FUZZ) -j $(JOBS)

fuzz-smoke: fuzz-build
	@scripts/fuzz-smoke $(FUZZ) $(FUZZ_RUNS) $(FUZZ_TIMEOUT)

bench: build
	@for b in $(BUILD)/bench/*; do [ -x "$$b" ] && "$$b"; done

# The speed goals as a table: the figure when each was set, the goal, the median now and, where a
# straightforward method is measured beside it, the ratio.
bench-report: build
	@scripts/bench-report $(BUILD)

# orbisca-cli range and ics over their longest runs, with their peak memory beside a short run's.
bench-memory: build
	@scripts/bench-memory $(BUILD)

clean:
	rm -rf $(BUILD) $(SANITIZE) $(FUZZ) orbisca_*.deb
