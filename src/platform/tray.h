// The program's one icon in the desktop's notification area (the tray): shown with a tip, changed,
// taken away, and what a person does with it. Each realisation shows it its own way (the Windows
// notification area, a Qt tray icon); none of these throws.
#pragma once

#include <functional>
#include <string>

#include "platform/picture.h"

namespace os {

// What a person did with the icon: a left click (heard on the release), a left double-click, a
// right click asking for its menu (heard on the release). Presses, moves, middle clicks and right
// double-clicks are none of these and reach the program as nothing.
enum class TrayEvent { Clicked, DoubleClicked, MenuAsked };

// What an act on the icon runs; entered from the desktop, so the realisation runs it guarded.
void SetTrayHandler(std::function<void(TrayEvent)> handler);

// Shows the icon with its tip (cut to what the desktop can show). False when one is shown
// already, which stays as it was, or when the desktop can show none. A desktop whose tray is not
// there yet shows it when the tray comes.
bool ShowTrayIcon(Hicon icon, const std::string& tip);
// The shown icon takes this picture and tip; false when none is shown.
bool SetTrayIcon(Hicon icon, const std::string& tip);
// Takes the icon away; false when none is shown.
bool RemoveTrayIcon();

}  // namespace os
