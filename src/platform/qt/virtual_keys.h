// Windows virtual-key codes as X keysyms.
#pragma once

#include <cstdint>

namespace os::qt {

// The keysym of a virtual-key code, or 0 when the code names no key.
std::uint32_t KeysymOfVirtualKey(unsigned virtualKey);

}  // namespace os::qt
