// The panel by keyboard: the arrow keys move it, Ctrl and the arrow keys size it, each by a pixel,
// or with Shift by a tenth of the screen it is on.
#pragma once

#include <optional>
#include <vector>

#include "platform/app.h"

namespace panel {

// The smallest frame the keyboard shrinks the panel to: its caption still shows and can be taken
// hold of. The desktop may keep a window larger still, as it does for a drag.
inline constexpr int kSmallestWidth = 64;
inline constexpr int kSmallestHeight = 32;

// The frame after a key press, or nothing when the key does nothing to the panel. Right and Down
// grow it, Left and Up shrink it, its top-left corner staying. A move or a narrowing goes as far as
// the step while enough of the caption stays on a screen to take hold of; a size grows no larger
// than the screens together.
std::optional<os::PixelRect> FrameAfterKey(const os::PixelRect& frame, const os::KeyInput& key,
                                           const std::vector<os::Monitor>& monitors);

}  // namespace panel
