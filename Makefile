# Top-level wrapper around CMake + Ninja. `make run` and `make test` do all the set-up.
BUILD_DIR ?= build
ASAN_DIR ?= $(BUILD_DIR)-asan
FUZZ_DIR ?= $(BUILD_DIR)-fuzz
BUILD_TYPE ?= RelWithDebInfo
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)
ARGS ?=
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: all setup configure build run test test-fast bench fuzz contact-sheet install clean timedemo demos soak

all: build

setup:
	@sh tools/setup.sh tools/debian-packages.txt

$(BUILD_DIR)/build.ninja: | setup
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

configure: setup $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	cd $(BUILD_DIR)/data && ../bin/quorl $(ARGS)

# The whole suite: the optimised build, then the sanitizer build, both through CTest.
test: build
	cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORL_SANITIZE=ON \
	  -DQUORL_GENERATE_DATA=OFF -DQUORL_DATA_DIR=$(abspath $(BUILD_DIR))/data
	cmake --build $(ASAN_DIR) -j $(JOBS)
	sh tools/run-tests.sh $(BUILD_DIR) $(ASAN_DIR)

# The optimised build's tests only (quick check while developing).
test-fast: build
	sh tools/run-tests.sh $(BUILD_DIR)

bench: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target benchmarks
	sh tools/run-benchmarks.sh $(BUILD_DIR)

# The frame-cost benchmark: --timedemo over the committed demos in the optimised build, one table.
DATA_DIR ?= $(BUILD_DIR)/data
timedemo: build
	sh tools/run-timedemo.sh $(BUILD_DIR) $(DATA_DIR)

# Records the committed demos again with the autoplayer (review the diff before committing).
demos: build
	sh tools/make-demos.sh $(BUILD_DIR) $(DATA_DIR)

# The soak: the autoplayer (--invulnerable) from a new game through all 30 floors and the ending in
# the sanitizer build; frames, floors, wall time and resident memory per floor.
soak: build
	cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORL_SANITIZE=ON \
	  -DQUORL_GENERATE_DATA=OFF -DQUORL_DATA_DIR=$(abspath $(DATA_DIR))
	cmake --build $(ASAN_DIR) -j $(JOBS) --target quorl
	ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 LP_NUM_THREADS=0 \
	  sh tools/run-soak.sh $(ASAN_DIR) $(DATA_DIR) 1 0

fuzz:
	@sh tools/setup.sh tools/debian-packages.txt tools/fuzz-packages.txt
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORL_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzzers
	sh tools/run-fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# The program, its music library, the content, desktop entry, icons, metainfo with its screenshots
# and manual page under PREFIX, staged under DESTDIR when given (for packaging).
install: build
	cmake --build $(BUILD_DIR) --target screenshots
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix $(PREFIX)

contact-sheet: build
	cmake --build $(BUILD_DIR) --target contact-sheet

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR)
