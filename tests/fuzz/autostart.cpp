// The log-on entry in XDG autostart: the entry written for any program file name and argument
// text counts as registered and starts the running program as GLib reads the Exec line; an entry
// of another program under the same name is read without change and kept aside, byte for byte,
// when ours replaces it; removing ours leaves nothing but what was kept aside.
//
// Input: the program's file name, NUL, the argument text, NUL, the bytes of an entry already there
// (none when empty).
#include <glib.h>

#include <QDir>
#include <QFile>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz.h"
#include "platform/app.h"
#include "platform/autostart.h"
#include "platform/qt/autostart.h"
#include "platform/run_entry.h"
#include "platform/text.h"

namespace {

std::string ReadBytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return "\x01missing";
    return file.readAll().toStdString();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    QFile file(QString::fromStdString(path));
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size()));
}

// A command line split by GLib's shell rules; nothing when it does not split.
std::vector<std::string> Words(const std::string& line) {
    int argc = 0;
    gchar** argv = nullptr;
    if (!g_shell_parse_argv(line.c_str(), &argc, &argv, nullptr)) return {};
    std::vector<std::string> words(argv, argv + argc);
    g_strfreev(argv);
    return words;
}

// The program GLib would start for the Exec line of the entry.
std::string StartedProgram(const std::string& entryPath) {
    GKeyFile* file = g_key_file_new();
    FUZZ_CHECK(g_key_file_load_from_file(file, entryPath.c_str(), G_KEY_FILE_NONE, nullptr));
    gchar* exec = g_key_file_get_string(file, "Desktop Entry", "Exec", nullptr);
    FUZZ_CHECK(exec != nullptr);
    // No field codes are written: every "%" stands doubled.
    std::string line;
    for (const char* c = exec; *c; ++c) {
        if (*c == '%') FUZZ_CHECK(*++c == '%');
        line += *c;
    }
    g_free(exec);
    g_key_file_unref(file);
    std::vector<std::string> argv = Words(line);
    FUZZ_CHECK(!argv.empty());
    // A path the desktops would read apart is handed to /bin/sh: a printf of the command in octal
    // escapes, piped into a shell that runs "exec '<path>' ... </dev/null".
    if (argv[0] == "/bin/sh") {
        FUZZ_CHECK(argv.size() == 3 && argv[1] == "-c");
        const std::vector<std::string> pipeline = Words(argv[2]);
        FUZZ_CHECK(pipeline.size() == 4 && pipeline[0] == "printf" && pipeline[2] == "|" && pipeline[3] == "/bin/sh");
        gchar* script = g_strcompress(pipeline[1].c_str());
        argv = Words(script);
        g_free(script);
        FUZZ_CHECK(argv.size() >= 3 && argv[0] == "exec" && argv.back() == "</dev/null");
        argv.erase(argv.begin());
    }
    return argv[0];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string bin = [] {
        const std::string config = fuzz::TemporaryFolder() + "/config";
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        return fuzz::TemporaryFolder() + "/My \"Apps\" $HOME 100% b\\s";
    }();
    const std::string folder = os::qt::AutostartFolder();

    const auto fields = fuzz::Fields(data, size, 3);
    // A file name of UTF-8 without "/": the entry is named after it. A file name holds 255 bytes,
    // and the entry is written through a temporary file and kept aside as "<file>.foreign-<n>",
    // whose names are longer: the name is cut, by whole characters, to an entry file name of 200.
    std::string name = os::FromUtf16(os::ToUtf16(fields[0]));
    for (char& c : name) c = c == '/' ? '_' : c;
    if (name.empty() || name == "." || name == "..") name = "lisotra";
    os::qt::UseProgramFile(bin + '/' + name);
    while (os::qt::AutostartFileName(os::RunValueName(os::AppEXEName())).size() > 200) {
        while ((static_cast<unsigned char>(name.back()) & 0xC0) == 0x80) name.pop_back();
        name.pop_back();
        os::qt::UseProgramFile(bin + '/' + name);
    }
    const std::string argument = os::FromUtf16(os::ToUtf16(fields[1]));
    const std::string path = folder + '/' + os::qt::AutostartFileName(os::RunValueName(os::AppEXEName()));

    // Bytes without our key are never our entry: they are kept aside when ours is written.
    const std::string& foreign = fields[2];
    const bool keptAside = !foreign.empty() && foreign.find("X-Lisotra-Run-Value") == std::string::npos;
    if (!foreign.empty()) {
        QDir().mkpath(QString::fromStdString(folder));
        WriteBytes(path, foreign);
        if (keptAside) FUZZ_CHECK(!os::AutostartRegistered());
        FUZZ_CHECK(ReadBytes(path) == foreign);  // a read changes nothing
    }

    os::RegisterAutostart(argument);
    if (keptAside) FUZZ_CHECK(ReadBytes(path + ".foreign") == foreign);
    FUZZ_CHECK(os::AutostartRegistered());
    FUZZ_CHECK(StartedProgram(path) == os::qt::ProgramFile());
    os::UnregisterAutostart();
    FUZZ_CHECK(!os::AutostartRegistered());
    FUZZ_CHECK(ReadBytes(path) == "\x01missing");
    if (keptAside) FUZZ_CHECK(ReadBytes(path + ".foreign") == foreign);
    QDir(QString::fromStdString(folder)).removeRecursively();
    return 0;
}
