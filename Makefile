# make run   builds Lisotra and starts it (in a private virtual desktop where there is no display)
# make test  builds everything and runs every test
# make stop  ends what make run started in a private virtual desktop
# make package  makes the Debian package, the Windows installer and the portable zip
# make fuzz  builds the fuzz targets with libFuzzer and runs each for a fixed number of inputs
.PHONY: run test build linux linux-configured program windows windows-all windows-tests test-linux test-windows test-sanitize fuzz stop clean package package-linux

MAKEFLAGS += --no-print-directory
JOBS ?= $(shell nproc)
LINUX_BUILD := build/linux

run: program
	@scripts/deps.sh desktop
	@scripts/run.sh $(LINUX_BUILD)/lisotra

# The Windows build runs beside the Linux tests at the lowest priority: those tests mostly wait on
# their private desktops, and the build takes the time they leave. Its output goes to a log, shown
# if it fails.
test: test-sanitize linux
	@scripts/deps.sh desktop deb windows installer
	@nice -n 19 $(MAKE) windows-all >build/windows-build.log 2>&1 & build=$$!; \
	status=0; (cd $(LINUX_BUILD) && ctest --output-on-failure -j $(JOBS)) || status=$$?; \
	if ! wait $$build; then cat build/windows-build.log; echo "The Windows build failed."; exit 1; fi; \
	[ $$status -eq 0 ] || exit $$status; \
	$(MAKE) windows-tests

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

# The in-memory desktop's unit tests (and the fuzz seeds they can replay) once more under the
# address and undefined-behaviour sanitizers, in their own folder; only those targets are built.
# The suite runs as one process (a second; a process per test, as ctest runs them, takes 20).
SANITIZE_BUILD := build/sanitize

test-sanitize:
	@scripts/deps.sh build
	@[ -f $(SANITIZE_BUILD)/CMakeCache.txt ] || cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug \
		-DLISOTRA_DESKTOP=headless -DLISOTRA_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS) --target lisotra_unit_tests fuzz_setting_number fuzz_property_bag
	@$(SANITIZE_BUILD)/tests/lisotra_unit_tests --gtest_brief=1
	@cd $(SANITIZE_BUILD) && ctest --output-on-failure -R '^fuzz_corpus_'

# Each fuzz target runs from the seeds in tests/fuzz/corpus/<target> for FUZZ_RUNS_<target>
# inputs (about 30-60 s each here); what it adds to the corpus stays in build/fuzz/corpus, and an
# input that fails is written to build/fuzz/findings. The files the targets write go to a folder
# in memory where there is one (several times faster). Not part of make test.
FUZZ_BUILD := build/fuzz
FUZZ_TARGETS := setting_number property_bag autostart settings_file
FUZZ_RUNS_setting_number ?= 300000
FUZZ_RUNS_property_bag ?= 120000
FUZZ_RUNS_autostart ?= 15000
FUZZ_RUNS_settings_file ?= 25000
.PHONY: fuzz-build $(addprefix fuzz-,$(FUZZ_TARGETS))

fuzz: $(addprefix fuzz-,$(FUZZ_TARGETS))

fuzz-build:
	@scripts/deps.sh build fuzz
	@[ -f $(FUZZ_BUILD)/CMakeCache.txt ] || CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo -DLISOTRA_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))

$(addprefix fuzz-,$(FUZZ_TARGETS)): fuzz-%: fuzz-build
	@mkdir -p $(FUZZ_BUILD)/corpus/$* $(FUZZ_BUILD)/findings
	@echo "fuzz $*: $(FUZZ_RUNS_$*) inputs"
	@dir=$$(mktemp -d /dev/shm/lisotra-fuzz-XXXXXX 2>/dev/null || mktemp -d); \
	LISOTRA_FUZZ_DIR=$$dir $(FUZZ_BUILD)/tests/fuzz/fuzz_$* -runs=$(FUZZ_RUNS_$*) -print_final_stats=1 \
		-artifact_prefix=$(FUZZ_BUILD)/findings/$*- $(FUZZ_BUILD)/corpus/$* tests/fuzz/corpus/$* \
		2>$(FUZZ_BUILD)/$*.log; status=$$?; rm -rf $$dir; \
	[ $$status -eq 0 ] || { tail -n 40 $(FUZZ_BUILD)/$*.log; exit 1; }
	@grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' $(FUZZ_BUILD)/$*.log

stop:
	@scripts/run.sh --stop

clean:
	rm -rf build

-include mk/windows.mk
