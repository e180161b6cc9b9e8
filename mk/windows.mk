# The Windows program: cross-built with mingw-w64, tested under wine in a private virtual desktop.
WINDOWS_BUILD := build/windows

# Built for size: nothing here is hot, and the one .exe should stay small.
windows:
	@scripts/deps.sh build windows
	@cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target lisotra

test-windows: windows
	@scripts/deps.sh desktop
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	@tests/platform/win32/ctest_in_desktop.sh $(WINDOWS_BUILD) -j $(JOBS)
