#include "shell/app.h"

#include <memory>
#include <string>

App::App()
    : shell([this] { return std::make_unique<ShellWindow>(*this); }),
      settings([this] {
          auto dialog = std::make_unique<SettingsDialog>();
          // Without a shell window no hotkey is bound, so none can be refused.
          dialog->BindLetters = [this](const std::string& show, const std::string& hide) {
              return shell.Exists() ? shell->BindLetters(show, hide) : std::string();
          };
          dialog->OpenColorPicker = [this] { picker->Show(); };
          return dialog;
      }),
      picker([this] {
          auto dialog = std::make_unique<ColorPickerDialog>();
          // The chosen colour goes to the settings dialog; a closed one loads for it, hidden.
          dialog->ColorChosen = [this](os::COLORREF color) { settings->SetColor(color); };
          return dialog;
      }) {}
