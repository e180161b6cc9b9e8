// The settings dialog: the two hotkey letters, whether the panel stays on top, whether the program
// starts at log-on, and the panel's colour. It reads the store when it loads; OK stores what it
// shows, registers the hotkeys again and closes it. Closing it otherwise stores nothing.
#pragma once

#include <string>

#include "forms/controls.h"
#include "forms/form.h"
#include "startup/run_at_startup.h"

class SettingsDialog : public os::Form {
public:
    SettingsDialog();

    // The colour swatch: what OK stores as the panel's colour.
    os::COLORREF Color() const { return swatch.BackColor(); }
    void SetColor(os::COLORREF color) { swatch.SetBackColor(color); }

    // In the order they are laid out; each letter box after the label it sits on.
    RunAtStartupBox runAtStartup;
    os::CheckBox onTop;
    os::CommandButton colorButton;
    os::PictureBox swatch;
    os::Label showLabel;
    os::TextBox showLetter;
    os::Label hideLabel;
    os::TextBox hideLetter;
    os::CommandButton okButton;

    void Confirm();      // OK
    void ChooseColor();  // the colour button

protected:
    void OnLoad() override;
};

inline os::FormRef<SettingsDialog> settingsDialog;
