# Fresh machine: `make run` starts the editor, `make test` runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: setup setup-test configure build run test check fuzz format-check bench clean install uninstall package

# Building and running need a few packages; the tests and benchmarks add
# theirs (GoogleTest, clang, Xvfb, ImageMagick...) only when asked for.
setup:
	@bash scripts/setup.sh

setup-test:
	@bash scripts/setup.sh test

# ccache, when present, makes rebuilds in other clones of the tree cheap.
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/glyphsmith

# setup-test first: configuring finds GoogleTest and builds the tests.
test: setup-test
	@$(MAKE) --no-print-directory build
	cd $(BUILD) && ctest --output-on-failure --no-tests=error -j $(JOBS)

# The whole suite once more under AddressSanitizer and UBSan, in its own
# folder, with the plain code in place of the SSE2 blocks (the normal build
# tests those); any report fails the run. Then the libFuzzer runs.
CHECK_BUILD ?= build-check
check: setup-test
	@cmake -S . -B $(CHECK_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGLYPHSMITH_SANITIZE=ON \
	  -DGLYPHSMITH_NO_SIMD=ON -DGLYPHSMITH_BUILD_BENCH=OFF $(LAUNCHER) >/dev/null
	@cmake --build $(CHECK_BUILD) -j $(JOBS)
	cd $(CHECK_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/support/lsan.supp \
	  ctest --output-on-failure --no-tests=error -j $(JOBS)
	@$(MAKE) --no-print-directory fuzz

# The fuzz targets built with clang, libFuzzer and the sanitizers in their own
# folder (kept between runs); each replays its regressions, then fuzzes from
# its seeds for a few seconds. `make test` replays the same inputs without
# libFuzzer (tests/fuzz/Replay.cmake).
FUZZ_BUILD ?= build-fuzz
fuzz: setup-test
	JOBS=$(JOBS) bash tests/fuzz/run_short.sh $(CURDIR) $(FUZZ_BUILD) 20
	JOBS=$(JOBS) bash tests/fuzz/run_picture_short.sh $(CURDIR) $(FUZZ_BUILD) 5

format-check:
	@bash scripts/check_format.sh

bench: setup-test
	@$(MAKE) --no-print-directory build
	@for b in $(BUILD)/bin/bench_* $(BUILD)/bin/qt_bench_*; do $$b; done

# `make install PREFIX=~/.local`; DESTDIR is honoured too. What it puts in
# place is recorded in INSTALL_RECORD, which only `make uninstall` reads (not
# install_manifest.txt: cpack rewrites that one with the package's files).
PREFIX ?= /usr/local
INSTALL_RECORD = $(BUILD)/make_install_record.txt
install: build
	cmake -DBUILD="$(BUILD)" -DPREFIX="$(PREFIX)" -DRECORD="$(INSTALL_RECORD)" \
	  -P cmake/InstallRecorded.cmake

# Removes what the last `make install` put in place, and nothing else.
uninstall:
	cmake -DRECORD="$(INSTALL_RECORD)" -P cmake/Uninstall.cmake

# The Debian package, in $(BUILD)/.
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
