# The two set-up commands of the README: `make run` and `make test`.
# Both install missing Debian packages first, then configure and build.
BUILD ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

.PHONY: run test deps build clean

run: build
	./$(BUILD)/bin/calverdon

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

clean:
	rm -rf $(BUILD)
