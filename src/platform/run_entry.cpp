#include "platform/run_entry.h"

namespace os {

std::string RunValueName(const std::string& baseName) { return baseName + ".exe"; }

std::string RunCommand(const std::string& folder, const std::string& baseName, const std::string& argument) {
    // The folder ends in a separator only at the root ("D:\", "/"); elsewhere one goes between.
    const bool ends = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
    return '"' + folder + (ends ? "" : "\\") + RunValueName(baseName) + "\" " + argument;
}

}  // namespace os
