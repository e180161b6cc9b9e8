#include "shell/mSubClass.h"

#include "panel/reading_panel.h"
#include "platform/user32.h"

namespace mSubClass {

os::LRESULT ShellWindowProc(os::Hwnd window, unsigned message, os::WPARAM wParam, os::LPARAM lParam) {
    if (message != os::WM_HOTKEY) return os::CallWindowProcA(PreviousWindowProc, window, message, wParam, lParam);
    if (wParam == kShowPanel) {
        Form1->SetVisible(true);  // a reference creates and loads the panel first
        Form1->Show();
    } else if (wParam == kHidePanel) {
        Form1->SetVisible(false);
        Form1->Unload();  // stores the geometry and destroys the panel
    }
    return 0;
}

void Install(os::Hwnd window) {
    PreviousWindowProc = reinterpret_cast<os::WNDPROC>(
        os::SetWindowLongA(window, os::GWL_WNDPROC, reinterpret_cast<os::LONG_PTR>(&ShellWindowProc)));
}

}  // namespace mSubClass
