// The registry calls on the in-memory registry keep their Windows meaning: the two-call query,
// byte sizes, ERROR_MORE_DATA, paths with a trailing backslash, names in any letter case.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/registry.h"

namespace {
constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class Registry : public ::testing::Test {
protected:
    void SetUp() override { headless::Reset(); }
    void TearDown() override { headless::Reset(); }
};

std::vector<unsigned char> Bytes(const std::string& s) { return {s.begin(), s.end()}; }
}  // namespace

TEST_F(Registry, TheTwoCallQueryGivesTypeSizeThenData) {
    headless::PlantRegistryText(os::HKEY_CURRENT_USER, kRun, "app.exe", "\"C:\\app.exe\" ");
    os::HKEY key{};
    ASSERT_EQ(os::RegOpenKeyA(os::HKEY_CURRENT_USER, kRun, &key), os::ERROR_SUCCESS);
    os::DWORD type = 0, size = 0;
    EXPECT_EQ(os::RegQueryValueExA(key, "app.exe", nullptr, &type, nullptr, &size), os::ERROR_SUCCESS);
    EXPECT_EQ(type, os::REG_SZ);
    EXPECT_EQ(size, 14u);  // 13 characters and the NUL

    std::vector<unsigned char> buffer(size - 1, 'x');
    os::DWORD small = size - 1;
    EXPECT_EQ(os::RegQueryValueExA(key, "app.exe", nullptr, &type, buffer.data(), &small), os::ERROR_MORE_DATA);
    EXPECT_EQ(small, 14u);

    buffer.assign(20, 'x');
    os::DWORD large = 20;
    EXPECT_EQ(os::RegQueryValueExA(key, "APP.EXE", nullptr, &type, buffer.data(), &large), os::ERROR_SUCCESS);
    EXPECT_EQ(large, 14u);
    EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + 14), std::string("\"C:\\app.exe\" \0", 14));
    EXPECT_EQ(buffer[14], 'x');  // nothing written past the data

    os::DWORD reserved = 0;
    EXPECT_EQ(os::RegQueryValueExA(key, "app.exe", &reserved, &type, nullptr, &size), os::ERROR_INVALID_PARAMETER);
    EXPECT_EQ(os::RegQueryValueExA(key, "other.exe", nullptr, &type, nullptr, &size), os::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(os::RegCloseKey(key), os::ERROR_SUCCESS);
    EXPECT_EQ(os::RegQueryValueExA(key, "app.exe", nullptr, &type, nullptr, &size), os::ERROR_INVALID_HANDLE);
    EXPECT_EQ(os::RegCloseKey(key), os::ERROR_INVALID_HANDLE);
}

