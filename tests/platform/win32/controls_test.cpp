// Labels, text boxes and buttons as real controls of a form window, the extras of a child window
// (border, tool tip, name) and the message box.
#include "platform/app.h"
#include "platform/native_window.h"
#include "win32_test.h"
#include "platform/win32/wide.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Win32Controls = Win32Test;
using Win32ChildExtras = Win32Test;
using Win32MessageBox = Win32Test;

struct Reports : os::NativeControlEvents {
    int clicks = 0;
    std::vector<std::string> edits;
    void OnClicked() override { ++clicks; }
    void OnTextEdited(const std::string& text) override { edits.push_back(text); }
};

std::wstring TextOf(HWND window) {
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

struct Host {
    QuietWindow events;
    std::unique_ptr<os::NativeWindow> form;
    explicit Host(os::WindowKind kind = os::WindowKind::Dialog) {
        form = os::CreateNativeWindow({kind, "Controls", 300, 160, 0x8000000F}, events);
    }
    HWND Window() const { return Native(form->Handle()); }
};

os::ControlDesign Design(os::ControlKind kind, std::string text, os::PixelRect rect = {10, 10, 120, 24}) {
    os::ControlDesign design;
    design.kind = kind;
    design.rect = rect;
    design.text = std::move(text);
    return design;
}

}  // namespace

TEST_F(Win32Controls, EachKindIsTheSystemsControlWithItsTextFontAndPlace) {
    Host host;
    Reports reports;
    os::ControlDesign labelDesign = Design(os::ControlKind::Label, "Größe:", {8, 12, 80, 20});
    labelDesign.font.weight = 700;
    labelDesign.font.size = 12;
    auto label = os::CreateNativeControl(*host.form, labelDesign, reports);
    auto box = os::CreateNativeControl(*host.form, Design(os::ControlKind::TextBox, "x"), reports);
    os::ControlDesign defaultDesign = Design(os::ControlKind::Button, "&OK");
    defaultDesign.isDefault = true;
    auto ok = os::CreateNativeControl(*host.form, defaultDesign, reports);
    auto other = os::CreateNativeControl(*host.form, Design(os::ControlKind::Button, "Other"), reports);

    const HWND labelWindow = Native(label->Handle());
    EXPECT_EQ(ClassOf(labelWindow), L"Static");
    EXPECT_EQ(GetWindowLongPtrW(labelWindow, GWL_STYLE) & SS_TYPEMASK, SS_LEFT);
    EXPECT_EQ(TextOf(labelWindow), L"Gr\u00f6\u00dfe:");
    EXPECT_EQ(GetParent(labelWindow), host.Window());
    RECT r = WindowRect(labelWindow);
    MapWindowPoints(nullptr, host.Window(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 8);
    EXPECT_EQ(r.top, 12);
    EXPECT_EQ(r.right - r.left, 80);
    EXPECT_EQ(r.bottom - r.top, 20);
    LOGFONTW font{};
    ASSERT_NE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(labelWindow, WM_GETFONT, 0, 0)), sizeof font, &font), 0);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_LT(font.lfHeight, 0);  // the character height, from the size in points

    const HWND edit = Native(box->Handle());
    EXPECT_EQ(ClassOf(edit), L"Edit");
    EXPECT_TRUE(GetWindowLongPtrW(edit, GWL_STYLE) & ES_AUTOHSCROLL);
    EXPECT_FALSE(GetWindowLongPtrW(edit, GWL_STYLE) & ES_MULTILINE);
    EXPECT_TRUE(ExStyle(edit) & WS_EX_CLIENTEDGE);
    EXPECT_GE(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);  // no limit but the system's
    EXPECT_EQ(TextOf(edit), L"x");

    EXPECT_EQ(ClassOf(Native(ok->Handle())), L"Button");
    EXPECT_EQ(GetWindowLongPtrW(Native(ok->Handle()), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongPtrW(Native(other->Handle()), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(TextOf(Native(ok->Handle())), L"&OK");  // Windows draws the access key underlined
    EXPECT_NE(GetDlgCtrlID(Native(ok->Handle())), GetDlgCtrlID(Native(other->Handle())));

    label->SetText("Breite:");
    ok->SetText("&Yes");
    EXPECT_EQ(TextOf(labelWindow), L"Breite:");
    EXPECT_EQ(TextOf(Native(ok->Handle())), L"&Yes");
    EXPECT_EQ(reports.clicks, 0);
    EXPECT_TRUE(reports.edits.empty());

    label.reset();  // a control goes without its form
    EXPECT_FALSE(IsWindow(labelWindow));
    EXPECT_TRUE(IsWindow(edit));
}

TEST_F(Win32Controls, EveryEditByTheUserIsReportedWithTheTextAndTheProgramsOwnTextIsNot) {
    Host host;
    Reports reports;
    auto box = os::CreateNativeControl(*host.form, Design(os::ControlKind::TextBox, "start"), reports);
    const HWND edit = Native(box->Handle());
    box->SetText("from the program");
    Pump();
    EXPECT_TRUE(reports.edits.empty());
    EXPECT_EQ(TextOf(edit), L"from the program");

    // Typing, as the keyboard's characters reach the control.
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_CHAR, L'\u00e9', 0);
    SendMessageW(edit, WM_CHAR, L'b', 0);
    SendMessageW(edit, WM_CHAR, VK_BACK, 0);
    EXPECT_EQ(reports.edits, (std::vector<std::string>{"\u00e9", "\u00e9b", "\u00e9"}));

    // A paste, and a long text past the edit control's default limit of 32767 characters.
    const std::string longText(40000, 'a');
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(os::win32::Wide(longText).c_str()));
    ASSERT_EQ(reports.edits.size(), 4u);
    EXPECT_EQ(reports.edits.back(), longText);
    EXPECT_EQ(reports.clicks, 0);
}

