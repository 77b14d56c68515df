# Entry points. The build itself is CMake's (CMakePresets.json); each preset builds in build/NAME.
#   make build   the core and its unit tests (native), pinlark.exe for win64 and win32
#   make test    installs what is missing, builds, runs the native tests and, under Wine, the
#                Windows tests (tools/wine-session sets up their desktop)
#   make bench   runs the benchmarks: native ones without sanitizers, Windows ones under Wine
#   make run     starts Pinlark under Wine in a 1024x768 desktop (tools/run-pinlark); ARGS=...
#                are passed to it
#   make screenshots  the pictures of the README and the help (docs/images/), taken from the
#                real program in a Wine desktop (tools/screenshots)
#   make dist    build/dist/pinlark.zip: pinlark.exe for win64 and win32 with the help
#   make fuzz    builds the fuzzers (clang, libFuzzer) and runs them for FUZZ_SECONDS (default 60)

SHELL := /bin/bash
PRESETS := native win64 win32
BENCHES := $(sort $(basename $(notdir $(wildcard bench/*_bench.cpp))))

.PHONY: all build test bench run screenshots dist fuzz bootstrap clean $(addprefix build-,$(PRESETS))

all: build

bootstrap:
	bash tools/bootstrap

build: $(addprefix build-,$(PRESETS))

$(addprefix build-,$(PRESETS)):
	cmake --preset $(@:build-%=%) && cmake --build --preset $(@:build-%=%)

# Every part runs even when one before it fails; the result fails if any did. The short fuzz
# run comes first so that the test summaries close the output.
test: bootstrap build
	@status=0; \
	bash tools/fuzz 20 || status=1; \
	ctest --preset native --no-tests=error || status=1; \
	ctest --preset win64 --no-tests=error || status=1; \
	if [ -s build/win64/wine/retries.log ]; then \
	  echo "Windows test program starts retried after wine gave up at once:"; cat build/win64/wine/retries.log; \
	fi; \
	exit $$status

FUZZ_SECONDS ?= 60

fuzz: bootstrap
	bash tools/fuzz $(FUZZ_SECONDS)

WIN_BENCHES := $(sort $(basename $(notdir $(wildcard bench/win/*_bench.cpp))))

# Native benchmarks without sanitizers, then the Windows ones under Wine in a session of their own.
bench: bootstrap
	cmake --preset bench && cmake --build --preset bench --target $(BENCHES)
	@for b in $(BENCHES); do echo "== $$b"; build/bench/$$b || exit 1; done
	cmake --preset win64 && cmake --build --preset win64 --target desktop_keeper $(WIN_BENCHES)
	@bash tools/wine-session start build/win64/bench-wine >/dev/null && \
	  status=0; \
	  for b in $(WIN_BENCHES); do echo "== $$b (Wine)"; \
	    (. build/win64/bench-wine/session.env && wine build/win64/$$b.exe) || status=1; done; \
	  bash tools/wine-session stop build/win64/bench-wine >/dev/null; exit $$status

run: bootstrap build-win64
	bash tools/run-pinlark $(ARGS)

screenshots: bootstrap build-win64
	bash tools/screenshots

dist: build-win64 build-win32
	rm -rf build/dist
	for arch in win64:x86_64 win32:i686; do \
	  dir=build/dist/pinlark/$${arch%%:*} && mkdir -p $$dir && \
	  $${arch##*:}-w64-mingw32-strip -o $$dir/pinlark.exe build/$${arch%%:*}/pinlark.exe && \
	  cp -r docs/help $$dir/help && cp -r docs/images $$dir/help/images || exit 1; \
	done
	cd build/dist && cmake -E tar cf pinlark.zip --format=zip pinlark
	@echo "build/dist/pinlark.zip"

clean:
	rm -rf build
