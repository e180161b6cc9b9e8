#include "platform/qt/autostart.h"

#include <glib.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUtf8StringView>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <pwd.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "platform/app.h"
#include "platform/autostart.h"
#include "platform/run_entry.h"

namespace os {

namespace {

constexpr const char* kGroup = "Desktop Entry";
constexpr const char* kOurKey = "X-Lisotra-Run-Value";
constexpr qint64 kLargestEntry = 1 << 20;  // a bigger file is no desktop entry of anyone's

std::string programFileOverride;

// The running executable as the kernel names it; nothing when that name is not UTF-8, which no
// desktop entry can hold.
std::optional<std::string> RealExecutable() {
    if (!programFileOverride.empty()) return programFileOverride;
    std::vector<char> buffer(4096);
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<size_t>(length) >= buffer.size()) return std::nullopt;
    std::string path(buffer.data(), static_cast<size_t>(length));
    if (!QUtf8StringView(path).isValidUtf8()) return std::nullopt;
    return path;
}

// Desktop entries are read and written with GLib's key files, as the desktop reads them; GLib
// knows the group and key syntax and the string-value escapes.
using KeyFile = std::unique_ptr<GKeyFile, decltype(&g_key_file_unref)>;

KeyFile NewKeyFile() { return KeyFile(g_key_file_new(), &g_key_file_unref); }

std::optional<std::string> StringOf(GKeyFile* file, const char* key) {
    gchar* value = g_key_file_get_string(file, kGroup, key, nullptr);
    if (!value) return std::nullopt;
    std::string text(value);
    g_free(value);
    return text;
}

// Whether the key holds that boolean; a value that is no boolean holds neither.
bool Holds(GKeyFile* file, const char* key, bool wanted) {
    GError* error = nullptr;
    const bool value = g_key_file_get_boolean(file, kGroup, key, &error);
    if (error) {
        g_error_free(error);
        return false;
    }
    return value == wanted;
}

// GLib writes blanks at the end of a value as they are, and reads them back; other readers and
// editors take them for the space around "=" and drop them. They are written "\s", which every
// reader turns back into blanks.
void SetString(GKeyFile* file, const char* key, const std::string& text) {
    g_key_file_set_string(file, kGroup, key, text.c_str());
    gchar* stored = g_key_file_get_value(file, kGroup, key, nullptr);
    std::string value(stored);
    g_free(stored);
    size_t blanks = 0;
    while (blanks < value.size() && value[value.size() - 1 - blanks] == ' ') ++blanks;
    if (blanks == 0) return;
    value.resize(value.size() - blanks);
    for (size_t i = 0; i < blanks; ++i) value += "\\s";
    g_key_file_set_value(file, kGroup, key, value.c_str());
}

// A text as a string value of a desktop entry stands in the file.
std::string StoredForm(const std::string& text) {
    const KeyFile scratch = NewKeyFile();
    SetString(scratch.get(), "Value", text);
    gchar* stored = g_key_file_get_value(scratch.get(), kGroup, "Value", nullptr);
    std::string value(stored);
    g_free(stored);
    return value;
}

// An argument inside double quotes, as the Exec key quotes: ", `, $ and \ take a backslash.
// Written here because no library writes Exec quoting: GKeyFile escapes only the string value
// around it, and g_shell_quote quotes with single quotes, which the Exec rules do not allow and
// launchers other than GLib's do not read.
std::string QuoteArgument(std::string_view argument) {
    std::string out = "\"";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}

bool NeedsQuotes(std::string_view word) {
    return word.empty() || word.find_first_of(" \t\n\"'\\><~|&;$*?#()`") != std::string_view::npos;
}

// Two readers start what an autostart entry names: GLib's (GNOME's session, other launchers that
// follow the Exec rules) and systemd's autostart generator (the user manager of GNOME and Plasma),
// and they read some bytes apart:
// - the generator takes the quoted text as C escapes once more, so "\\" ends as "\" plus the next
//   byte ("\b" a backspace, "\q" no entry at all), where GLib reads one backslash;
// - it writes "$" and "`" of an argument into the unit with a backslash that the unit keeps;
// - the unit refuses a program path with a quote, a backslash or a control byte in it, and takes
//   a "%" in it for a unit specifier, while GLib refuses a "%" there.
// A command clear of these is written as it is.
bool StartsAsItIs(const std::vector<std::string>& words) {
    for (size_t i = 0; i < words.size(); ++i) {
        for (const char c : words[i]) {
            const auto byte = static_cast<unsigned char>(c);
            if (c == '\\' || c == '$' || c == '`') return false;
            if (i == 0 && (byte < 0x20 || byte == 0x7f || c == '"' || c == '\'' || c == '%')) return false;
        }
    }
    return true;
}

// Any other command is handed to /bin/sh, in a form both readers give the shell alike: a printf
// whose format spells the command with octal escapes, piped into a second shell that runs it. The
// format holds no "$", "`", "%" or quote, and its only backslashes are those of the escapes,
// written "\\ooo" in the shell's double quotes: GLib gives the shell "\\ooo", the generator
// "\ooo", and inside double quotes the shell reads both as "\ooo".
std::string ThroughShell(const std::vector<std::string>& words) {
    std::string script = "exec";
    for (const std::string& word : words) {
        script += " '";
        for (const char c : word) script += c == '\'' ? std::string("'\\''") : std::string(1, c);
        script += '\'';
    }
    script += " </dev/null";  // not the pipe
    std::string format;
    for (const char c : script) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f && std::strchr("\"\\$`%", c) == nullptr) {
            format += c;
        } else {
            format += "\\\\";
            for (const int shift : {6, 3, 0}) format += static_cast<char>('0' + ((byte >> shift) & 7));
        }
    }
    return "/bin/sh -c " + QuoteArgument("printf \"" + format + "\" | /bin/sh");
}

