// The settings store on Linux: an INI file, $XDG_CONFIG_HOME/Lisotra/Lisotra.ini, one group per
// section. QSettings writes it whole to a new file and renames that over the old one, so a crash
// never leaves it half-written.
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <memory>

#include "platform/settings_store.h"

namespace os {
namespace {

// A file QSettings could not read whole is kept beside the store before the first write, which
// would otherwise replace it with the part that could be read.
void KeepUnreadableFile(const QSettings& store) {
    const QString path = store.fileName();
    const QFileInfo info(path);
    if (!info.exists()) return;
    const bool unreadable = store.status() != QSettings::NoError || !info.isFile() || !info.isReadable();
    if (!unreadable) return;
    QString kept = path + ".unreadable";
    for (int n = 2; QFileInfo::exists(kept); ++n) kept = path + ".unreadable-" + QString::number(n);
    // Copy what can be copied; a file that cannot even be read is moved aside instead.
    if (!info.isFile() || !info.isReadable() || !QFile::copy(path, kept)) QFile::rename(path, kept);
}

QSettings& Store() {
    static std::unique_ptr<QSettings> store;
    static bool checked = false;
    if (!store) {
        store = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Lisotra", "Lisotra");
    }
    if (!checked) {
        checked = true;
        if (store->status() != QSettings::NoError || !QFileInfo(store->fileName()).isReadable()) {
            KeepUnreadableFile(*store);
            store = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Lisotra", "Lisotra");
        }
    }
    return *store;
}

QString Path(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + '/' + QString::fromStdString(key);
}

}  // namespace

std::string GetSetting(const std::string& app, const std::string& section, const std::string& key) {
    (void)app;  // one application, one file
    QSettings& store = Store();
    store.sync();  // nothing is cached: a change made by another copy is seen
    const QVariant value = store.value(Path(section, key));
    // A hand-written text with commas reads as a list.
    if (value.userType() == QMetaType::QStringList) return value.toStringList().join(',').toStdString();
    return value.toString().toStdString();
}

void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                 const std::string& value) {
    (void)app;
    QSettings& store = Store();
    store.setValue(Path(section, key), QString::fromStdString(value));
    store.sync();
}

}  // namespace os
