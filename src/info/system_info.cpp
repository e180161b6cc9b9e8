#include "info/system_info.h"

#include <vector>

#include "platform/app.h"

namespace system_info {

namespace {
constexpr os::DWORD kBufferSize = 1024;

struct OpenKey {
    os::HKEY handle{};
    ~OpenKey() {
        if (handle) os::RegCloseKey(handle);
    }
};
}  // namespace

bool GetKeyValue(os::HKEY root, const std::string& key, const std::string& valueName, std::string& result) {
    // Read access only: a standard user may not set or create anything under HKEY_LOCAL_MACHINE,
    // and a lookup needs no more.
    OpenKey opened;
    if (os::RegOpenKeyExA(root, key.c_str(), 0, os::KEY_READ, &opened.handle) != os::ERROR_SUCCESS) {
        opened.handle = {};
        result.clear();
        return false;
    }
    std::vector<unsigned char> buffer(kBufferSize, 0);
    os::DWORD size = kBufferSize, type = os::REG_NONE;
    if (os::RegQueryValueExA(opened.handle, valueName.c_str(), nullptr, &type, buffer.data(), &size) != os::ERROR_SUCCESS) {
        result.clear();
        return false;
    }
    // A value of no bytes is found, and names nothing.
    std::string kept(buffer.begin(), buffer.begin() + size);
    if (!kept.empty() && kept.back() == '\0') kept.pop_back();
    if (type == os::REG_SZ) {
        result = kept;
    } else if (type == os::REG_DWORD) {
        static const char kHex[] = "0123456789ABCDEF";
        result = "&h";
        for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
            const auto byte = static_cast<unsigned char>(*it);
            result += kHex[byte >> 4];
            result += kHex[byte & 15];
        }
    }
    return true;
}

std::string ToolPath() {
    std::string path;
    if (GetKeyValue(os::HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path)) return path;
    std::string folder;
    if (GetKeyValue(os::HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", folder)) {
        const std::string file = folder + "\\MSINFO32.EXE";
        if (os::FileExists(file)) return file;
    }
    return {};
}

void Start(const std::string& title) {
    const std::string path = ToolPath();
    if (path.empty() || !os::StartProgram(path)) os::ShowMessage(kUnavailable, title);
}

}  // namespace system_info
