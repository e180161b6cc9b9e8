# make run   builds Lisotra and starts it (in a private virtual desktop where there is no display)
# make test  builds everything and runs every test
.PHONY: run test build linux windows test-linux test-windows stop clean

MAKEFLAGS += --no-print-directory
JOBS ?= $(shell nproc)
LINUX_BUILD := build/linux

run: linux
	@scripts/deps.sh desktop
	@scripts/run.sh $(LINUX_BUILD)/lisotra

test: test-linux test-windows

build: linux windows

linux:
	@scripts/deps.sh build
	@cmake -S . -B $(LINUX_BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(LINUX_BUILD) -j $(JOBS)

test-linux: linux
	@scripts/deps.sh desktop
	@cd $(LINUX_BUILD) && ctest --output-on-failure -j $(JOBS)

stop:
	@scripts/run.sh --stop

clean:
	rm -rf build

-include mk/windows.mk
