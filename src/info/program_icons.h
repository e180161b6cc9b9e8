// The tray icons, drawn in code: a page of text with a tinted reading band across it.
#pragma once

#include <vector>

#include "platform/picture.h"

namespace program_icons {

// The program's picture, true colour with alpha, at any size: the tray icon, and the desktop's
// icon for the program (drawn at each size the icon theme holds while the program is built).
os::IconImage ProgramIcon(int size);
// The tray icon: one 128 x 128 true-colour image with alpha.
std::vector<os::IconImage> TrayIcon();
// The About box's icon: the tray icon's drawing at 32 x 32 in 16 colours.
os::IconImage AboutIcon();
// The sample second icon: a blue band, 16 x 16 at 16 colours and at 256 colours.
std::vector<os::IconImage> SampleIcon();

}  // namespace program_icons
