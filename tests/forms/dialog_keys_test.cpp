// The dialog keyboard scenario on the in-memory desktop's dialog navigation.
#include "forms/dialog_keys_scenario.h"
#include "platform/headless/headless.h"
#include "support/fresh_process.h"

namespace {

class HeadlessKeysDesktop final : public dialog_keys::Desktop {
public:
    void Open() override { headless::Run([] { dialog_keys::sample->Show(); }); }
    void Press(dialog_keys::Key key) override {
        const os::Hwnd window = dialog_keys::sample->hWnd();
        if (key == dialog_keys::Key::ShiftTab) return headless::PressShiftTab(window);
        const unsigned keys[] = {os::VK_TAB, 0, os::VK_RETURN, os::VK_SPACE, os::VK_ESCAPE};  // in Key's order
        headless::PressKey(window, keys[static_cast<int>(key)]);
    }
    void PressAlt(char letter) override { headless::PressAccessKey(dialog_keys::sample->hWnd(), letter); }
    os::Hwnd Focus() override {
        for (const os::Hwnd window : headless::Windows()) {
            if (headless::Window(window)->active) return headless::Window(window)->focus;
        }
        return {};
    }
    bool Active(const dialog_keys::Sample& dialog) override { return headless::Window(dialog.hWnd())->active; }
    bool Until(const std::function<bool()>& done) override { return done(); }  // every key acts at once
};

}  // namespace

using DialogKeys = ProgramTest;

TEST_F(DialogKeys, ADialogWorksByKeyboardAlone) {
    HeadlessKeysDesktop desktop;
    dialog_keys::Play(desktop);
}
