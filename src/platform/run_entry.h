// The program's entry in the per-user Run key, as Windows keeps it and as the Linux autostart
// entry records it: the value's name and its text for an executable.
#pragma once

#include <string>

namespace os {

// The executable's file name without its extension, plus ".exe", whatever its own extension is.
std::string RunValueName(const std::string& baseName);
// The quoted executable path ("<folder>\<name>.exe"; the folder ends in a separator only at the
// root), one blank, then the argument text.
std::string RunCommand(const std::string& folder, const std::string& baseName, const std::string& argument);

}  // namespace os
