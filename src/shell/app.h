// The program's windows and who owns them: the shell window, the reading panel and the dialogs,
// each built when first asked for and gone when unloaded. The dialogs talk back through the
// callbacks wired here. Destroying the app tears the windows down in order: the dialogs first,
// the panel, then the shell window (which gives the hotkeys and the tray icon back).
#pragma once

#include "colorpicker/color_picker_dialog.h"
#include "forms/form.h"
#include "info/about_box.h"
#include "info/donate_window.h"
#include "panel/reading_panel.h"
#include "settings/settings_dialog.h"
#include "shell/shell_window.h"

class App {
public:
    App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Start-up: the shell window loads, with its tray icon and hotkeys.
    void Start() { shell.Get(); }

    // Declared in the order they are torn down backwards.
    forms::FormSlot<ShellWindow> shell;
    forms::FormSlot<ReadingPanel> panel;
    forms::FormSlot<SettingsDialog> settings;
    forms::FormSlot<ColorPickerDialog> picker;
    forms::FormSlot<AboutBox> about;
    forms::FormSlot<DonateWindow> donate;
};
