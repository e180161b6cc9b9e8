// The settings file as the program reads it at start: whatever the file holds (junk, binary,
// truncated, huge or non-numbers), the program's values are ones it can use, a value stored
// afterwards reads back, and nothing the file held is lost by that write.
#include <QDir>
#include <QFile>
#include <cstdlib>

#include "fuzz.h"
#include "panel/placement.h"
#include "platform/qt/settings_store.h"
#include "platform/settings_store.h"
#include "settings/stored_settings.h"

namespace {
std::string ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("\x01missing");
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QString folder = [] {
        const std::string config = fuzz::TemporaryFolder() + "/config";
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        return QString::fromStdString(config + "/Lisotra");
    }();
    const QString ini = folder + "/Lisotra.ini";
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    {
        QFile file(ini);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly));
        FUZZ_CHECK(file.write(bytes.data(), static_cast<qint64>(size)) == static_cast<qint64>(size));
    }
    os::qt::ReopenSettingsStore();

    const os::COLORREF color = settings::ReadPanelColor();
    FUZZ_CHECK(color > 0 && color <= 0xFFFFFF);
    (void)settings::ReadPanelOnTop();
    if (const auto geometry = settings::ReadPanelGeometry()) {
        FUZZ_CHECK(geometry->width >= 0);
        // Whatever the file says, the panel's frame is never larger than the screens together.
        const std::vector<os::Monitor> screens{{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}},
                                               {{1920, -200, 1280, 1024}, {1920, -200, 1280, 1024}}};
        const os::PixelRect frame = panel::PlaceOnScreens({geometry->left, geometry->top, geometry->width, geometry->height},
                                                          {0, 0, 312, 227}, screens, 15, 15);
        FUZZ_CHECK(frame.width > 0 && frame.width <= 3200 && frame.height > 0 && frame.height <= 1280);
    }
    (void)settings::ReadLetter(settings::kShowLetter, "S");
    const std::string width = os::ReadSetting(settings::kWindow, "width");
    const std::string letter = os::ReadSetting(settings::kDefault, settings::kShowLetter);

    // A write keeps what it does not change, or keeps the whole file beside when it could not be
    // read whole; either way what was written reads back, now and in the next run.
    os::WriteSetting(settings::kDefault, settings::kBackColor, " 255");
    const bool keptBeside = QFile::exists(ini + ".unreadable");
    if (keptBeside) {
        FUZZ_CHECK(ReadBytes(ini + ".unreadable") == bytes);
    } else {
        FUZZ_CHECK(os::ReadSetting(settings::kWindow, "width") == width);
        FUZZ_CHECK(os::ReadSetting(settings::kDefault, settings::kShowLetter) == letter);
    }
    FUZZ_CHECK(settings::ReadPanelColor() == 255);
    os::qt::ReopenSettingsStore();
    FUZZ_CHECK(settings::ReadPanelColor() == 255);
    if (!keptBeside) FUZZ_CHECK(os::ReadSetting(settings::kWindow, "width") == width);
    return 0;
}
