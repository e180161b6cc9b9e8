// The program's headers come before <windows.h>, whose macros share names with os:: values.
#include "support/program.h"
#include "support/test_form.h"
#include "forms/form.h"
#include "platform/global_hotkeys.h"
#include "platform/settings_store.h"
#include "win32_test.h"
#include "platform/win32/dialog_navigation.h"
#include "platform/win32/wide.h"

#include <thread>
#include <utility>

namespace {
void ClearStore() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Lisotra"); }

struct MenuWatch {
    HWND owner = nullptr;
    WNDPROC previous = nullptr;
    std::function<void()> person;
};
MenuWatch watch;

const wchar_t* messageTitle = nullptr;
std::vector<std::string> messagesRead;

void CALLBACK ReadMessage(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND box = FindWindowW(L"#32770", messageTitle)) {
        wchar_t text[512] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 512);
        messagesRead.push_back(os::win32::Utf8(text));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
}

// The menu loop tells its owner when it waits for input: the menu is up then.
LRESULT CALLBACK Watching(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC previous = watch.previous;
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU && window == watch.owner) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        std::exchange(watch, {}).person();
    }
    return CallWindowProcW(previous, window, message, wParam, lParam);
}
}  // namespace

void Type(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        inputs.push_back(INPUT{INPUT_KEYBOARD, {.ki = {key, 0, 0, 0, 0}}});
        inputs.push_back(INPUT{INPUT_KEYBOARD, {.ki = {key, 0, KEYEVENTF_KEYUP, 0, 0}}});
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TypeWith(WORD modifier, WORD key) { TypeWith(std::vector<WORD>{modifier}, key); }

void TypeWith(const std::vector<WORD>& modifiers, WORD key) {
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers) inputs.push_back(INPUT{INPUT_KEYBOARD, {.ki = {modifier, 0, 0, 0, 0}}});
    inputs.push_back(INPUT{INPUT_KEYBOARD, {.ki = {key, 0, 0, 0, 0}}});
    inputs.push_back(INPUT{INPUT_KEYBOARD, {.ki = {key, 0, KEYEVENTF_KEYUP, 0, 0}}});
    for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) {
        inputs.push_back(INPUT{INPUT_KEYBOARD, {.ki = {*m, 0, KEYEVENTF_KEYUP, 0, 0}}});
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool InShell() {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = os::win32::HostWindow();
    data.uID = os::win32::kTrayIconId;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void NotifyFromShell(LPARAM mouseMessage) {
    std::thread([=] {
        SendNotifyMessageW(os::win32::HostWindow(), os::win32::kTrayMessage, os::win32::kTrayIconId, mouseMessage);
    }).join();
}

std::string WindowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return os::win32::Utf8(text);
}

void ClickAt(POINT at, DWORD down, DWORD up) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3]{};
    for (INPUT& input : inputs) input.type = INPUT_MOUSE;
    inputs[0].mi.dx = (at.x * 65536 + width / 2) / width;
    inputs[0].mi.dy = (at.y * 65536 + height / 2) / height;
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = down;
    inputs[2].mi.dwFlags = up;
    SendInput(3, inputs, sizeof(INPUT));
}

void ClickMenuItem(UINT index, DWORD down, DWORD up) {
    HWND popup = FindWindowW(L"#32768", nullptr);
    auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    RECT item{};
    GetMenuItemRect(nullptr, menu, index, &item);
    ClickAt({(item.left + item.right) / 2, (item.top + item.bottom) / 2}, down, up);
}

std::vector<std::string> PressReadingMessages(os::Hwnd button, const wchar_t* title) {
    messageTitle = title;
    messagesRead.clear();
    const UINT_PTR reader = SetTimer(nullptr, 0, 10, ReadMessage);
    SendMessageW(Native(button), BM_CLICK, 0, 0);
    KillTimer(nullptr, reader);
    Win32Test::Pump();
    return std::exchange(messagesRead, {});
}

void WhenMenuIsUp(HWND owner, std::function<void()> person) {
    if (watch.owner && IsWindow(watch.owner)) {  // the last one is still waiting: it goes
        SetWindowLongPtrW(watch.owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watch.previous));
    }
    watch = {};
    if (!owner) return;
    watch.owner = owner;
    watch.person = std::move(person);
    watch.previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Watching)));
}

void Win32Test::SetUp() { ClearStore(); }

void Win32Test::TearDown() {
    WhenMenuIsUp(nullptr, nullptr);
    Pump();
    EndProgram();
    DiscardTestForms();
    // The hotkeys go with their window, which the next test's first binding makes again.
    os::SetHotkeyHandler(nullptr);
    DestroyWindow(os::win32::HotkeyWindow());
    Pump();
    ClearStore();
}

void Win32Test::Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) os::win32::HandleMessage(message);
}

bool Win32Test::PumpUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 250; ++i) {
        Pump();
        if (done()) return true;
        Sleep(20);
    }
    return false;
}

std::string Win32Test::Stored(const std::string& section, const std::string& key) {
    const std::wstring path = L"Software\\Lisotra\\" + os::win32::Wide(section);
    wchar_t data[256] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), os::win32::Wide(key).c_str(), RRF_RT_REG_SZ, nullptr, data,
                     &size) != ERROR_SUCCESS) {
        return "<absent>";
    }
    return os::win32::Utf8(data);
}

void Win32Test::Store(const std::string& section, const std::string& key, const std::string& value) {
    os::WriteSetting(section, key, value);
}
