// The About box and the donate window on the real (wine) desktop: the info scenario, played
// through the tray menu, the mouse and the keyboard. The system information program and the web
// browser are a stand-in program that notes each start; the machine's registry names it for the
// length of a test and gets its own values back afterwards.
#include "info/about_box.h"
#include "info/donate_window.h"
#include "info/info_scenario.h"
#include "platform/app.h"
#include "shell/app.h"
#include "support/program.h"
#include "win32_test.h"
#include "platform/win32/wide.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

std::wstring Beside(const wchar_t* name) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

// A text value of HKEY_LOCAL_MACHINE set for the life of this object, then as it was.
class MachineValue {
public:
    MachineValue(const wchar_t* key, const wchar_t* name, const std::wstring& value) : key_(key), name_(name) {
        wchar_t data[1024] = {};
        DWORD size = sizeof data - sizeof(wchar_t);
        if (RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ, nullptr, data, &size) == ERROR_SUCCESS) before_ = data;
        Set(value);
    }
    ~MachineValue() {
        if (before_) {
            Set(*before_);
        } else {
            RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, key_, name_);
        }
    }
    MachineValue(const MachineValue&) = delete;
    MachineValue& operator=(const MachineValue&) = delete;

private:
    void Set(const std::wstring& value) {
        EXPECT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, key_, name_, REG_SZ, value.c_str(),
                                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }
    const wchar_t* key_;
    const wchar_t* name_;
    std::optional<std::wstring> before_;
};

// A click `shift` pixels right of the control's middle.
void Click(os::Hwnd control, int shift = 0) {
    RECT r{};
    GetWindowRect(H(control), &r);
    ClickAt({(r.left + r.right) / 2 + shift, (r.top + r.bottom) / 2}, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

class Win32InfoDesktop final : public info_scenario::Desktop {
public:
    Win32InfoDesktop()
        : standIn_(Beside(L"lisotra_stand_in.exe")),
          browser_(L"Software\\Classes\\https\\shell\\open\\command", nullptr, L"\"" + standIn_ + L"\" \"%1\"") {
        DeleteFileW((standIn_ + L".log").c_str());
    }
    void Start(bool systemInfoProgram) override {
        // A first location that names nothing ends the search: no program, whatever else is there.
        systemInfo_.emplace(L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH", systemInfoProgram ? standIn_ : L"");
        Program().Start();
    }
    void OpenFromTray(const char* item) override {
        const bool about = std::string(item) == "about";
        WhenMenuIsUp(H(Program().shell->hWnd()), [about] {
            ClickMenuItem(about ? 5 : 7, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);  // separators count
        });
        NotifyFromShell(WM_RBUTTONUP);
        ASSERT_TRUE(Win32Test::PumpUntil([about] {
            const HWND shown = about ? (Program().about.Exists() ? H(Program().about->hWnd()) : nullptr)
                                     : (Program().donate.Exists() ? H(Program().donate->hWnd()) : nullptr);
            return shown && IsWindowVisible(shown) && GetForegroundWindow() == shown;
        }));
    }
    std::optional<info_scenario::About> AboutBox() override {
        if (!Program().about.Exists() || !IsWindowVisible(H(Program().about->hWnd()))) return std::nullopt;
        const ::AboutBox& box = Program().about.Get();
        return info_scenario::About{WindowText(H(box.hWnd())), WindowText(H(box.title.hWnd())), WindowText(H(box.versionLabel.hWnd())),
                                    WindowText(H(box.homePage.hWnd()))};
    }
    void Press(info_scenario::Key key) override {
        const HWND box = H(Program().about->hWnd());
        SetForegroundWindow(box);  // the person comes back to it from the message or the browser
        ASSERT_TRUE(Win32Test::PumpUntil([box] { return GetForegroundWindow() == box; }));
        Type({key == info_scenario::Key::Enter ? static_cast<WORD>(VK_RETURN) : static_cast<WORD>(VK_ESCAPE)});
        Win32Test::Pump();
    }
    void ClickLink() override {
        SendMessageW(H(Program().about->homePage.hWnd()), BM_CLICK, 0, 0);
        Win32Test::Pump();
    }
    std::vector<std::string> ClickSystemInfo() override {
        return PressReadingMessages(Program().about->sysInfoButton.hWnd(), L"Lisotra");
    }
    bool SystemInfoStarted() override {
        for (const std::string& line : Log()) {
            if (line == "started") return true;
        }
        return false;
    }
    std::vector<std::string> Opened() override {
        std::vector<std::string> pages;
        for (const std::string& line : Log()) {
            if (line != "started") pages.push_back(line);
        }
        return pages;
    }
    std::optional<os::PixelRect> Donate() override {
        if (!Program().donate.Exists() || !IsWindowVisible(H(Program().donate->hWnd()))) return std::nullopt;
        const RECT r = WindowRect(H(Program().donate->hWnd()));
        return os::PixelRect{r.left, r.top, r.right - r.left, r.bottom - r.top};
    }
    os::PixelRect Screen() override { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }
    void ClickDonate(bool picture) override {
        // Each click a little apart from the one before: two at one place soon after another are
        // a double click, as the person who clicks twice quickly means it.
        const DonateWindow& donate = Program().donate.Get();
        Click(picture ? donate.donatePicture.hWnd() : donate.message.hWnd(), (++clicks_ % 2) * 12);
        Win32Test::Pump();
    }
    bool Until(const std::function<bool()>& done) override { return Win32Test::PumpUntil(done); }

private:
    std::vector<std::string> Log() const {
        std::vector<std::string> lines;
        FILE* file = _wfopen((standIn_ + L".log").c_str(), L"rb");
        if (!file) return lines;
        std::string line;
        for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
            if (c != '\n') {
                line += static_cast<char>(c);
            } else {
                lines.push_back(line);
                line.clear();
            }
        }
        std::fclose(file);
        return lines;
    }

    std::wstring standIn_;
    MachineValue browser_;
    std::optional<MachineValue> systemInfo_;
    int clicks_ = 0;
};

using Win32Info = Win32Test;

}  // namespace

TEST_F(Win32Info, TheAboutBoxWithoutASystemInformationProgram) {
    Win32InfoDesktop desktop;
    info_scenario::PlayAbout(desktop, false);
}

TEST_F(Win32Info, TheAboutBoxWithASystemInformationProgram) {
    Win32InfoDesktop desktop;
    info_scenario::PlayAbout(desktop, true);
}

TEST_F(Win32Info, TheDonateWindow) {
    Win32InfoDesktop desktop;
    info_scenario::PlayDonate(desktop, os::TwipsPerPixelX());
}
