// Finding and starting the system information tool through the registry.
#include "info/system_info.h"

#include "platform/registry.h"
#include "support/fresh_process.h"

namespace {
constexpr const char* kFirst = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kSecond = "SOFTWARE\\Microsoft\\Shared Tools Location";

class SystemInfo : public ProgramTest {
protected:
    static void Plant(const char* key, const char* name, const std::string& text) {
        headless::PlantRegistryText(os::HKEY_LOCAL_MACHINE, key, name, text);
    }
    static std::vector<unsigned char> Bytes(const std::string& text) { return {text.begin(), text.end()}; }
};
}  // namespace

TEST_F(SystemInfo, TheFirstLocationWinsAndTheSecondIsNotConsulted) {
    Plant(kFirst, "PATH", "C:\\Tools\\info.exe");
    Plant(kSecond, "MSINFO", "C:\\Other");
    headless::PlantFile("C:\\Tools\\info.exe");
    headless::PlantFile("C:\\Other\\MSINFO32.EXE");
    system_info::Start("Lisotra");
    EXPECT_EQ(headless::StartedPrograms(), std::vector<std::string>{"C:\\Tools\\info.exe"});
    EXPECT_TRUE(headless::Messages().empty());
}

TEST_F(SystemInfo, TheSecondLocationNeedsTheToolInItsFolder) {
    Plant(kSecond, "MSINFO", "C:\\Program Files\\Shared");
    system_info::Start("Lisotra");
    ASSERT_EQ(headless::Messages().size(), 1u);
    EXPECT_EQ(headless::Messages()[0], (std::pair<std::string, std::string>{"Lisotra", system_info::kUnavailable}));
    headless::PlantFile("C:\\Program Files\\Shared\\MSINFO32.EXE");
    system_info::Start("Lisotra");
    EXPECT_EQ(headless::StartedPrograms(), std::vector<std::string>{"C:\\Program Files\\Shared\\MSINFO32.EXE"});
    EXPECT_EQ(headless::Messages().size(), 1u);
}

TEST_F(SystemInfo, AnEmptyFirstValueFailsWithoutTryingTheSecond) {
    Plant(kFirst, "PATH", "");
    Plant(kSecond, "MSINFO", "C:\\Shared");
    headless::PlantFile("C:\\Shared\\MSINFO32.EXE");
    system_info::Start("Lisotra");
    EXPECT_TRUE(headless::StartedPrograms().empty());
    EXPECT_EQ(headless::Messages().size(), 1u);
}

TEST_F(SystemInfo, NothingAnywhereTellsThePerson) {
    system_info::Start("Lisotra");
    EXPECT_EQ(headless::Messages().size(), 1u);
}

TEST_F(SystemInfo, ValuesUpTo1024BytesAreRead) {
    std::string result = "before";
    headless::PlantRegistryValue(os::HKEY_LOCAL_MACHINE, kFirst, "PATH", os::REG_SZ, Bytes(std::string(1023, 'a') + '\0'));
    EXPECT_TRUE(system_info::GetKeyValue(os::HKEY_LOCAL_MACHINE, kFirst, "PATH", result));
    EXPECT_EQ(result, std::string(1023, 'a'));
    headless::PlantRegistryValue(os::HKEY_LOCAL_MACHINE, kFirst, "PATH", os::REG_SZ, Bytes(std::string(1024, 'a') + '\0'));
    EXPECT_FALSE(system_info::GetKeyValue(os::HKEY_LOCAL_MACHINE, kFirst, "PATH", result));
    EXPECT_EQ(result, "");
}

TEST_F(SystemInfo, AStringWithoutItsNulKeepsEveryCharacter) {
    std::string result;
    headless::PlantRegistryValue(os::HKEY_LOCAL_MACHINE, kFirst, "PATH", os::REG_SZ, Bytes("C:\\x.exe"));
    EXPECT_TRUE(system_info::GetKeyValue(os::HKEY_LOCAL_MACHINE, kFirst, "PATH", result));
    EXPECT_EQ(result, "C:\\x.exe");
}

TEST_F(SystemInfo, NumbersAndOtherTypes) {
    std::string result = "kept";
    headless::PlantRegistryValue(os::HKEY_LOCAL_MACHINE, kFirst, "N", os::REG_DWORD, {0x2A, 0x01, 0x00, 0x00});
    EXPECT_TRUE(system_info::GetKeyValue(os::HKEY_LOCAL_MACHINE, kFirst, "N", result));
    EXPECT_EQ(result, "&h00012A");  // a last byte of 0 is taken for a final NUL, as for a string
    result = "kept";
    headless::PlantRegistryValue(os::HKEY_LOCAL_MACHINE, kFirst, "B", os::REG_BINARY, {1, 2});
    EXPECT_TRUE(system_info::GetKeyValue(os::HKEY_LOCAL_MACHINE, kFirst, "B", result));
    EXPECT_EQ(result, "kept");
}

TEST_F(SystemInfo, TheKeyIsOpenedForReadingOnly) {
    // A standard user's view of the machine's keys: nothing may be set or created there.
    Plant(kFirst, "PATH", "C:\\Tools\\info.exe");
    headless::SetRegistryReadOnly(true);
    std::string result;
    EXPECT_TRUE(system_info::GetKeyValue(os::HKEY_LOCAL_MACHINE, kFirst, "PATH", result));
    EXPECT_EQ(result, "C:\\Tools\\info.exe");
}
