# Varno: `make run` builds and starts the program in a window; `make test` builds and runs every test.
BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_FUZZ ?= build-fuzz
FUZZ_SECONDS ?= 5
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: all deps configure build run test test-crash test-asan test-fuzz bench screenshots clean

all: build

deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/app/varno $(ARGS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The full crash test: the program killed 60 times (saves, overwrites, deletes, Reindex of a 50 000-point
# file); `make test` runs its short form. VARNO_CRASH_SEED=N repeats a run.
test-crash: configure
	cmake --build $(BUILD) -j $(JOBS) --target varno crash_test
	VARNO_CRASH_FULL=1 ./$(BUILD)/tests/crash/crash_test

test-asan: deps
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVARNO_SANITIZE=ON -DVARNO_BENCH=OFF $(CMAKE_ARGS)
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(BUILD_ASAN) --output-on-failure -j $(JOBS)

# The libFuzzer harnesses of fuzz/, built with clang, each run for FUZZ_SECONDS on a copy of its seeds.
test-fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -G Ninja -DVARNO_FUZZ=ON -DVARNO_BENCH=OFF $(CMAKE_ARGS)
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target varno_fuzzers
	./scripts/run-fuzzers $(BUILD_FUZZ) $(FUZZ_SECONDS)

bench: build
	for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

screenshots: build
	./scripts/screenshots $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_FUZZ)
