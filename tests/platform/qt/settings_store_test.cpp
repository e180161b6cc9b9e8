// The INI store: texts kept exactly, hand-written and damaged files read without harm, and a file
// that could not be read never replaced by less than it held.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <csignal>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "platform/qt/settings_store.h"
#include "platform/settings_store.h"

namespace {
class QtSettings : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + "/Lisotra";
        QDir(dir_).removeRecursively();
        QDir().mkpath(dir_);
        os::qt::ReopenSettingsStore();
    }
    void TearDown() override { os::qt::ReopenSettingsStore(); }

    QString Ini() const { return dir_ + "/Lisotra.ini"; }
    void WriteIni(const QByteArray& bytes) const {
        QFile f(Ini());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray ReadFile(const QString& path) const {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static std::string Get(const char* section, const char* key) { return os::ReadSetting(section, key); }

    QString dir_;
};
}  // namespace

TEST_F(QtSettings, TextsComeBackExactlyFromTheFile) {
    EXPECT_EQ(Get("window", "width"), "");
    os::WriteSetting("window", "width", " 4800");
    os::WriteSetting("window", "left", "-1200");
    os::WriteSetting("default", "key", "A,B = ; [x] \xc3\xa9");
    os::WriteSetting("start", "autoload", "666");
    // In the file when WriteSetting returns, and read by a fresh run.
    EXPECT_TRUE(ReadFile(Ini()).contains("width=\" 4800\""));
    os::qt::ReopenSettingsStore();
    EXPECT_EQ(Get("window", "width"), " 4800");
    EXPECT_EQ(Get("window", "left"), "-1200");
    EXPECT_EQ(Get("default", "key"), "A,B = ; [x] \xc3\xa9");
    EXPECT_EQ(Get("start", "autoload"), "666");
    EXPECT_EQ(Get("default", "nothing"), "");
}

TEST_F(QtSettings, AChangeByAnotherCopyIsSeen) {
    os::WriteSetting("default", "ontop", " 0");
    WriteIni("[default]\nontop=\" 1\"\nkey=S\n");
    EXPECT_EQ(Get("default", "ontop"), " 1");
}

TEST_F(QtSettings, HandWrittenValues) {
    WriteIni("[default]\nkey=A,B\nbackcolor= 255\nontop=@Invalid()\n[window]\nwidth=4800\n");
    EXPECT_EQ(Get("default", "key"), "A,B");
    EXPECT_EQ(Get("default", "backcolor"), "255");
    EXPECT_EQ(Get("default", "ontop"), "");
    EXPECT_EQ(Get("window", "width"), "4800");
}

TEST_F(QtSettings, ADamagedFileIsKeptBeforeTheFirstWrite) {
    const QByteArray damaged("[default]\nbackcolor=\" 255\"\n\xff\xfe\x00junk\n[window\nwidth=\" 4800\"\n", 52);
    WriteIni(damaged);
    EXPECT_EQ(Get("default", "backcolor"), " 255");  // what could be read is read
    os::WriteSetting("window", "top", " 15");
    EXPECT_EQ(ReadFile(Ini() + ".unreadable"), damaged);
    EXPECT_EQ(Get("window", "top"), " 15");
}

TEST_F(QtSettings, BinaryJunkReadsAsEmpty) {
    QByteArray junk;
    for (int i = 0; i < 4096; ++i) junk.append(static_cast<char>((i * 7919) & 0xFF));
    WriteIni(junk);
    EXPECT_NO_THROW(Get("window", "width"));
    os::WriteSetting("window", "width", " 4800");
    EXPECT_EQ(Get("window", "width"), " 4800");
    EXPECT_EQ(ReadFile(Ini() + ".unreadable"), junk);
}

TEST_F(QtSettings, AStoreThatCannotBeFileDoesNotEndTheProgram) {
    QDir().mkpath(Ini());  // a folder where the file should be
    QFile(Ini() + "/keep").open(QIODevice::WriteOnly);
    EXPECT_EQ(Get("window", "width"), "");
    os::WriteSetting("window", "width", " 4800");
    EXPECT_TRUE(QFileInfo::exists(Ini() + ".unreadable/keep"));  // moved aside, not emptied
    EXPECT_EQ(Get("window", "width"), " 4800");
}

TEST_F(QtSettings, AFileDeletedOrReplacedByAFolderWhileRunningIsWrittenAgain) {
    os::WriteSetting("window", "width", " 4800");
    QFile::remove(Ini());
    os::WriteSetting("window", "left", " 30");
    EXPECT_TRUE(ReadFile(Ini()).contains("left=\" 30\""));
    QFile::remove(Ini());
    QDir().mkpath(Ini() + "/inside");
    os::WriteSetting("window", "top", " 15");
    EXPECT_TRUE(QFileInfo::exists(Ini() + ".unreadable/inside"));
    EXPECT_TRUE(ReadFile(Ini()).contains("top=\" 15\""));
}

