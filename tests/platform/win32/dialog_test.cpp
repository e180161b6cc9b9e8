// A dialog as a person uses it: real keys (SendInput) and clicks on a form with a label, text
// boxes, a default and a cancel button, a check box, a picture box and a user control, all going
// through the message loop's dialog navigation.
#include "forms/controls.h"
#include "forms/form.h"
#include "support/test_form.h"
#include "forms/user_control.h"
#include "platform/app.h"
#include "win32_test.h"

#include <optional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> heard;

float X(int pixels) { return static_cast<float>(pixels) * os::TwipsPerPixelX(); }
float Y(int pixels) { return static_cast<float>(pixels) * os::TwipsPerPixelY(); }
forms::TwipsRect At(int left, int top, int width, int height) { return {X(left), Y(top), X(width), Y(height)}; }

forms::TextControl::Design Text(forms::TwipsRect rect, std::string text = {}, std::string accessibleName = {}) {
    forms::TextControl::Design design;
    design.rect = rect;
    design.text = std::move(text);
    design.accessibleName = std::move(accessibleName);
    return design;
}

forms::TextControl::Design Button(forms::TwipsRect rect, std::string text, bool isDefault, bool isCancel) {
    forms::TextControl::Design design = Text(rect, std::move(text));
    design.isDefault = isDefault;
    design.isCancel = isCancel;
    return design;
}

// A user control made of one text box.
class Holder : public forms::UserControl {
public:
    explicit Holder(forms::ControlContainer& host)
        : UserControl(host, At(10, 150, 140, 40), std::nullopt), inner(*this, Text(At(4, 4, 120, 24))) {}
    forms::TextBox inner;
};

class Dialog : public forms::Form {
public:
    explicit Dialog(os::WindowKind kind = os::WindowKind::Dialog, const char* caption = "Settings")
        : Form({kind, caption, 360, 240}),
          label(*this, Text(At(10, 10, 60, 20), "&Name:")),
          name(*this, Text(At(80, 10, 150, 24), "", "Name of the colour")),
          ok(*this, Button(At(250, 10, 90, 26), "&OK", true, false)),
          cancel(*this, Button(At(250, 46, 90, 26), "Cancel", false, true)),
          unlisted(*this, Text(At(80, 46, 150, 24))),
          keep(*this, {.rect = At(10, 80, 150, 24), .caption = "&Keep"}),
          picture(*this, {.rect = {200, 150, 60, 40}, .border = true, .toolTip = "The colour"}),
          holder(*this) {
        ok.Click = [] { heard.push_back("OK"); };
        cancel.Click = [] { heard.push_back("Cancel"); };
        picture.Click = [] { heard.push_back("picture"); };
    }
    forms::Label label;
    forms::TextBox name;
    forms::CommandButton ok;
    forms::CommandButton cancel;
    forms::TextBox unlisted;
    forms::CheckBox keep;
    forms::PictureBox picture;
    Holder holder;
    int activations = 0;

protected:
    void OnLoad() override { SetTabOrder({&name, &keep, &holder, &picture, &ok, &cancel}); }
    void OnActivate() override { ++activations; }
    bool CanUnload(os::CloseReason reason) override {
        heard.push_back(reason == os::CloseReason::User ? "close by the user" : "close");
        return true;
    }
};

struct OtherDialog : Dialog {
    OtherDialog() : Dialog(os::WindowKind::DialogNoTaskbar, "Colour") {}
};

TestForm<Dialog> dialog;
TestForm<OtherDialog> other;

class Win32Dialog : public Win32Test {
protected:
    void SetUp() override {
        Win32Test::SetUp();
        heard.clear();
    }
    static HWND Window() { return Native(dialog->hWnd()); }
    static HWND H(os::Hwnd handle) { return Native(handle); }
    // Shown, and the window the keyboard's input goes to.
    static void Open() {
        dialog->Show();
        ASSERT_TRUE(PumpUntil([] { return GetForegroundWindow() == Window(); }));
    }
    static bool FocusReaches(os::Hwnd control) {
        return PumpUntil([control] { return GetFocus() == H(control); });
    }
    static bool Heard(const std::vector<std::string>& expected) {
        const bool reached = PumpUntil([&expected] { return heard.size() >= expected.size(); });
        Pump();  // a second report of the same press would be here by now
        return reached && heard == expected;
    }
};

}  // namespace

