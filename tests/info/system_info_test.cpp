// The About box's System Info button: a program the desktop names but that does not start is as
// none (the rest is the info scenario's).
#include "info/system_info.h"

#include "support/fresh_process.h"

namespace {
class SystemInfo : public ProgramTest {};
}  // namespace

TEST_F(SystemInfo, NoProgramOrOneThatDoesNotStartTellsThePerson) {
    const std::pair<std::string, std::string> told{"Lisotra", system_info::kUnavailable};
    system_info::Start("Lisotra");
    EXPECT_EQ(headless::Messages(), std::vector{told});
    headless::SetSystemInfoProgram("C:\\Gone\\info.exe");  // named, but its file is not there
    system_info::Start("Lisotra");
    EXPECT_EQ(headless::Messages(), (std::vector{told, told}));
    EXPECT_TRUE(headless::StartedPrograms().empty());
}
