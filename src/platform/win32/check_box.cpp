// Check boxes as BUTTON children of a form. The button is subclassed, not heard through the form's
// WM_COMMAND: the program may replace the form's procedure, and a state change seen at the button
// itself covers the mouse, the space bar and BM_CLICK alike. The colours are answered to the
// button's WM_CTLCOLORSTATIC through a subclass of the form (comctl32's, which chains any number).
// comctl32 is loaded with the first check box, not at start-up.
#include "platform/native_window.h"
#include "platform/system_colors.h"

#include "platform/win32/realisation.h"
#include "platform/win32/wide.h"
#include "platform/win32/window_scale.h"

namespace os {

namespace {

class Win32CheckBox final : public NativeCheckBox {
public:
    Win32CheckBox(NativeWindow& parent, const CheckBoxDesign& design, NativeCheckBoxEvents& events);
    ~Win32CheckBox() override;

    Hwnd Handle() const override { return reinterpret_cast<Hwnd>(button_); }
    void SetRect(const PixelRect& rect) override;
    void SetCaption(const std::string& caption) override;
    void SetValue(int value) override;
    void SetAlignment(int alignment) override;
    void SetColors(COLORREF back, COLORREF fore) override;
    void SetFont(const Font& font) override;

private:
    static LRESULT CALLBACK ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR data);
    int Shown() const;
    void ReportChange();

    NativeCheckBoxEvents& events_;
    HWND button_ = nullptr;
    ::WNDPROC buttonProc_ = nullptr;  // the BUTTON class's own procedure
    HWND form_ = nullptr;
    win32::ScaledFont font_;
    HBRUSH brush_ = nullptr;         // the back colour, made when the colours are set
    COLORREF backColor_ = 0;         // as given, system colours included
    COLORREF foreColor_ = 0;
    int value_ = 0;                  // the state last reported or set by the program
    bool settingFromCode_ = false;
};

DWORD AlignmentStyle(int alignment) { return alignment == 1 ? BS_LEFTTEXT : 0; }

Win32CheckBox::Win32CheckBox(NativeWindow& parent, const CheckBoxDesign& design, NativeCheckBoxEvents& events)
    : events_(events), form_(reinterpret_cast<HWND>(parent.Handle())), value_(design.value == 1 ? 1 : 0) {
    win32::LoadCommonControls();  // its BUTTON class, as the manifest asks for
    const DWORD style = WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX | AlignmentStyle(design.alignment) |
                        (design.visible ? WS_VISIBLE : 0);
    const PixelRect r = win32::ToWindowPixels(form_, design.rect);
    button_ = CreateWindowExW(0, L"BUTTON", win32::Wide(design.caption).c_str(), style, r.left, r.top, r.width,
                              r.height, form_, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!button_) return;
    SetColors(design.backColor, design.foreColor);
    win32::SetWindowSubclass(form_, &Win32CheckBox::FormProc, reinterpret_cast<UINT_PTR>(this), 0);
    SendMessageW(button_, BM_SETCHECK, value_ ? BST_CHECKED : BST_UNCHECKED, 0);
    SetFont(design.font);
    SetWindowLongPtrW(button_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    buttonProc_ = reinterpret_cast<::WNDPROC>(
        SetWindowLongPtrW(button_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32CheckBox::ButtonProc)));
}

Win32CheckBox::~Win32CheckBox() {
    if (button_) {
        win32::RemoveWindowSubclass(form_, &Win32CheckBox::FormProc, reinterpret_cast<UINT_PTR>(this));
        // Messages sent while it goes find no check box behind it.
        SetWindowLongPtrW(button_, GWLP_USERDATA, 0);
        if (buttonProc_) SetWindowLongPtrW(button_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(buttonProc_));
        DestroyWindow(button_);
    }
    if (brush_) DeleteObject(brush_);
}

// Asked of the class procedure directly, so the question does not come back through ButtonProc.
int Win32CheckBox::Shown() const {
    return CallWindowProcW(buttonProc_, button_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

// Compared with the last known state, not with the state before one message: a click changes it
// inside nested messages (BM_CLICK, WM_LBUTTONUP, BM_SETCHECK), and it is reported once.
void Win32CheckBox::ReportChange() {
    if (settingFromCode_) return;
    const int now = Shown();
    if (now == value_) return;
    value_ = now;
    NativeCheckBoxEvents& events = events_;
    win32::RunGuarded([&events, now] { events.OnUserSetValue(now); });
}

LRESULT CALLBACK Win32CheckBox::ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32CheckBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = CallWindowProcW(self->buttonProc_, window, message, wParam, lParam);
    // The program may have destroyed the check box meanwhile: look it up again.
    if (message != WM_NCDESTROY && IsWindow(window)) {
        self = reinterpret_cast<Win32CheckBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self) self->ReportChange();
    }
    return result;
}

LRESULT CALLBACK Win32CheckBox::FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR) {
    auto* self = reinterpret_cast<Win32CheckBox*>(id);
    if ((message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN) &&
        reinterpret_cast<HWND>(lParam) == self->button_ && self->brush_) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, ResolveColor(self->foreColor_));
        SetBkColor(dc, ResolveColor(self->backColor_));
        return reinterpret_cast<LRESULT>(self->brush_);
    }
    return win32::DefSubclassProc(window, message, wParam, lParam);
}

void Win32CheckBox::SetRect(const PixelRect& rect) {
    const PixelRect r = win32::ToWindowPixels(form_, rect);
    MoveWindow(button_, r.left, r.top, r.width, r.height, TRUE);
}

void Win32CheckBox::SetCaption(const std::string& caption) { SetWindowTextW(button_, win32::Wide(caption).c_str()); }

void Win32CheckBox::SetValue(int value) {
    settingFromCode_ = true;
    SendMessageW(button_, BM_SETCHECK, value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
    settingFromCode_ = false;
    value_ = value == 1 ? 1 : 0;
}

void Win32CheckBox::SetAlignment(int alignment) {
    LONG_PTR style = GetWindowLongPtrW(button_, GWL_STYLE);
    style = (style & ~static_cast<LONG_PTR>(BS_LEFTTEXT)) | AlignmentStyle(alignment);
    SetWindowLongPtrW(button_, GWL_STYLE, style);
    InvalidateRect(button_, nullptr, TRUE);
}

void Win32CheckBox::SetColors(COLORREF back, COLORREF fore) {
    HBRUSH brush = CreateSolidBrush(ResolveColor(back));
    if (!brush) return;
    if (brush_) DeleteObject(brush_);
    brush_ = brush;
    backColor_ = back;
    foreColor_ = fore;
    InvalidateRect(button_, nullptr, TRUE);
}

void Win32CheckBox::SetFont(const Font& font) { font_.Give(button_, font); }

}  // namespace

std::unique_ptr<NativeCheckBox> CreateNativeCheckBox(NativeWindow& parent, const CheckBoxDesign& design,
                                                     NativeCheckBoxEvents& events) {
    return std::make_unique<Win32CheckBox>(parent, design, events);
}

}  // namespace os
