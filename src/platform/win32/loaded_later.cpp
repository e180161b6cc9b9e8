// Common controls and COM, loaded the first time they are needed rather than when the program
// starts. Start-up needs neither (the tray icon, the letters and the hotkeys are user32, gdi32,
// shell32 and advapi32). Imported, they were loaded and set up before the first line of the
// program ran: comctl32 registers its twenty-odd window classes, ole32 brings rpcrt4 and combase;
// under wine that was more than a quarter of the idle program's private memory.
// The manifest still names common controls 6, so the comctl32 loaded here is that one.
#include "platform/win32/realisation.h"

#include <objbase.h>

namespace os::win32 {

namespace {

template <typename Function>
Function Find(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

HMODULE CommonControls() {
    static const HMODULE module = LoadLibraryW(L"comctl32.dll");
    return module;
}

}  // namespace

bool LoadCommonControls() { return CommonControls() != nullptr; }

BOOL SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
    using Function = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR);
    static const Function function = Find<Function>(CommonControls(), "SetWindowSubclass");
    return function ? function(window, procedure, id, data) : FALSE;
}

BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
    using Function = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR);
    static const Function function = Find<Function>(CommonControls(), "RemoveWindowSubclass");
    return function ? function(window, procedure, id) : FALSE;
}

LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    using Function = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);
    static const Function function = Find<Function>(CommonControls(), "DefSubclassProc");
    // Only a window subclassed through SetWindowSubclass gets here, so comctl32 is loaded.
    return function ? function(window, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes) {
    using Function = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static const Function function = Find<Function>(CommonControls(), "InitCommonControlsEx");
    return function ? function(classes) : FALSE;
}

namespace {
HMODULE Com() {
    static const HMODULE module = LoadLibraryW(L"ole32.dll");
    return module;
}
}  // namespace

HRESULT InitializeCom() {
    using Function = HRESULT(WINAPI*)(LPVOID, DWORD);
    static const HRESULT result = [] {
        const auto initialize = Find<Function>(Com(), "CoInitializeEx");
        return initialize ? initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE) : E_FAIL;
    }();
    return result;
}

HRESULT CreateComObject(REFCLSID type, REFIID kind, void** object) {
    *object = nullptr;
    if (FAILED(InitializeCom())) return E_FAIL;
    using Function = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    static const Function create = Find<Function>(Com(), "CoCreateInstance");
    return create ? create(type, nullptr, CLSCTX_INPROC_SERVER, kind, object) : E_FAIL;
}

}  // namespace os::win32
