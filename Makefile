# Set-up and everyday commands. Each target installs the Debian packages it needs first.
BUILD    ?= build
JOBS     ?= $(shell nproc)
CMAKE_GEN = $(shell command -v ninja >/dev/null 2>&1 && echo -G Ninja)

.PHONY: all deps run test configure build bench fuzz sanitize install screenshots clean format

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

install: build
	cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

# Refreshes the README's pictures from the end-to-end test's screenshots.
screenshots: test
	mkdir -p docs && cp $(BUILD)/screenshots/*.png docs/

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
