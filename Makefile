# Thin front door over CMake: `make run` and `make test` are all a newcomer needs.
# Both install what is missing first (see scripts/install-deps.sh).

JOBS ?= $(shell nproc)

.PHONY: deps build run test clean

deps:
	./scripts/install-deps.sh

build: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

run: build
	./build/app/tramela

test: build
	ctest --preset release -j $(JOBS)

clean:
	rm -rf build build-*
