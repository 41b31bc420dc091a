# The two entry points: `make run` and `make test`; `make bench` for the benchmarks.
JOBS ?= $(shell nproc)

.PHONY: run test deps build build-test bench

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build -j $(JOBS)

run: build
	cd build && ./memory

build-test: deps
	cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DMEMORY_SANITIZE=ON -DMEMORY_TESTS=ON
	cmake --build build/test -j $(JOBS)

test: build-test
	cd build/test && ctest --output-on-failure -j $(JOBS) --timeout 300

# Optimised and without the sanitizers; each figure is printed beside its baseline from the same run.
bench: deps
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DMEMORY_SANITIZE=OFF -DMEMORY_TESTS=ON
	cmake --build build/bench -j $(JOBS) --target memory bench_frame bench_minimal_qt bench_startup bench_play
	build/bench/tests/bench/bench_frame
	build/bench/tests/bench/bench_startup build/bench/memory build/bench/tests/bench/bench_minimal_qt
