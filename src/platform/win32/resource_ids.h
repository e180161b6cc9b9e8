// Numbers of the program's resources, shared by lisotra.rc and the code that loads them.
#pragma once

#define LISOTRA_PROGRAM_ICON 1
// The tray icon's small images, drawn during the build (make_icon).
#define LISOTRA_TRAY_ICON 2
