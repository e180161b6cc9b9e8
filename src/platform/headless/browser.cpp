// Web pages on the in-memory desktop: the addresses opened, which a test reads.
#include "platform/browser.h"

#include "platform/headless/desktop.h"
#include "platform/headless/headless.h"

namespace headless {
const std::vector<std::string>& Opened() { return D().opened; }
}  // namespace headless

namespace os {

bool OpenInBrowser(const std::string& address) {
    headless::D().opened.push_back(address);
    return true;
}

}  // namespace os
