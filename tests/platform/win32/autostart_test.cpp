// The log-on entry in the real per-user Run key: its name and bytes as the system stores them, what
// counts as registered, the log of what failed, and the executable's folder and name.
#include "platform/app.h"
#include "platform/autostart.h"
#include "platform/run_entry.h"

#include "win32_test.h"
#include "platform/win32/wide.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kOwnValue[] = L"lisotra_win32_tests.exe";
const std::string kJapanese = "\u8aad\u307f\u4e0a\u3052";  // 読み上げ

// os::Log's lines: a debug string reaches a vectored handler as an exception before the system
// handles it (in its wide form, then perhaps in its ANSI one).
std::vector<std::wstring> logged;

LONG CALLBACK TakeLogLine(EXCEPTION_POINTERS* exception) {
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    const auto text = record.ExceptionInformation[1];
    if (record.ExceptionCode == 0x4001000A /* DBG_PRINTEXCEPTION_WIDE_C */) {
        logged.emplace_back(reinterpret_cast<const wchar_t*>(text));
    } else if (record.ExceptionCode == 0x40010006 /* DBG_PRINTEXCEPTION_C */) {
        logged.push_back(os::win32::WideFrom(CP_ACP, reinterpret_cast<const char*>(text)));
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

class Win32Autostart : public Win32Test {
protected:
    void SetUp() override {
        Win32Test::SetUp();
        logged.clear();
        handler_ = AddVectoredExceptionHandler(1, TakeLogLine);
    }
    void TearDown() override {
        RemoveVectoredExceptionHandler(handler_);
        HKEY run = nullptr;  // made again, should a test have taken it away
        RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &run, nullptr);
        RegDeleteValueW(run, kOwnValue);
        RegDeleteValueW(run, os::win32::Wide(os::RunValueName(kJapanese)).c_str());
        RegCloseKey(run);
        Win32Test::TearDown();
    }

    // The value as the system holds it, read with the wide call: its raw bytes, and its type
    // (REG_NONE when it is missing).
    static std::vector<BYTE> Stored(const std::wstring& name, DWORD& type) {
        std::vector<BYTE> bytes(4096);
        DWORD size = static_cast<DWORD>(bytes.size());
        HKEY run = nullptr;
        type = REG_NONE;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &run) != ERROR_SUCCESS ||
            RegQueryValueExW(run, name.c_str(), nullptr, &type, bytes.data(), &size) != ERROR_SUCCESS) {
            size = 0;
        }
        RegCloseKey(run);
        bytes.resize(size);
        return bytes;
    }

    // A value of the type under the executable's name: the text, with its NUL or without.
    static void Plant(DWORD type, const std::wstring& text, bool terminated = true) {
        const auto size = static_cast<DWORD>((text.size() + (terminated ? 1 : 0)) * sizeof(wchar_t));
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kOwnValue, type, text.c_str(), size), ERROR_SUCCESS);
    }

    static std::vector<BYTE> WithNul(const std::wstring& text) {
        const auto* first = reinterpret_cast<const BYTE*>(text.c_str());
        return {first, first + (text.size() + 1) * sizeof(wchar_t)};
    }

    static bool Logged(const std::wstring& text) {
        return std::any_of(logged.begin(), logged.end(), [&](auto& line) { return line.find(text) != line.npos; });
    }

    PVOID handler_ = nullptr;
};

TEST_F(Win32Autostart, RegisterWritesTheQuotedExecutableUnderItsNameAndUnregisterRemovesIt) {
    wchar_t file[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(nullptr, file, MAX_PATH), 0u);
    EXPECT_FALSE(os::AutostartRegistered());

    os::RegisterAutostart("/tray");
    DWORD type = 0;
    EXPECT_EQ(Stored(kOwnValue, type), WithNul(L"\"" + std::wstring(file) + L"\" /tray"));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_TRUE(os::AutostartRegistered());

    os::UnregisterAutostart();
    Stored(kOwnValue, type);
    EXPECT_EQ(type, static_cast<DWORD>(REG_NONE));
    EXPECT_FALSE(os::AutostartRegistered());
    os::UnregisterAutostart();  // none there: no error
    EXPECT_TRUE(logged.empty());
}

