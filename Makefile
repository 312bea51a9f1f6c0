# SPDX-License-Identifier: GPL-3.0-or-later
# Thin wrapper over the CMake presets; every target installs what is missing first.
PRESET ?= default
BUILD := build/$(PRESET)
WERROR ?= ON
JOBS ?= $(shell nproc)

SHELL := /bin/bash

.PHONY: all deps configure build test demo clean format

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake --preset $(PRESET) -DTAMSEL_WERROR=$(WERROR) > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The quick suite; the tests labelled slow (package build, outside programs) run in make check.
test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) -LE slow

.PHONY: slow-tests
slow-tests: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) -L slow

demo: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "make demo: no display to open the window on."; \
		echo "Run it under a virtual X server instead:  xvfb-run -a $(BUILD)/sim/tamsel-demo"; \
		echo "or log in to a desktop session and run:   $(BUILD)/sim/tamsel-demo"; \
		exit 2; \
	fi
	@$(BUILD)/sim/tamsel-demo

# The station on the simulated adapter, operated from a browser; Ctrl+C ends it.
WEB_ADDRESS := 127.0.0.1:8073
.PHONY: demo-web
demo-web: build
	@echo "The demo station is at http://$(WEB_ADDRESS)/ (Ctrl+C ends it)"
	@if { [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; } && command -v xdg-open >/dev/null; then \
		( for i in $$(seq 100); do \
			if (exec 3<>/dev/tcp/$(subst :,/,$(WEB_ADDRESS))) 2>/dev/null; then \
				exec xdg-open http://$(WEB_ADDRESS)/ >/dev/null 2>&1; \
			fi; sleep 0.2; \
		done ) & \
	fi; \
	exec $(BUILD)/sim/tamsel-demo --station --listen $(WEB_ADDRESS)

format:
	@git ls-files --cached --others --exclude-standard '*.cpp' '*.h' | xargs clang-format -i

# Fails on any difference from clang-format and on any include that points up or sideways.
.PHONY: lint
lint: deps
	@git ls-files --cached --others --exclude-standard '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
	@scripts/check-includes

clean:
	@rm -rf build

.PHONY: bench
bench: build
	@$(BUILD)/bench/tamsel_bench
	@# The station's page in Debian's chromium (the npm packages come with install-deps).
	@node bench/web-bench.mjs $(BUILD)/sim/tamsel-demo

.PHONY: screenshots
screenshots: build
	@$(BUILD)/sim/tamsel-screenshots docs/screenshots examples/memory.txt
	@$(BUILD)/sim/tamsel-screenshots docs/screenshots examples/memory.txt --looks
	@$(BUILD)/sim/tamsel-screenshots docs/screenshots/ja examples/memory.txt --language=ja
	@$(BUILD)/sim/tamsel-screenshots docs/screenshots/de examples/memory.txt --language=de

# The Debian package, built as Debian builds it (dpkg-buildpackage, debhelper) from a copy
# of the tracked sources; the .deb and its -dbgsym land in build/package/.
.PHONY: package
package: deps
	@rm -rf build/package && mkdir -p build/package/tamsel
	@git ls-files --cached --others --exclude-standard | grep -v '^fuzz/corpus/' \
		| tar -cf - -T - | tar -xf - -C build/package/tamsel
	@cd build/package/tamsel && DEB_BUILD_OPTIONS="parallel=$(JOBS) $$DEB_BUILD_OPTIONS" \
		dpkg-buildpackage -us -uc -b > ../build.log 2>&1 \
		|| { tail -30 ../build.log; exit 1; }
	@ls build/package/*.deb

# The long form of CI: format and include checks, the functional suite, the slow tests
# (package build, planted include faults, real outside programs), the same suite under AddressSanitizer with
# UndefinedBehaviorSanitizer and under ThreadSanitizer, the fuzz targets for a bounded time
# each, and clang-tidy.
FUZZ_SECONDS ?= 30
FUZZ_TARGETS := reception memory settings reply position aprsgate receptionlog repeaterindex mapdata \
	webmessage

.PHONY: check sanitizers fuzz fuzz-long tidy
check: lint test slow-tests sanitizers fuzz tidy
	@echo "make check: all stages passed"

sanitizers: deps
	@for p in asan tsan; do \
		cmake --preset $$p -DTAMSEL_WERROR=ON > /dev/null && \
		cmake --build build/$$p -j $(JOBS) && \
		ctest --preset $$p -j $(JOBS) -LE slow || exit 1; \
	done

fuzz: deps
	@cmake --preset fuzz -DTAMSEL_WERROR=ON > /dev/null
	@cmake --build build/fuzz -j $(JOBS)
	@# One target per core at a time: each runs on one thread for its FUZZ_SECONDS.
	@printf '%s\n' $(FUZZ_TARGETS) | xargs -P $(JOBS) -I{} bash -c ' \
		mkdir -p build/fuzz/corpus/{}; \
		build/fuzz/fuzz/fuzz_{} -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
			-artifact_prefix=build/fuzz/ build/fuzz/corpus/{} fuzz/corpus/{} \
			> build/fuzz/fuzz_{}.log 2>&1; status=$$?; \
		echo "fuzz_{}: $(FUZZ_SECONDS) s"; \
		grep -E "stat::(number_of_executed_units|average_exec_per_sec)|ERROR|SUMMARY|Test unit written" \
			build/fuzz/fuzz_{}.log; \
		exit $$status'

fuzz-long:
	@$(MAKE) fuzz FUZZ_SECONDS=1800

# clang-tidy cannot read GCC's precompiled headers: it reads the build's commands without them,
# so each file is also checked to include what it uses.
tidy: build
	@mkdir -p $(BUILD)/tidy
	@sed -E 's# -Winvalid-pch##g; s# -include [^ ]*/cmake_pch\.hxx##g' \
		$(BUILD)/compile_commands.json > $(BUILD)/tidy/compile_commands.json
	@run-clang-tidy-14 -p $(BUILD)/tidy -quiet -j $(JOBS) '$(CURDIR)/(src|sim)/.*\.cpp$$' > $(BUILD)/clang-tidy.log 2>&1 \
		|| { grep -E 'error:|warning:' $(BUILD)/clang-tidy.log | sort -u; exit 1; }
	@echo "clang-tidy: no findings"
