// The settings store on Linux: an INI file, $XDG_CONFIG_HOME/Lisotra/Lisotra.ini, one group per
// section. QSettings writes it whole to a new file and renames that over the old one, so a crash
// never leaves it half-written.
//
// QSettings opens, reads and locks the file without a bound: a FIFO in its place would block the
// program for good, a link to /dev/zero read without end, a huge file fill the memory, and a lock
// held by a stopped copy (or a folder of the lock's name) freeze it at a save. So QSettings is
// given the file only when it is an ordinary file of a sane size, and the lock only once it was
// seen free for a moment.
#include <sys/stat.h>

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QUtf8StringView>
#include <cerrno>
#include <memory>
#include <optional>
#include <utility>

#include "platform/app.h"
#include "platform/qt/settings_store.h"
#include "platform/settings_store.h"

namespace os {
namespace {

constexpr qint64 kLargestFile = 1 << 20;  // the program writes some 200 bytes
constexpr int kLockWait = 100;            // ms: another copy holds it while it writes, no longer

QString FilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Lisotra/Lisotra.ini";
}

// Why the file cannot be read as it is, or nothing when it can or is not there.
std::optional<std::string> Unreadable(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        if (errno == ENOENT) return std::nullopt;
        return "it cannot be examined";
    }
    if (!S_ISREG(info.st_mode)) return "it is not an ordinary file";
    if (info.st_size > kLargestFile) return "it is larger than 1 MiB";
    return std::nullopt;
}

// Whether the lock QSettings takes to write is free now; it would wait for it without end.
bool LockFree(const QString& path) {
    QLockFile lock(path + ".lock");
    if (!lock.tryLock(kLockWait)) return false;
    lock.unlock();
    return true;
}

// What the log was last told about reading the file, so that it is told once, until it changes
// (every save that fails is told, as the person may be watching for it).
std::string readTrouble;
void Report(std::string& last, const std::string& what) {
    if (std::exchange(last, what) != what && !what.empty()) Log(what);
}

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
    QString kept = path + ".unreadable";
    for (int n = 2; QFileInfo::exists(kept) || QFileInfo(kept).isSymLink(); ++n) {
        kept = path + ".unreadable-" + QString::number(n);
    }
    // Copy what can be copied; what cannot be read as a file (a FIFO, a device, a link to one, a
    // huge file) is moved aside, never opened.
    if (Unreadable(path) || !QFile::copy(path, kept)) QFile::rename(path, kept);
}

// The file's own path only: no other file is read in its stead or beside it.
std::unique_ptr<QSettings> store;
bool writtenBefore = false;
bool unsaved = false;  // values set that the file does not hold yet

// QSettings also writes by itself, from the event loop, after a change, and then waits for the
// lock without end: it writes only when asked here.
class NoWritesOfItsOwn final : public QObject {
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::UpdateRequest; }
};

QSettings& Store() {
    static NoWritesOfItsOwn noWritesOfItsOwn;
    if (!store) {
        store = std::make_unique<QSettings>(FilePath(), QSettings::IniFormat);
        store->installEventFilter(&noWritesOfItsOwn);
    }
    return *store;
}

// The store, read afresh from the file when the file can be read, else as it stands in memory;
// nothing when there is none yet to read.
QSettings* ReadStore() {
    const QString path = FilePath();
    if (const auto why = Unreadable(path)) {
        Report(readTrouble, "could not read the settings in " + path.toStdString() + ": " + *why + "; the defaults stand in");
        return store.get();
    }
    Report(readTrouble, {});
    if (!store) return &Store();
    // With values not yet in the file, reading it would mean writing them, which waits for the
    // lock: they are written at the next save instead.
    if (!unsaved) store->sync();
    return store.get();
}

void BeforeFirstWrite() {
    if (std::exchange(writtenBefore, true)) return;
    const QString path = FilePath();
    if (Unreadable(path)) {
        KeepUnreadableFile(path);
        store.reset();
    } else if (QFileInfo::exists(path) && (Store().status() != QSettings::NoError || !ReadsWhole(path))) {
        KeepUnreadableFile(path);
        store.reset();
    }
}

// Writes what is pending. Something other than a file in the file's place (put there while the
// program ran) is kept aside as at the start; a store that still cannot be written (a read-only or
// full disk, a lock another copy holds) keeps the values in memory for the next write, and says so
// in the log.
void Write() {
    const QString path = FilePath();
    unsaved = true;
    QDir().mkpath(QFileInfo(path).path());  // the lock goes beside the file
    if (!LockFree(path)) {
        Log("could not save the settings in " + path.toStdString() + ": its lock " + path.toStdString() +
            ".lock is held or is no lock file");
        return;
    }
    if (Unreadable(path)) KeepUnreadableFile(path);
    if (Store().sync(), Store().status() == QSettings::NoError) {
        unsaved = false;
        return;
    }
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        KeepUnreadableFile(path);
        Store().sync();
        if (Store().status() == QSettings::NoError) {
            unsaved = false;
            return;
        }
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
    unsaved = false;
    readTrouble.clear();
}

std::string ReadSetting(const std::string& section, const std::string& key) {
    // Nothing is cached: a change made by another copy is seen.
    QSettings* store = ReadStore();
    if (!store) return {};
    const QVariant value = store->value(Path(section, key));
    // A hand-written text with commas reads as a list.
    if (value.userType() == QMetaType::QStringList) return value.toStringList().join(',').toStdString();
    return value.toString().toStdString();
}

void WriteSetting(const std::string& section, const std::string& key, const std::string& value) {
    BeforeFirstWrite();
    Store().setValue(Path(section, key), QString::fromStdString(value));
    if (SettingsBatch::Open()) {
        SettingsBatch::OnEnd(Write);
    } else {
        Write();
    }
}

}  // namespace os
