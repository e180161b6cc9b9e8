// Starting at log-on on Windows: a value under the executable's name in the per-user Run key, whose
// text is the quoted executable and its argument. The wide calls throughout keep a folder or a
// name outside the ANSI code page as it is.
#include "platform/autostart.h"

#include "platform/app.h"
#include "platform/run_entry.h"

#include <windows.h>

#include <string>

#include "platform/win32/realisation.h"
#include "platform/win32/wide.h"

namespace os {

namespace win32 {

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunKeyName[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string Failure(const std::string& what, ::LSTATUS status) {
    return what + " (error " + std::to_string(status) + ")";
}

}  // namespace

bool RunEntryRegistered(const std::string& baseName) {
    ::HKEY run = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &run) != ERROR_SUCCESS) return false;
    const bool registered = !ReadRegistryText(run, Wide(RunValueName(baseName))).empty();
    RegCloseKey(run);
    return registered;
}

void WriteRunEntry(const std::string& folder, const std::string& baseName, const std::string& argument) {
    const std::string name = RunValueName(baseName);
    const std::wstring text = Wide(RunCommand(folder, baseName, argument));
    ::LSTATUS status = ERROR_INVALID_DATA;  // a text too long for a value's size
    ::HKEY run = nullptr;
    if (text.size() < MAXDWORD / sizeof(wchar_t)) {
        status = RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                                 nullptr, &run, nullptr);
    }
    if (status == ERROR_SUCCESS) {
        // With its terminator, as REG_SZ data should be.
        status = RegSetValueExW(run, Wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(run);
    }
    if (status != ERROR_SUCCESS) Log(Failure("could not write " + name + " in " + kRunKeyName, status));
}

void RemoveRunEntry(const std::string& baseName) {
    const std::string name = RunValueName(baseName);
    ::HKEY run = nullptr;
    ::LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &run);
    if (status == ERROR_SUCCESS) {
        status = RegDeleteValueW(run, Wide(name).c_str());
        RegCloseKey(run);
    }
    // No key, or no value in it: there was no entry to remove.
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
        Log(Failure("could not remove " + name + " from " + kRunKeyName, status));
    }
}

}  // namespace win32

bool AutostartRegistered() { return win32::RunEntryRegistered(AppEXEName()); }

void RegisterAutostart(const std::string& argument) { win32::WriteRunEntry(AppPath(), AppEXEName(), argument); }

void UnregisterAutostart() { win32::RemoveRunEntry(AppEXEName()); }

}  // namespace os
