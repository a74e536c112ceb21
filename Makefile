# The two set-up commands of the README: `make run` and `make test`.
# Both install missing Debian packages first, then configure and build: `make run` only the
# program and its data (datasheets included), `make test` everything (tests, benchmarks, tools).
BUILD ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

.PHONY: run test deps configure program build clean

run: program
	./$(BUILD)/bin/calverdon

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

program: configure
	cmake --build $(BUILD) -j $(JOBS) --target calverdon

build: configure
	cmake --build $(BUILD) -j $(JOBS)

clean:
	rm -rf $(BUILD)
