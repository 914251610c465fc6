# The two commands of the README: `make run` and `make test`. Everything else is CMake.
PRESET ?= dev
BUILD_DIR := build/$(PRESET)

.PHONY: setup configure build run test bench clean format

# `make run` installs and builds only what the designer needs; the tests' packages come with
# `make test` (or `make setup`).
setup:
	bash scripts/setup.sh test

configure: setup
	cmake --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET)

run:
	bash scripts/setup.sh run
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET) --target vaporina
	$(BUILD_DIR)/src/app/vaporina

# After the main run, the core's and the windows' tests again under the address and
# undefined-behaviour sanitizers (the asan preset, built in build/asan).
test: build
	ctest --preset $(PRESET)
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

bench: setup
	cmake --preset release
	cmake --build --preset release --target vapbench
	build/release/bench/vapbench

format:
	find src tests bench fuzz -name '*.h' -o -name '*.cpp' | xargs clang-format -i

clean:
	rm -rf build

# The Debian package of the release build: build/release/vaporina_<version>_<arch>.deb.
.PHONY: package
package: setup
	cmake --preset release
	cmake --build --preset release
	cd build/release && cpack -G DEB
