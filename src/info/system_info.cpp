#include "info/system_info.h"

#include "platform/app.h"
#include "platform/system_info.h"

namespace system_info {

void Start(const std::string& title) {
    const std::string path = os::SystemInfoProgram();
    if (path.empty() || !os::StartProgram(path)) os::ShowMessage(kUnavailable, title);
}

}  // namespace system_info
