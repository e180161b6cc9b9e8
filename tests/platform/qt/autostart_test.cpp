// Starting at log-on on a Linux desktop: XDG autostart entries whose Exec line starts the real
// executable by the Desktop Entry quoting rules, and that leave entries this program did not
// write intact.
#include <glib.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdlib>
#include <optional>

#include "platform/autostart.h"
#include "platform/qt/autostart.h"

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

// The command GLib starts for the entry: the Exec string, "%%" read as "%", split by its shell rules.
QStringList GLibCommand(const QString& entry) {
    GKeyFile* file = g_key_file_new();
    gchar* exec = g_key_file_load_from_file(file, entry.toUtf8().constData(), G_KEY_FILE_NONE, nullptr)
                      ? g_key_file_get_string(file, "Desktop Entry", "Exec", nullptr)
                      : nullptr;
    g_key_file_unref(file);
    QStringList command;
    const QByteArray line = QByteArray(exec ? exec : "").replace("%%", "%");
    g_free(exec);
    gchar** argv = nullptr;
    if (!line.contains('%') && g_shell_parse_argv(line.constData(), nullptr, &argv, nullptr)) {
        for (gchar** arg = argv; *arg; ++arg) command << QString::fromUtf8(*arg);
    }
    g_strfreev(argv);
    return command;
}

