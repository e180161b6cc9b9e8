// The system information program on Linux: the first of the programs that show a computer's
// hardware and system that the desktop has on its PATH.
#include <QStandardPaths>

#include "platform/system_info.h"

namespace os {

namespace {
// As their packages install them.
constexpr const char* kCandidates[] = {"hardinfo2", "hardinfo", "kinfocenter", "cpu-x", "lshw-gtk", "i-nex"};
}  // namespace

std::string SystemInfoProgram() {
    for (const char* name : kCandidates) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty()) return found.toStdString();
    }
    return {};
}

}  // namespace os
