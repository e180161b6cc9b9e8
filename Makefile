# make run   builds Lisotra and starts it (in a private virtual desktop where there is no display)
# make test  builds everything and runs every test
# make stop  ends what make run started in a private virtual desktop
# make package  makes the Debian package, the Windows installer and the portable zip
.PHONY: run test build linux linux-configured program windows test-linux test-windows stop clean package package-linux

MAKEFLAGS += --no-print-directory
JOBS ?= $(shell nproc)
LINUX_BUILD := build/linux

run: program
	@scripts/deps.sh desktop
	@scripts/run.sh $(LINUX_BUILD)/lisotra

test: test-linux test-windows

build: linux windows

# The program alone, without the tests and benchmarks.
program: linux-configured
	@cmake --build $(LINUX_BUILD) -j $(JOBS) --target lisotra

linux: linux-configured
	@cmake --build $(LINUX_BUILD) -j $(JOBS)

# Configured once; after that the build configures again by itself when a CMake file changes, and
# a tree configured by hand keeps its own choices.
linux-configured:
	@scripts/deps.sh build
	@[ -f $(LINUX_BUILD)/CMakeCache.txt ] || cmake -S . -B $(LINUX_BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null

test-linux: linux
	@scripts/deps.sh desktop deb
	@cd $(LINUX_BUILD) && ctest --output-on-failure -j $(JOBS)

package: package-linux package-windows

# The Debian package, in build/linux/packages.
package-linux: linux-configured
	@scripts/deps.sh deb
	@cmake --build $(LINUX_BUILD) -j $(JOBS) --target lisotra lisotra_install_files
	@cd $(LINUX_BUILD) && cpack

stop:
	@scripts/run.sh --stop

clean:
	rm -rf build

-include mk/windows.mk
