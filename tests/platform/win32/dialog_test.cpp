// A dialog as a person uses it: real keys (SendInput) and clicks, all going through the message
// loop's dialog navigation: the dialog keyboard scenario on its sample, and what Windows does
// beyond it (tab stops, a label's access key, the taskbar's choice).
#include "forms/dialog_keys_scenario.h"
#include "win32_test.h"

#include <string>
#include <vector>

namespace {

using dialog_keys::other;
using dialog_keys::Sample;
using dialog_keys::sample;

// A label whose access key moves to the text box after it, and a check box with its own.
struct Named final : forms::Form {
    Named()
        : Form({os::WindowKind::Dialog, "Named", 360, 240}),
          label(*this, dialog_keys::Designed({150, 150, 900, 300}, "&Name:")),
          name(*this, dialog_keys::Designed({1200, 150, 2250, 360}, "")),
          keep(*this, {.rect = {150, 1200, 2250, 360}, .caption = "&Keep"}) {}
    forms::Label label;
    forms::TextBox name;
    forms::CheckBox keep;
};
TestForm<Named> named;

bool TabStop(os::Hwnd control) { return GetWindowLongPtrW(H(control), GWL_STYLE) & WS_TABSTOP; }
bool FocusReaches(os::Hwnd control) {
    return Win32Test::PumpUntil([control] { return GetFocus() == H(control); });
}

// The scenario's keys as the keyboard sends them.
class Win32KeysDesktop final : public dialog_keys::Desktop {
public:
    void Open() override {
        sample->Show();
        ASSERT_TRUE(Win32Test::PumpUntil([] { return GetForegroundWindow() == H(sample->hWnd()); }));
    }
    void Press(dialog_keys::Key key) override {
        using dialog_keys::Key;
        switch (key) {
        case Key::Tab: Type({VK_TAB}); break;
        case Key::ShiftTab: TypeWith(VK_SHIFT, VK_TAB); break;
        case Key::Enter: Type({VK_RETURN}); break;
        case Key::Space: Type({VK_SPACE}); break;
        case Key::Escape: Type({VK_ESCAPE}); break;
        }
    }
    void PressAlt(char letter) override { TypeWith(VK_MENU, static_cast<WORD>(letter)); }
    os::Hwnd Focus() override { return reinterpret_cast<os::Hwnd>(GetFocus()); }
    bool Active(const Sample& dialog) override { return GetActiveWindow() == H(dialog.hWnd()); }
    bool Until(const std::function<bool()>& done) override { return Win32Test::PumpUntil(done); }
};

class Win32Dialog : public Win32Test {
protected:
    void SetUp() override {
        Win32Test::SetUp();
        desktop.Open();
    }
    Win32KeysDesktop desktop;
};

}  // namespace

TEST_F(Win32Dialog, WorksByKeyboardAlone) { dialog_keys::Play(desktop); }