TEST_F(Registry, PathsNameTheSameKeyWithATrailingBackslashAndInAnyCase) {
    os::HKEY key{};
    EXPECT_EQ(os::RegOpenKeyA(os::HKEY_CURRENT_USER, kRun, &key), os::ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(os::RegCreateKeyA(os::HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run\\", &key),
              os::ERROR_SUCCESS);
    const std::string data("x\0", 2);
    EXPECT_EQ(os::RegSetValueExA(key, "Lisotra.exe", 0, os::REG_SZ, reinterpret_cast<const unsigned char*>(data.data()), 2),
              os::ERROR_SUCCESS);
    os::RegCloseKey(key);
    // Created with its parents; found without the backslash and in other cases.
    EXPECT_TRUE(headless::RegistryKeyExists(os::HKEY_CURRENT_USER, "software\\microsoft"));
    ASSERT_EQ(os::RegOpenKeyA(os::HKEY_CURRENT_USER, "SOFTWARE\\microsoft\\windows\\currentversion\\run", &key),
              os::ERROR_SUCCESS);
    os::DWORD size = 0;
    EXPECT_EQ(os::RegQueryValueExA(key, "lisotra.EXE", nullptr, nullptr, nullptr, &size), os::ERROR_SUCCESS);
    EXPECT_EQ(size, 2u);
    os::RegCloseKey(key);
    // Not under the other root, and a path that starts with a backslash names no key.
    EXPECT_EQ(os::RegOpenKeyA(os::HKEY_LOCAL_MACHINE, kRun, &key), os::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(os::RegOpenKeyA(os::HKEY_CURRENT_USER, "\\Software", &key), os::ERROR_BAD_PATHNAME);
    EXPECT_EQ(os::RegOpenKeyExA(os::HKEY_CURRENT_USER, kRun, 0, os::KEY_READ, &key), os::ERROR_SUCCESS);
    os::RegCloseKey(key);
}

TEST_F(Registry, AnyTypeAndAnyBytesAreKeptAsWritten) {
    os::HKEY key{};
    ASSERT_EQ(os::RegCreateKeyA(os::HKEY_CURRENT_USER, kRun, &key), os::ERROR_SUCCESS);
    const std::vector<unsigned char> noNul = Bytes("abc");
    EXPECT_EQ(os::RegSetValueExA(key, "v", 0, os::REG_EXPAND_SZ, noNul.data(), 3), os::ERROR_SUCCESS);
    EXPECT_EQ(os::RegSetValueExA(key, "empty", 0, os::REG_SZ, nullptr, 0), os::ERROR_SUCCESS);
    EXPECT_EQ(os::RegSetValueExA(key, "bad", 0, os::REG_SZ, nullptr, 4), os::ERROR_INVALID_PARAMETER);
    os::RegCloseKey(key);
    EXPECT_EQ(headless::RegistryValue(os::HKEY_CURRENT_USER, kRun, "V")->data, noNul);
    EXPECT_EQ(headless::RegistryValue(os::HKEY_CURRENT_USER, kRun, "V")->type, os::REG_EXPAND_SZ);
    EXPECT_TRUE(headless::RegistryValue(os::HKEY_CURRENT_USER, kRun, "empty")->data.empty());
    EXPECT_FALSE(headless::RegistryValue(os::HKEY_CURRENT_USER, kRun, "bad"));
    EXPECT_EQ(headless::RegistryWrites(), 3);
}

TEST_F(Registry, AWideWriteReadsBackThroughTheAnsiCodePage) {
    os::HKEY key{};
    ASSERT_EQ(os::RegCreateKeyA(os::HKEY_CURRENT_USER, kRun, &key), os::ERROR_SUCCESS);
    const std::u16string text = u"C:\\\u00e9\u65e5\\a.exe";  // é the code page holds, 日 it does not
    EXPECT_EQ(os::RegSetValueExW(key, u"a.exe", 0, os::REG_SZ, reinterpret_cast<const unsigned char*>(text.c_str()),
                                 static_cast<os::DWORD>((text.size() + 1) * 2)),
              os::ERROR_SUCCESS);
    os::DWORD type = 0, size = 0;
    ASSERT_EQ(os::RegQueryValueExA(key, "a.exe", nullptr, &type, nullptr, &size), os::ERROR_SUCCESS);
    std::string data(size, ' ');
    ASSERT_EQ(os::RegQueryValueExA(key, "a.exe", nullptr, &type, reinterpret_cast<unsigned char*>(data.data()), &size),
              os::ERROR_SUCCESS);
    EXPECT_EQ(data, std::string("C:\\\xe9?\\a.exe\0", 12));
    os::RegCloseKey(key);
    EXPECT_TRUE(headless::RegistryValue(os::HKEY_CURRENT_USER, kRun, "a.exe")->wide);
}

TEST_F(Registry, DeletesAndAReadOnlyRegistry) {
    headless::PlantRegistryText(os::HKEY_CURRENT_USER, kRun, "a.exe", "x");
    os::HKEY key{};
    ASSERT_EQ(os::RegOpenKeyA(os::HKEY_CURRENT_USER, kRun, &key), os::ERROR_SUCCESS);
    headless::SetRegistryReadOnly(true);
    EXPECT_EQ(os::RegDeleteValueA(key, "a.exe"), os::ERROR_ACCESS_DENIED);
    EXPECT_EQ(os::RegSetValueExA(key, "b.exe", 0, os::REG_SZ, reinterpret_cast<const unsigned char*>("y"), 2),
              os::ERROR_ACCESS_DENIED);
    os::HKEY created{};
    EXPECT_EQ(os::RegCreateKeyA(os::HKEY_CURRENT_USER, "Software\\New", &created), os::ERROR_ACCESS_DENIED);
    headless::SetRegistryReadOnly(false);
    EXPECT_EQ(os::RegDeleteValueA(key, "A.EXE"), os::ERROR_SUCCESS);
    EXPECT_EQ(os::RegDeleteValueA(key, "a.exe"), os::ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(headless::RegistryValue(os::HKEY_CURRENT_USER, kRun, "a.exe"));
    EXPECT_EQ(headless::RegistryDeletes(), 3);
    // A key removed while a handle is open: calls on the handle fail, nothing is made anew.
    headless::RemoveRegistryKey(os::HKEY_CURRENT_USER, "Software");
    EXPECT_NE(os::RegSetValueExA(key, "c.exe", 0, os::REG_SZ, reinterpret_cast<const unsigned char*>("z"), 2),
              os::ERROR_SUCCESS);
    EXPECT_FALSE(headless::RegistryKeyExists(os::HKEY_CURRENT_USER, kRun));
    os::RegCloseKey(key);
}
