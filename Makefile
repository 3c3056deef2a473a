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
#                test takes its picture
#   make test-debian13  make test in a fresh Debian 13 root of its own, made
#                once in $(BUILD)/debian13 (tools/debian-root); not part of
#                make test
#   make fuzz    each fuzz target for FUZZ_SECONDS (default 60), with clang's
#                libFuzzer, ASan and UBSan (tools/run-fuzz)
#
# BUILD (default: build) holds the build trees, the Wine prefix and the
# logs. The user's own ~/.wine is never used.
#
# Where this machine's kernel runs no 32-bit programs (tools/wine-arch), the
# Wine tier runs the x86_64 twin of the Windows trees under 64-bit Wine, and
# make test also runs the shipped i686 program in a VM (tools/vm-run).
# MOVARIN_WINE_ARCH=x86_64 takes that path on any machine; MOVARIN_VM=0
# leaves the VM out (quick local runs; CI keeps it).

SHELL := /bin/bash
.SHELLFLAGS := -eu -o pipefail -c
.NOTPARALLEL:
.DEFAULT_GOAL := build

BUILD ?= build
B := $(abspath $(BUILD))
JOBS ?= 2
FUZZ_SECONDS ?= 60
VERSION := $(shell sed -nE 's/^project.Movarin VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)

# Which Windows build runs under Wine here: "i686", or "x86_64" and why.
WINE_ARCH_LINE := $(shell tools/wine-arch $(B)/machine 2>&1)
WINE_ARCH := $(firstword $(WINE_ARCH_LINE))
ifeq ($(filter i686 x86_64,$(WINE_ARCH)),)
  $(error $(WINE_ARCH_LINE))
endif
export MOVARIN_WINE_ARCH := $(WINE_ARCH)
MOVARIN_VM ?= 1
ifeq ($(WINE_ARCH),x86_64)
  WIN := windows-x86_64
  MOVARIN_WINEPREFIX ?= $(B)/wineprefix64
  ARCH_PACKAGES := wine64 $(if $(filter 1,$(MOVARIN_VM)),qemu-system-x86 debootstrap e2fsprogs)
  # One line wherever the program runs under Wine: which build, and why.
  twin_note = @echo "$(wordlist 2,99,$(WINE_ARCH_LINE)): make $@ uses the x86_64 build under 64-bit Wine"
else
  WIN := windows
  MOVARIN_WINEPREFIX ?= $(B)/wineprefix
  twin_note = @:
endif
export MOVARIN_WINEPREFIX
PREFIX_READY := $(MOVARIN_WINEPREFIX)/.movarin-ready
# 24-bit colour: xvfb-run's default screen has 256 colours.
XVFB := xvfb-run -a -s "-screen 0 1024x768x24"
# The program run under Wine here; the shipped one is always the i686 build.
PROGRAM := $(B)/$(WIN)/ui/movarin.exe
SHIPPED := $(B)/windows/ui/movarin.exe
# The shipped program's checks that need no Wine.
EXE_CHECKS := ^(imports_win98se.*|instructions_i586.*)$$
# The runtime for the Pentium that the program links (tools/build-i586-runtime):
# built once, then reused.
I586_RUNTIME := $(B)/i586-runtime

.PHONY: build test run demo dist bench screenshot fuzz setup packages vm \
        build-native build-bench build-windows-tests build-windows \
        build-windows-tests-x86_64 build-windows-x86_64 require-display clean \
        test-debian13

# Every preset: the benchmarks are built (not run) so they keep compiling,
# and so is the x86_64 twin of the Windows trees.
build: build-native build-bench build-windows-tests build-windows \
       build-windows-tests-x86_64 build-windows-x86_64

# ---- set-up ----------------------------------------------------------------

packages:
	@tools/install-packages $(ARCH_PACKAGES)

$(PREFIX_READY): tools/setup-prefix data/prefix.reg | packages
	@tools/setup-prefix $@

setup: packages $(PREFIX_READY)

# The VM that runs the shipped program where this kernel runs no 32-bit
# programs: built once (tools/vm-root returns at once when it is ready).
vm: packages
	@tools/vm-root $(B)/vm

# ---- builds ----------------------------------------------------------------

# configure PRESET [CMAKE ARGS]: (re)configures the tree $(B)/PRESET, so a
# configuration that failed once is tried again. A tree whose cache no longer
# fits the sources (a toolchain file renamed, say) is configured afresh.
configure = { cmake --preset $(1) -B $(B)/$(1) $(2) >$(B)/$(1).configure.log 2>&1 || \
  cmake --preset $(1) -B $(B)/$(1) $(2) --fresh >$(B)/$(1).configure.log 2>&1; } || \
  { cat $(B)/$(1).configure.log; exit 1; }

build-native build-bench build-windows-x86_64: packages
	@mkdir -p $(B); $(call configure,$(@:build-%=%))
	cmake --build $(B)/$(@:build-%=%) -j$(JOBS)

# The test suites' trees hold the end-to-end driver, which drives the program
# of the matching program tree.
build-windows-tests build-windows-tests-x86_64: packages
	@mkdir -p $(B); $(call configure,$(@:build-%=%),-DMOVARIN_E2E_PROGRAM=$(B)/$(subst -tests,,$(@:build-%=%))/ui/movarin.exe)
	cmake --build $(B)/$(@:build-%=%) -j$(JOBS)

$(I586_RUNTIME)/.ready: tools/build-i586-runtime | packages
	nice tools/build-i586-runtime $(I586_RUNTIME)

build-windows: packages $(I586_RUNTIME)/.ready
	@mkdir -p $(B); $(call configure,windows,-DMOVARIN_I586_RUNTIME=$(I586_RUNTIME))
	cmake --build $(B)/windows -j$(JOBS)

# ---- tests -----------------------------------------------------------------

# Where 32-bit programs run, the i686 trees under Wine. Elsewhere the
# x86_64 twin under Wine, the shipped program's own checks here, and its Wine
# tier in the VM.
ifeq ($(WINE_ARCH),x86_64)
test: setup build $(if $(filter 1,$(MOVARIN_VM)),vm)
else
test: setup build
endif
	@mkdir -p $(B)/logs; rm -rf $(B)/logs/*.log $(B)/logs/vm; status=0; \
	echo "==== native tests: the portable core over the emulated platform ===="; \
	ctest --test-dir $(B)/native --output-on-failure -j$(JOBS) 2>&1 \
	  | tee $(B)/logs/native.log || status=1; \
	echo "==== Wine tests ($(WINE_ARCH)): the real Win32 functions ===="; \
	$(XVFB) tools/wine-session $(B)/logs $(B)/$(WIN:windows%=windows-tests%) $(B)/$(WIN) \
	  || status=1; \
	runs=("native (emulated)=$(B)/logs/native.log" \
	  "Wine $(WINE_ARCH), suites and scenarios=$(B)/logs/$(WIN:windows%=windows-tests%).log" \
	  "Wine $(WINE_ARCH), program=$(B)/logs/$(WIN).log"); \
	note=; \
	if [ $(WINE_ARCH) = x86_64 ]; then \
	  echo "==== the shipped i686 program: imports and instructions ===="; \
	  ctest --test-dir $(B)/windows --output-on-failure -R '$(EXE_CHECKS)' 2>&1 \
	    | tee $(B)/logs/exe-checks.log || status=1; \
	  runs+=("i686 program, no Wine=$(B)/logs/exe-checks.log"); \
	  note="$(wordlist 2,99,$(WINE_ARCH_LINE)): the Wine tier ran on the x86_64 build"; \
	  if [ "$(MOVARIN_VM)" = 1 ]; then \
	    echo "==== in a VM: the shipped i686 program under 32-bit Wine ===="; \
	    tools/vm-run $(B)/vm $(B) tools/vm-tests $(B)/logs/vm $(B)/windows-tests $(B)/windows \
	      2>&1 | tee $(B)/logs/vm.log || status=1; \
	    runs+=("VM i686, suites and scenarios=$(B)/logs/vm/windows-tests.log" \
	      "VM i686, program=$(B)/logs/vm/windows.log"); \
	    note="$$note, the shipped program in a VM"; \
	  else \
	    note="$$note; the shipped program's VM run was left out (MOVARIN_VM=$(MOVARIN_VM))"; \
	  fi; \
	fi; \
	tools/test-summary $${note:+-n "$$note"} "$${runs[@]}" || status=1; \
	exit $$status

# The other Debian release: make test as on a fresh Debian 13 machine with
# this kernel, in a chroot sharing this tree, with its own build trees in
# $(B)/debian13/build (and, with the VM, its own VM built from there).
test-debian13:
	@tools/install-packages debootstrap
	tools/debian-root $(B)/debian13 trixie MOVARIN_VM=$(MOVARIN_VM) JOBS=$(JOBS) make test

# ---- the program -----------------------------------------------------------

require-display:
	@if [ -z "$${DISPLAY:-}" ]; then \
	  echo "make $(MAKECMDGOALS): no display: DISPLAY is not set." >&2; \
	  echo "Movarin shows windows, so it needs an X display. Run it from a" >&2; \
	  echo "desktop session, or on a virtual one: xvfb-run -a make $(MAKECMDGOALS)" >&2; \
	  exit 1; \
	fi

run: require-display setup build-$(WIN)
	$(twin_note)
	tools/wine-run $(PROGRAM)

demo: require-display setup build-$(WIN)
	$(twin_note)
	tools/wine-run regedit /s "$$(tools/wine-run winepath -w $(CURDIR)/data/demo.reg | tr -d '\r')"
	tools/wine-run $(PROGRAM)

dist: build-windows
	tools/make-dist $(SHIPPED) $(VERSION) $(B)/dist/movarin-$(VERSION)-win32.zip

bench: setup build-$(WIN)
	$(twin_note)
	tools/bench-startup $(B)/$(WIN)

# The README's picture, taken by the main window's scenario (import, PNG
# without time stamps: the same pixels give the same file).
screenshot: setup build-$(WIN) build-$(WIN:windows%=windows-tests%)
	$(twin_note)
	$(XVFB) tools/wine-session $(B)/logs $(B)/$(WIN:windows%=windows-tests%) -- -R '^e2e_main_window$$'
	@shot=$(B)/$(WIN:windows%=windows-tests%)/pictures/main_window.png; \
	test -f $$shot || { echo "make screenshot: the scenario took no picture:" \
	  "this Wine did not start ImageMagick's import (see $(B)/logs)" >&2; exit 1; }; \
	cp $$shot docs/screenshot.png

# clang and libFuzzer (Debian's default release: 14 on Debian 12, 19 on
# Debian 13) only for this: make test builds the replays with g++.
fuzz:
	@tools/install-packages clang libclang-rt-dev
	@mkdir -p $(B); $(call configure,fuzz)
	cmake --build $(B)/fuzz -j$(JOBS)
	tools/run-fuzz $(B)/fuzz $(FUZZ_SECONDS)

# The Debian 13 root's mounts first: behind them are this machine's /dev
# and this tree.
clean:
	. tools/debian.sh && debian_unmount $(B)
	rm -rf $(B)
