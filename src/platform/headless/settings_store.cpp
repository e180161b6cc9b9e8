// The settings store on the in-memory desktop: a map a test reads and fills, and a count of writes.
#include "platform/headless/desktop.h"
#include "platform/headless/headless.h"
#include "platform/settings_store.h"
#include "version.h"

namespace headless {

SettingsMap& Settings() { return D().settings; }
int SaveCount() { return D().saveCount; }

}  // namespace headless

namespace os {

std::string ReadSetting(const std::string& section, const std::string& key) {
    auto it = headless::D().settings.find({version::kTitle, section, key});
    return it == headless::D().settings.end() ? std::string() : it->second;
}

void WriteSetting(const std::string& section, const std::string& key, const std::string& value) {
    headless::D().settings[{version::kTitle, section, key}] = value;
    ++headless::D().saveCount;
}

}  // namespace os
