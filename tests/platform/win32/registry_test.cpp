// The registry calls through the real advapi32, the Run entry's bytes as the system stores them, and
// the executable's folder and name.
#include "platform/app.h"
#include "platform/registry.h"
#include "startup/run_key.h"

namespace {
// Taken before <windows.h>, whose macros share these names.
const os::HKEY kCurrentUser = os::HKEY_CURRENT_USER;
constexpr os::DWORD kRegSz = os::REG_SZ;
constexpr os::DWORD kRegExpandSz = os::REG_EXPAND_SZ;
}  // namespace

#include "win32_test.h"
#include "platform/win32/wide.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kValue[] = "LisotraRegistryTest.exe";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class Win32Registry : public Win32Test {
protected:
    void TearDown() override {
        DeleteNative(os::win32::Wide(kValue));
        Win32Test::TearDown();
    }

    static void DeleteNative(const std::wstring& name) {
        HKEY run = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
            RegDeleteValueW(run, name.c_str());
            RegCloseKey(run);
        }
    }

    // The value as the system holds it, read with the wide call: its type and raw bytes.
    static bool ReadNative(const std::wstring& name, DWORD& type, std::vector<unsigned char>& bytes) {
        HKEY run = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &run) != ERROR_SUCCESS) return false;
        DWORD size = 0;
        LSTATUS status = RegQueryValueExW(run, name.c_str(), nullptr, &type, nullptr, &size);
        if (status == ERROR_SUCCESS) {
            bytes.assign(size, 0);
            status = RegQueryValueExW(run, name.c_str(), nullptr, &type, bytes.data(), &size);
            bytes.resize(size);
        }
        RegCloseKey(run);
        return status == ERROR_SUCCESS;
    }

    static std::vector<unsigned char> Utf16Bytes(const std::wstring& text) {
        std::vector<unsigned char> bytes((text.size() + 1) * sizeof(wchar_t));  // with the NUL
        std::memcpy(bytes.data(), text.c_str(), bytes.size());
        return bytes;
    }
};

