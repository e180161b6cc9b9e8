// Web pages: the program's help, home and thanks pages open in the person's browser.
#pragma once

#include <string>

namespace os {

// Opens the web address with the desktop's default browser, in a window of its own that comes
// up. False, and a line in the log, when the desktop could not.
bool OpenInBrowser(const std::string& address);

}  // namespace os
