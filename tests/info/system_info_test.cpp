// The About box's System Info button: the desktop's system information program, or a message.
#include "info/system_info.h"

#include "support/fresh_process.h"

namespace {
class SystemInfo : public ProgramTest {};
}  // namespace

TEST_F(SystemInfo, TheDesktopsProgramStartsAndNothingIsSaid) {
    headless::SetSystemInfoProgram("C:\\Tools\\info.exe");
    headless::PlantFile("C:\\Tools\\info.exe");
    system_info::Start("Lisotra");
    EXPECT_EQ(headless::StartedPrograms(), std::vector<std::string>{"C:\\Tools\\info.exe"});
    EXPECT_TRUE(headless::Messages().empty());
}

TEST_F(SystemInfo, NoProgramOrOneThatDoesNotStartTellsThePerson) {
    const std::pair<std::string, std::string> told{"Lisotra", system_info::kUnavailable};
    system_info::Start("Lisotra");
    EXPECT_EQ(headless::Messages(), std::vector{told});
    headless::SetSystemInfoProgram("C:\\Gone\\info.exe");  // named, but its file is not there
    system_info::Start("Lisotra");
    EXPECT_EQ(headless::Messages(), (std::vector{told, told}));
    EXPECT_TRUE(headless::StartedPrograms().empty());
}