TEST_F(Win32Controls, EachPressOfAButtonIsReportedOnce) {
    Host host;
    Reports okReports, otherReports;
    auto ok = os::CreateNativeControl(*host.form, Design(os::ControlKind::Button, "OK"), okReports);
    auto other = os::CreateNativeControl(*host.form, Design(os::ControlKind::Button, "Other", {10, 40, 120, 24}), otherReports);
    SendMessageW(Native(ok->Handle()), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(okReports.clicks, 1);
    SendMessageW(Native(ok->Handle()), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(okReports.clicks, 2);
    EXPECT_EQ(otherReports.clicks, 0);
    // Another control's notification is not a press of this one.
    SendMessageW(host.Window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Native(other->Handle())), BN_CLICKED),
                 reinterpret_cast<LPARAM>(Native(other->Handle())));
    EXPECT_EQ(okReports.clicks, 2);
    EXPECT_EQ(otherReports.clicks, 1);
}

TEST_F(Win32Controls, AButtonPressMayDestroyTheFormThatHoldsIt) {
    auto host = std::make_unique<Host>();
    struct Closing : os::NativeControlEvents {
        std::unique_ptr<os::NativeControl>* button = nullptr;
        std::unique_ptr<Host>* host = nullptr;
        void OnClicked() override {
            button->reset();
            host->reset();
        }
    } closing;
    std::unique_ptr<os::NativeControl> button;
    closing.button = &button;
    closing.host = &host;
    os::ControlDesign cancel = Design(os::ControlKind::Button, "Cancel");
    cancel.isCancel = true;
    button = os::CreateNativeControl(*host->form, cancel, closing);
    const HWND form = host->Window();
    SendMessageW(Native(button->Handle()), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(host, nullptr);
    EXPECT_FALSE(IsWindow(form));
}

TEST_F(Win32Controls, ATextBoxsNameIsAnUnseenStaticTextJustBeforeIt) {
    Host host;
    Reports reports;
    auto label = os::CreateNativeControl(*host.form, Design(os::ControlKind::Label, "&Colour:"), reports);
    os::ControlDesign named = Design(os::ControlKind::TextBox, "", {10, 40, 120, 24});
    named.accessibleName = "Colour & value";
    auto box = os::CreateNativeControl(*host.form, named, reports);
    auto plain = os::CreateNativeControl(*host.form, Design(os::ControlKind::TextBox, "", {10, 70, 120, 24}), reports);
    host.form->SetVisible(true);

    const HWND edit = Native(box->Handle());
    const HWND name = GetWindow(edit, GW_HWNDPREV);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(ClassOf(name), L"Static");
    EXPECT_EQ(TextOf(name), L"Colour & value");
    EXPECT_TRUE(GetWindowLongPtrW(name, GWL_STYLE) & SS_NOPREFIX);  // said as written
    EXPECT_FALSE(IsWindowVisible(name));
    EXPECT_FALSE(GetWindowLongPtrW(name, GWL_STYLE) & WS_TABSTOP);
    RECT r{};
    GetWindowRect(name, &r);
    EXPECT_EQ(r.right - r.left, 0);
    EXPECT_EQ(r.bottom - r.top, 0);
    // The visible label before it is passed over, and a text box without a name gets none.
    EXPECT_EQ(GetWindow(name, GW_HWNDPREV), Native(label->Handle()));
    EXPECT_EQ(GetWindow(Native(plain->Handle()), GW_HWNDPREV), edit);

    // Tab order moves the name with its text box.
    host.form->SetTabOrder({plain->Handle(), box->Handle()});
    EXPECT_EQ(GetWindow(edit, GW_HWNDPREV), name);
    EXPECT_EQ(GetWindow(name, GW_HWNDPREV), Native(label->Handle()));
    EXPECT_EQ(GetWindow(host.Window(), GW_CHILD), Native(plain->Handle()));

    box.reset();
    EXPECT_FALSE(IsWindow(name));
}

TEST_F(Win32Controls, LabelsShowTheBackgroundOfTheWindowTheyAreOn) {
    Host host;
    QuietWindow childEvents;
    auto child = os::CreateNativeChild(*host.form, {.rect = {0, 0, 100, 60}}, childEvents);
    child->SetBackColor(0x00336699);
    host.form->SetBackColor(0x0000FF00);
    auto ask = [](HWND window) {
        HDC dc = CreateCompatibleDC(nullptr);
        auto brush = reinterpret_cast<HBRUSH>(SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), 0));
        LOGBRUSH logBrush{};
        GetObjectW(brush, sizeof logBrush, &logBrush);
        const COLORREF background = GetBkColor(dc);
        DeleteDC(dc);
        EXPECT_EQ(background, logBrush.lbColor);  // text cells and the rest alike
        return logBrush.lbColor;
    };
    EXPECT_EQ(ask(host.Window()), 0x0000FF00u);
    EXPECT_EQ(ask(Native(child->Handle())), 0x00336699u);
    host.form->SetBackColor(0x80000000u | COLOR_WINDOW);
    EXPECT_EQ(ask(host.Window()), GetSysColor(COLOR_WINDOW));
}

