#include "startup/run_key.h"

#include <algorithm>
#include <string>

#include "platform/app.h"
#include "platform/text.h"

namespace run_key {

std::string QueryStringValue(os::HKEY root, const std::string& subKey, const std::string& valueName) {
    os::HKEY key{};
    if (os::RegOpenKeyA(root, os::ToAnsi(subKey).c_str(), &key) != os::ERROR_SUCCESS) return {};
    const std::string name = os::ToAnsi(valueName);
    std::string text;
    os::DWORD type = 0;
    os::DWORD size = 0;
    os::RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
    if (type == os::REG_SZ) {
        std::string buffer(size, ' ');
        auto* bytes = reinterpret_cast<unsigned char*>(buffer.data());
        // The value may have changed since it was sized: only REG_SZ data that fit count, and only
        // as many bytes as were read.
        if (os::RegQueryValueExA(key, name.c_str(), nullptr, &type, bytes, &size) == os::ERROR_SUCCESS &&
            type == os::REG_SZ) {
            buffer.resize(std::min<size_t>(size, buffer.size()));
            text = os::FromAnsi(buffer.substr(0, buffer.find('\0')));
        }
    }
    os::RegCloseKey(key);
    return text;
}

void SetStringValue(os::HKEY root, const std::string& subKey, const std::string& valueName, const std::string& text) {
    // A name the ANSI code page cannot hold is not written: the ANSI reads and deletes could never
    // find that value again, and it would start the program with no box to clear it.
    if (!os::AnsiHolds(valueName)) return;
    os::HKEY key{};
    if (os::RegCreateKeyA(root, os::ToAnsi(subKey).c_str(), &key) != os::ERROR_SUCCESS) {
        os::Log("could not open " + subKey + " to write " + valueName);
        return;
    }
    const std::string name = os::ToAnsi(valueName);
    os::LSTATUS status;
    if (os::AnsiHolds(text)) {
        const std::string ansi = os::ToAnsi(text);
        status = os::RegSetValueExA(key, name.c_str(), 0, os::REG_SZ,
                                    reinterpret_cast<const unsigned char*>(ansi.c_str()),
                                    static_cast<os::DWORD>(ansi.size() + 1));
    } else {
        // A path the ANSI code page cannot hold would come out naming another file ("?" for each
        // character it lacks): the wide call stores it intact.
        const std::u16string wideName = os::ToUtf16(valueName);
        const std::u16string wide = os::ToUtf16(text);
        status = os::RegSetValueExW(key, wideName.c_str(), 0, os::REG_SZ,
                                    reinterpret_cast<const unsigned char*>(wide.c_str()),
                                    static_cast<os::DWORD>((wide.size() + 1) * sizeof(char16_t)));
    }
    if (status != os::ERROR_SUCCESS) os::Log("could not write " + valueName + " in " + subKey + " (error " + std::to_string(status) + ")");
    os::RegCloseKey(key);
}

void DeleteRegValue(os::HKEY root, const std::string& subKey, const std::string& valueName) {
    os::HKEY key{};
    if (os::RegOpenKeyA(root, os::ToAnsi(subKey).c_str(), &key) != os::ERROR_SUCCESS) return;
    const os::LSTATUS status = os::RegDeleteValueA(key, os::ToAnsi(valueName).c_str());
    // A value already gone is what was asked.
    if (status != os::ERROR_SUCCESS && status != os::ERROR_FILE_NOT_FOUND) {
        os::Log("could not remove " + valueName + " from " + subKey + " (error " + std::to_string(status) + ")");
    }
    os::RegCloseKey(key);
}

std::string ProgramFolder() { return os::AppPath(); }
std::string ProgramBaseName() { return os::AppEXEName(); }

std::string RunValueName() { return ProgramBaseName() + ".exe"; }

std::string RunCommand(const std::string& argument) {
    const std::string folder = ProgramFolder();
    // The folder ends in a separator only at the root ("D:\", "/"); elsewhere one goes between.
    const bool ends = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
    const std::string path = folder + (ends ? "" : "\\") + ProgramBaseName() + ".exe";
    return '"' + path + "\" " + argument;
}

}  // namespace run_key
