# Front door: `make run` starts the starter in a demo emulator folder,
# `make test` runs every test. Each installs what it needs first.
SHELL := /bin/bash
ROOT := $(CURDIR)

.PHONY: all deps deps-native deps-tools native windows test test-native test-windows run reliability bench dist dist-check format clean

all: native windows

# Warnings are errors in the builds that test (and in CI, which runs make
# test); a plain build or make run only shows them.
WERROR ?= OFF
test test-native test-windows reliability bench: WERROR = ON

deps:
	@tools/deps.sh all

deps-native:
	@tools/deps.sh native

native: deps-native
	@cmake --preset native -DQUIMBEL_WERROR=$(WERROR) >/dev/null
	@cmake --build --preset native

# Both Windows builds: build/x64/bin/quimbel.exe and build/x86/bin/quimbel.exe.
windows: deps
	@cmake --preset windows -DQUIMBEL_WERROR=$(WERROR) >/dev/null
	@cmake --build --preset windows
	@cmake --preset windows-x86 -DQUIMBEL_WERROR=$(WERROR) >/dev/null
	@cmake --build --preset windows-x86

test-native: native
	@echo "== native tests =="
	@ctest --preset native -j2

# Both builds' tests, the x86 ones under 32-bit Wine.
test-windows: deps
	@tools/test-windows.sh $(WERROR)

test: test-native test-windows

run: windows
	@tools/demo.sh

deps-tools:
	@tools/deps.sh tools

reliability: deps-tools native windows
	@tools/reliability.sh

bench: deps-tools native windows
	@tools/bench.sh

dist: deps
	@tools/dist.sh

dist-check: deps
	@tools/dist-check.sh

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build dist