// The argument text as a Windows command line splits it: blanks separate, double quotes group
// (and \" is a quote inside a word).
std::vector<std::string> SplitArguments(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' && i + 1 < text.size() && text[i + 1] == '"') {
            word += '"';
            inWord = true;
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && (c == ' ' || c == '\t' || c == '\n' || c == '\r')) {
            if (inWord) words.push_back(std::exchange(word, {}));
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

// The file as a desktop entry, read as the desktop reads it: nothing when GLib does not take it
// for a key file whose first group is [Desktop Entry]. Read from the bytes rather than the file:
// they are also the value of a file that is no entry, and they are read only up to a size.
KeyFile LoadEntry(const QByteArray& bytes) {
    KeyFile file = NewKeyFile();
    if (!g_key_file_load_from_data(file.get(), bytes.constData(), static_cast<gsize>(bytes.size()), G_KEY_FILE_NONE,
                                   nullptr)) {
        return KeyFile(nullptr, &g_key_file_unref);
    }
    gchar* first = g_key_file_get_start_group(file.get());
    const bool desktopEntry = first && std::strcmp(first, kGroup) == 0;
    g_free(first);
    return desktopEntry ? std::move(file) : KeyFile(nullptr, &g_key_file_unref);
}

bool IsOurs(GKeyFile* entry) {
    return StringOf(entry, kOurKey) && StringOf(entry, "Exec") && StringOf(entry, "Type") == "Application";
}

bool IsDisabled(GKeyFile* entry) {
    return Holds(entry, "Hidden", true) || Holds(entry, "X-GNOME-Autostart-enabled", false);
}

QString EntryPath(const std::string& name) {
    return QString::fromStdString(qt::AutostartFolder() + '/' + qt::AutostartFileName(name));
}

enum class Kind { Missing, Ours, Foreign };

// What is at the path, its bytes, and the entry they hold when they are one.
Kind Examine(const QString& path, QByteArray* bytes = nullptr, KeyFile* entry = nullptr) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) return Kind::Missing;
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) return Kind::Foreign;
    const QByteArray read = file.read(kLargestEntry + 1);
    if (bytes) *bytes = read;
    if (read.size() > kLargestEntry) return Kind::Foreign;
    KeyFile loaded = LoadEntry(read);
    const Kind kind = loaded && IsOurs(loaded.get()) ? Kind::Ours : Kind::Foreign;
    if (entry) *entry = std::move(loaded);
    return kind;
}

// An entry this program did not write is kept, renamed so that the desktop no longer starts it.
bool KeepAside(const QString& path) {
    QString kept = path + ".foreign";
    for (int n = 2; QFileInfo(kept).exists() || QFileInfo(kept).isSymLink(); ++n) kept = path + ".foreign-" + QString::number(n);
    return QDir().rename(path, kept);
}

