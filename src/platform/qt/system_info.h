// The desktop's system information program, where the registry's machine key names the tool.
#pragma once

#include <string>

#include "platform/emulated/registry.h"

namespace os::qt {

inline constexpr const char* kSystemInfoKey = "software\\microsoft\\shared tools\\msinfo";

// The path of the first system information program found on PATH, or empty.
std::string SystemInfoProgram();
// The key's values: "PATH" is that program, read only.
emu::ValueStore* SystemInfoKey();

}  // namespace os::qt
