// The per-user Run key on a Linux desktop: each value is an XDG autostart entry,
// $XDG_CONFIG_HOME/autostart/<value name>.desktop (~/.config/autostart without XDG_CONFIG_HOME),
// so that what the program registers starts at the next log-on.
//
// An entry of ours carries the value's text in X-Lisotra-Run-Value, so a read gives back exactly
// what was written, and an Exec line that starts what the text names: the running executable
// itself when the text names it in the Windows form the program writes ("<folder>\<name>.exe",
// quoted), whatever its real file name is. GLib and systemd's autostart generator (which starts
// the entries under GNOME and Plasma) both start that same program, whatever bytes its path holds.
//
// Entries are read and written as GLib reads and writes desktop entries (its key files), as the
// desktop that starts them does. An entry that this program did not write reads as a value of
// another type: REG_EXPAND_SZ with its Exec line when GLib reads it as a desktop entry (a key file
// whose first group is [Desktop Entry]), REG_BINARY with its bytes when it is not one. Reads
// never change it. A write or a delete under its name keeps it beside, renamed
// "<file>.foreign" (which the desktop does not start), rather than destroying a file the user or
// another program made. An entry of ours that the desktop has disabled (Hidden=true,
// X-GNOME-Autostart-enabled=false) no longer starts anything, and reads as no value.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace os::qt {

// The folder that holds the entries.
std::string AutostartFolder();
// The entry file of a value name: ASCII letters in lower case (names match without regard to
// case), and every byte but letters, digits, "-", "_" and an inner "." written %XX.
std::string AutostartFileName(std::string_view valueName);

// The Exec line for a value's text, as it stands in the file (string-value escapes included):
// the quoted path and arguments, or, when one holds a byte the two readers take apart (a backslash,
// "$", "`"; in the path also "%", a quote or a control byte), /bin/sh running them from octal.
// `ourPath` is the running executable in the Windows form the program writes, without the quotes
// and in either join ("/usr/bin\lisotra.exe" or "/usr/bin" + "lisotra.exe" at the root);
// `realExecutable` is the file that then starts.
std::string ExecLine(std::string_view runText, std::string_view ourFolder, std::string_view ourBaseName,
                     std::string_view realExecutable);

// The whole entry file for a value.
std::string DesktopEntryText(std::string_view valueName, std::string_view runText, std::string_view execLine);

// The program file the Run key and App.Path speak of; a path here stands in for the running
// executable (the tests' way to be somewhere else), the empty text goes back to the real one.
void UseProgramFile(const std::string& path);
std::string ProgramFile();

}  // namespace os::qt