// An ExecStart= value read as the user manager reads it: "%%" is "%", blanks split outside quotes,
// C escapes, and an unknown escape kept as it stands. Nothing when the manager would refuse it.
std::optional<QStringList> UnitCommand(QByteArray text) {
    while (!text.isEmpty() && QByteArray("-@:+!").contains(text[0])) text.remove(0, 1);
    QStringList words;
    QByteArray word;
    bool inWord = false;
    char quote = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const QByteArray next = text.mid(i + 1, 3);
        if (c == '%' && next.startsWith('%')) {
            word += '%';
            inWord = true;
            ++i;
        } else if (c == '%') {
            return std::nullopt;  // a unit specifier
        } else if (c == '\\' && !next.isEmpty()) {
            static const QByteArray from = "abfnrtv\\\"'s", to = "\a\b\f\n\r\t\v\\\"' ";
            if (from.contains(next[0])) {
                word += to[from.indexOf(next[0])];
                ++i;
            } else if (next[0] == 'x' || (next[0] >= '0' && next[0] <= '3')) {
                const bool hex = next[0] == 'x';
                word += static_cast<char>(hex ? text.mid(i + 2, 2).toInt(nullptr, 16) : next.toInt(nullptr, 8));
                i += 3;
            } else {
                word += c;
            }
            inWord = true;
        } else if (quote) {
            if (c == quote) quote = 0; else word += c;
        } else if (c == '"' || c == '\'') {
            quote = c;
            inWord = true;
        } else if (c == ' ' || c == '\t') {
            if (inWord) words << QString::fromUtf8(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words << QString::fromUtf8(word);
    // The manager will not start a program whose path holds a quote, a backslash or a control byte.
    if (words.isEmpty() || words[0].contains(QRegularExpression(R"([\x00-\x1f\x7f"'\\])"))) return std::nullopt;
    return words;
}

// What the command started: the program's path and arguments as it got them, or nothing.
QByteArray Started(const QStringList& command, const QString& marker) {
    QFile::remove(marker);
    if (command.isEmpty()) return {};
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LISOTRA_TEST_MARKER", marker);
    run.setProcessEnvironment(env);
    run.start(command[0], command.mid(1));
    run.waitForFinished();  // the shell forms wait for the program
    return ReadFile(marker);
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
    QTemporaryDir tmp_;
};
}  // namespace

TEST_F(QtRunKey, TheExecLineQuotesByTheDesktopEntryRules) {
    using os::qt::ExecLine;
    EXPECT_EQ(ExecLine("/opt/app/lisotra.bin", ""), "\"/opt/app/lisotra.bin\"");
    // A quote takes a backslash inside the quotes, % is doubled, and then every backslash is
    // doubled again because Exec is itself a string value.
    EXPECT_EQ(ExecLine("/t/My Apps;#=/x", "a\\\"b 5%"), R"("/t/My Apps;#=/x" "a\\"b" 5%%)");
    // A path or an argument that GLib and systemd would read apart goes to /bin/sh in octal.
    EXPECT_EQ(ExecLine("/t/100%/x", "-a"),
              R"(/bin/sh -c "printf \\"exec '/t/100\\\\\\\\045/x' '-a' </dev/null\\" | /bin/sh")");
    // The argument text, split as a Windows command line; each word quoted when it must be.
    EXPECT_EQ(ExecLine("/o/l", "--mark \"/tmp/a b\" plain x=1 'q' %f \"\""),
              R"("/o/l" --mark "/tmp/a b" plain x=1 "'q'" %%f "")");
}

// GNOME and Plasma start autostart entries through systemd's generator, which reads backslashes,
// "$" and "`" otherwise than GLib, and whose unit will not run every path: both must start the
// program where it is, with its arguments, whatever its folder is called.
TEST_F(QtRunKey, SystemdsGeneratorStartsWhatGLibStarts) {
    QString generator = "/usr/lib/systemd/user-generators/systemd-xdg-autostart-generator";
    if (!QFile::exists(generator)) generator = "/lib/systemd/user-generators/systemd-xdg-autostart-generator";
    if (!QFile::exists(generator)) GTEST_SKIP() << "systemd-xdg-autostart-generator is not installed";
    const QString marker = tmp_.path() + "/started";
    const QString args = R"(--mark "a b" $v `w` %f 'q' x\y)";
    QByteArray argsGot;
    for (const char* arg : {"--mark", "a b", "$v", "`w`", "%f", "'q'", "x\\y"}) argsGot += QByteArray(arg) + '\0';
    for (const QString folder : {"back\\slash", "plain folder", "q\"uo'te $HOME `id` 100% b\\s", "=;#&|<>*?~!{}",
                                 "na\u00efve \u65e5\u672c \x7f", "new\nline\ttab\\"}) {
        const QString dir = tmp_.path() + "/" + folder;
        ASSERT_TRUE(QDir().mkpath(dir));
        const QString program = dir + "/lisotra";
        WriteFile(program, "#!/bin/sh\nprintf '%s\\0' \"$0\" \"$@\" > \"$LISOTRA_TEST_MARKER\"\n");
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        os::qt::UseProgramFile(program.toStdString());
        for (const bool withArgs : {false, true}) {
            QDir(Folder()).removeRecursively();
            os::RegisterAutostart(withArgs ? args.toStdString() : "");
            const QString entry = Entry("lisotra.exe");
            const QByteArray wanted = program.toUtf8() + '\0' + (withArgs ? argsGot : QByteArray());
            const QString trace = folder + (withArgs ? " with arguments\n" : "\n") + ReadFile(entry);
            EXPECT_EQ(Started(GLibCommand(entry), marker), wanted) << trace.toStdString();

            const QString units = tmp_.path() + "/units";
            QDir(units).removeRecursively();
            for (const char* kind : {"/normal", "/early", "/late"}) QDir().mkpath(units + kind);
            QProcess generate;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("XDG_CONFIG_DIRS", tmp_.path() + "/no-system-entries");
            generate.setProcessEnvironment(env);
            generate.start(generator, {units + "/normal", units + "/early", units + "/late"});
            ASSERT_TRUE(generate.waitForFinished());
            std::optional<QStringList> command;
            for (QDirIterator it(units, {"*.service"}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
                for (const QByteArray& line : ReadFile(it.next()).split('\n')) {
                    if (line.startsWith("ExecStart=")) command = UnitCommand(line.mid(10));
                }
            }
            ASSERT_TRUE(command) << trace.toStdString() << generate.readAllStandardError().toStdString();
            EXPECT_EQ(Started(*command, marker), wanted) << trace.toStdString() << command->join(" | ").toStdString();
        }
    }
}

TEST_F(QtRunKey, EntriesOfOthersDoNotCountAndAreKeptAside) {
    const QString entry = Entry("lisotra.exe");
    ASSERT_TRUE(QDir().mkpath(Folder()));
    EXPECT_FALSE(os::AutostartRegistered());
    os::UnregisterAutostart();  // none there: nothing happens
    EXPECT_TRUE(QDir(Folder()).isEmpty());
    const QByteArray foreign = "[Desktop Entry]\nType=Application\nName=Lisotra\nExec=lisotra --tray\n";
    WriteFile(entry, foreign);
    EXPECT_FALSE(os::AutostartRegistered());
    EXPECT_EQ(ReadFile(entry), foreign);  // a read changes nothing

    os::RegisterAutostart("");
    EXPECT_EQ(ReadFile(entry + ".foreign"), foreign);
    EXPECT_TRUE(os::AutostartRegistered());

    const QByteArray junk("\x7f" "ELF\x00\x01 not a desktop entry", 27);
    WriteFile(entry, junk);
    EXPECT_FALSE(os::AutostartRegistered());
    os::UnregisterAutostart();
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_EQ(ReadFile(entry + ".foreign-2"), junk);
    EXPECT_EQ(ReadFile(entry + ".foreign"), foreign);
}

TEST_F(QtRunKey, OurEntryDisabledByTheDesktopDoesNotCount) {
    os::RegisterAutostart("");
    const QString entry = Entry("lisotra.exe");
    const QByteArray ours = ReadFile(entry);
    EXPECT_TRUE(ours.contains("X-Lisotra-Run-Value=\"" + tmp_.path().toUtf8() + "/bin\\\\lisotra.exe\"\\s\n"));
    for (const char* off : {"Hidden=true\n", "X-GNOME-Autostart-enabled=false\n"}) {
        WriteFile(entry, ours + off);
        EXPECT_FALSE(os::AutostartRegistered()) << off;
    }
    // Writing again enables it, as the user asked by ticking the box.
    os::RegisterAutostart("");
    EXPECT_EQ(ReadFile(entry), ours);
    EXPECT_FALSE(QFile::exists(entry + ".foreign"));
}

TEST_F(QtRunKey, NamesAndFolder) {
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
}
