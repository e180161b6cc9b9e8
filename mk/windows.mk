# The Windows program: cross-built with mingw-w64, tested under wine in a private virtual desktop.
WINDOWS_BUILD := build/windows

# Built for size: nothing here is hot, and the one .exe should stay small.
windows:
	@scripts/deps.sh build windows
	@cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target lisotra

# Wine's window placement and process start race with the window manager and its tray now and
# then (one test in a few hundred runs): a failed test gets one more try; one that fails twice
# fails the run.
test-windows: windows-all
	@scripts/deps.sh desktop installer
	@$(MAKE) windows-tests

# The program, its tests and what the installer needs.
windows-all: windows
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS)

windows-tests:
	@tests/platform/win32/ctest_in_desktop.sh $(WINDOWS_BUILD) -j $(JOBS) --repeat until-pass:2

# The per-user installer and the portable zip, in build/windows/packages.
package-windows: windows
	@scripts/deps.sh installer
	@cd $(WINDOWS_BUILD) && cpack

.PHONY: package-windows
