# Two commands for everyone: `make run` and `make test`.
BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
WORKDIR    ?= $(if $(TIVORAL_DIR),$(TIVORAL_DIR),$(CURDIR)/work)
CMAKE_ARGS ?=
JOBS       ?= $(shell nproc)

.PHONY: all deps build run test bench sanitize fuzz coverage package package-test clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@mkdir -p "$(WORKDIR)"
	cd "$(WORKDIR)" && "$(CURDIR)/$(BUILD)/src/shell/tivoral"

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DTIVORAL_BENCH=ON
	cmake --build build-release -j $(JOBS)
	@for b in build-release/bench/bench_*; do [ -x "$$b" ] && "$$b" || true; done

sanitize: deps
	cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTIVORAL_SANITIZE=ON
	cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
	  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# Line coverage of src/ by the tests, per folder, in build-coverage/coverage.txt.
coverage:
	@scripts/install-deps coverage
	cmake -S . -B build-coverage -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTIVORAL_COVERAGE=ON
	cmake --build build-coverage -j $(JOBS)
	find build-coverage -name '*.gcda' -delete
	status=0; (cd build-coverage && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)) \
	  || status=$$?; scripts/coverage-report build-coverage; exit $$status

# Each fuzzer runs FUZZ_SECONDS on a copy of its seed corpus; any crash, leak, hang over 1 s or
# memory over 1 GB fails the target and leaves the input in build-fuzz/artifacts/.
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/install-deps fuzz
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTIVORAL_FUZZ=ON -DBUILD_TESTING=OFF
	cmake --build build-fuzz -j $(JOBS) --target $$(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$$//')
	scripts/run-fuzzers build-fuzz $(FUZZ_SECONDS)

# A Debian package of a Release build, in build-package/, with Debian's hardening flags.
BUILDFLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
package: deps
	CXXFLAGS="$$($(BUILDFLAGS) CXXFLAGS) $$($(BUILDFLAGS) CPPFLAGS)" LDFLAGS="$$($(BUILDFLAGS) LDFLAGS)" \
	  cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
	  -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build build-package -j $(JOBS)
	cd build-package && cpack

# Checks that package, its desktop entry and metainfo with the distribution's own tools, then
# installs it on this machine and starts the installed program once.
package-test: package
	@scripts/install-deps package
	scripts/package-check build-package
	scripts/package-smoke-test build-package

clean:
	rm -rf $(BUILD) build-release build-sanitize build-fuzz build-package build-coverage
