// The program's per-user settings store: texts addressed by section and key, kept under the
// program's name (version::kTitle).
#pragma once

#include <string>

namespace os {

// The stored text, or the empty text when the key or its section does not exist or cannot be read.
std::string ReadSetting(const std::string& section, const std::string& key);

// Creates the section and key when needed and replaces the stored text. The value is stored for
// good when this returns.
void WriteSetting(const std::string& section, const std::string& key, const std::string& value);

// Several WriteSetting calls that belong together (the four values of a window's geometry): a store
// that writes a whole file may write them once, when the outermost batch ends. Every value is
// stored for good when that batch's destructor returns.
class SettingsBatch {
public:
    SettingsBatch();
    ~SettingsBatch();
    SettingsBatch(const SettingsBatch&) = delete;
    SettingsBatch& operator=(const SettingsBatch&) = delete;
    static bool Open();
    // Set by a store that defers its writes in a batch: called when the outermost batch ends.
    static void OnEnd(void (*flush)());
};

}  // namespace os
