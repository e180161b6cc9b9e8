// The Run key on a Linux desktop: XDG autostart entries whose Exec line starts the real
// executable by the Desktop Entry quoting rules, that read back exactly, and that leave entries
// this program did not write intact.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cstdlib>

#include "platform/qt/autostart.h"
#include "platform/registry.h"
#include "startup/run_key.h"

namespace {
QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class QtRunKey : public ::testing::Test {
protected:
    void SetUp() override {
        QDir(Folder()).removeRecursively();
        os::qt::UseProgramFile((tmp_.path() + "/bin/lisotra").toStdString());
    }
    void TearDown() override { os::qt::UseProgramFile(""); }
    static QString Folder() { return QString::fromStdString(os::qt::AutostartFolder()); }
    static QString Entry(const char* valueName) {
        return Folder() + '/' + QString::fromStdString(os::qt::AutostartFileName(valueName));
    }
    // The value as an ANSI query gives it: type and bytes.
    static std::pair<os::DWORD, std::string> Query(const char* name) {
        os::HKEY key{};
        if (os::RegOpenKeyA(os::HKEY_CURRENT_USER, run_key::kRunKeyPath, &key) != os::ERROR_SUCCESS) return {99, ""};
        os::DWORD type = 0, size = 0;
        std::string data;
        if (os::RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == os::ERROR_SUCCESS) {
            data.assign(size, ' ');
            os::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<unsigned char*>(data.data()), &size);
        } else {
            type = 0;
        }
        os::RegCloseKey(key);
        return {type, data};
    }
    QTemporaryDir tmp_;
};
}  // namespace

