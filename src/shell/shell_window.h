// The hidden shell window: the program's start-up object. It owns the tray icon and its menu,
// holds the hotkey letters and the hotkeys and acts on their presses, refuses every request to
// close it, and ends the program through Exit.
#pragma once

#include <string>
#include <vector>

#include "forms/form.h"
#include "platform/picture.h"
#include "platform/tray.h"
#include "shell/hotkeys.h"

class App;

class ShellWindow : public forms::Form {
public:
    // The panel and the dialogs it opens are the app's.
    explicit ShellWindow(App& app);
    // Gives the hotkeys back and takes the tray icon away: a press or a click after this reaches
    // no window.
    ~ShellWindow() override;

    const std::string& ShowLetter() const { return showLetter_; }
    const std::string& HideLetter() const { return hideLetter_; }
    HotkeyRegistrar& Hotkeys() { return hotkeys_; }

    os::Hicon TrayIcon() const { return trayIcon_; }
    os::Hicon SampleIcon() const;  // made on first use

    // The tray menu, in its order.
    const std::vector<os::MenuItem>& TrayMenu() const { return menu_; }

    void ToggleReadingPanel();
    // Binds the hotkeys again, the show letter's first; the combinations refused, in words.
    std::string BindLetters(const std::string& show, const std::string& hide);
    void OpenSettings();
    void OpenHelp();
    void OpenAbout();
    void OpenDonate();
    [[noreturn]] void Exit();

    // The sample buttons (the window is never shown; they are there to try the tray calls).
    void AddSampleIcon();
    void ModifySampleIcon();
    void RemoveSampleIcon();

    // Hotkeys 1 and 2 show and hide the reading panel; any other id does nothing.
    void OnHotkey(int id);

protected:
    void OnLoad() override;
    bool CanUnload(os::CloseReason reason) override;

private:
    // A click or a right click on the tray icon opens the tray menu, a double-click shows or
    // hides the reading panel.
    void OnTrayEvent(os::TrayEvent event);

    App& app_;
    std::string showLetter_;
    std::string hideLetter_;
    HotkeyRegistrar hotkeys_;
    os::Hicon trayIcon_{};
    std::vector<os::MenuItem> menu_;
};
