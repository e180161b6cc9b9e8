// The Run key in XDG autostart: a value written reads back exactly and its entry starts the
// running program as GLib reads the Exec line; an entry of another program under the same name is
// read without change and kept aside, byte for byte, when ours replaces it.
//
// Input: value name, NUL, run text, NUL, the bytes of an entry already there (none when empty).
// A run text starting with an even byte names this program, as the program writes it.
#include <glib.h>

#include <QDir>
#include <QFile>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz.h"
#include "platform/emulated/registry.h"
#include "platform/qt/autostart.h"
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

os::emu::RegistryValue StringValue(const std::string& text) {
    const std::u16string units = os::ToUtf16(text);
    os::emu::RegistryValue value{os::REG_SZ, {}, true};
    value.data.resize((units.size() + 1) * 2);
    std::memcpy(value.data.data(), units.c_str(), value.data.size());
    return value;
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
    static const std::string folder = [] {
        const std::string config = fuzz::TemporaryFolder() + "/config";
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        const std::string bin = fuzz::TemporaryFolder() + "/My \"Apps\" $HOME 100% b\\s";
        os::qt::UseProgramFile(bin + "/lisotra");
        return os::qt::AutostartFolder();
    }();
    os::emu::ValueStore* run = os::emu::StoreOfKey(os::HKEY_CURRENT_USER, "software\\microsoft\\windows\\currentversion\\run");
    FUZZ_CHECK(run != nullptr);

    const auto fields = fuzz::Fields(data, size, 3);
    // Names and texts reach the store as UTF-8 from the wide calls. A file name holds 255 bytes, and
    // the entry is written through a temporary file and kept aside as "<file>.foreign-<n>", whose
    // names are longer: the name is cut, by whole characters, to an entry file name of 200.
    std::string name = os::FromUtf16(os::ToUtf16(fields[0]));
    while (os::qt::AutostartFileName(name).size() > 200) {
        while ((static_cast<unsigned char>(name.back()) & 0xC0) == 0x80) name.pop_back();
        name.pop_back();
    }
    std::string text = os::FromUtf16(os::ToUtf16(fields[1]));
    const bool ours = !text.empty() && static_cast<unsigned char>(text[0]) % 2 == 0;
    if (ours) {
        const std::string program = os::qt::ProgramFile();
        const std::size_t slash = program.rfind('/');
        text = '"' + program.substr(0, slash) + '\\' + program.substr(slash + 1) + ".exe\" " + text.substr(1);
    }
    const std::string path = folder + '/' + os::qt::AutostartFileName(name);

    const std::string& foreign = fields[2];
    bool keptAside = false;
    if (!foreign.empty()) {
        QDir().mkpath(QString::fromStdString(folder));
        WriteBytes(path, foreign);
        const auto before = run->Read(name);
        FUZZ_CHECK(ReadBytes(path) == foreign);  // a read changes nothing
        keptAside = before && before->type != os::REG_SZ;
    }

    FUZZ_CHECK(run->Write(name, StringValue(text)) == os::ERROR_SUCCESS);
    if (keptAside) FUZZ_CHECK(ReadBytes(path + ".foreign") == foreign);
    const auto back = run->Read(name);
    FUZZ_CHECK(back && *back == StringValue(text));
    if (ours) FUZZ_CHECK(StartedProgram(path) == os::qt::ProgramFile());
    FUZZ_CHECK(run->Remove(name) == os::ERROR_SUCCESS);
    FUZZ_CHECK(!run->Read(name));
    if (keptAside) FUZZ_CHECK(ReadBytes(path + ".foreign") == foreign);
    QDir(QString::fromStdString(folder)).removeRecursively();
    return 0;
}
