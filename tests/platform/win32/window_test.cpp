// Forms on real windows: the two kinds of window, geometry reported as the form layer needs it,
// close requests, the background colour, topmost and translucency, and the program's icon.
#include "forms/form.h"
#include "support/test_form.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/app.h"
#include "win32_test.h"

namespace {

std::vector<std::string> events;

class Probe : public forms::Form {
public:
    explicit Probe(os::WindowKind kind = os::WindowKind::SizableToolWindow)
        : Form({kind, "Probe", 300, 200, 0x0000FF}) {}
    bool refuse = false;
    os::CloseReason reason{};

protected:
    void OnResize() override { events.push_back("Resize " + std::to_string(static_cast<int>(Width()))); }
    void OnActivate() override { events.push_back("Activate"); }
    bool CanUnload(os::CloseReason why) override {
        events.push_back("QueryUnload");
        reason = why;
        return !refuse;
    }
};

struct HiddenProbe : Probe {
    HiddenProbe() : Probe(os::WindowKind::Hidden) {}
};

TestForm<Probe> probe;
TestForm<HiddenProbe> hidden;

// What a window paints its background with, drawn into memory.
COLORREF PaintedBackground(HWND window) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
    const COLORREF colour = GetPixel(memory, 4, 4);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return colour;
}

class Win32Window : public Win32Test {
protected:
    void SetUp() override {
        Win32Test::SetUp();
        events.clear();
    }
    static HWND Window() { return Native(probe->hWnd()); }
};

}  // namespace

TEST_F(Win32Window, TheHiddenKindIsATopLevelWindowThatNeverShows) {
    hidden->Show();
    const HWND window = Native(hidden->hWnd());
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetAncestor(window, GA_ROOT), window);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
}

