// Where the machine's registry names the system information program, and how its values are read.
#include "platform/system_info.h"

#include "win32_test.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr char kFirst[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char kSecond[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr char kScratch[] = "Software\\LisotraSystemInfoTest";

class Win32SystemInfo : public Win32Test {
protected:
    void TearDown() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, kScratch);
        Win32Test::TearDown();
    }

    // The registry as the lookup reads it, and the files there are; which keys it read.
    std::string Find() {
        return os::win32::SystemInfoPath(
            [this](const char* key, const char* name) -> std::optional<std::string> {
                read.push_back(key);
                const auto found = values.find({key, name});
                if (found == values.end()) return std::nullopt;
                return found->second;
            },
            [this](const std::string& path) { return files.count(path) != 0; });
    }

    static void Put(const char* name, DWORD type, const std::vector<unsigned char>& data) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, kScratch, &key), ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, type, data.data(), static_cast<DWORD>(data.size()));
        RegCloseKey(key);
    }
    static std::vector<unsigned char> Bytes(const std::string& text) { return {text.begin(), text.end()}; }
    static std::optional<std::string> Read(const char* name) {
        return os::win32::ReadToolValue(HKEY_CURRENT_USER, kScratch, name);
    }

    std::map<std::pair<std::string, std::string>, std::string> values;
    std::set<std::string> files;
    std::vector<std::string> read;
};

}  // namespace

TEST_F(Win32SystemInfo, TheFirstLocationNamesTheProgramAndTheSecondItsFolder) {
    values[{kFirst, "PATH"}] = "C:\\Tools\\info.exe";
    values[{kSecond, "MSINFO"}] = "C:\\Other";
    EXPECT_EQ(Find(), "C:\\Tools\\info.exe");
    EXPECT_EQ(read, std::vector<std::string>{kFirst});  // the second is not consulted

    values.erase({kFirst, "PATH"});
    EXPECT_EQ(Find(), "");  // the folder counts only with the program in it
    files.insert("C:\\Other\\MSINFO32.EXE");
    EXPECT_EQ(Find(), "C:\\Other\\MSINFO32.EXE");

    values[{kFirst, "PATH"}] = "";  // there, naming nothing: the search ends
    EXPECT_EQ(Find(), "");
}

TEST_F(Win32SystemInfo, ValuesOfUpTo1024BytesAreReadAsTheirTypeGives) {
    Put("Fits", REG_SZ, Bytes(std::string(1023, 'a') + '\0'));
    EXPECT_EQ(Read("Fits"), std::string(1023, 'a'));
    Put("Long", REG_SZ, Bytes(std::string(1024, 'a') + '\0'));
    EXPECT_EQ(Read("Long"), std::nullopt);
    Put("NoNul", REG_SZ, Bytes("C:\\x.exe"));
    EXPECT_EQ(Read("NoNul"), "C:\\x.exe");
    Put("Number", REG_DWORD, {0x2A, 0x01, 0x00, 0x00});
    EXPECT_EQ(Read("Number"), "&h00012A");  // a last byte of 0 is taken for a final NUL, as for a string
    Put("Bytes", REG_BINARY, {1, 2});
    EXPECT_EQ(Read("Bytes"), "");
    EXPECT_EQ(Read("Missing"), std::nullopt);
    EXPECT_EQ(os::win32::ReadToolValue(HKEY_CURRENT_USER, "Software\\LisotraNoSuchKey", "PATH"), std::nullopt);
}