TEST_F(Win32Dialog, TheDialogKindsHaveAFixedBorderACloseButtonOnlyAndTheirTaskbarChoice) {
    dialog->Show();
    other->Show();
    for (HWND window : {Window(), Native(other->hWnd())}) {
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
    EXPECT_TRUE(ExStyle(Window()) & WS_EX_APPWINDOW);
    EXPECT_EQ(GetWindow(Window(), GW_OWNER), nullptr);
    // None: owned by a hidden window.
    const HWND noTaskbar = Native(other->hWnd());
    EXPECT_FALSE(ExStyle(noTaskbar) & WS_EX_APPWINDOW);
    const HWND owner = GetWindow(noTaskbar, GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_FALSE(IsWindowVisible(owner));

    // The close button asks the form, as for any form.
    SendMessageW(noTaskbar, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_EQ(heard, std::vector<std::string>{"close by the user"});
    EXPECT_FALSE(other.Exists());
}

TEST_F(Win32Dialog, TabVisitsTheChosenControlsInTheirOrderFromTheFirst) {
    Open();
    EXPECT_EQ(GetFocus(), H(dialog->name.hWnd()));
    // Tab stops only at the chosen ones.
    for (os::Hwnd control : {dialog->name.hWnd(), dialog->keep.hWnd(), dialog->holder.inner.hWnd(), dialog->picture.hWnd(),
                             dialog->ok.hWnd(), dialog->cancel.hWnd()}) {
        EXPECT_TRUE(GetWindowLongPtrW(H(control), GWL_STYLE) & WS_TABSTOP);
    }
    EXPECT_FALSE(GetWindowLongPtrW(H(dialog->unlisted.hWnd()), GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(GetWindowLongPtrW(H(dialog->label.hWnd()), GWL_STYLE) & WS_TABSTOP);

    const std::vector<os::Hwnd> forward{dialog->keep.hWnd(), dialog->holder.inner.hWnd(), dialog->picture.hWnd(),
                                        dialog->ok.hWnd(), dialog->cancel.hWnd(), dialog->name.hWnd()};
    for (os::Hwnd next : forward) {
        Type({VK_TAB});
        ASSERT_TRUE(FocusReaches(next)) << "Tab went to " << GetFocus() << " instead of " << H(next);
    }
    TypeWith(VK_SHIFT, VK_TAB);
    EXPECT_TRUE(FocusReaches(dialog->cancel.hWnd()));
    TypeWith(VK_SHIFT, VK_TAB);
    EXPECT_TRUE(FocusReaches(dialog->ok.hWnd()));
    EXPECT_TRUE(heard.empty());
}

TEST_F(Win32Dialog, ANewTabOrderOnAShownDialogTakesTheFocusAtOnce) {
    Open();
    dialog->SetTabOrder({&dialog->ok, &dialog->cancel});
    EXPECT_EQ(GetFocus(), H(dialog->ok.hWnd()));
    EXPECT_FALSE(GetWindowLongPtrW(H(dialog->name.hWnd()), GWL_STYLE) & WS_TABSTOP);
    Type({VK_TAB});
    ASSERT_TRUE(FocusReaches(dialog->cancel.hWnd()));
    Type({VK_TAB});
    EXPECT_TRUE(FocusReaches(dialog->ok.hWnd()));
    EXPECT_TRUE(heard.empty());
}

TEST_F(Win32Dialog, TheFocusComesBackToItsControlAndEachActivationIsReported) {
    Open();
    EXPECT_EQ(dialog->activations, 1);
    Type({VK_TAB});
    ASSERT_TRUE(FocusReaches(dialog->keep.hWnd()));

    other->Show();
    ASSERT_TRUE(PumpUntil([] { return GetActiveWindow() == Native(other->hWnd()); }));
    EXPECT_EQ(GetFocus(), H(other->name.hWnd()));  // the other's first control
    EXPECT_EQ(other->activations, 1);
    EXPECT_EQ(dialog->activations, 1);

    dialog->Show();
    ASSERT_TRUE(PumpUntil([] { return GetActiveWindow() == Window(); }));
    EXPECT_EQ(dialog->activations, 2);
    EXPECT_EQ(GetFocus(), H(dialog->keep.hWnd()));
    other->Show();
    ASSERT_TRUE(PumpUntil([] { return GetActiveWindow() == Native(other->hWnd()); }));
    EXPECT_EQ(other->activations, 2);
}

TEST_F(Win32Dialog, EnterPressesTheDefaultButtonOrTheFocusedOneOnce) {
    Open();
    Type({VK_RETURN});  // from the text box
    EXPECT_TRUE(Heard({"OK"}));
    Type({VK_TAB});
    ASSERT_TRUE(FocusReaches(dialog->keep.hWnd()));
    Type({VK_RETURN});  // from the check box, which it leaves as it was
    EXPECT_TRUE(Heard({"OK", "OK"}));
    EXPECT_EQ(dialog->keep.Value(), 0);
    TypeWith(VK_SHIFT, VK_TAB);
    TypeWith(VK_SHIFT, VK_TAB);
    ASSERT_TRUE(FocusReaches(dialog->cancel.hWnd()));
    Type({VK_RETURN});
    EXPECT_TRUE(Heard({"OK", "OK", "Cancel"}));
}

TEST_F(Win32Dialog, EscapePressesTheCancelButtonAndSpaceTheFocusedOneOnce) {
    Open();
    Type({VK_ESCAPE});
    EXPECT_TRUE(Heard({"Cancel"}));
    TypeWith(VK_SHIFT, VK_TAB);
    TypeWith(VK_SHIFT, VK_TAB);
    ASSERT_TRUE(FocusReaches(dialog->ok.hWnd()));
    Type({VK_SPACE});
    EXPECT_TRUE(Heard({"Cancel", "OK"}));
    Type({VK_TAB, VK_TAB, VK_TAB});
    ASSERT_TRUE(FocusReaches(dialog->keep.hWnd()));
    Type({VK_SPACE});
    ASSERT_TRUE(PumpUntil([] { return dialog->keep.Value() == 1; }));
    Type({VK_ESCAPE});
    EXPECT_TRUE(Heard({"Cancel", "OK", "Cancel"}));
    EXPECT_TRUE(dialog.Exists());  // the program decides what its buttons do
}

TEST_F(Win32Dialog, AccessKeysPressTheirButtonOrMoveToWhatTheirLabelNames) {
    Open();
    Type({VK_TAB});
    ASSERT_TRUE(FocusReaches(dialog->keep.hWnd()));
    TypeWith(VK_MENU, 'O');
    EXPECT_TRUE(Heard({"OK"}));
    TypeWith(VK_MENU, 'N');  // the label before the name box
    EXPECT_TRUE(FocusReaches(dialog->name.hWnd()));
    TypeWith(VK_MENU, 'K');
    EXPECT_TRUE(PumpUntil([] { return dialog->keep.Value() == 1; }));
    EXPECT_EQ(heard, std::vector<std::string>{"OK"});
}

TEST_F(Win32Dialog, TypingReachesTheTextBoxAndTheProgramsTextStaysItsOwn) {
    Open();
    ASSERT_EQ(GetFocus(), H(dialog->name.hWnd()));
    Type({'R', 'E', 'D'});
    EXPECT_TRUE(PumpUntil([] { return dialog->name.Text() == "red"; })) << dialog->name.Text();
    dialog->name.SetText("blue");
    Pump();
    EXPECT_EQ(dialog->name.Text(), "blue");
    Type({VK_TAB, VK_TAB});  // into the user control's text box
    ASSERT_TRUE(FocusReaches(dialog->holder.inner.hWnd()));
    Type({'X'});
    EXPECT_TRUE(PumpUntil([] { return dialog->holder.inner.Text() == "x"; })) << dialog->holder.inner.Text();
    EXPECT_EQ(dialog->name.Text(), "blue");
}

TEST_F(Win32Dialog, ScreenReadersFindEachControlsName) {
    Open();
    auto text = [](HWND window) {
        wchar_t buffer[64] = {};
        GetWindowTextW(window, buffer, 64);
        return std::wstring(buffer);
    };
    EXPECT_EQ(text(H(dialog->label.hWnd())), L"&Name:");
    EXPECT_EQ(text(H(dialog->ok.hWnd())), L"&OK");
    // The text box's name: the static text just before it, though it is not shown.
    const HWND name = GetWindow(H(dialog->name.hWnd()), GW_HWNDPREV);
    EXPECT_EQ(text(name), L"Name of the colour");
    EXPECT_FALSE(IsWindowVisible(name));
    // The label came along too, though the tab order moved the text box.
    EXPECT_EQ(GetWindow(name, GW_HWNDPREV), H(dialog->label.hWnd()));
}

TEST_F(Win32Dialog, AClickOnThePictureBoxIsItsClickAndItShowsItsBackColour) {
    Open();
    dialog->picture.SetBackColor(0x00336699);
    const HWND box = H(dialog->picture.hWnd());
    UpdateWindow(box);
    HDC dc = GetDC(box);
    const COLORREF shown = GetPixel(dc, 10, 10);
    ReleaseDC(box, dc);
    EXPECT_EQ(shown, 0x00336699u);

    RECT r = WindowRect(box);
    ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2}, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(Heard({"picture"}));
    EXPECT_EQ(GetFocus(), box);  // it is one of the tab stops
    // A press that ends off the box is no click.
    ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2}, MOUSEEVENTF_LEFTDOWN, 0);
    ClickAt({r.right + 30, r.bottom + 30}, 0, MOUSEEVENTF_LEFTUP);
    PumpUntil([] { return GetCapture() == nullptr; });
    Pump();
    EXPECT_EQ(heard, std::vector<std::string>{"picture"});
}
