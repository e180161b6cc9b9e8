// The hidden shell window: the program's start-up object. It holds the hotkey letters, receives
// the hotkeys, refuses every request to close it, and ends the program through Exit.
#pragma once

#include <string>

#include "platform/form.h"

class TrayWindow : public os::Form {
public:
    TrayWindow();

    struct TextBox {
        std::string Text;
    };
    TextBox Text3;  // show-hotkey letter
    TextBox Text4;  // hide-hotkey letter

    [[noreturn]] void mnuPopupMenuExit_Click();

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
};

inline os::FormRef<TrayWindow> frmTray;
