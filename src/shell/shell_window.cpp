#include "shell/shell_window.h"

#include "forms/twips.h"
#include "info/program_icons.h"
#include "info/site.h"
#include "platform/app.h"
#include "platform/browser.h"
#include "platform/global_hotkeys.h"
#include "platform/text.h"
#include "platform/tray.h"
#include "settings/stored_settings.h"
#include "shell/app.h"

namespace {
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
    : Form({os::WindowKind::Hidden, "System Tray Sample Application", forms::TwipsToPixelsX(kDesignWidth),
            forms::TwipsToPixelsY(kDesignHeight)}),
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
            {"exit", "E&xit", [this] { Exit(); }}} {}

ShellWindow::~ShellWindow() {
    hotkeys_.UnregisterAll();
    os::SetHotkeyHandler(nullptr);
    os::SetTrayHandler(nullptr);
    os::RemoveTrayIcon();
}

void ShellWindow::OnLoad() {
    // Only the icon the tray shows now: the sample icon is made when a sample button first wants it.
    trayIcon_ = TrayIconPicture();
    os::SetTrayHandler([this](os::TrayEvent event) { OnTrayEvent(event); });
    os::ShowTrayIcon(trayIcon_, kTip);
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

void ShellWindow::OnTrayEvent(os::TrayEvent event) {
    switch (event) {
    case os::TrayEvent::Clicked:
    case os::TrayEvent::MenuAsked: PopupMenu(menu_); break;
    case os::TrayEvent::DoubleClicked: ToggleReadingPanel(); break;
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
    os::RemoveTrayIcon();
    // The panel's place is remembered between runs, also when the program ends while it is out.
    if (app_.panel.Exists()) app_.panel->SaveGeometry();
    os::End();
}

os::Hicon ShellWindow::SampleIcon() const { return SampleIconPicture(); }

// Shown only while none is: the icon shown keeps its picture and tip.
void ShellWindow::AddSampleIcon() { os::ShowTrayIcon(trayIcon_, "Quenby"); }

void ShellWindow::ModifySampleIcon() { os::SetTrayIcon(SampleIcon(), "New Icon and Tooltip!"); }

void ShellWindow::RemoveSampleIcon() { os::RemoveTrayIcon(); }
