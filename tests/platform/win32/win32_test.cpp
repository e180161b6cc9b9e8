// The program's headers come before <windows.h>, whose macros share names with os:: values.
#include "platform/form.h"
#include "platform/settings_store.h"
#include "shell/mHotKey.h"
#include "shell/mSubClass.h"
#include "win32_test.h"
#include "platform/win32/wide.h"

namespace {
void ClearStore() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Lisotra"); }
}  // namespace

void Win32Test::SetUp() {
    ClearStore();
    mHotKey::HotKeyCount = 0;
    mSubClass::PreviousWindowProc = nullptr;
}

void Win32Test::TearDown() {
    Pump();
    os::DiscardAllForms();  // their windows go, and the hotkeys with them
    Pump();
    ClearStore();
}

void Win32Test::Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::string Win32Test::Stored(const std::string& section, const std::string& key) {
    const std::wstring path = L"Software\\Lisotra\\" + os::win32::Wide(section);
    wchar_t data[256] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), os::win32::Wide(key).c_str(), RRF_RT_REG_SZ, nullptr, data,
                     &size) != ERROR_SUCCESS) {
        return "<absent>";
    }
    return os::win32::Utf8(data);
}

void Win32Test::Store(const std::string& section, const std::string& key, const std::string& value) {
    os::SaveSetting("Lisotra", section, key, value);
}
