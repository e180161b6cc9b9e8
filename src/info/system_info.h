// The system information tool: where the registry says it is, and starting it.
#pragma once

#include <string>

#include "platform/registry.h"

namespace system_info {

inline constexpr const char* kUnavailable = "System Information Is Unavailable At This Time";

// Reads a value of at most 1024 bytes under root\key. A string gives its text (a final NUL left
// out); a 32-bit number gives "&h" and its bytes in hexadecimal, most significant first; any other
// type leaves `result` as it was. False, with `result` empty, when the key cannot be opened for
// reading or the value is missing or longer.
bool GetKeyValue(os::HKEY root, const std::string& key, const std::string& valueName, std::string& result);

// The tool's path from the first registry location, or else from the folder the second names
// when the tool's file is there; empty when neither gives one.
std::string ToolPath();

// Starts the tool, or tells the person it is unavailable (a message titled `title`).
void Start(const std::string& title);

}  // namespace system_info