TEST_F(Win32ChildExtras, BorderToolTipAndNameAreTheChildsOwn) {
    Host host;
    QuietWindow events;
    auto plain = os::CreateNativeChild(*host.form, {.rect = {0, 0, 40, 40}}, events);
    auto framed = os::CreateNativeChild(
        *host.form, {.rect = {50, 0, 40, 40}, .border = true, .toolTip = "Pick a colour", .accessibleName = "Colour field"},
        events);
    EXPECT_FALSE(ExStyle(Native(plain->Handle())) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(ExStyle(Native(framed->Handle())) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(TextOf(Native(framed->Handle())), L"Colour field");  // what a screen reader says for a window
    EXPECT_EQ(TextOf(Native(plain->Handle())), L"");

    // The tool tips of the form, with their tools.
    struct Tip {
        HWND window;
        std::wstring text;
        UINT_PTR tool;
    };
    auto tips = [&host] {
        std::pair<HWND, std::vector<Tip>> found{host.Window(), {}};
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM data) {
                auto& f = *reinterpret_cast<std::pair<HWND, std::vector<Tip>>*>(data);
                if (ClassOf(window) != TOOLTIPS_CLASSW || GetWindow(window, GW_OWNER) != f.first) return TRUE;
                for (LRESULT i = 0, count = SendMessageW(window, TTM_GETTOOLCOUNT, 0, 0); i < count; ++i) {
                    wchar_t text[80] = {};
                    TOOLINFOW tool{};
                    tool.cbSize = sizeof tool;
                    tool.lpszText = text;
                    SendMessageW(window, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool));
                    f.second.push_back({window, text, tool.uId});
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found.second;
    };
    std::vector<Tip> found = tips();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].text, L"Pick a colour");
    EXPECT_EQ(found[0].tool, reinterpret_cast<UINT_PTR>(Native(framed->Handle())));
    const HWND tip = found[0].window;
    framed.reset();
    EXPECT_FALSE(IsWindow(tip));
    EXPECT_TRUE(tips().empty());
}

