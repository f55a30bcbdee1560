# Two commands do everything on a fresh Debian 12 machine: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
SAMPLE := $(BUILD)/sample.smc

.PHONY: all deps configure build run test bench screenshots format clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS) -- --no-print-directory

run: build
	@$(BUILD)/dravik sample $(SAMPLE)
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
	  echo "No display found: run 'make run' in a desktop session (or set QT_QPA_PLATFORM)."; exit 1; fi
	@$(BUILD)/dravik-editor $(SAMPLE)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@QT_QPA_PLATFORM=offscreen $(BUILD)/dravik-bench

screenshots: build
	@$(BUILD)/dravik sample $(SAMPLE)
	@QT_QPA_PLATFORM=offscreen $(BUILD)/dravik-screenshots $(SAMPLE) $(BUILD)/screenshots
	@echo "Screenshots in $(BUILD)/screenshots"

format: deps
	@scripts/format.sh

clean:
	@rm -rf $(BUILD)
