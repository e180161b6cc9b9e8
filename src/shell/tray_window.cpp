#include "shell/tray_window.h"

#include "panel/reading_panel.h"
#include "platform/app.h"
#include "platform/shell32.h"
#include "platform/text.h"
#include "settings/stored_settings.h"
#include "shell/mHotKey.h"
#include "shell/mSubClass.h"
#include "shell/modSystray.h"
#include "shell/site.h"
#include "shell/tray_icons.h"

namespace {
constexpr std::int32_t kTrayId = 1;
constexpr const char* kTip = "Lisotra v2.0";

// The mouse messages the notification area reports for the icon.
constexpr float kLeftUp = 514;
constexpr float kLeftDoubleClick = 515;
constexpr float kRightUp = 517;

// The key code of a letter text: the ANSI code of its first character, as a 16-bit code.
std::int16_t KeyCode(const std::string& letter) { return static_cast<std::int16_t>(os::AnsiCharCode(letter)); }

os::Hicon TrayIconPicture() {
    static const os::Hicon icon = os::CreateIconFromImages(tray_icons::TrayIcon());
    return icon;
}
os::Hicon SampleIconPicture() {
    static const os::Hicon icon = os::CreateIconFromImages(tray_icons::SampleIcon());
    return icon;
}
}  // namespace

TrayWindow::TrayWindow()
    : Form({os::WindowKind::Hidden, "System Tray Sample Application", os::TwipsToPixelsX(5175),
            os::TwipsToPixelsY(2850)}),
      picSystemTray(*this, {{0, 0, 32, 32}, false}),
      menu_{{"mnuPopupMenuShowForm", "&Show/Hide Form", [this] { mnuPopupMenuShowForm_Click(); }},
            {"mnuPopupMenuSeperator1", "-", nullptr},
            {"mnuSettings", "Settings", [this] { mnuSettings_Click(); }},
            {"mnuPopupMenuSeperator2", "-", nullptr},
            {"mnuHelp", "Help", [this] { mnuHelp_Click(); }},
            {"mnuAbout", "About", [this] { mnuAbout_Click(); }},
            {"Spacer444", "-", nullptr},
            {"mnuDonate", "Donate", [this] { mnuDonate_Click(); }},
            {"MnuSpacer", "-", nullptr},
            {"mnuPopupMenuExit", "E&xit", [this] { mnuPopupMenuExit_Click(); }}} {
    picSystemTray.MouseMove = [this](std::int16_t& button, std::int16_t& shift, float& x, float& y) {
        picSystemTray_MouseMove(button, shift, x, y);
    };
}

void TrayWindow::Form_Load() {
    picSystemTrayIcon1.Picture = TrayIconPicture();
    picSystemTrayIcon2.Picture = SampleIconPicture();
    modSystray::AddTrayIcon(picSystemTray.hWnd(), kTrayId, picSystemTrayIcon1.Picture, kTip);
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

void TrayWindow::picSystemTray_MouseMove(std::int16_t, std::int16_t, float& x, float) {
    // The notification area reports a mouse message as a move whose X, in pixels, is the message.
    x = x / os::TwipsPerPixelX();
    if (x == kLeftUp) {
        PopupMenu(menu_);
    } else if (x == kLeftDoubleClick) {
        mnuPopupMenuShowForm_Click();
    } else if (x == kRightUp) {
        PopupMenu(menu_);
    }
}

void TrayWindow::mnuPopupMenuShowForm_Click() {
    if (Form1->Visible()) {  // a reference loads the panel, not yet visible
        Form1->SetVisible(false);
        Form1->Unload();
    } else {
        Form1->SetVisible(true);
        Form1->Show();
    }
}

// The settings dialog, the About box and the donate window open from here once they exist.
void TrayWindow::mnuSettings_Click() {}
void TrayWindow::mnuAbout_Click() {}
void TrayWindow::mnuDonate_Click() {}

void TrayWindow::mnuHelp_Click() {
    // Show command 1: the browser's window must come up, not stay hidden.
    os::ShellExecuteA(hWnd(), "OPEN", site::Page("/support/").c_str(), "", "", 1);
}

void TrayWindow::mnuPopupMenuExit_Click() {
    modSystray::DeleteTrayIcon(picSystemTray.hWnd(), kTrayId);
    // The panel's place is remembered between runs, also when the program ends while it is out.
    if (Form1.Exists()) Form1->SaveGeometry();
    os::End();
}

void TrayWindow::cmdAddIcon_Click() {
    modSystray::AddTrayIcon(picSystemTray.hWnd(), kTrayId, picSystemTrayIcon1.Picture, "Quenby");
}

void TrayWindow::cmdModifyIcon_Click() {
    mdlSystemTray::ModifyTrayIcon(picSystemTray.hWnd(), kTrayId, picSystemTrayIcon2.Picture, "New Icon and Tooltip!");
}

void TrayWindow::cmdRemoveIcon_Click() { modSystray::DeleteTrayIcon(picSystemTray.hWnd(), kTrayId); }