TEST_F(Win32Window, TheToolKindHasAThinCaptionACloseButtonOnlyAndAHiddenOwner) {
    probe->Show();
    const LONG_PTR style = GetWindowLongPtrW(Window(), GWL_STYLE);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(ExStyle(Window()) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(ExStyle(Window()) & WS_EX_APPWINDOW);
    const HWND owner = GetWindow(Window(), GW_OWNER);
    ASSERT_NE(owner, nullptr);  // an owned window gets no taskbar button
    EXPECT_FALSE(IsWindowVisible(owner));
    RECT client{};
    GetClientRect(Window(), &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    wchar_t caption[16] = {};
    GetWindowTextW(Window(), caption, 16);
    EXPECT_STREQ(caption, L"Probe");
}

TEST_F(Win32Window, ATopmostTranslucentToolWindowKeepsItsThinCaptionAndNoTaskbarButton) {
    probe->Show();
    auto captionHeight = [] {
        RECT frame = WindowRect(Window()), client{};
        GetClientRect(Window(), &client);
        return (frame.bottom - frame.top) - client.bottom;
    };
    const int thinFrame = captionHeight();
    probe->SetTopmost();
    probe->SetOpacity(140);
    const LONG_PTR style = ExStyle(Window());
    EXPECT_TRUE(style & WS_EX_LAYERED);
    EXPECT_TRUE(style & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(style & WS_EX_TOPMOST);
    EXPECT_FALSE(style & WS_EX_APPWINDOW);
    // The frame is recomputed, as any later style change would: the caption stays thin.
    SetWindowPos(Window(), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(captionHeight(), thinFrame);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(Window(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 140);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
}

TEST_F(Win32Window, AFormThatCanBeShownHasTheProgramsIconAtBothSizes) {
    probe->Show();
    const auto icon = [](HWND window, WPARAM size) {
        return reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, size, 0));
    };
    const HICON big = icon(Window(), ICON_BIG), small = icon(Window(), ICON_SMALL);
    ASSERT_NE(big, nullptr);
    ASSERT_NE(small, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(small, &info));
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXSMICON));
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    // The hidden shell form is never seen and is made at start-up: it gets none.
    EXPECT_EQ(icon(Native(hidden->hWnd()), ICON_BIG), nullptr);
}

TEST_F(Win32Window, ASizeChangeIsReportedAtOnceAndAMoveIsNot) {
    probe.Get();
    const float twips = os::TwipsPerPixelX();
    probe->SetWidth(400 * twips);  // hidden: the load step restores the size before the first show
    ASSERT_EQ(events, (std::vector<std::string>{"Resize " + std::to_string(static_cast<int>(400 * twips))}));
    probe->SetLeft(123 * twips);
    EXPECT_EQ(events.size(), 1u);
    EXPECT_EQ(WindowRect(Window()).left, 123);

    probe->Show();  // the first show reports once, from the form layer
    events.clear();
    // As the desktop does when the user drags the frame: a move, then a resize.
    SetWindowPos(Window(), nullptr, 50, 60, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    EXPECT_TRUE(events.empty());
    SetWindowPos(Window(), nullptr, 50, 60, 420, 250, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(events, (std::vector<std::string>{"Resize " + std::to_string(static_cast<int>(420 * twips))}));
    EXPECT_EQ(probe->Left(), 50 * twips);
    EXPECT_EQ(probe->Top(), 60 * os::TwipsPerPixelY());
    EXPECT_EQ(probe->Height(), 250 * os::TwipsPerPixelY());
}

TEST_F(Win32Window, TheCloseButtonAsksTheFormWhichMayRefuse) {
    probe->Show();
    const HWND window = Window();
    probe->refuse = true;
    SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(probe->reason, os::CloseReason::User);
    EXPECT_TRUE(IsWindow(window));

    probe->refuse = false;
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(probe.Exists());
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(Win32Window, ShowActivatesAndTheBackgroundHasTheFormsColour) {
    probe->Show();
    EXPECT_EQ(GetActiveWindow(), Window());
    EXPECT_NE(std::find(events.begin(), events.end(), "Activate"), events.end());

    auto painted = [] { return PaintedBackground(Window()); };
    EXPECT_EQ(painted(), 0x0000FFu);
    probe->SetBackColor(0x00FFFF);
    EXPECT_EQ(painted(), 0x00FFFFu);
    probe->SetBackColor(0x8000000F);  // a system colour: button face
    EXPECT_EQ(painted(), GetSysColor(COLOR_BTNFACE));
}

TEST_F(Win32Window, AChildsBackgroundIsItsColourOrTheSystemColourItNames) {
    QuietWindow events;
    auto form = os::CreateNativeWindow({os::WindowKind::SizableToolWindow, "Parent", 100, 100, 0x0000FF}, events);
    auto child = os::CreateNativeChild(*form, os::ChildDesign{.rect = {0, 0, 20, 20}}, events);
    const HWND window = Native(child->Handle());
    EXPECT_EQ(PaintedBackground(window), GetSysColor(COLOR_BTNFACE));  // until it has its own
    child->SetBackColor(0x00FFFF);
    EXPECT_EQ(PaintedBackground(window), 0x00FFFFu);
    child->SetBackColor(0x80000000u | COLOR_WINDOW);
    EXPECT_EQ(PaintedBackground(window), GetSysColor(COLOR_WINDOW));
}

TEST(Win32Resources, TheIconHoldsThe16To48WindowImagesAndThe128TrayImageAt32Bits) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
    const int count = directory[4] | (directory[5] << 8);
    std::vector<int> sizes;
    for (int i = 0; i < count; ++i) {
        const BYTE* entry = directory + 6 + 14 * i;  // width, height, colours, reserved, planes, bits, ...
        sizes.push_back(entry[0]);
        EXPECT_EQ(entry[6] | (entry[7] << 8), 32) << "bits of the " << int{entry[0]} << " image";
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48, 128}));

    // Each image decodes at its own size (the 128 one is stored as PNG).
    for (int size : sizes) {
        const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        HRSRC image = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3));  // RT_ICON
        ASSERT_NE(image, nullptr) << size;
        HICON icon = CreateIconFromResourceEx(static_cast<BYTE*>(LockResource(LoadResource(module, image))),
                                              SizeofResource(module, image), TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        GetObjectW(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}
