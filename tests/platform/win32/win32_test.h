// A fresh run of the program's state on the real (wine) desktop, for each test. Include it after
// the program's headers: the macros of <windows.h> share names with os:: values (WM_CLOSE,
// MOD_ALT, ...), so below it tests use the Windows names.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/native_window.h"
#include "platform/win32/realisation.h"

class Win32Test : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Handles every message waiting, as the message loop would.
    static void Pump();
    // The program's stored text, read straight from the registry; "<absent>" when there is none.
    static std::string Stored(const std::string& section, const std::string& key);
    static void Store(const std::string& section, const std::string& key, const std::string& value);
};

inline HWND Native(os::Hwnd window) { return reinterpret_cast<HWND>(window); }
inline LONG_PTR ExStyle(HWND window) { return GetWindowLongPtrW(window, GWL_EXSTYLE); }
inline RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}
