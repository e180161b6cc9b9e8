// The settings store in the registry: HKEY_CURRENT_USER\Software\Lisotra\<section>, one REG_SZ value
// per key. The texts go through the wide API, so no ANSI code page can change them.
#include "platform/settings_store.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/app.h"
#include "platform/win32/realisation.h"
#include "platform/win32/wide.h"
#include "version.h"

namespace os {

namespace {

std::wstring KeyPath(const std::string& section) {
    return L"Software\\" + win32::Wide(version::kTitle) + L"\\" + win32::Wide(section);
}

}  // namespace

namespace win32 {

std::wstring ReadRegistryText(::HKEY key, const std::wstring& name, RegistryQuery query) {
    std::vector<BYTE> data;
    DWORD type = 0;
    DWORD size = 0;
    LSTATUS status = query(key, name.c_str(), nullptr, &type, nullptr, &size);
    // The value can grow between asking its size and reading it; a few rounds settle it. Only a
    // read that fitted counts: a value still growing after them reads as none.
    bool read = false;
    for (int round = 0; status == ERROR_SUCCESS && round < 4 && !read; ++round) {
        data.resize(size);
        size = static_cast<DWORD>(data.size());
        status = query(key, name.c_str(), nullptr, &type, data.data(), &size);
        if (status == ERROR_MORE_DATA) status = ERROR_SUCCESS;
        else read = status == ERROR_SUCCESS && size <= data.size();
    }
    if (!read || type != REG_SZ) return {};
    // Stored data need not be terminated nor of an even length.
    std::wstring text(size / sizeof(wchar_t), L'\0');
    std::copy(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(text.size() * sizeof(wchar_t)),
              reinterpret_cast<BYTE*>(text.data()));
    const size_t end = text.find(L'\0');
    if (end != std::wstring::npos) text.resize(end);
    return text;
}

}  // namespace win32

std::string ReadSetting(const std::string& section, const std::string& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(section).c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) {
        return {};
    }
    const std::wstring text = win32::ReadRegistryText(handle, win32::Wide(key));
    RegCloseKey(handle);
    return win32::Utf8(text);
}

void WriteSetting(const std::string& section, const std::string& key, const std::string& value) {
    const std::wstring text = win32::Wide(value);
    if (text.size() >= (ULONG_MAX / sizeof(wchar_t)) - 1) return;
    HKEY handle = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(section).c_str(), 0, nullptr,
                                     REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &handle, nullptr);
    if (status == ERROR_SUCCESS) {
        // With its terminator, as REG_SZ data should be.
        status = RegSetValueExW(handle, win32::Wide(key).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(handle);
    }
    if (status != ERROR_SUCCESS) Log("could not save " + section + "\\" + key + " (error " + std::to_string(status) + ")");
}

}  // namespace os
