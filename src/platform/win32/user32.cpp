// The user32 calls of the program, forwarded to the real ones. The values are Windows' own, so a
// handle or flag passes through unchanged.
#include "platform/user32.h"

#include <windows.h>

#include "platform/win32/realisation.h"

namespace os {

namespace {
HWND Native(Hwnd window) { return reinterpret_cast<HWND>(window); }

// The program's indices are the 32-bit ones; GWL_WNDPROC names the pointer-sized slot.
int NativeIndex(int index) { return index == GWL_WNDPROC ? GWLP_WNDPROC : index; }

// A window procedure the program sets is entered from the desktop like every other handler, so it
// runs guarded: the window's procedure is GuardedProcedure, which calls the program's, kept in a
// window property.
constexpr wchar_t kProgramProcedure[] = L"Lisotra.ProgramProcedure";

LRESULT CALLBACK GuardedProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    struct Call {
        HWND window;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT result;
    } call{window, message, wParam, lParam, 0};
    const auto procedure = reinterpret_cast<::WNDPROC>(GetPropW(window, kProgramProcedure));
    if (!procedure) return DefWindowProcA(window, message, wParam, lParam);
    win32::RunGuarded([&call, procedure] {
        call.result = ::CallWindowProcA(procedure, call.window, call.message, call.wParam, call.lParam);
    });
    if (message == WM_NCDESTROY) RemovePropW(window, kProgramProcedure);
    return call.result;
}

LONG_PTR ProgramProcedure(HWND window) { return reinterpret_cast<LONG_PTR>(GetPropW(window, kProgramProcedure)); }
}  // namespace

int RegisterHotKey(Hwnd window, int id, unsigned modifiers, unsigned virtualKey) {
    return ::RegisterHotKey(Native(window), id, modifiers, virtualKey) ? 1 : 0;
}

int UnregisterHotKey(Hwnd window, int id) { return ::UnregisterHotKey(Native(window), id) ? 1 : 0; }

LONG_PTR SetWindowLongA(Hwnd window, int index, LONG_PTR value) {
    const HWND native = Native(window);
    if (index != GWL_WNDPROC || !IsWindow(native)) return ::SetWindowLongPtrA(native, NativeIndex(index), value);
    const LONG_PTR before = ProgramProcedure(native);
    SetPropW(native, kProgramProcedure, reinterpret_cast<HANDLE>(value));
    const LONG_PTR previous = ::SetWindowLongPtrA(native, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GuardedProcedure));
    return previous == reinterpret_cast<LONG_PTR>(&GuardedProcedure) ? before : previous;
}

LONG_PTR GetWindowLongA(Hwnd window, int index) {
    const LONG_PTR value = ::GetWindowLongPtrA(Native(window), NativeIndex(index));
    return index == GWL_WNDPROC && value == reinterpret_cast<LONG_PTR>(&GuardedProcedure) ? ProgramProcedure(Native(window)) : value;
}

LRESULT CallWindowProcA(WNDPROC previous, Hwnd window, unsigned message, WPARAM wParam, LPARAM lParam) {
    // The previous procedure may be a handle that only CallWindowProcA understands (a procedure
    // of the other character set), never call it directly.
    return ::CallWindowProcA(reinterpret_cast<::WNDPROC>(previous), Native(window), message, wParam, lParam);
}

LRESULT SendMessageA(Hwnd window, unsigned message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageA(Native(window), message, wParam, lParam);
}

int SetWindowPos(Hwnd window, Hwnd insertAfter, int x, int y, int cx, int cy, unsigned flags) {
    return ::SetWindowPos(Native(window), Native(insertAfter), x, y, cx, cy, flags) ? 1 : 0;
}

int SetLayeredWindowAttributes(Hwnd window, COLORREF key, unsigned char alpha, unsigned flags) {
    return ::SetLayeredWindowAttributes(Native(window), key, alpha, flags) ? 1 : 0;
}

}  // namespace os
