// The settings store on Linux: an INI file, $XDG_CONFIG_HOME/Lisotra/Lisotra.ini, one group per
// section. QSettings writes it whole to a new file and renames that over the old one, so a crash
// never leaves it half-written.
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QUtf8StringView>
#include <memory>
#include <utility>

#include "platform/app.h"
#include "platform/qt/settings_store.h"
#include "platform/settings_store.h"

namespace os {
namespace {

// Whether every line of the file is one QSettings reads: blank, a comment, a [section] or a
// key=value, in UTF-8 without control characters.
bool ReadsWhole(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    if (!QUtf8StringView(bytes).isValidUtf8()) return false;
    for (const QByteArray& raw : bytes.split('\n')) {
        const QByteArray line = raw.trimmed();
        for (char c : line) {
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return false;
        }
        const bool fits = line.isEmpty() || line.startsWith(';') || line.startsWith('#') ||
                          (line.startsWith('[') && line.endsWith(']')) || line.contains('=');
        if (!fits) return false;
    }
    return true;
}

// A file that QSettings could not read whole is kept beside the store before the first write,
// which would otherwise replace it with the part that could be read.
void KeepUnreadableFile(const QString& path) {
    const QFileInfo info(path);
    QString kept = path + ".unreadable";
    for (int n = 2; QFileInfo::exists(kept); ++n) kept = path + ".unreadable-" + QString::number(n);
    // Copy what can be copied; what cannot even be read (or is no file) is moved aside instead.
    if (!info.isFile() || !QFile::copy(path, kept)) QFile::rename(path, kept);
}

std::unique_ptr<QSettings> store;
bool writtenBefore = false;

QSettings& Store() {
    if (!store) store = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Lisotra", "Lisotra");
    return *store;
}

void BeforeFirstWrite() {
    if (std::exchange(writtenBefore, true)) return;
    const QString path = Store().fileName();
    if (QFileInfo::exists(path) && (Store().status() != QSettings::NoError || !ReadsWhole(path))) {
        KeepUnreadableFile(path);
        store.reset();
    }
}

// Writes what is pending. Something other than a file in the file's place (put there while the
// program ran) is kept aside as at the start; a store that still cannot be written (a read-only or
// full disk) keeps the values in memory for the next write, and says so in the log.
void Write() {
    if (Store().sync(), Store().status() == QSettings::NoError) return;
    const QString path = Store().fileName();
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        KeepUnreadableFile(path);
        Store().sync();
        if (Store().status() == QSettings::NoError) return;
    }
    Log("could not save the settings in " + path.toStdString());
}

QString Path(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + '/' + QString::fromStdString(key);
}

}  // namespace

void qt::ReopenSettingsStore() {
    store.reset();
    writtenBefore = false;
}

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
    BeforeFirstWrite();
    Store().setValue(Path(section, key), QString::fromStdString(value));
    if (SettingsBatch::Open()) {
        SettingsBatch::OnEnd(Write);
    } else {
        Write();
    }
}

}  // namespace os
