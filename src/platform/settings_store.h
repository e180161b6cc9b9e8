// The per-user settings store: texts addressed by application, section and key.
#pragma once

#include <string>

namespace os {

// The stored text, or the empty text when the key or its section does not exist or cannot be read.
std::string GetSetting(const std::string& app, const std::string& section, const std::string& key);

// Creates the section and key when needed and replaces the stored text. The value is stored for
// good when this returns.
void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                 const std::string& value);

}  // namespace os
