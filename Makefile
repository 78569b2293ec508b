SHELL := /bin/bash
# Set-up and everyday commands. Each target installs the Debian packages it needs first.
BUILD    ?= build
JOBS     ?= $(shell nproc)
CMAKE_GEN = $(shell command -v ninja >/dev/null 2>&1 && echo -G Ninja)

.PHONY: all deps run test configure build bench fuzz sanitize install screenshots clean format \
        windows test-windows windows-zip test-windows-zip windows-installer test-windows-installer \
        deb test-deb windows-kit release check-reproducible

all: build

deps:
	@tools/install-deps build

configure: deps
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/korvane

test:
	@tools/install-deps build test
	@$(MAKE) --no-print-directory build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize:
	@tools/install-deps build test
	@test -f build-sanitize/CMakeCache.txt || cmake -S . -B build-sanitize -G Ninja \
	    -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=ON
	cmake --build build-sanitize -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --test-dir build-sanitize --output-on-failure -j $(JOBS)

# Every benchmark, printed as one table of figures and targets.
bench:
	@tools/install-deps build test bench
	@test -f build-bench/CMakeCache.txt || cmake -S . -B build-bench -G Ninja \
	    -DCMAKE_BUILD_TYPE=Release -DKORVANE_BENCH=ON -DKORVANE_TESTS=OFF
	cmake --build build-bench -j $(JOBS)
	tools/bench-table build-bench

# Every libFuzzer target, each for FUZZ_SECONDS, from the seeds and dictionaries in
# fuzz/seeds/; the corpora grow under fuzz/corpus/ (not kept in git).
FUZZ_SECONDS ?= 60
fuzz:
	@tools/install-deps build fuzz
	@test -f build-fuzz/CMakeCache.txt || CXX=clang++ CC=clang cmake -S . -B build-fuzz -G Ninja \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_FUZZ=ON -DKORVANE_TESTS=OFF
	cmake --build build-fuzz -j $(JOBS) --target fuzzers
	@for fuzzer in build-fuzz/fuzz/fuzz_*; do \
	    test -f $$fuzzer -a -x $$fuzzer || continue; \
	    name=$$(basename $$fuzzer); mkdir -p fuzz/corpus/$$name; \
	    echo "== $$name for $(FUZZ_SECONDS) s"; \
	    $$fuzzer -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	        $$(test -f fuzz/seeds/$$name.dict && echo -dict=fuzz/seeds/$$name.dict) \
	        fuzz/corpus/$$name $$(test -d fuzz/seeds/$$name && echo fuzz/seeds/$$name) 2>&1 \
	        | grep -E '^(stat::number_of_executed_units|==|SUMMARY|INFO: fuzzed|Done)' ; \
	    test $${PIPESTATUS[0]} -eq 0 || exit 1; \
	done

# The Windows build: cross-compiled with mingw-w64 against a kit of Qt, SDL2 and libopenmpt built
# for Windows (WINDOWS_KIT=/path/to/mingw64-kit.tar.xz), tested under Wine in a scratch prefix.
WINDOWS_KIT    ?=
WINDOWS_BUILD  ?= build-windows
WINDOWS_PREFIX  = $(CURDIR)/$(WINDOWS_BUILD)/kit/mingw64
windows:
	@tools/install-deps build windows
	@tools/unpack-kit "$(WINDOWS_KIT)" $(WINDOWS_BUILD)/kit
	@test -f $(WINDOWS_BUILD)/CMakeCache.txt || PKG_CONFIG_LIBDIR=$(WINDOWS_PREFIX)/lib/pkgconfig \
	    cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	    -DCMAKE_FIND_ROOT_PATH=$(WINDOWS_PREFIX) -DCMAKE_PREFIX_PATH=$(WINDOWS_PREFIX) \
	    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
	    -DCMAKE_CROSSCOMPILING_EMULATOR="$(CURDIR)/tools/wine-run;$(WINDOWS_PREFIX)/bin;$(CURDIR)/$(WINDOWS_BUILD)/wineprefix"
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)

test-windows: windows
	ctest --test-dir $(WINDOWS_BUILD) --output-on-failure -j $(JOBS) -LE 'zip|installer'

windows-zip: windows
	cmake --build $(WINDOWS_BUILD) --target windows-zip

# The zip for users, unpacked into an empty folder and started under Wine on a real X server.
test-windows-zip: windows-zip
	ctest --test-dir $(WINDOWS_BUILD) --output-on-failure -L zip

# The installer for players (NSIS), made from the zip's folder; its test installs, starts and
# uninstalls it under Wine in a fresh prefix.
windows-installer: windows-zip
	@tools/install-deps installer
	cmake --build $(WINDOWS_BUILD) --target windows-installer

test-windows-installer: windows-installer
	ctest --test-dir $(WINDOWS_BUILD) --output-on-failure -L installer

# The Debian package, built by dpkg-buildpackage in build-deb/ and checked by lintian.
deb:
	@tools/install-deps deb
	tools/build-deb build-deb

# Installs the package into a clean Debian 12 root made by mmdebstrap (needs root and the Debian
# mirror; takes minutes), runs it there and purges it.
test-deb: deb
	@tools/install-deps deb test-deb
	tests/dist/test-deb.sh build-deb/korvane_$$(dpkg-parsechangelog -S Version)_amd64.deb

# The Windows kit (Qt, SDL2 and libopenmpt for mingw-w64) built from Debian 12's source packages
# into build-kit/mingw64-kit.tar.xz. KIT_PARTS picks some of: qtbase sdl2 libopenmpt runtime.
KIT_PARTS ?= qtbase sdl2 libopenmpt runtime
windows-kit:
	@tools/install-deps windows windows-kit
	tools/windows-kit/build-kit build-kit $(KIT_PARTS)

# Every file of a release in dist/out/, with SHA256SUMS: the source tarball, the .deb, the
# Windows zip and installer, all from the commit checked out (SOURCE_DATE_EPOCH is its time).
release:
	tools/release dist/out "$(WINDOWS_KIT)"

# Two releases of the same commit must give the same tarball and zip, byte for byte.
check-reproducible:
	tools/check-reproducible "$(WINDOWS_KIT)"

install: build
	cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

# Refreshes the README's pictures from the end-to-end test's screenshots.
screenshots: test
	mkdir -p docs && cp $(BUILD)/screenshots/*.png docs/

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
