#include "shell/tray_window.h"

#include "panel/reading_panel.h"
#include "platform/app.h"
#include "platform/text.h"
#include "settings/stored_settings.h"
#include "shell/mHotKey.h"
#include "shell/mSubClass.h"

namespace {
// The key code of a letter text: the ANSI code of its first character, as a 16-bit code.
std::int16_t KeyCode(const std::string& letter) { return static_cast<std::int16_t>(os::AnsiCharCode(letter)); }
}  // namespace

TrayWindow::TrayWindow()
    : Form({os::WindowKind::Hidden, "System Tray Sample Application", os::TwipsToPixelsX(5175),
            os::TwipsToPixelsY(2850)}) {}

void TrayWindow::Form_Load() {
    Text3.Text = settings::ReadLetter(settings::kShowLetter, "S");
    Text4.Text = settings::ReadLetter(settings::kHideLetter, "L");
    mSubClass::Install(hWnd());
    mHotKey::RegisterNextHotKey(hWnd(), mHotKey::kCtrlAlt, KeyCode(Text3.Text));
    mHotKey::RegisterNextHotKey(hWnd(), mHotKey::kCtrlAlt, KeyCode(Text4.Text));
}

void TrayWindow::Form_QueryUnload(int& cancel, int) {
    cancel = 1;
    Hide();
}

void TrayWindow::mnuPopupMenuExit_Click() {
    // The panel's place is remembered between runs, also when the program ends while it is out.
    if (Form1.Exists()) Form1->SaveGeometry();
    os::End();
}
