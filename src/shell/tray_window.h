// The hidden shell window: the program's start-up object. It owns the tray icon and its menu,
// holds the hotkey letters, receives the hotkeys, refuses every request to close it, and ends the
// program through Exit.
#pragma once

#include <string>
#include <vector>

#include "forms/controls.h"
#include "forms/form.h"
#include "platform/picture.h"

class TrayWindow : public os::Form {
public:
    TrayWindow();

    struct TextBox {
        std::string Text;
    };
    struct PictureHolder {
        os::Hicon Picture{};
    };
    TextBox Text3;  // show-hotkey letter
    TextBox Text4;  // hide-hotkey letter
    os::PictureBox picSystemTray;  // owner of the tray icon; its notifications arrive as mouse moves
    PictureHolder picSystemTrayIcon1;
    PictureHolder picSystemTrayIcon2;

    // The tray menu, in its order.
    const std::vector<os::MenuItem>& mnuPopupMenu() const { return menu_; }

    void picSystemTray_MouseMove(std::int16_t button, std::int16_t shift, float& x, float y);
    void mnuPopupMenuShowForm_Click();
    void mnuSettings_Click();
    void mnuHelp_Click();
    void mnuAbout_Click();
    void mnuDonate_Click();
    [[noreturn]] void mnuPopupMenuExit_Click();

    // The sample buttons (the window is never shown; they are there to try the tray calls).
    void cmdAddIcon_Click();
    void cmdModifyIcon_Click();
    void cmdRemoveIcon_Click();

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;

private:
    std::vector<os::MenuItem> menu_;
};

inline os::FormRef<TrayWindow> frmTray;
