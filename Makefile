# make run   - install what is missing, build, start a solo game
# make test  - install what is missing, build, run every test
# make install PREFIX=...  - install the programs, desktop entry, icons, metainfo and manual pages
# make package             - build a Debian package (build/packages/zorbinet_VERSION_ARCH.deb)
BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja
PREFIX     ?= /usr/local

.PHONY: all deps configure build run test asan fuzz bench format clean install package

all: build

deps:
	@./tools/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/src/zorbinet

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The tests again with AddressSanitizer and UndefinedBehaviorSanitizer.
asan: deps
	cmake -S . -B build-asan $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DZB_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp \
	  ctest --output-on-failure -j $(JOBS)

# libFuzzer targets under clang, each run briefly on its seed corpus.
FUZZ_SECONDS ?= 20
fuzz: deps
	cmake -S . -B build-fuzz $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DZB_FUZZ=ON \
	  -DCMAKE_CXX_COMPILER=clang++
	cmake --build build-fuzz -j $(JOBS) --target fuzzers
	./tools/run-fuzzers.sh build-fuzz $(FUZZ_SECONDS)

# PREFIX=$HOME/.local needs no root; a prefix that cannot be written is refused before any copy.
# Only what is installed is built for them, not the tests and benchmarks.
INSTALLED := zorbinet zorbinet-host zb_man_pages
install: configure
	cmake --build $(BUILD) -j $(JOBS) --target $(INSTALLED)
	cmake --install $(BUILD) --prefix "$(PREFIX)"

package: configure
	cmake --build $(BUILD) -j $(JOBS) --target $(INSTALLED)
	rm -f $(BUILD)/packages/zorbinet_*.deb
	cd $(BUILD) && cpack -G DEB

bench: build
	./tools/run-benchmarks.sh $(BUILD)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) build-asan build-fuzz
