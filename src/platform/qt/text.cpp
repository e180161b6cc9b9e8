// Text as Qt cases it.
#include <QString>

#include "platform/text.h"

namespace os {

std::string UpperCase(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toUpper().toStdString();
}

}  // namespace os