KeyFile DesktopEntry(std::string_view valueName, std::string_view runText, std::string_view execLine) {
    std::string name(valueName);
    if (name.size() > 4 && g_ascii_strcasecmp(name.c_str() + name.size() - 4, ".exe") == 0) name.resize(name.size() - 4);
    KeyFile entry = NewKeyFile();
    SetString(entry.get(), "Type", "Application");
    SetString(entry.get(), "Name", name);
    g_key_file_set_value(entry.get(), kGroup, "Exec", std::string(execLine).c_str());
    SetString(entry.get(), kOurKey, std::string(runText));
    return entry;
}

// The program file split at its last "/": the folder (just "/" at the root) and the name.
std::pair<std::string, std::string> ProgramFileParts() {
    const std::string file = qt::ProgramFile();
    const size_t slash = file.rfind('/');
    if (slash == std::string::npos) return {std::string(), file};
    return {slash == 0 ? std::string("/") : file.substr(0, slash), file.substr(slash + 1)};
}

}  // namespace

std::string qt::AutostartFolder() {
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the base directory rules say.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') return std::string(config) + "/autostart";
    const char* home = std::getenv("HOME");
    std::string base = home && home[0] ? home : "";
    if (base.empty()) {
        if (const passwd* user = ::getpwuid(::getuid())) base = user->pw_dir;
    }
    return base + "/.config/autostart";
}

std::string qt::AutostartFileName(std::string_view valueName) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (size_t i = 0; i < valueName.size(); ++i) {
        auto c = static_cast<unsigned char>(valueName[i]);
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
        if (std::isalnum(c) && c < 0x80) {
            out += static_cast<char>(c);
        } else if (c == '-' || c == '_' || (c == '.' && i > 0)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    return (out.empty() ? std::string("%") : out) + ".desktop";
}

std::string qt::ExecLine(std::string_view executable, std::string_view argument) {
    std::vector<std::string> words{std::string(executable)};
    for (std::string& word : SplitArguments(argument)) words.push_back(std::move(word));
    std::string exec;
    if (StartsAsItIs(words)) {
        for (const std::string& word : words) {
            if (!exec.empty()) exec += ' ';
            exec += exec.empty() || NeedsQuotes(word) ? QuoteArgument(word) : word;
        }
    } else {
        exec = ThroughShell(words);
    }
    // A literal "%" is "%%", so that no field code is read into the path or the arguments.
    std::string percents;
    for (char c : exec) percents += c == '%' ? std::string("%%") : std::string(1, c);
    return StoredForm(percents);
}

void qt::UseProgramFile(const std::string& path) { programFileOverride = path; }

std::string qt::ProgramFile() { return RealExecutable().value_or(std::string()); }

std::string AppPath() { return ProgramFileParts().first; }

std::string AppEXEName() {
    const std::string name = ProgramFileParts().second;
    const size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

namespace {
std::string EntryName() { return RunValueName(AppEXEName()); }
}  // namespace

bool AutostartRegistered() {
    KeyFile entry(nullptr, &g_key_file_unref);
    return Examine(EntryPath(EntryName()), nullptr, &entry) == Kind::Ours && !IsDisabled(entry.get()) &&
           !StringOf(entry.get(), kOurKey).value_or(std::string()).empty();
}

void RegisterAutostart(const std::string& argument) {
    const std::string name = EntryName();
    const QString path = EntryPath(name);
    const auto real = RealExecutable();
    if (!real) return Log("could not write the autostart entry " + path.toStdString() + ": the program's path is not UTF-8");
    const std::string runText = RunCommand(AppPath(), AppEXEName(), argument);
    const KeyFile entry = DesktopEntry(name, runText, qt::ExecLine(*real, argument));
    // GLib writes it whole to a new file that replaces the old one: a crash leaves one or the
    // other.
    if (!QDir().mkpath(QString::fromStdString(qt::AutostartFolder())) ||
        (Examine(path) == Kind::Foreign && !KeepAside(path)) ||
        !g_key_file_save_to_file(entry.get(), QFile::encodeName(path).constData(), nullptr)) {
        Log("could not write the autostart entry " + path.toStdString());
    }
}

void UnregisterAutostart() {
    const QString path = EntryPath(EntryName());
    bool removed = true;
    switch (Examine(path)) {
    case Kind::Missing: break;
    case Kind::Ours: removed = QFile::remove(path); break;
    case Kind::Foreign: removed = KeepAside(path); break;
    }
    if (!removed) Log("could not remove the autostart entry " + path.toStdString());
}

}  // namespace os
