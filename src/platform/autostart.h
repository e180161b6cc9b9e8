// Starting the program when the person logs on: one entry for the running executable, run by the
// desktop's own log-on mechanism (the per-user Run key on Windows, an XDG autostart entry on Linux).
// None of these throws; what could not be done is logged.
#pragma once

#include <string>

namespace os {

// Whether an entry under the program's name starts something at log-on (whatever it names: the
// entry of a copy elsewhere counts too).
bool AutostartRegistered();
// Writes the entry that starts the running executable with the argument text, in place of any
// under the program's name.
void RegisterAutostart(const std::string& argument);
// Removes the entry under the program's name; none there is no error.
void UnregisterAutostart();

}  // namespace os
