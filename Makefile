# The two entry points: `make run` and `make test`; `make bench` for the benchmarks.
JOBS ?= $(shell nproc)

.PHONY: run test deps deps-test deps-bench build build-test bench

# What the program needs; the tests and the benchmarks add their own tools.
deps:
	@scripts/install-deps

deps-test:
	@scripts/install-deps --test

deps-bench:
	@scripts/install-deps --bench

build: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build -j $(JOBS)

run: build
	cd build && ./memory

build-test: deps-test
	cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DMEMORY_SANITIZE=ON -DMEMORY_TESTS=ON
	cmake --build build/test -j $(JOBS)

test: build-test
	cd build/test && ctest --output-on-failure -j $(JOBS) --timeout 300

# Optimised and without the sanitizers; each figure is printed beside its baseline from the same run.
bench: deps-bench
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DMEMORY_SANITIZE=OFF -DMEMORY_TESTS=ON
	cmake --build build/bench -j $(JOBS) --target memory bench_frame bench_minimal_qt bench_startup bench_play
	build/bench/tests/bench/bench_frame
	build/bench/tests/bench/bench_startup build/bench/memory build/bench/tests/bench/bench_minimal_qt