TEST_F(Win32ChildExtras, AChildThatHoldsControlsIsAControlParentForTheDialogKeys) {
    Host host;
    QuietWindow events;
    Reports reports;
    auto holder = os::CreateNativeChild(*host.form, {.rect = {0, 0, 200, 100}}, events);
    auto box = os::CreateNativeChild(*host.form, {.rect = {0, 110, 20, 20}}, events);
    EXPECT_FALSE(ExStyle(Native(holder->Handle())) & WS_EX_CONTROLPARENT);
    auto edit = os::CreateNativeControl(*holder, Design(os::ControlKind::TextBox, ""), reports);
    EXPECT_TRUE(ExStyle(Native(holder->Handle())) & WS_EX_CONTROLPARENT);
    EXPECT_FALSE(ExStyle(Native(box->Handle())) & WS_EX_CONTROLPARENT);  // Tab could not stop at it otherwise
}

TEST_F(Win32MessageBox, TheMessageIsOwnedByTheActiveWindowWithTheTitleAsCaption) {
    Host other(os::WindowKind::DialogNoTaskbar);
    other.form->SetVisible(true);
    Host disabled(os::WindowKind::DialogNoTaskbar);  // by someone else, before
    disabled.form->SetVisible(true);
    EnableWindow(disabled.Window(), FALSE);
    Host active;
    active.form->SetVisible(true);
    active.form->BringForward();
    ASSERT_EQ(GetActiveWindow(), active.Window());

    struct Seen {
        bool found = false;
        HWND owner = nullptr;
        std::wstring text;
        bool otherEnabled = true;
    } seen;
    // The user reads the box and presses OK.
    std::thread person([&seen, otherWindow = other.Window()] {
        HWND box = nullptr;
        for (int i = 0; i < 250 && !box; ++i) {
            box = FindWindowW(L"#32770", L"Lisotra \u2014 note");
            if (!box) Sleep(20);
        }
        if (!box) return;
        seen.found = true;
        seen.owner = GetWindow(box, GW_OWNER);
        seen.otherEnabled = IsWindowEnabled(otherWindow) != FALSE;
        EnumChildWindows(
            box,
            [](HWND child, LPARAM data) {
                if (ClassOf(child) == L"Static" && !TextOf(child).empty()) *reinterpret_cast<std::wstring*>(data) += TextOf(child);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&seen.text));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    os::ShowMessage("The colour was saved.", "Lisotra \u2014 note");
    person.join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.owner, active.Window());
    EXPECT_EQ(seen.text, L"The colour was saved.");
    EXPECT_FALSE(seen.otherEnabled);
    EXPECT_TRUE(IsWindowEnabled(other.Window()));  // again, once the box is closed
    EXPECT_TRUE(IsWindowEnabled(active.Window()));
    EXPECT_FALSE(IsWindowEnabled(disabled.Window()));
}
