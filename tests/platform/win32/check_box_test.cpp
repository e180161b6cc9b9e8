// Check boxes on a real form window, and text measured and colours read through GDI and user32.
#include "platform/font.h"
#include "platform/native_window.h"
#include "platform/system_colors.h"
#include "win32_test.h"
#include "platform/win32/wide.h"

#include <memory>
#include <string>
#include <vector>

namespace {

using Win32CheckBox = Win32Test;
using Win32Text = Win32Test;

struct Reports : os::NativeCheckBoxEvents {
    std::vector<int> values;
    void OnUserSetValue(int value) override { values.push_back(value); }
};

struct Fixture {
    QuietWindow formEvents;
    std::unique_ptr<os::NativeWindow> form;
    Reports reports;
    std::unique_ptr<os::NativeCheckBox> box;
    HWND button = nullptr;

    explicit Fixture(int value = 0, int alignment = 0) {
        os::WindowDesign design;
        design.kind = os::WindowKind::SizableToolWindow;
        design.caption = "Check box host";
        design.clientWidth = 240;
        design.clientHeight = 80;
        form = os::CreateNativeWindow(design, formEvents);
        form->SetVisible(true);
        os::CheckBoxDesign boxDesign;
        boxDesign.rect = {8, 8, 200, 24};
        boxDesign.caption = "Run at log-on";
        boxDesign.value = value;
        boxDesign.alignment = alignment;
        box = os::CreateNativeCheckBox(*form, boxDesign, reports);
        button = Native(box->Handle());
    }
    LRESULT Check() const { return SendMessageW(button, BM_GETCHECK, 0, 0); }
};

TEST_F(Win32CheckBox, IsABoxButtonOfTheFormWithItsCaptionAndState) {
    Fixture f(1);
    ASSERT_NE(f.button, nullptr);
    EXPECT_EQ(GetParent(f.button), Native(f.form->Handle()));
    wchar_t className[16] = {};
    GetClassNameW(f.button, className, 16);
    EXPECT_EQ(std::wstring(className), L"Button");
    EXPECT_EQ(GetWindowLongPtrW(f.button, GWL_STYLE) & BS_TYPEMASK, BS_AUTOCHECKBOX);
    wchar_t caption[64] = {};
    GetWindowTextW(f.button, caption, 64);
    EXPECT_EQ(std::wstring(caption), L"Run at log-on");
    EXPECT_EQ(f.Check(), BST_CHECKED);
    EXPECT_TRUE(f.reports.values.empty());
}

TEST_F(Win32CheckBox, EachClickIsReportedOnceWithTheNewState) {
    Fixture f;
    SendMessageW(f.button, BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(f.reports.values, std::vector<int>{1});
    EXPECT_EQ(f.Check(), BST_CHECKED);
    SendMessageW(f.button, BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(f.reports.values, (std::vector<int>{1, 0}));
    EXPECT_EQ(f.Check(), BST_UNCHECKED);
}

TEST_F(Win32CheckBox, StateSetByTheProgramIsShownButNotReported) {
    Fixture f;
    f.box->SetValue(1);
    Pump();
    EXPECT_EQ(f.Check(), BST_CHECKED);
    EXPECT_TRUE(f.reports.values.empty());
    // The next click starts from the state the program set.
    SendMessageW(f.button, BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(f.reports.values, std::vector<int>{0});
    f.box->SetValue(0);
    f.box->SetCaption("Other");
    f.box->SetRect({4, 4, 150, 20});
    Pump();
    EXPECT_EQ(f.reports.values, std::vector<int>{0});
}

TEST_F(Win32CheckBox, AlignmentOnePutsTheBoxRightOfItsCaption) {
    Fixture f(0, 1);
    EXPECT_TRUE(GetWindowLongPtrW(f.button, GWL_STYLE) & BS_LEFTTEXT);
    f.box->SetAlignment(0);
    EXPECT_FALSE(GetWindowLongPtrW(f.button, GWL_STYLE) & BS_LEFTTEXT);
    EXPECT_EQ(GetWindowLongPtrW(f.button, GWL_STYLE) & BS_TYPEMASK, BS_AUTOCHECKBOX);
}

// What the form answers when the button asks for its colours, as the button does when it paints.
struct Painted {
    COLORREF text = 0;
    COLORREF brush = 0;
};
Painted AskColours(HWND form, HWND button) {
    HDC dc = CreateCompatibleDC(nullptr);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(form, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(button)));
    Painted painted{GetTextColor(dc), 0xFFFFFFFFu};
    LOGBRUSH logBrush{};
    if (brush && GetObjectW(brush, sizeof logBrush, &logBrush)) painted.brush = logBrush.lbColor;
    DeleteDC(dc);
    return painted;
}

TEST_F(Win32CheckBox, ColoursAreAnsweredToTheButtonsPaintRequest) {
    Fixture f;
    Painted painted = AskColours(Native(f.form->Handle()), f.button);
    EXPECT_EQ(painted.text, ::GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(painted.brush, ::GetSysColor(COLOR_BTNFACE));
    f.box->SetColors(0x00336699, 0x000000FF);
    painted = AskColours(Native(f.form->Handle()), f.button);
    EXPECT_EQ(painted.text, 0x000000FFu);
    EXPECT_EQ(painted.brush, 0x00336699u);

    // A second check box on the same form keeps its own colours.
    Reports otherReports;
    os::CheckBoxDesign otherDesign;
    otherDesign.rect = {8, 40, 200, 24};
    otherDesign.backColor = 0x0000FF00;
    otherDesign.foreColor = 0x00FF0000;
    auto other = os::CreateNativeCheckBox(*f.form, otherDesign, otherReports);
    painted = AskColours(Native(f.form->Handle()), Native(other->Handle()));
    EXPECT_EQ(painted.text, 0x00FF0000u);
    EXPECT_EQ(painted.brush, 0x0000FF00u);
    painted = AskColours(Native(f.form->Handle()), f.button);
    EXPECT_EQ(painted.brush, 0x00336699u);
    other.reset();
    painted = AskColours(Native(f.form->Handle()), f.button);
    EXPECT_EQ(painted.brush, 0x00336699u);
}

TEST_F(Win32CheckBox, FontIsGivenToTheButton) {
    Fixture f;
    os::Font bold;
    bold.weight = 700;
    f.box->SetFont(bold);
    auto font = reinterpret_cast<HFONT>(SendMessageW(f.button, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTW logFont{};
    ASSERT_NE(GetObjectW(font, sizeof logFont, &logFont), 0);
    EXPECT_EQ(logFont.lfWeight, 700);
}

TEST_F(Win32Text, LinesAreMeasuredOneByOne) {
    const os::Font font;
    const os::TextExtent empty = os::MeasureText(font, "");
    EXPECT_EQ(empty.width, 0);
    EXPECT_GT(empty.height, 0);
    const os::TextExtent shortLine = os::MeasureText(font, "ab");
    const os::TextExtent longLine = os::MeasureText(font, "abcdef");
    EXPECT_GT(shortLine.width, 0);
    EXPECT_GT(longLine.width, shortLine.width);
    EXPECT_EQ(shortLine.height, empty.height);
    const os::TextExtent twoLines = os::MeasureText(font, "abcdef\nab");
    EXPECT_EQ(twoLines.width, longLine.width);
    EXPECT_EQ(twoLines.height, 2 * longLine.height);
}

TEST_F(Win32Text, LargerFontMeasuresLarger) {
    os::Font small;
    os::Font large;
    large.size = 24;
    EXPECT_GT(os::MeasureText(large, "Lisotra").width, os::MeasureText(small, "Lisotra").width);
    EXPECT_GT(os::MeasureText(large, "Lisotra").height, os::MeasureText(small, "Lisotra").height);
}

TEST_F(Win32Text, SystemColoursAreTheDesktops) {
    EXPECT_EQ(os::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(os::GetSysColor(COLOR_WINDOWTEXT), ::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(os::ResolveColor(0x80000000u | COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE));
}

}  // namespace
