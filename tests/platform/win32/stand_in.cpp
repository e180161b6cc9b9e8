// Stands in for a program the tests let the desktop start (the system information program, the
// browser): it appends one line to the file beside it named after it with ".log" added, its
// argument or "started" when it has none, and ends.
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
    wchar_t self[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (length == 0 || length == MAX_PATH) return 1;
    const std::wstring log = std::wstring(self) + L".log";
    const std::wstring said = argc > 1 ? argv[1] : L"started";
    std::string line(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, said.c_str(), -1, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, said.c_str(), -1, line.data(), static_cast<int>(line.size()), nullptr, nullptr);
    line.back() = '\n';
    HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return ok ? 0 : 1;
}
