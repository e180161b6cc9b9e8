// Web pages on Qt: the desktop's default browser opens them.
#include "platform/browser.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include "platform/app.h"

namespace os {

bool OpenInBrowser(const std::string& address) {
    // The desktop's default browser shows its own window.
    if (QDesktopServices::openUrl(QUrl(QString::fromStdString(address)))) return true;
    Log("could not open " + address + " in the browser");
    return false;
}

}  // namespace os
