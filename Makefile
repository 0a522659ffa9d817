# Entry points of the project. `make run` and `make test` do all the set-up on a fresh Debian 12.
PRESET ?= default
BUILD_DIR := build
CLANG_FORMAT ?= clang-format
FORMAT_FILES = $(shell git ls-files '*.cpp' '*.h')

.PHONY: deps configure build run test test-asan bench demo format format-check clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR)

run: build
	./$(BUILD_DIR)/bin/tavrel

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer, in its own build-asan/.
test-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build build-asan
	cd build-asan && QT_QPA_PLATFORM=offscreen \
		ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j2

bench: build
	@for b in $(BUILD_DIR)/bin/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

demo: build
	@if [ ! -d demo-data ]; then ./$(BUILD_DIR)/bin/tavrel-demo --out demo-data --cheques 3000; fi
	@printf '%s\r\n' "$(CURDIR)/demo-data" > $(BUILD_DIR)/bin/sys.ini
	./$(BUILD_DIR)/bin/tavrel

format:
	$(CLANG_FORMAT) -i $(FORMAT_FILES)

format-check:
	$(CLANG_FORMAT) --dry-run --Werror $(FORMAT_FILES)

clean:
	rm -rf $(BUILD_DIR) build-asan
