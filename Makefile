# Lettrix: one-command set-up, build and test on Debian.
#   make demo   release build in build/ (binaries in build/bin/), then convert the samples
#   make test   AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/, then ctest
#   make fuzz   libFuzzer build with clang in build-fuzz/, each target FUZZ_SECONDS seconds
#   make deps   check the Debian packages; install the missing ones when run as root

PACKAGES := cmake ninja-build g++ make libgtest-dev qt6-base-dev libcli11-dev unrtf libreoffice-writer-nogui \
            libwpd-tools libwps-tools antiword \
            clang libclang-rt-dev
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 60

.PHONY: all deps demo test fuzz bench clean

all: demo

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -z "$$missing" ]; then echo "deps: all packages present"; exit 0; fi; \
	if [ "$$(id -u)" = 0 ]; then \
	  echo "deps: installing$$missing"; \
	  apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing; \
	else \
	  echo "deps: missing packages. Run as root:"; \
	  echo "  apt-get update && apt-get install -y$$missing"; \
	  exit 1; \
	fi

build/build.ninja: | deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release

demo: deps build/build.ninja
	cmake --build build -j $(JOBS)
	./tools/demo.sh build/bin

build-asan/build.ninja: | deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLETTRIX_SANITIZE=ON

test: deps build-asan/build.ninja
	cmake --build build-asan -j $(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

build-fuzz/build.ninja: | deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLETTRIX_FUZZ=ON

fuzz: deps build-fuzz/build.ninja
	cmake --build build-fuzz -j $(JOBS) --target fuzz_targets
	./tools/run_fuzz.sh build-fuzz/fuzz $(FUZZ_SECONDS)

bench: demo
	./bench/run.sh build/bin

clean:
	rm -rf build build-asan build-fuzz
