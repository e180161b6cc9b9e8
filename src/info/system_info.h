// Starting the desktop's system information program from the About box.
#pragma once

#include <string>

namespace system_info {

inline constexpr const char* kUnavailable = "System Information Is Unavailable At This Time";

// Starts the program, or tells the person it is unavailable (a message titled `title`).
void Start(const std::string& title);

}  // namespace system_info
