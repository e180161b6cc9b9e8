// Starting at log-on on a Linux desktop: an XDG autostart entry,
// $XDG_CONFIG_HOME/autostart/<name>.exe.desktop (~/.config/autostart without XDG_CONFIG_HOME),
// named as the Windows program's Run value is.
//
// An entry of ours records the Run value's text in X-Lisotra-Run-Value and has an Exec line that
// starts the running executable with the argument text. GLib and systemd's autostart generator
// (which starts the entries under GNOME and Plasma) both start that same program, whatever bytes
// its path holds.
//
// Entries are read and written as GLib reads and writes desktop entries (its key files), as the
// desktop that starts them does. An entry under that name that this program did not write does
// not count as registered, and reading never changes it; a write or a removal keeps it beside,
// renamed "<file>.foreign" (which the desktop does not start), rather than destroying a file the
// user or another program made. An entry of ours that the desktop has disabled (Hidden=true,
// X-GNOME-Autostart-enabled=false) no longer starts anything, and does not count either.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace os::qt {

// The folder that holds the entries.
std::string AutostartFolder();
// The entry file of a Run value name: ASCII letters in lower case (names match without regard to
// case), and every byte but letters, digits, "-", "_" and an inner "." written %XX.
std::string AutostartFileName(std::string_view valueName);

// The Exec line that starts the executable with the argument text (split as a Windows command
// line splits it), as it stands in the file (string-value escapes included): the quoted path and
// arguments, or, when one holds a byte the two readers take apart (a backslash, "$", "`"; in the
// path also "%", a quote or a control byte), /bin/sh running them from octal.
std::string ExecLine(std::string_view executable, std::string_view argument);

// The program file the entry and App.Path speak of; a path here stands in for the running
// executable (the tests' way to be somewhere else), the empty text goes back to the real one.
void UseProgramFile(const std::string& path);
std::string ProgramFile();

}  // namespace os::qt
