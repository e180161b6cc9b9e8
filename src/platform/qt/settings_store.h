// The INI settings store of the Qt realisation.
#pragma once

namespace os::qt {

// Reads the file afresh on the next use, as a new run of the program would.
void ReopenSettingsStore();

}  // namespace os::qt
