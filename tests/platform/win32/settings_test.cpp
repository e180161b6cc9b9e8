// The settings dialog on the real (wine) desktop: the settings scenario, played through the tray
// menu, characters typed into the edit controls, the system's message box and the keyboard's
// Ctrl+Alt presses.
#include "settings/settings_scenario.h"
#include "shell/app.h"
#include "support/program.h"
#include "win32_test.h"
#include "platform/win32/wide.h"

#include <string>
#include <vector>

namespace {

// Whether another program could still take Ctrl+Alt+key.
bool Free(UINT key) {
    HWND probe = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const bool free = RegisterHotKey(probe, 99, MOD_CONTROL | MOD_ALT, key);
    DestroyWindow(probe);
    return free;
}

class Win32SettingsDesktop final : public settings_scenario::Desktop {
public:
    void Start(const std::vector<std::pair<const char*, std::string>>& stored) override {
        for (const auto& [key, value] : stored) Win32Test::Store("default", key, value);
        Program().Start();
    }
    void OpenFromTray() override {
        const HWND shell = H(Program().shell->hWnd());
        WhenMenuIsUp(shell, [] { ClickMenuItem(2, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); });  // Settings
        NotifyFromShell(WM_RBUTTONUP);
        ASSERT_TRUE(Win32Test::PumpUntil([] { return Program().settings.Exists(); }));
        Win32Test::Pump();
    }
    std::optional<settings_scenario::Seen> Dialog() override {
        if (!Program().settings.Exists() || !IsWindowVisible(H(Program().settings->hWnd()))) return std::nullopt;
        const SettingsDialog& d = Program().settings.Get();
        const HWND swatch = H(d.swatch.hWnd());
        UpdateWindow(swatch);
        HDC dc = GetDC(swatch);
        const COLORREF color = GetPixel(dc, 5, 5);
        ReleaseDC(swatch, dc);
        return settings_scenario::Seen{WindowText(H(d.hWnd())), WindowText(H(d.showLetter.hWnd())), WindowText(H(d.hideLetter.hWnd())),
                                       SendMessageW(H(d.onTop.hWnd()), BM_GETCHECK, 0, 0) == BST_CHECKED, color,
                                       WindowText(H(d.opacityBox.hWnd()))};
    }
    void Type(settings_scenario::Box box, const std::string& text) override {
        const SettingsDialog& d = Program().settings.Get();
        const HWND edit = H(settings_scenario::BoxOf(d, box).hWnd());
        SendMessageW(edit, EM_SETSEL, 0, -1);
        if (text.empty()) SendMessageW(edit, WM_CHAR, VK_BACK, 0);
        for (char c : text) SendMessageW(edit, WM_CHAR, static_cast<WPARAM>(c), 0);
        Win32Test::Pump();
    }
    void ClickOnTop() override {
        SendMessageW(H(Program().settings->onTop.hWnd()), BM_CLICK, 0, 0);
        Win32Test::Pump();
    }
    void ClickPreset(int index) override {
        const HWND preset = H(Program().settings->presets[static_cast<size_t>(index)].hWnd());
        SendMessageW(preset, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageW(preset, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        Win32Test::Pump();
    }
    std::vector<std::string> PressOk() override {
        return PressReadingMessages(Program().settings->okButton.hWnd(), L"Lisotra Settings.");
    }
    void Close() override {
        SendMessageW(H(Program().settings->hWnd()), WM_SYSCOMMAND, SC_CLOSE, 0);
        Win32Test::Pump();
    }
    bool PressHotkey(char letter) override {
        if (Free(static_cast<UINT>(letter))) return false;  // held by none: no press can reach the program
        const bool before = Panel();
        INPUT keys[6] = {};
        const WORD codes[6] = {VK_CONTROL, VK_MENU, static_cast<WORD>(letter), static_cast<WORD>(letter), VK_MENU, VK_CONTROL};
        for (int i = 0; i < 6; ++i) {
            keys[i].type = INPUT_KEYBOARD;
            keys[i].ki.wVk = codes[i];
            keys[i].ki.dwFlags = i < 3 ? 0 : KEYEVENTF_KEYUP;
        }
        SendInput(6, keys, sizeof(INPUT));
        return Win32Test::PumpUntil([this, before] { return Panel() != before; });
    }
    bool Panel() override { return Program().panel.Exists() && IsWindowVisible(H(Program().panel->hWnd())); }
    int PanelOpacity() override {
        BYTE alpha = 0;
        GetLayeredWindowAttributes(H(Program().panel->hWnd()), nullptr, &alpha, nullptr);
        return alpha;
    }
    std::string Stored(const char* section, const char* key) override {
        const std::string stored = Win32Test::Stored(section, key);
        return stored == "<absent>" ? "" : stored;
    }
};

using Win32Settings = Win32Test;

}  // namespace

TEST_F(Win32Settings, AsAPersonUsesIt) {
    Win32SettingsDesktop desktop;
    settings_scenario::Play(desktop);
}
