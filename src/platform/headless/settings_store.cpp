// The settings store on the in-memory desktop: a map a test reads and fills, and a count of writes.
#include "platform/headless/desktop.h"
#include "platform/headless/headless.h"
#include "platform/settings_store.h"

namespace headless {

SettingsMap& Settings() { return D().settings; }
int SaveCount() { return D().saveCount; }

}  // namespace headless

namespace os {

std::string GetSetting(const std::string& app, const std::string& section, const std::string& key) {
    auto it = headless::D().settings.find({app, section, key});
    return it == headless::D().settings.end() ? std::string() : it->second;
}

void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                 const std::string& value) {
    headless::D().settings[{app, section, key}] = value;
    ++headless::D().saveCount;
}

}  // namespace os
