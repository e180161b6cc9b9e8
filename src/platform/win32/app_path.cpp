// App.Path and App.EXEName from the running executable's own file name.
#include "platform/app.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/win32/wide.h"

namespace os {

namespace {

// The executable's full name; the buffer grows until the name fits (long paths are allowed).
std::wstring ModuleFileName() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) return {};
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(name.size() * 2);
    }
}

}  // namespace

std::string AppPath() {
    const std::wstring file = ModuleFileName();
    const size_t slash = file.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    std::wstring folder = file.substr(0, slash);
    // A drive root keeps its backslash: "C:\".
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    return win32::Utf8(folder);
}

std::string AppEXEName() {
    const std::wstring file = ModuleFileName();
    const size_t slash = file.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? file : file.substr(slash + 1);
    const size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot != 0) name.resize(dot);
    return win32::Utf8(name);
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(win32::Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool StartProgram(const std::string& path) {
    // A normal window that takes the focus. ShellExecute answers above 32 when the program started.
    return !path.empty() && reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", win32::Wide(path).c_str(), nullptr,
                                                                  nullptr, SW_SHOWNORMAL)) > 32;
}

}  // namespace os
