// Web pages on Win32: the shell opens them with the person's default browser.
#include "platform/browser.h"

#include "platform/app.h"

#include <string>

#include "platform/win32/realisation.h"
#include "platform/win32/wide.h"

namespace os {

bool OpenInBrowser(const std::string& address) {
    // What opens the page may be a shell extension, which expects COM on the calling thread.
    win32::InitializeCom();
    // SW_SHOWNORMAL: the browser's window must come up, not stay hidden. Above 32 is success.
    const auto result = reinterpret_cast<std::intptr_t>(
        ::ShellExecuteW(nullptr, L"open", win32::Wide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32) return true;
    Log("could not open " + address + " in the browser (error " + std::to_string(result) + ")");
    return false;
}

}  // namespace os
