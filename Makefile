# Entry points of the project. `make run` and `make test` do all the set-up on a fresh Debian 12.
PRESET ?= default
BUILD_DIR := build
CLANG_FORMAT ?= clang-format
FORMAT_FILES = $(shell git ls-files '*.cpp' '*.h')

.PHONY: deps configure build run test bench demo format format-check clean

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
	rm -rf $(BUILD_DIR)
