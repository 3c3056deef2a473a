# Movarin's entry points.
#
#   make test    set up this machine (Debian packages, the Wine prefix), build
#                every preset, run the native tests and, inside one virtual
#                display, the cross-built tests under Wine
#   make run     the program under Wine in the project's own prefix
#   make demo    the same, with sample driver values in the registry
#   make dist    $(BUILD)/dist/movarin-<version>-win32.zip
#   make bench   start-up time, dialog openings and size of the program
#                (tools/bench-startup)
#   make screenshot  docs/screenshot.png, the main window as its end-to-end
#                test captures it
#   make fuzz    each fuzz target for FUZZ_SECONDS (default 60), with clang's
#                libFuzzer, ASan and UBSan (tools/run-fuzz)
#
# BUILD (default: build) holds the build trees, the Wine prefix and the
# logs. The user's own ~/.wine is never used.

SHELL := /bin/bash
.SHELLFLAGS := -eu -o pipefail -c
.NOTPARALLEL:
.DEFAULT_GOAL := build

BUILD ?= build
B := $(abspath $(BUILD))
JOBS ?= 2
FUZZ_SECONDS ?= 60
VERSION := $(shell sed -nE 's/^project.Movarin VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)

MOVARIN_WINEPREFIX ?= $(B)/wineprefix
export MOVARIN_WINEPREFIX
PREFIX_READY := $(MOVARIN_WINEPREFIX)/.movarin-ready
# 24-bit colour: xvfb-run's default screen has 256 colours.
XVFB := xvfb-run -a -s "-screen 0 1024x768x24"
PROGRAM := $(B)/windows/ui/movarin.exe
# The runtime for the Pentium that the program links (tools/build-i586-runtime):
# built once, then reused.
I586_RUNTIME := $(B)/i586-runtime

.PHONY: build test run demo dist bench screenshot fuzz setup packages \
        build-native build-bench build-windows-tests build-windows \
        require-display clean

# Every preset: the benchmarks are built (not run) so they keep compiling.
build: build-native build-bench build-windows-tests build-windows

# ---- set-up ----------------------------------------------------------------

packages:
	@tools/install-packages

$(PREFIX_READY): tools/setup-prefix data/prefix.reg | packages
	@tools/setup-prefix $@

setup: packages $(PREFIX_READY)

# ---- builds ----------------------------------------------------------------

# configure PRESET [CMAKE ARGS]: (re)configures the tree $(B)/PRESET, so a
# configuration that failed once is tried again. A tree whose cache no longer
# fits the sources (a toolchain file renamed, say) is configured afresh.
configure = { cmake --preset $(1) -B $(B)/$(1) $(2) >$(B)/$(1).configure.log 2>&1 || \
  cmake --preset $(1) -B $(B)/$(1) $(2) --fresh >$(B)/$(1).configure.log 2>&1; } || \
  { cat $(B)/$(1).configure.log; exit 1; }

build-native build-bench build-windows-tests: packages
	@mkdir -p $(B); $(call configure,$(@:build-%=%))
	cmake --build $(B)/$(@:build-%=%) -j$(JOBS)

$(I586_RUNTIME)/.ready: tools/build-i586-runtime | packages
	nice tools/build-i586-runtime $(I586_RUNTIME)

build-windows: packages $(I586_RUNTIME)/.ready
	@mkdir -p $(B); $(call configure,windows,-DMOVARIN_I586_RUNTIME=$(I586_RUNTIME))
	cmake --build $(B)/windows -j$(JOBS)

# ---- tests -----------------------------------------------------------------

test: setup build
	@mkdir -p $(B)/logs; rm -f $(B)/logs/*.log; status=0; \
	echo "==== native tests: the portable core over the emulated platform ===="; \
	ctest --test-dir $(B)/native --output-on-failure -j$(JOBS) 2>&1 \
	  | tee $(B)/logs/native.log || status=1; \
	echo "==== Wine tests: the real Win32 functions ===="; \
	$(XVFB) tools/wine-session $(B)/logs $(B)/windows-tests $(B)/windows \
	  || status=1; \
	tools/test-summary \
	  "native (emulated)=$(B)/logs/native.log" \
	  "Wine (win32), test suites=$(B)/logs/windows-tests.log" \
	  "Wine (win32), program=$(B)/logs/windows.log" || status=1; \
	exit $$status

# ---- the program -----------------------------------------------------------

require-display:
	@if [ -z "$${DISPLAY:-}" ]; then \
	  echo "make $(MAKECMDGOALS): no display: DISPLAY is not set." >&2; \
	  echo "Movarin shows windows, so it needs an X display. Run it from a" >&2; \
	  echo "desktop session, or on a virtual one: xvfb-run -a make $(MAKECMDGOALS)" >&2; \
	  exit 1; \
	fi

run: require-display setup build-windows
	tools/wine-run $(PROGRAM)

demo: require-display setup build-windows
	tools/wine-run regedit /s "$$(tools/wine-run winepath -w $(CURDIR)/data/demo.reg | tr -d '\r')"
	tools/wine-run $(PROGRAM)

dist: build-windows
	tools/make-dist $(PROGRAM) $(VERSION) $(B)/dist/movarin-$(VERSION)-win32.zip

bench: setup build-windows
	tools/bench-startup $(B)/windows

# The README's picture. PNG without time stamps: the same pixels give the
# same file.
screenshot: setup build-windows
	$(XVFB) tools/wine-session $(B)/logs $(B)/windows -- -R '^e2e_main_window$$'
	convert $(B)/windows/screenshot.bmp -define png:exclude-chunks=date,time \
	  docs/screenshot.png

# clang and libFuzzer only for this: make test builds the replays with g++.
fuzz:
	@tools/install-packages clang-14 libclang-rt-14-dev
	@mkdir -p $(B); $(call configure,fuzz)
	cmake --build $(B)/fuzz -j$(JOBS)
	tools/run-fuzz $(B)/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf $(B)
