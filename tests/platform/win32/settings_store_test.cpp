// The settings store in the registry: where and in what form texts are kept, and what a reader
// makes of values that the program did not write.
#include "platform/settings_store.h"

#include <algorithm>
#include <string>

#include "win32_test.h"

namespace {

constexpr wchar_t kSection[] = L"Software\\Lisotra\\window";

void Put(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kSection, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

std::string Get(const char* key) { return os::ReadSetting("window", key); }

using Win32SettingsStore = Win32Test;

}  // namespace

TEST_F(Win32SettingsStore, TextsAreKeptAsTerminatedRegSzUnderTheUsersSoftwareKey) {
    os::WriteSetting("window", "width", " 4800");
    os::WriteSetting("window", "width", " 4815");  // replaces
    wchar_t data[16] = {};
    DWORD type = 0, size = sizeof data;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, kSection, L"width", RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 6 * sizeof(wchar_t));
    EXPECT_STREQ(data, L" 4815");
    EXPECT_EQ(Get("width"), " 4815");
    os::WriteSetting("window", "width", "");
    EXPECT_EQ(Get("width"), "");
}

TEST_F(Win32SettingsStore, AnAbsentSectionOrKeyReadsAsEmpty) {
    EXPECT_EQ(os::ReadSetting("window", "width"), "");
    os::WriteSetting("window", "left", " 0");
    EXPECT_EQ(os::ReadSetting("window", "width"), "");
    EXPECT_EQ(os::ReadSetting("nosuch", "left"), "");
}

TEST_F(Win32SettingsStore, TextsNoCodePageHoldsKeepEveryCharacter) {
    const std::string texts[] = {"Ж", "日本語", "é€", "😀", "C:\\Users\\Zoë\\Документы\\読書.exe"};
    for (const std::string& text : texts) {
        os::WriteSetting("window", "key", text);
        EXPECT_EQ(Get("key"), text);
    }
    wchar_t data[8] = {};
    DWORD size = sizeof data;
    os::WriteSetting("window", "key", "Ж");
    RegGetValueW(HKEY_CURRENT_USER, kSection, L"key", RRF_RT_REG_SZ, nullptr, data, &size);
    EXPECT_STREQ(data, L"\u0416");
}

TEST_F(Win32SettingsStore, ValuesOfAnotherTypeOrMalformedReadAsEmptyOrAsTheirText) {
    const DWORD number = 4800;
    Put(L"dword", REG_DWORD, &number, sizeof number);
    EXPECT_EQ(Get("dword"), "");
    const unsigned char junk[] = {0xFF, 0xFE, 0x00, 0xD8, 0x41};
    Put(L"binary", REG_BINARY, junk, sizeof junk);
    EXPECT_EQ(Get("binary"), "");
    Put(L"expand", REG_EXPAND_SZ, L"%TEMP%", 14);
    EXPECT_EQ(Get("expand"), "");

    Put(L"unterminated", REG_SZ, L" 12", 3 * sizeof(wchar_t) + 1);  // odd length, no terminator
    EXPECT_EQ(Get("unterminated"), " 12");
    Put(L"nul", REG_SZ, L" 1\0junk", 8 * sizeof(wchar_t));
    EXPECT_EQ(Get("nul"), " 1");
    Put(L"surrogate", REG_SZ, L"\xD800x", 3 * sizeof(wchar_t));  // a lone half of a pair
    EXPECT_EQ(Get("surrogate"), "\xEF\xBF\xBDx");
    Put(L"empty", REG_SZ, nullptr, 0);
    EXPECT_EQ(Get("empty"), "");

    const std::wstring huge(300000, L'7');
    Put(L"huge", REG_SZ, huge.c_str(), static_cast<DWORD>((huge.size() + 1) * sizeof(wchar_t)));
    EXPECT_EQ(Get("huge"), std::string(300000, '7'));
}

namespace {
// A value that another program rewrites while it is read: each call finds it longer by `growth`
// bytes. A buffer too small for it is left holding what the call pleases (here, its start).
struct GrowingValue {
    static inline DWORD bytes = 0;
    static inline DWORD growth = 0;
    static LSTATUS WINAPI Query(HKEY, LPCWSTR, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size) {
        bytes += growth;
        *type = REG_SZ;
        const DWORD room = *size;
        *size = bytes;
        if (!data) return ERROR_SUCCESS;
        for (DWORD i = 0; i < std::min(room, bytes); ++i) data[i] = (i % 2) ? 0 : '7';
        return room < bytes ? ERROR_MORE_DATA : ERROR_SUCCESS;
    }
};
}  // namespace

TEST_F(Win32SettingsStore, AValueGrowingWhileItIsReadIsReadWholeOrNotAtAll) {
    GrowingValue::bytes = 8;
    GrowingValue::growth = 0;  // holds still
    EXPECT_EQ(os::win32::ReadRegistryText(nullptr, L"width", GrowingValue::Query), L"7777");
    GrowingValue::bytes = 8;
    GrowingValue::growth = 200;  // never settles: nothing read beyond a buffer, nothing made up
    EXPECT_EQ(os::win32::ReadRegistryText(nullptr, L"width", GrowingValue::Query), L"");
}