TEST_F(QtSettings, AStoreThatCannotBeWrittenSaysSoAndKeepsTheValues) {
    os::WriteSetting("window", "width", " 4800");
    QDir(dir_).removeRecursively();
    QFile(dir_).open(QIODevice::WriteOnly);  // a file where the folder should be: nothing can be written
    testing::internal::CaptureStderr();
    os::WriteSetting("window", "top", " 15");
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("could not save the settings in " + Ini().toStdString()), std::string::npos) << log;
    EXPECT_EQ(Get("window", "top"), " 15");  // the program goes on with what it saved
    QFile::remove(dir_);
    QDir().mkpath(dir_);
    os::WriteSetting("window", "left", " 30");
    const QByteArray written = ReadFile(Ini());
    EXPECT_TRUE(written.contains("top=\" 15\"") && written.contains("left=\" 30\"")) << written.constData();
}

namespace {
// Runs `work` in a child process and tells whether it finished, successfully, within a few
// seconds: a store that blocks fails the test instead of hanging it.
bool FinishesSoon(const std::function<bool()>& work) {
    const pid_t child = fork();
    if (child == 0) _exit(work() ? 0 : 1);
    for (int i = 0; i < 100; ++i) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        QThread::msleep(50);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return false;
}

// What is at a path, to tell whether it was kept as it was: a link's target, a FIFO, or a size.
QString Described(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink()) return "link to " + info.symLinkTarget();
    struct stat st {};
    if (lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode)) return "FIFO";
    return info.exists() ? QString::number(info.size()) + " bytes" : "nothing";
}
}  // namespace

TEST_F(QtSettings, WhatIsNoOrdinaryFileOfSaneSizeIsNeitherReadNorLostButKeptAside) {
    const QByteArray big(2 << 20, 'x');
    const std::vector<std::pair<const char*, std::function<void()>>> hostile{
        {"a FIFO", [this] { ASSERT_EQ(mkfifo(QFile::encodeName(Ini()).constData(), 0600), 0); }},
        {"a link to /dev/zero", [this] { ASSERT_TRUE(QFile::link("/dev/zero", Ini())); }},
        {"a file of 2 MiB", [&] { WriteIni(big); }},
    };
    for (const auto& [what, make] : hostile) {
        QDir(dir_).removeRecursively();
        QDir().mkpath(dir_);
        os::qt::ReopenSettingsStore();
        make();
        const QString before = Described(Ini());
        EXPECT_TRUE(FinishesSoon([this] {
            testing::internal::CaptureStderr();
            const bool defaults = Get("window", "width").empty();
            os::WriteSetting("window", "width", " 4800");
            const std::string log = testing::internal::GetCapturedStderr();
            return defaults && Get("window", "width") == " 4800" && ReadFile(Ini()).contains("width=\" 4800\"") &&
                   log.find("could not read the settings in " + Ini().toStdString()) != std::string::npos;
        })) << what;
        EXPECT_EQ(Described(Ini() + ".unreadable").toStdString(), before.toStdString()) << what;
    }
}

TEST_F(QtSettings, ALockThatIsNotLetGoDelaysTheSaveWithoutWaitingForIt) {
    os::WriteSetting("window", "width", " 4800");
    // A copy stopped while it saves: it holds the lock and is alive.
    const pid_t copy = fork();
    if (copy == 0) {
        QLockFile lock(Ini() + ".lock");
        lock.lock();
        raise(SIGSTOP);
        _exit(0);
    }
    waitpid(copy, nullptr, WUNTRACED);
    EXPECT_TRUE(FinishesSoon([] {
        testing::internal::CaptureStderr();
        os::WriteSetting("window", "top", " 15");
        const std::string log = testing::internal::GetCapturedStderr();
        return Get("window", "top") == " 15" && log.find("could not save the settings") != std::string::npos;
    }));
    kill(copy, SIGKILL);
    waitpid(copy, nullptr, 0);

    // A folder of the lock's name.
    QDir().mkpath(Ini() + ".lock/inside");
    EXPECT_TRUE(FinishesSoon([this] {
        os::WriteSetting("window", "top", " 15");
        if (Get("window", "top") != " 15") return false;
        QDir(Ini() + ".lock").removeRecursively();  // the person takes it away
        os::WriteSetting("window", "left", " 30");
        const QByteArray written = ReadFile(Ini());
        return written.contains("top=\" 15\"") && written.contains("left=\" 30\"");
    }));
    QDir(Ini() + ".lock").removeRecursively();
}
