# Thin wrapper over the CMake presets; every target installs what is missing first.
PRESET ?= default
BUILD := build/$(PRESET)
WERROR ?= ON
JOBS ?= $(shell nproc)

.PHONY: all deps configure build test demo clean format

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake --preset $(PRESET) -DTAMSEL_WERROR=$(WERROR) > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

demo: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "make demo: no display to open the window on."; \
		echo "Run it under a virtual X server instead:  xvfb-run -a $(BUILD)/sim/tamsel-demo"; \
		echo "or log in to a desktop session and run:   $(BUILD)/sim/tamsel-demo"; \
		exit 2; \
	fi
	@$(BUILD)/sim/tamsel-demo

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf build

.PHONY: bench
bench: build
	@$(BUILD)/bench/tamsel_bench

.PHONY: screenshots
screenshots: build
	@$(BUILD)/sim/tamsel-screenshots docs/screenshots examples/memory.txt

.PHONY: package
package: build
	@cd $(BUILD) && cpack