TEST_F(Win32Autostart, OnlyANonEmptyStringIsRegisteredAndRegisterReplacesAnyOtherValue) {
    for (DWORD type : {REG_EXPAND_SZ, REG_BINARY, REG_MULTI_SZ}) {
        Plant(type, L"C:\\lisotra.exe");
        EXPECT_FALSE(os::AutostartRegistered()) << type;
    }
    Plant(REG_SZ, L"");
    EXPECT_FALSE(os::AutostartRegistered());
    Plant(REG_SZ, std::wstring(L"\0x", 2));  // the text ends at the first NUL
    EXPECT_FALSE(os::AutostartRegistered());
    Plant(REG_SZ, L"D:\\elsewhere\\other.exe", false);  // unterminated; a copy elsewhere counts too
    EXPECT_TRUE(os::AutostartRegistered());

    Plant(REG_EXPAND_SZ, L"%SystemRoot%\\lisotra.exe");
    os::RegisterAutostart("");
    DWORD type = 0;
    Stored(kOwnValue, type);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    Plant(REG_BINARY, L"x");
    os::UnregisterAutostart();
    Stored(kOwnValue, type);
    EXPECT_EQ(type, static_cast<DWORD>(REG_NONE));
}

TEST_F(Win32Autostart, AMissingRunKeyIsNoErrorAndRegisterMakesIt) {
    // Only a key that holds nothing else is taken away; TearDown makes it again.
    HKEY run = nullptr;
    DWORD subkeys = 1, values = 1;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &run) == ERROR_SUCCESS) {
        RegQueryInfoKeyW(run, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                         nullptr);
        RegCloseKey(run);
    }
    if (subkeys + values != 0 || RegDeleteKeyW(HKEY_CURRENT_USER, kRunKey) != ERROR_SUCCESS) {
        GTEST_SKIP() << "the Run key holds other entries";
    }
    EXPECT_FALSE(os::AutostartRegistered());
    os::UnregisterAutostart();
    EXPECT_TRUE(logged.empty());
    os::RegisterAutostart("/tray");
    EXPECT_TRUE(os::AutostartRegistered());
}

TEST_F(Win32Autostart, AFolderAndNameOutsideTheAnsiCodePageAreStoredIntact) {
    os::win32::WriteRunEntry("C:\\\u65e5\u672c\u8a9e", kJapanese, "/tray");  // C:\日本語\読み上げ.exe
    DWORD type = 0;
    EXPECT_EQ(Stored(L"\u8aad\u307f\u4e0a\u3052.exe", type),
              WithNul(L"\"C:\\\u65e5\u672c\u8a9e\\\u8aad\u307f\u4e0a\u3052.exe\" /tray"));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_TRUE(os::win32::RunEntryRegistered(kJapanese));
    os::win32::RemoveRunEntry(kJapanese);
    EXPECT_FALSE(os::win32::RunEntryRegistered(kJapanese));
    EXPECT_TRUE(logged.empty());
}

TEST_F(Win32Autostart, AValueTheSystemRefusesIsLoggedByName) {
    const std::string tooLong(16384, 'x');  // a value's name holds at most 16383 characters
    os::win32::WriteRunEntry("C:\\", tooLong, "");
    EXPECT_TRUE(Logged(L"could not write " + os::win32::Wide(tooLong) +
                       L".exe in Software\\Microsoft\\Windows\\CurrentVersion\\Run (error "));
    EXPECT_FALSE(os::win32::RunEntryRegistered(tooLong));
}

TEST_F(Win32Autostart, AppPathAndNameAreTheRunningExecutables) {
    wchar_t file[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, file, MAX_PATH);
    ASSERT_GT(length, 0u);
    const std::wstring full(file, length);
    const size_t slash = full.rfind(L'\\');
    ASSERT_NE(slash, std::wstring::npos);
    const std::wstring folder = full.substr(0, slash);
    const std::wstring name = full.substr(slash + 1);
    const std::wstring base = name.substr(0, name.rfind(L'.'));

    EXPECT_EQ(os::AppPath(), os::win32::Utf8(folder.size() == 2 ? folder + L"\\" : folder));
    EXPECT_EQ(os::AppEXEName(), os::win32::Utf8(base));
    EXPECT_EQ(os::AppEXEName(), "lisotra_win32_tests");
    EXPECT_NE(os::AppPath().back(), '\\');
    EXPECT_EQ(os::RunValueName(os::AppEXEName()), os::win32::Utf8(kOwnValue));
}

}  // namespace
