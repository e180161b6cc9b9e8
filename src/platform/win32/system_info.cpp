// The system information program on Windows, where the machine's registry names it: the first
// location names the program itself; the second names a folder, which counts only when
// MSINFO32.EXE is in it. A first value that is there but names nothing ends the search.
#include "platform/system_info.h"

#include "platform/app.h"
#include "platform/text.h"

#include <windows.h>

#include <vector>

#include "platform/win32/realisation.h"

namespace os {

namespace win32 {

std::optional<std::string> ReadToolValue(::HKEY root, const char* key, const char* name) {
    // Read access only: a standard user may not set or create anything under HKEY_LOCAL_MACHINE,
    // and a lookup needs no more.
    ::HKEY opened = nullptr;
    if (::RegOpenKeyExA(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return std::nullopt;
    constexpr ::DWORD kLargest = 1024;
    std::vector<unsigned char> buffer(kLargest, 0);
    ::DWORD size = kLargest, type = REG_NONE;
    const ::LSTATUS status = ::RegQueryValueExA(opened, name, nullptr, &type, buffer.data(), &size);
    ::RegCloseKey(opened);
    if (status != ERROR_SUCCESS) return std::nullopt;
    // A value of no bytes is there, and names nothing.
    std::string kept(buffer.begin(), buffer.begin() + size);
    if (!kept.empty() && kept.back() == '\0') kept.pop_back();
    if (type == REG_SZ) return FromAnsi(kept);
    if (type != REG_DWORD) return std::string();
    static const char kHex[] = "0123456789ABCDEF";
    std::string number = "&h";
    for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
        const auto byte = static_cast<unsigned char>(*it);
        number += kHex[byte >> 4];
        number += kHex[byte & 15];
    }
    return number;
}

std::string SystemInfoPath(const ToolValueReader& read, const std::function<bool(const std::string&)>& exists) {
    if (const auto path = read("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH")) return *path;
    if (const auto folder = read("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO")) {
        const std::string file = *folder + "\\MSINFO32.EXE";
        if (exists(file)) return file;
    }
    return {};
}

}  // namespace win32

std::string SystemInfoProgram() {
    return win32::SystemInfoPath(
        [](const char* key, const char* name) { return win32::ReadToolValue(HKEY_LOCAL_MACHINE, key, name); },
        FileExists);
}

}  // namespace os