TEST_F(Win32Dialog, TheDialogKindsHaveAFixedBorderACloseButtonOnlyAndTheirTaskbarChoice) {
    other->Show();
    for (HWND window : {H(sample->hWnd()), H(other->hWnd())}) {
        const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
        EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        RECT client{};
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, 360);
        EXPECT_EQ(client.bottom, 240);
    }
    // A taskbar button: shown as a top-level window of its own, unowned.
    EXPECT_TRUE(ExStyle(H(sample->hWnd())) & WS_EX_APPWINDOW);
    EXPECT_EQ(GetWindow(H(sample->hWnd()), GW_OWNER), nullptr);
    // None: owned by a hidden window.
    const HWND noTaskbar = H(other->hWnd());
    EXPECT_FALSE(ExStyle(noTaskbar) & WS_EX_APPWINDOW);
    const HWND owner = GetWindow(noTaskbar, GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_FALSE(IsWindowVisible(owner));

    // The close button asks the form, as for any form.
    const dialog_keys::ToolSample& closed = other.Get();  // kept until the next message, after it unloads
    SendMessageW(noTaskbar, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(closed.closeRequests, std::vector<os::CloseReason>{os::CloseReason::User});
    Pump();
    EXPECT_FALSE(other.Exists());
}

TEST_F(Win32Dialog, TabStopsAreTheChosenControlsOnly) {
    const Sample& d = sample.Get();
    for (os::Hwnd control : {d.letter.hWnd(), d.options.onTop.hWnd(), d.swatch.hWnd(), d.ok.hWnd(), d.cancel.hWnd()}) {
        EXPECT_TRUE(TabStop(control));
    }
    EXPECT_FALSE(TabStop(d.unlisted.hWnd()));
    EXPECT_FALSE(TabStop(d.caption.hWnd()));
    sample->SetTabOrder({&sample->ok, &sample->cancel});  // a new order takes the others' stops away
    EXPECT_FALSE(TabStop(d.letter.hWnd()));
    EXPECT_TRUE(TabStop(d.cancel.hWnd()));
}

TEST_F(Win32Dialog, ALabelsAccessKeyMovesToWhatItNamesAndACheckBoxsTicksIt) {
    named->Show();
    ASSERT_TRUE(PumpUntil([] { return GetForegroundWindow() == H(named->hWnd()); }));
    SetFocus(H(named->keep.hWnd()));
    ASSERT_TRUE(FocusReaches(named->keep.hWnd()));
    TypeWith(VK_MENU, 'N');  // the label before the name box
    EXPECT_TRUE(FocusReaches(named->name.hWnd()));
    TypeWith(VK_MENU, 'K');
    EXPECT_TRUE(PumpUntil([] { return named->keep.Value() == 1; }));
}

TEST_F(Win32Dialog, TypingReachesTheTextBoxAndTheProgramsTextStaysItsOwn) {
    ASSERT_EQ(GetFocus(), H(sample->letter.hWnd()));
    Type({VK_END, 'R', 'E', 'D'});
    EXPECT_TRUE(PumpUntil([] { return sample->letter.Text() == "Sred"; })) << sample->letter.Text();
    sample->letter.SetText("blue");
    Pump();
    EXPECT_EQ(sample->letter.Text(), "blue");
    SetFocus(H(sample->unlisted.hWnd()));
    ASSERT_TRUE(FocusReaches(sample->unlisted.hWnd()));
    Type({VK_END, 'X'});
    EXPECT_TRUE(PumpUntil([] { return sample->unlisted.Text() == "unlistedx"; })) << sample->unlisted.Text();
    EXPECT_EQ(sample->letter.Text(), "blue");
}

TEST_F(Win32Dialog, APictureBoxShowsItsFocusFrameOnlyWhileItHasTheFocus) {
    sample->swatch.SetBackColor(0x00336699);
    const HWND box = H(sample->swatch.hWnd());
    auto framedWith = [box](os::Hwnd focus) {  // a dot of the frame along the box's top
        SetFocus(H(focus));
        EXPECT_TRUE(FocusReaches(focus));
        UpdateWindow(box);
        HDC dc = GetDC(box);
        int dots = 0;
        for (int x = 1; x < 11; ++x) dots += GetPixel(dc, x, 1) != 0x00336699u;
        ReleaseDC(box, dc);
        return dots > 0;
    };
    EXPECT_FALSE(framedWith(sample->letter.hWnd()));
    EXPECT_TRUE(framedWith(sample->swatch.hWnd()));
    EXPECT_FALSE(framedWith(sample->letter.hWnd()));
}

TEST_F(Win32Dialog, AClickOnThePictureBoxIsItsClickAndItShowsItsBackColour) {
    sample->swatch.SetBackColor(0x00336699);
    const HWND box = H(sample->swatch.hWnd());
    UpdateWindow(box);
    HDC dc = GetDC(box);
    const COLORREF shown = GetPixel(dc, 10, 10);
    ReleaseDC(box, dc);
    EXPECT_EQ(shown, 0x00336699u);

    RECT r = WindowRect(box);
    ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2}, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([] { return sample->swatchClicks == 1; }));
    EXPECT_EQ(GetFocus(), box);  // it is one of the tab stops
    // A press that ends off the box is no click.
    ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2}, MOUSEEVENTF_LEFTDOWN, 0);
    ClickAt({r.right + 30, r.bottom + 30}, 0, MOUSEEVENTF_LEFTUP);
    PumpUntil([] { return GetCapture() == nullptr; });
    Pump();
    EXPECT_EQ(sample->swatchClicks, 1);
    EXPECT_EQ(sample->okPresses + sample->cancelPresses, 0);
}
