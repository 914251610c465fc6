# The two commands of the README: `make run` and `make test`. Everything else is CMake.
PRESET ?= dev
BUILD_DIR := build/$(PRESET)

.PHONY: setup configure build run test bench clean format

setup:
	bash scripts/setup.sh

configure: setup
	cmake --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET)

run: build
	$(BUILD_DIR)/src/app/vaporina

test: build
	ctest --preset $(PRESET)

bench: setup
	cmake --preset release
	cmake --build --preset release --target vapbench
	build/release/bench/vapbench

format:
	find src tests bench -name '*.h' -o -name '*.cpp' | xargs clang-format -i

clean:
	rm -rf build
