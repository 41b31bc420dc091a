# The two entry points: `make run` and `make test`.
JOBS ?= $(shell nproc)

.PHONY: run test deps build build-test

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
