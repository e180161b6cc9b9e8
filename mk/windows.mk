# The Windows program, cross-built with mingw-w64 and tested under wine.
.PHONY: windows test-windows
windows:
	@echo "windows: not built yet"
test-windows:
	@echo "test-windows: not built yet"
