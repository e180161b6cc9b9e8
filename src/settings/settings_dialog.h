// The settings dialog: the two hotkey letters, whether the panel stays on top, whether the program
// starts at log-on, and the panel's colour and opacity. It reads the store when it loads; OK stores
// what it shows, has its opener bind the hotkeys to the letters again and closes it. Closing it
// otherwise stores nothing.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "forms/controls.h"
#include "forms/form.h"
#include "startup/run_at_startup.h"

class SettingsDialog : public forms::Form {
public:
    SettingsDialog();

    // The colour swatch: what OK stores as the panel's colour.
    os::COLORREF Color() const { return swatch.BackColor(); }
    void SetColor(os::COLORREF color) { swatch.SetBackColor(color); }

    // In the order they are laid out; each letter box after the label it sits on.
    RunAtStartupBox runAtStartup;
    forms::CheckBox onTop;
    forms::CommandButton colorButton;
    forms::PictureBox swatch;
    forms::Label showLabel;
    forms::TextBox showLetter;
    forms::Label hideLabel;
    forms::TextBox hideLetter;
    forms::CommandButton okButton;
    // Last in the focus order, after the swatch: the preset colours under it, and the panel's
    // opacity in percent beside "Always on top".
    std::array<forms::PictureBox, 5> presets;
    forms::Label opacityLabel;
    forms::TextBox opacityBox;

    // Set by whoever opens the dialog: binds the hotkeys to the show and hide letters OK confirmed,
    // and gives back the combinations the desktop refused, in words ("CTRL+Alt+X and CTRL+Alt+Y"),
    // or nothing.
    std::function<std::string(const std::string& show, const std::string& hide)> BindLetters;
    // Set by whoever opens the dialog: opens the colour picker, whose colour comes back through SetColor.
    std::function<void()> OpenColorPicker;

    void Confirm();      // OK
    void ChooseColor();  // the colour button

protected:
    void OnLoad() override;

private:
    int shownOpacity_ = 0;  // the alpha the opacity box was loaded with
};

