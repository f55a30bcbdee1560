# Two commands do everything on a fresh Debian 12 machine: `make run` and `make test`.
SHELL := /bin/bash
BUILD ?= build
JOBS ?= $(shell nproc)
SAMPLE := $(BUILD)/sample.smc
# Quiets make's "Entering directory" lines; a folder configured for Ninja gets nothing to pass.
quiet = $(if $(wildcard $(1)/build.ninja),,-- --no-print-directory)

.PHONY: all deps configure build run test sanitize fuzz bench screenshots format package clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS) $(call quiet,$(BUILD))

run: build
	@$(BUILD)/dravik sample $(SAMPLE)
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
	  echo "No display found: run 'make run' in a desktop session (or set QT_QPA_PLATFORM)."; exit 1; fi
	@$(BUILD)/dravik-editor $(SAMPLE)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Every test again under AddressSanitizer and UndefinedBehaviorSanitizer, in its own build folder.
SANITIZE_BUILD ?= build-sanitize
sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRAVIK_SANITIZE=ON > /dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS) $(call quiet,$(SANITIZE_BUILD))
	@cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=abort_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# Each libFuzzer harness for FUZZ_SECONDS on the checked-in seeds (new inputs in the build folder).
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZERS := tables json cells convert formula names patch journal recovery
fuzz:
	@scripts/install-deps.sh fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRAVIK_FUZZ=ON > /dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) $(addprefix --target fuzz_,$(FUZZERS)) $(call quiet,$(FUZZ_BUILD))
	@for h in $(FUZZERS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$h $(FUZZ_BUILD)/crashes; \
	  echo "fuzz_$$h for $(FUZZ_SECONDS) s"; \
	  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	    $(FUZZ_BUILD)/fuzz_$$h -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/crashes/$$h- $(FUZZ_BUILD)/corpus/$$h fuzz/corpus/$$h \
	    2>&1 | grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::average_exec_per_sec|==|SUMMARY|fuzz check)' ; \
	  [ $${PIPESTATUS[0]} -eq 0 ] || { echo "fuzz_$$h failed: see $(FUZZ_BUILD)/crashes"; exit 1; }; \
	done

bench: build
	@QT_QPA_PLATFORM=offscreen $(BUILD)/dravik-bench
	@scripts/bench-process.sh $(BUILD)

screenshots: build
	@$(BUILD)/dravik sample $(SAMPLE)
	@QT_QPA_PLATFORM=offscreen $(BUILD)/dravik-screenshots $(SAMPLE) $(BUILD)/screenshots
	@echo "Screenshots in $(BUILD)/screenshots"

# A Debian package of both programs with the desktop menu entry, manual pages and completion:
# $(PACKAGE_BUILD)/dravik_VERSION_ARCH.deb. Its own build folder, compiled with Debian's hardening
# flags (dpkg-buildflags), building only what the package holds; then checked as
# scripts/check-package.sh says (lintian and the validators are installed for that).
PACKAGE_BUILD ?= build-package
package: deps
	@scripts/install-deps.sh package
	@export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	  cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=None -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
	    "-DCMAKE_CXX_FLAGS=$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	    "-DCMAKE_EXE_LINKER_FLAGS=$$(dpkg-buildflags --get LDFLAGS)" > /dev/null
	@cmake --build $(PACKAGE_BUILD) -j $(JOBS) --target dravik dravik-editor dravik_data dravik_guide $(call quiet,$(PACKAGE_BUILD))
	@for program in dravik dravik-editor; do objcopy --remove-section=.comment $(PACKAGE_BUILD)/$$program; done
	@rm -f $(PACKAGE_BUILD)/dravik_*.deb
	@cd $(PACKAGE_BUILD) && cpack -G DEB > /dev/null
	@scripts/check-package.sh $(PACKAGE_BUILD)/dravik_*.deb
	@ls "$$PWD"/$(PACKAGE_BUILD)/dravik_*.deb

format: deps
	@scripts/format.sh

clean:
	@rm -rf $(BUILD)
