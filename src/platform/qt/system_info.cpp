// The system information tool on Linux. Windows names its tool under HKEY_LOCAL_MACHINE; here
// that value names the first system information program the desktop has, so the program finds it
// the way it always does.
#include <QStandardPaths>

#include "platform/emulated/registry.h"
#include "platform/qt/system_info.h"

namespace os::qt {

namespace {
// Programs that show the computer's hardware and system, as their packages install them.
constexpr const char* kCandidates[] = {"hardinfo2", "hardinfo", "kinfocenter", "cpu-x", "lshw-gtk", "i-nex"};

class SystemInfoValues final : public emu::ValueStore {
public:
    std::optional<emu::RegistryValue> Read(const std::string& name) override {
        if (QString::fromStdString(name).compare("PATH", Qt::CaseInsensitive) != 0) return std::nullopt;
        const std::string path = SystemInfoProgram();
        if (path.empty()) return std::nullopt;
        emu::RegistryValue value;
        value.type = REG_SZ;
        value.data.assign(path.begin(), path.end());
        value.data.push_back(0);
        return value;
    }
    LSTATUS Write(const std::string&, const emu::RegistryValue&) override { return ERROR_ACCESS_DENIED; }
    LSTATUS Remove(const std::string&) override { return ERROR_ACCESS_DENIED; }
};
}  // namespace

std::string SystemInfoProgram() {
    for (const char* name : kCandidates) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty()) return found.toStdString();
    }
    return {};
}

emu::ValueStore* SystemInfoKey() {
    static auto* values = new SystemInfoValues;  // never destroyed: see emulated/window_table.cpp
    return values;
}

}  // namespace os::qt
