// The program's entry in the per-user Run key: the registry routines that read, write and delete
// one string value, and the value's name and data for the running executable.
#pragma once

#include <string>

#include "platform/registry.h"

namespace run_key {

// With the trailing backslash, as the entry has always been addressed; the registry resolves it to
// the Run key itself.
inline constexpr const char* kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";

// The value's text up to its first NUL (all of it when it has none) when it exists and is REG_SZ;
// otherwise, and on any failure, the empty text.
std::string QueryStringValue(os::HKEY root, const std::string& subKey, const std::string& valueName);

// Writes the text as REG_SZ, creating the key when needed. Failures are silent: nothing is written.
void SetStringValue(os::HKEY root, const std::string& subKey, const std::string& valueName, const std::string& text);

// Deletes the one value; a missing key or value is no error.
void DeleteRegValue(os::HKEY root, const std::string& subKey, const std::string& valueName);

// The folder that holds the running executable (a separator at its end only at the root), and the
// executable's file name without its extension.
std::string ProgramFolder();
std::string ProgramBaseName();

// ProgramBaseName + ".exe", whatever the executable's own extension is.
std::string RunValueName();
// The quoted executable path, one blank, then the argument text.
std::string RunCommand(const std::string& argument);

// The check box state for a flag: 1 set, 0 clear.
inline int CheckValueFromBool(bool flag) { return flag ? 1 : 0; }

}  // namespace run_key
