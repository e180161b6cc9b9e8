// Common controls and COM, loaded when first needed: the comctl32 that comes is version 6, as the
// manifest asks, the subclass calls reach it, and COM is a single-threaded apartment on the
// calling thread.
#include "platform/native_window.h"
#include "win32_test.h"

#include <objbase.h>

#include <memory>
#include <string>

namespace {

using Win32LoadedLater = Win32Test;

struct QuietBox : os::NativeCheckBoxEvents {
    void OnUserSetValue(int) override {}
};

constexpr UINT kAsked = WM_APP + 7;

// Answers kAsked itself and counts what else passes through it.
LRESULT CALLBACK Answering(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    if (message == kAsked) return 42;
    if (message == WM_APP + 8) ++*reinterpret_cast<int*>(data);
    return os::win32::DefSubclassProc(window, message, wParam, lParam);
}

HWND PlainWindow() {
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

TEST_F(Win32LoadedLater, TheFirstCheckBoxBringsCommonControlsSix) {
    QuietWindow formEvents;
    os::WindowDesign design;
    design.kind = os::WindowKind::SizableToolWindow;
    design.caption = "Check box host";
    design.clientWidth = 120;
    design.clientHeight = 40;
    auto form = os::CreateNativeWindow(design, formEvents);
    QuietBox boxEvents;
    os::CheckBoxDesign boxDesign;
    boxDesign.rect = {4, 4, 100, 20};
    boxDesign.caption = "Box";
    auto box = os::CreateNativeCheckBox(*form, boxDesign, boxEvents);

    // Version 6 lives side by side, in its own assembly's folder; the system folder's is 5.
    HMODULE comctl32 = GetModuleHandleW(L"comctl32.dll");
    ASSERT_NE(comctl32, nullptr);
    wchar_t path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(comctl32, path, MAX_PATH), 0u);
    CharLowerW(path);
    EXPECT_NE(std::wstring(path).find(L"microsoft.windows.common-controls"), std::wstring::npos) << path;
}

TEST_F(Win32LoadedLater, SubclassCallsChainAndUnchainAProcedure) {
    HWND window = PlainWindow();
    ASSERT_NE(window, nullptr);
    int passed = 0;
    ASSERT_TRUE(os::win32::SetWindowSubclass(window, Answering, 1, reinterpret_cast<DWORD_PTR>(&passed)));
    EXPECT_EQ(SendMessageW(window, kAsked, 0, 0), 42);
    SendMessageW(window, WM_APP + 8, 0, 0);
    EXPECT_EQ(passed, 1);
    // What the subclass does not answer reaches the class procedure.
    SetWindowTextW(window, L"through");
    wchar_t text[16] = {};
    GetWindowTextW(window, text, 16);
    EXPECT_STREQ(text, L"through");

    EXPECT_TRUE(os::win32::RemoveWindowSubclass(window, Answering, 1));
    EXPECT_EQ(SendMessageW(window, kAsked, 0, 0), 0);
    SendMessageW(window, WM_APP + 8, 0, 0);
    EXPECT_EQ(passed, 1);
    EXPECT_FALSE(os::win32::RemoveWindowSubclass(window, Answering, 1));
    DestroyWindow(window);
}

TEST_F(Win32LoadedLater, ComIsASingleThreadedApartmentOnTheCallingThread) {
    const HRESULT first = os::win32::InitializeCom();
    EXPECT_TRUE(SUCCEEDED(first));
    EXPECT_EQ(os::win32::InitializeCom(), first);  // once
    // The thread is in an apartment already, and not a multi-threaded one.
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
}

}  // namespace