TEST_F(QtRunKey, TheExecLineQuotesByTheDesktopEntryRules) {
    using os::qt::ExecLine;
    EXPECT_EQ(ExecLine("\"/opt/app\\lisotra.exe\" ", "/opt/app", "lisotra", "/opt/app/lisotra.bin"),
              "\"/opt/app/lisotra.bin\"");
    EXPECT_EQ(ExecLine("\"/lisotra.exe\" ", "/", "lisotra", "/lisotra"), "\"/lisotra\"");
    // Blanks, quotes, $ and ` take a backslash inside the quotes, % is doubled, and then every
    // backslash is doubled again because Exec is itself a string value.
    EXPECT_EQ(ExecLine("\"/t/My \"Apps\"\\x.exe\" ", "/t/My \"Apps\"", "x", "/t/My \"Apps\" $HOME b\\s`q/x"),
              R"("/t/My \\"Apps\\" \\$HOME b\\\\s\\`q/x")");
    // GLib will not start a program whose path holds a "%": /bin/sh is given the path to run.
    EXPECT_EQ(ExecLine("\"/t/100%\\x.exe\" -a", "/t/100%", "x", "/t/100%/x"),
              R"(/bin/sh -c "exec \\"\\$0\\" \\"\\$@\\"" "/t/100%%/x" -a)");
    // The argument text, split as a Windows command line; each word quoted when it must be.
    EXPECT_EQ(ExecLine("\"/o\\l.exe\" --mark \"/tmp/a b\" plain x=1 'q' $v %f \"\"", "/o", "l", "/o/l"),
              R"("/o/l" --mark "/tmp/a b" plain x=1 "'q'" "\\$v" %%f "")");
    // Another program's path stands as it is.
    EXPECT_EQ(ExecLine("\"/usr/bin/other\" -x", "/opt/app", "lisotra", "/opt/app/lisotra"), R"("/usr/bin/other" -x)");
}

TEST_F(QtRunKey, AnEntryForAPathWithBlanksAndQuotesValidatesAndStartsTheProgram) {
    const QString dir = tmp_.path() + "/My \"Apps\" $HOME 100% back\\slash";
    ASSERT_TRUE(QDir().mkpath(dir));
    const QString program = dir + "/run me";
    const QString marker = tmp_.path() + "/log-on marker";
    // Writes its own path and arguments, one a line, to the file its second argument names.
    WriteFile(program, "#!/bin/sh\nout=\"$2\"\nprintf '%s\\n' \"$0\" \"$@\" > \"$out\"\n");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    os::qt::UseProgramFile(program.toStdString());

    const std::string data = run_key::RunCommand("--mark \"" + marker.toStdString() + "\"");
    run_key::SetStringValue(os::HKEY_CURRENT_USER, run_key::kRunKeyPath, run_key::RunValueName(), data);
    const QString entry = Entry("run me.exe");
    ASSERT_TRUE(QFile::exists(entry));
    EXPECT_EQ(run_key::QueryStringValue(os::HKEY_CURRENT_USER, run_key::kRunKeyPath, "RUN ME.EXE"), data);

    const QString validate = QStandardPaths::findExecutable("desktop-file-validate");
    if (!validate.isEmpty()) {
        QProcess check;
        check.start(validate, {entry});
        ASSERT_TRUE(check.waitForFinished());
        EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString() << ReadFile(entry).toStdString();
    }
    const QString gio = QStandardPaths::findExecutable("gio");
    if (gio.isEmpty()) GTEST_SKIP() << "gio is not installed: the entry was not started";
    QProcess launch;
    launch.start(gio, {"launch", entry});
    ASSERT_TRUE(launch.waitForFinished());
    for (int i = 0; i < 100 && ReadFile(marker).isEmpty(); ++i) QThread::msleep(50);
    EXPECT_EQ(ReadFile(marker), (program + "\n--mark\n" + marker + "\n").toUtf8());
}

TEST_F(QtRunKey, EntriesOfOthersReadAsOtherTypesAndAreKeptAside) {
    const QString entry = Entry("lisotra.exe");
    ASSERT_TRUE(QDir().mkpath(Folder()));
    const QByteArray foreign = "[Desktop Entry]\nType=Application\nName=Lisotra\nExec=lisotra --tray\n";
    WriteFile(entry, foreign);
    EXPECT_EQ(Query("lisotra.exe"), (std::pair<os::DWORD, std::string>{os::REG_EXPAND_SZ, std::string("lisotra --tray\0", 15)}));
    EXPECT_EQ(run_key::QueryStringValue(os::HKEY_CURRENT_USER, run_key::kRunKeyPath, "lisotra.exe"), "");
    EXPECT_EQ(ReadFile(entry), foreign);  // a read changes nothing

    run_key::SetStringValue(os::HKEY_CURRENT_USER, run_key::kRunKeyPath, "lisotra.exe", run_key::RunCommand(""));
    EXPECT_EQ(ReadFile(entry + ".foreign"), foreign);
    EXPECT_EQ(Query("lisotra.exe").first, os::REG_SZ);

    const QByteArray junk("\x7f" "ELF\x00\x01 not a desktop entry", 27);
    WriteFile(entry, junk);
    EXPECT_EQ(Query("lisotra.exe"), (std::pair<os::DWORD, std::string>{os::REG_BINARY, junk.toStdString()}));
    run_key::DeleteRegValue(os::HKEY_CURRENT_USER, run_key::kRunKeyPath, "lisotra.exe");
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_EQ(ReadFile(entry + ".foreign-2"), junk);
    EXPECT_EQ(ReadFile(entry + ".foreign"), foreign);
}

TEST_F(QtRunKey, OurEntryDisabledByTheDesktopIsNoValue) {
    run_key::SetStringValue(os::HKEY_CURRENT_USER, run_key::kRunKeyPath, "lisotra.exe", run_key::RunCommand(""));
    const QString entry = Entry("lisotra.exe");
    const QByteArray ours = ReadFile(entry);
    EXPECT_TRUE(ours.contains("X-Lisotra-Run-Value=\"" + tmp_.path().toUtf8() + "/bin\\\\lisotra.exe\"\\s\n"));
    for (const char* off : {"Hidden=true\n", "X-GNOME-Autostart-enabled=false\n"}) {
        WriteFile(entry, ours + off);
        EXPECT_EQ(Query("lisotra.exe").first, 0u) << off;
    }
    // Writing again enables it, as the user asked by ticking the box.
    run_key::SetStringValue(os::HKEY_CURRENT_USER, run_key::kRunKeyPath, "lisotra.exe", run_key::RunCommand(""));
    EXPECT_EQ(ReadFile(entry), ours);
    EXPECT_FALSE(QFile::exists(entry + ".foreign"));
}

TEST_F(QtRunKey, NamesFolderAndOtherKeys) {
    EXPECT_EQ(os::qt::AutostartFileName("Lisotra.EXE"), "lisotra.exe.desktop");
    EXPECT_EQ(os::qt::AutostartFileName("a/b c"), "a%2Fb%20c.desktop");
    EXPECT_EQ(os::qt::AutostartFileName(".x"), "%2Ex.desktop");
    EXPECT_EQ(os::qt::AutostartFileName(""), "%.desktop");

    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", "/home/someone");
    qputenv("XDG_CONFIG_HOME", "relative/config");  // not absolute: ignored
    EXPECT_EQ(os::qt::AutostartFolder(), "/home/someone/.config/autostart");
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(os::qt::AutostartFolder(), "/home/someone/.config/autostart");
    qputenv("XDG_CONFIG_HOME", config);
    qputenv("HOME", home);
    EXPECT_EQ(os::qt::AutostartFolder(), config.toStdString() + "/autostart");

    // Every other key, the Run key of the machine included, lives in memory.
    run_key::SetStringValue(os::HKEY_LOCAL_MACHINE, run_key::kRunKeyPath, "lisotra.exe", "x");
    run_key::SetStringValue(os::HKEY_CURRENT_USER, "Software\\Lisotra", "lisotra.exe", "y");
    EXPECT_EQ(run_key::QueryStringValue(os::HKEY_LOCAL_MACHINE, run_key::kRunKeyPath, "lisotra.exe"), "x");
    EXPECT_EQ(run_key::QueryStringValue(os::HKEY_CURRENT_USER, "Software\\Lisotra", "lisotra.exe"), "y");
    EXPECT_FALSE(QFile::exists(Entry("lisotra.exe")));
}
