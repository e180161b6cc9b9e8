// The desktop's system information program, which the About box's System Info button starts.
#pragma once

#include <string>

namespace os {

// Where the desktop's system information program is; empty when the desktop has none.
std::string SystemInfoProgram();

}  // namespace os
