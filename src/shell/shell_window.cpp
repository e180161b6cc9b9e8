#include "shell/shell_window.h"

#include "forms/twips.h"
#include "info/program_icons.h"
#include "info/site.h"
#include "platform/app.h"
#include "platform/browser.h"
#include "platform/global_hotkeys.h"
#include "platform/shell32.h"
#include "platform/text.h"
#include "settings/stored_settings.h"
#include "shell/app.h"
#include "shell/notify_icon.h"

namespace {
constexpr std::uint32_t kTrayId = 1;
constexpr const char* kTip = "Lisotra v2.0";
constexpr float kDesignWidth = 5175;  // twips
constexpr float kDesignHeight = 2850;

os::Hicon TrayIconPicture() {
    static const os::Hicon icon = os::CreateStoredIcon(os::StoredIcon::Tray, program_icons::TrayIcon);
    return icon;
}
os::Hicon SampleIconPicture() {
    static const os::Hicon icon = os::CreateIconFromImages(program_icons::SampleIcon());
    return icon;
}
}  // namespace

ShellWindow::ShellWindow(App& app)
    : Form({os::WindowKind::Hidden, "System Tray Sample Application", os::TwipsToPixelsX(kDesignWidth),
            os::TwipsToPixelsY(kDesignHeight)}),
      trayOwner(*this, {.rect = {0, 0, 32, 32}, .visible = false}),
      app_(app),
      menu_{{"showHide", "&Show/Hide Form", [this] { ToggleReadingPanel(); }},
            {"separator", "-", nullptr},
            {"settings", "Settings", [this] { OpenSettings(); }},
            {"separator", "-", nullptr},
            {"help", "Help", [this] { OpenHelp(); }},
            {"about", "About", [this] { OpenAbout(); }},
            {"separator", "-", nullptr},
            {"donate", "Donate", [this] { OpenDonate(); }},
            {"separator", "-", nullptr},
            {"exit", "E&xit", [this] { Exit(); }}} {
    trayOwner.MouseMove = [this](int, int, float x, float) { OnTrayNotification(x); };
}

ShellWindow::~ShellWindow() {
    hotkeys_.UnregisterAll();
    os::SetHotkeyHandler(nullptr);
}

void ShellWindow::OnLoad() {
    // Only the icon the tray shows now: the sample icon is made when a sample button first wants it.
    trayIcon_ = TrayIconPicture();
    notify_icon::Add(trayOwner.hWnd(), kTrayId, trayIcon_, kTip);
    showLetter_ = settings::ReadLetter(settings::kShowLetter, settings::kDefaultShowLetter);
    hideLetter_ = settings::ReadLetter(settings::kHideLetter, settings::kDefaultHideLetter);
    os::SetHotkeyHandler([this](int id) { OnHotkey(id); });
    hotkeys_.RegisterNext(kCtrlAlt, settings::LetterKeyCode(showLetter_));
    hotkeys_.RegisterNext(kCtrlAlt, settings::LetterKeyCode(hideLetter_));
}

void ShellWindow::OnHotkey(int id) {
    if (id == static_cast<int>(HotkeyId::Show)) {
        app_.panel->SetVisible(true);  // a reference creates and loads the panel first
        app_.panel->Show();
    } else if (id == static_cast<int>(HotkeyId::Hide)) {
        app_.panel->SetVisible(false);
        app_.panel->Unload();  // stores the geometry and destroys the panel
    }
}

bool ShellWindow::CanUnload(os::CloseReason) {
    Hide();
    return false;
}

void ShellWindow::OnTrayNotification(float x) {
    // The notification area reports the mouse message as the X of a move, in pixels; compared
    // exactly, as a whole number of pixels.
    const float message = x / os::TwipsPerPixelX();
    if (message == static_cast<float>(os::WM_LBUTTONUP) || message == static_cast<float>(os::WM_RBUTTONUP)) {
        PopupMenu(menu_);
    } else if (message == static_cast<float>(os::WM_LBUTTONDBLCLK)) {
        ToggleReadingPanel();
    }
}

void ShellWindow::ToggleReadingPanel() {
    if (app_.panel->Visible()) {  // a reference loads the panel, not yet visible
        app_.panel->SetVisible(false);
        app_.panel->Unload();
    } else {
        app_.panel->SetVisible(true);
        app_.panel->Show();
    }
}

void ShellWindow::OpenSettings() {
    app_.settings->Show();
}

std::string ShellWindow::BindLetters(const std::string& show, const std::string& hide) {
    hotkeys_.UnregisterAll();
    std::string refused;
    for (const std::string& letter : {show, hide}) {
        if (!hotkeys_.RegisterNext(kCtrlAlt, settings::LetterKeyCode(letter))) {
            refused += std::string(refused.empty() ? "" : " and ") + "CTRL+Alt+" + os::FirstCharacter(letter);
        }
    }
    return refused;
}

void ShellWindow::OpenAbout() { app_.about->Show(); }
void ShellWindow::OpenDonate() { app_.donate->Show(); }

void ShellWindow::OpenHelp() {
    os::OpenInBrowser(site::Page("/support/"));
}

void ShellWindow::Exit() {
    notify_icon::Delete(trayOwner.hWnd(), kTrayId);
    // The panel's place is remembered between runs, also when the program ends while it is out.
    if (app_.panel.Exists()) app_.panel->SaveGeometry();
    os::End();
}

os::Hicon ShellWindow::SampleIcon() const { return SampleIconPicture(); }

void ShellWindow::AddSampleIcon() { notify_icon::Add(trayOwner.hWnd(), kTrayId, trayIcon_, "Quenby"); }

void ShellWindow::ModifySampleIcon() {
    notify_icon::Modify(trayOwner.hWnd(), kTrayId, SampleIcon(), "New Icon and Tooltip!");
}

void ShellWindow::RemoveSampleIcon() { notify_icon::Delete(trayOwner.hWnd(), kTrayId); }
