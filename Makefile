# Lettrix: one-command set-up, build and test on Debian.
#   make demo   release build in build/ (binaries in build/bin/), then convert the samples
#   make test   AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/, then ctest
#   make fuzz   libFuzzer build with clang in build-fuzz/, each target FUZZ_SECONDS seconds
#   make install   release build in build/, then installs into PREFIX (default /usr/local) under DESTDIR
#   make package   release build with Debian's hardening flags in build-package/, then a .deb there
#   make deps   check the Debian packages of every target; install the missing ones when run as root
#   make deps-build   the same for the packages that building and running the programs needs

# What the programs need (make demo, make bench, make install), and what the
# tests, the fuzzer and the package check need besides.
BUILD_PACKAGES := cmake ninja-build g++ make pkg-config qt6-base-dev libcli11-dev libzip-dev libcairo2-dev \
                  fonts-dejavu-core
TEST_PACKAGES := libgtest-dev unrtf libreoffice-writer-nogui libwpd-tools libwps-tools antiword pandoc tidy hfsutils \
                 clang libclang-rt-dev \
                 dpkg-dev file desktop-file-utils groff-base \
                 shared-mime-info xdg-utils libglib2.0-bin xvfb xdotool x11-apps netpbm
PACKAGES := $(BUILD_PACKAGES) $(TEST_PACKAGES)
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 60
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: all deps deps-build demo test fuzz bench install package clean

all: demo

# Checks the packages of $(WANTED); as root installs the missing ones.
define check_packages
	@missing=""; \
	for p in $(WANTED); do \
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
endef

deps: WANTED = $(PACKAGES)
deps:
	$(check_packages)

deps-build: WANTED = $(BUILD_PACKAGES)
deps-build:
	$(check_packages)

build/build.ninja: | deps-build
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release

demo: deps-build build/build.ninja
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

install: deps-build build/build.ninja
	cmake --build build -j $(JOBS) --target lettrix_dist
	DESTDIR="$(DESTDIR)" cmake --install build --prefix "$(PREFIX)"

# The package build compiles only what the package holds (no tests), with the
# flags Debian builds its packages with (hardening included). MAINTAINER sets
# the package's Maintainer field: make package MAINTAINER="Name <address>".
BUILDFLAGS := DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
package: deps
	cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
	  -DCMAKE_CXX_FLAGS="$$($(BUILDFLAGS) CPPFLAGS) $$($(BUILDFLAGS) CXXFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$($(BUILDFLAGS) LDFLAGS)" \
	  $(if $(MAINTAINER),"-DLETTRIX_PACKAGE_MAINTAINER=$(MAINTAINER)")
	cmake --build build-package -j $(JOBS) --target lettrix_dist
	rm -f build-package/lettrix_*.deb
	cd build-package && cpack -G DEB
	./tools/check_package.sh build-package/lettrix_*.deb

bench: demo
	./bench/run.sh build/bin

clean:
	rm -rf build build-asan build-fuzz build-package
