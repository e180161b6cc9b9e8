#include "platform/win32/dialog_navigation.h"

#include <algorithm>
#include <cstring>

namespace os::win32 {

namespace {

constexpr wchar_t kDialogMark[] = L"LisotraDialog";

// The system names the class so, whatever case it was created by.
bool IsStaticText(HWND window) {
    wchar_t name[8] = {};
    return GetClassNameW(window, name, 8) == 6 && std::memcmp(name, L"Static", sizeof L"Static") == 0;
}

bool Listed(const std::vector<Hwnd>& order, HWND window) {
    return std::find(order.begin(), order.end(), reinterpret_cast<Hwnd>(window)) != order.end();
}

BOOL CALLBACK SetTabStop(HWND child, LPARAM data) {
    const auto& order = *reinterpret_cast<const std::vector<Hwnd>*>(data);
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    const LONG_PTR wanted = Listed(order, child) ? style | WS_TABSTOP : style & ~static_cast<LONG_PTR>(WS_TABSTOP);
    if (wanted != style) SetWindowLongPtrW(child, GWL_STYLE, wanted);
    return TRUE;
}

}  // namespace

void MarkAsDialog(HWND window) { SetPropW(window, kDialogMark, reinterpret_cast<HANDLE>(1)); }

void UnmarkDialog(HWND window) { RemovePropW(window, kDialogMark); }

void HandleMessage(MSG& message) {
    // IsDialogMessage takes only what belongs to the dialog: its own messages and its controls'.
    const HWND active = GetActiveWindow();
    if (active && GetPropW(active, kDialogMark) && IsDialogMessageW(active, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void ArrangeTabOrder(HWND form, const std::vector<Hwnd>& order) {
    EnumChildWindows(form, SetTabStop, reinterpret_cast<LPARAM>(&order));
    // Placed from the last to the first, each at the top of its siblings: the first ends first,
    // and a window that holds controls (a user control's) ends where its first control is.
    constexpr UINT kZOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const HWND control = reinterpret_cast<HWND>(*it);
        HWND label = GetWindow(control, GW_HWNDPREV);
        for (HWND window = control; window && window != form; window = GetParent(window)) {
            SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, kZOrderOnly);
        }
        // The labels, nearest first, to the top in turn: they stay one run, just before it. What
        // went to the top before them ends in a control, where the run stops.
        while (label && IsStaticText(label)) {
            const HWND before = GetWindow(label, GW_HWNDPREV);
            SetWindowPos(label, HWND_TOP, 0, 0, 0, 0, kZOrderOnly);
            label = before;
        }
    }
}

void MoveDialogFocus(HWND form, WPARAM wParam, LPARAM lParam) {
    HWND target = nullptr;
    if (LOWORD(lParam)) {
        target = reinterpret_cast<HWND>(wParam);
    } else {
        const HWND focus = GetFocus();
        target = GetNextDlgTabItem(form, focus && IsChild(form, focus) ? focus : nullptr, wParam != 0);
    }
    if (!target || !IsChild(form, target)) return;
    // A text box reached by the keyboard has its whole text selected, to type over.
    if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
    SetFocus(target);
}

}  // namespace os::win32
