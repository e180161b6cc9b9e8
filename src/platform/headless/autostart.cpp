// The log-on entry on the in-memory desktop: one command under the program's name.
#include "platform/autostart.h"
#include "platform/headless/desktop.h"
#include "platform/headless/headless.h"
#include "platform/run_entry.h"

namespace headless {

std::optional<std::string> AutostartEntry() { return D().autostart; }
void PlantAutostartEntry(std::optional<std::string> command) { D().autostart = std::move(command); }
int AutostartWrites() { return D().autostartWrites; }
int AutostartRemovals() { return D().autostartRemovals; }
void SetAutostartRefused(bool refused) { D().autostartRefused = refused; }

}  // namespace headless

namespace os {

bool AutostartRegistered() { return headless::D().autostart.has_value(); }

void RegisterAutostart(const std::string& argument) {
    ++headless::D().autostartWrites;
    const std::string name = RunValueName(AppEXEName());
    if (headless::D().autostartRefused) return Log("could not write the log-on entry " + name);
    headless::D().autostart = RunCommand(AppPath(), AppEXEName(), argument);
}

void UnregisterAutostart() {
    ++headless::D().autostartRemovals;
    if (!headless::D().autostart) return;  // nothing to remove is no failure
    const std::string name = RunValueName(AppEXEName());
    if (headless::D().autostartRefused) return Log("could not remove the log-on entry " + name);
    headless::D().autostart.reset();
}

}  // namespace os