TEST_F(Win32Registry, ValueRoundTripsThroughTheRealRunKey) {
    os::HKEY key = nullptr;
    ASSERT_EQ(os::RegCreateKeyA(kCurrentUser, run_key::kRunKeyPath, &key), 0);
    ASSERT_NE(key, nullptr);
    const std::string text = "\"C:\\Programs\\Lisotra\\lisotra.exe\" /tray";
    ASSERT_EQ(os::RegSetValueExA(key, kValue, 0, kRegSz, reinterpret_cast<const unsigned char*>(text.c_str()),
                                 static_cast<os::DWORD>(text.size() + 1)),
              0);
    EXPECT_EQ(os::RegCloseKey(key), 0);

    // It landed in the real per-user Run key: the root was mapped, not cast.
    DWORD nativeType = 0;
    std::vector<unsigned char> nativeBytes;
    ASSERT_TRUE(ReadNative(os::win32::Wide(kValue), nativeType, nativeBytes));
    EXPECT_EQ(nativeType, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(nativeBytes, Utf16Bytes(os::win32::Wide(text)));

    ASSERT_EQ(os::RegOpenKeyA(kCurrentUser, run_key::kRunKeyPath, &key), 0);
    os::DWORD type = 0;
    os::DWORD size = 0;
    ASSERT_EQ(os::RegQueryValueExA(key, kValue, nullptr, &type, nullptr, &size), 0);
    EXPECT_EQ(type, kRegSz);
    ASSERT_EQ(size, text.size() + 1);

    std::vector<unsigned char> small(4);
    os::DWORD smallSize = static_cast<os::DWORD>(small.size());
    EXPECT_EQ(os::RegQueryValueExA(key, kValue, nullptr, &type, small.data(), &smallSize), 234);  // ERROR_MORE_DATA
    EXPECT_EQ(smallSize, size);

    std::vector<char> data(size);
    ASSERT_EQ(os::RegQueryValueExA(key, kValue, nullptr, &type, reinterpret_cast<unsigned char*>(data.data()), &size),
              0);
    EXPECT_EQ(std::string(data.data()), text);

    EXPECT_EQ(os::RegDeleteValueA(key, kValue), 0);
    EXPECT_EQ(os::RegQueryValueExA(key, kValue, nullptr, &type, nullptr, &size), 2);  // ERROR_FILE_NOT_FOUND
    EXPECT_EQ(os::RegDeleteValueA(key, kValue), 2);
    EXPECT_EQ(os::RegCloseKey(key), 0);
}

TEST_F(Win32Registry, OpenWithAccessRightsReadsAnExpandStringAsThatType) {
    HKEY run = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &run, nullptr),
              ERROR_SUCCESS);
    const std::wstring planted = L"%SystemRoot%\\lisotra.exe";
    ASSERT_EQ(RegSetValueExW(run, os::win32::Wide(kValue).c_str(), 0, REG_EXPAND_SZ,
                             reinterpret_cast<const BYTE*>(planted.c_str()),
                             static_cast<DWORD>((planted.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    RegCloseKey(run);

    os::HKEY key = nullptr;
    ASSERT_EQ(os::RegOpenKeyExA(kCurrentUser, run_key::kRunKeyPath, 0, 0x20019 /* KEY_READ */, &key), 0);
    os::DWORD type = 0;
    os::DWORD size = 0;
    ASSERT_EQ(os::RegQueryValueExA(key, kValue, nullptr, &type, nullptr, &size), 0);
    EXPECT_EQ(type, kRegExpandSz);
    std::vector<char> data(size);
    ASSERT_EQ(os::RegQueryValueExA(key, kValue, nullptr, &type, reinterpret_cast<unsigned char*>(data.data()), &size),
              0);
    EXPECT_EQ(std::string(data.data()), "%SystemRoot%\\lisotra.exe");  // not expanded
    os::RegCloseKey(key);

    // The Run-key logic takes only REG_SZ entries as its own.
    EXPECT_EQ(run_key::QueryStringValue(kCurrentUser, run_key::kRunKeyPath, kValue), "");
}

TEST_F(Win32Registry, MissingKeyIsNotFoundAndLeavesTheHandleAlone) {
    os::HKEY key = nullptr;
    EXPECT_EQ(os::RegOpenKeyA(kCurrentUser, "Software\\Lisotra\\No such key", &key), 2);
    EXPECT_EQ(key, nullptr);
}

TEST_F(Win32Registry, RunKeyLogicWritesExactlyTheTextItReadsBack) {
    const std::string command = run_key::RunCommand("/tray");
    run_key::SetStringValue(kCurrentUser, run_key::kRunKeyPath, kValue, command);

    DWORD type = 0;
    std::vector<unsigned char> bytes;
    ASSERT_TRUE(ReadNative(os::win32::Wide(kValue), type, bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(bytes, Utf16Bytes(os::win32::Wide(command)));
    EXPECT_EQ(run_key::QueryStringValue(kCurrentUser, run_key::kRunKeyPath, kValue), command);

    run_key::DeleteRegValue(kCurrentUser, run_key::kRunKeyPath, kValue);
    EXPECT_FALSE(ReadNative(os::win32::Wide(kValue), type, bytes));
}

// What reg.exe prints for a value of the Run key, as a person checking the registry sees it.
std::string RegQuery(const char* value) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return {};
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    std::wstring command = L"reg.exe query \"HKCU\\" + std::wstring(kRunKey) + L"\" /v " + os::win32::Wide(value);
    std::string output;
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                       &process)) {
        CloseHandle(writeEnd);
        char buffer[512];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    } else {
        CloseHandle(writeEnd);
    }
    CloseHandle(readEnd);
    return output;
}

TEST_F(Win32Registry, RegQueryShowsTheRunEntryTheLogicWrote) {
    const std::string command = run_key::RunCommand("");
    run_key::SetStringValue(kCurrentUser, run_key::kRunKeyPath, kValue, command);
    const std::string shown = RegQuery(kValue);
    EXPECT_NE(shown.find(kValue), std::string::npos) << shown;
    EXPECT_NE(shown.find("REG_SZ"), std::string::npos) << shown;
    EXPECT_NE(shown.find(command), std::string::npos) << shown;  // the quoted path and its blank
    run_key::DeleteRegValue(kCurrentUser, run_key::kRunKeyPath, kValue);
    EXPECT_EQ(RegQuery(kValue).find("REG_SZ"), std::string::npos);
}

TEST_F(Win32Registry, WideWriteKeepsATextOutsideTheAnsiCodePage) {
    const std::u16string name = u"LisotraRegistryTest.exe";
    const std::u16string text = u"C:\\\u0422\u0435\u0441\u0442\\\u4E2D\u6587.exe";
    os::HKEY key = nullptr;
    ASSERT_EQ(os::RegCreateKeyA(kCurrentUser, run_key::kRunKeyPath, &key), 0);
    ASSERT_EQ(os::RegSetValueExW(key, name.c_str(), 0, kRegSz, reinterpret_cast<const unsigned char*>(text.c_str()),
                                 static_cast<os::DWORD>((text.size() + 1) * sizeof(char16_t))),
              0);
    os::RegCloseKey(key);

    DWORD type = 0;
    std::vector<unsigned char> bytes;
    ASSERT_TRUE(ReadNative(os::win32::Wide(kValue), type, bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(bytes, Utf16Bytes(std::wstring(text.begin(), text.end())));
}

TEST_F(Win32Registry, AppPathAndNameAreTheRunningExecutables) {
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
    EXPECT_EQ(run_key::RunValueName(), "lisotra_win32_tests.exe");
}

}  // namespace
