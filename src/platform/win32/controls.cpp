// Labels, text boxes and command buttons as the system's STATIC, EDIT and BUTTON controls; a link
// is an owner-drawn BUTTON: it takes the focus and is pressed as a button is, and draws its text.
//
// What the user does with a control comes to its parent as WM_COMMAND. A subclass of the parent
// (comctl32's, which chains any number) hears it there, so it is heard whatever procedure the
// parent has. The dialog navigation sends Enter's and Escape's commands to the form itself, not
// to a control's parent: a button listens at its form too, and a default button answers the
// form's DM_GETDEFID with its id.
#include "platform/native_window.h"
#include "platform/system_colors.h"

#include <windows.h>
#include <commctrl.h>

#include "platform/win32/control_colours.h"
#include "platform/win32/realisation.h"
#include "platform/win32/wide.h"
#include "platform/win32/window_scale.h"

namespace os {

namespace win32 {

LRESULT StaticColours(HDC dc, HBRUSH background) {
    LOGBRUSH brush{};
    if (background && GetObjectW(background, sizeof brush, &brush)) SetBkColor(dc, brush.lbColor);
    SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    return reinterpret_cast<LRESULT>(background);
}

}  // namespace win32

namespace {

// Unique among the process's controls, so that an id names one control in its form; clear of
// IDOK and IDCANCEL, which the dialog navigation sends for Enter and Escape.
WORD NextControlId() {
    static WORD next = 0x100;
    if (++next < 0x100) next = 0x100;
    return next;
}

class Win32Control final : public NativeControl {
public:
    Win32Control(NativeWindow& parent, const ControlDesign& design, NativeControlEvents& events);
    ~Win32Control() override;

    Hwnd Handle() const override { return reinterpret_cast<Hwnd>(control_); }
    void SetText(const std::string& text) override;

private:
    static LRESULT CALLBACK Listen(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR);
    bool IsPress(HWND window, WPARAM wParam, LPARAM lParam) const;
    void DrawLink(const DRAWITEMSTRUCT& item) const;
    std::string Text() const;

    NativeControlEvents& events_;
    const ControlKind kind_;
    const bool isDefault_;
    const bool isCancel_;
    const COLORREF foreColor_;
    const WORD id_;
    HWND parent_ = nullptr;
    HWND form_ = nullptr;  // the top-level window, where the dialog navigation sends its commands
    HWND control_ = nullptr;
    HWND name_ = nullptr;  // a text box's name, for screen readers
    win32::ScaledFont font_;
    bool settingText_ = false;
};

Win32Control::Win32Control(NativeWindow& parent, const ControlDesign& design, NativeControlEvents& events)
    : events_(events),
      kind_(design.kind),
      isDefault_(design.kind == ControlKind::Button && design.isDefault),
      isCancel_(design.kind == ControlKind::Button && design.isCancel),
      foreColor_(design.foreColor),
      id_(NextControlId()),
      parent_(reinterpret_cast<HWND>(parent.Handle())),
      form_(GetAncestor(parent_, GA_ROOT)) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const PixelRect r = win32::ToWindowPixels(parent_, design.rect);
    DWORD style = WS_CHILD | (design.visible ? WS_VISIBLE : 0);
    DWORD exStyle = 0;
    const wchar_t* windowClass = L"STATIC";
    switch (kind_) {
    case ControlKind::Label:
        style |= SS_LEFT;
        break;
    case ControlKind::TextBox:
        windowClass = L"EDIT";
        style |= WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
        exStyle = WS_EX_CLIENTEDGE;
        // Screen readers name an edit control after the static text just before it: an unseen
        // one, of no size and never shown, carries the name. Tab and access keys pass it by.
        if (!design.accessibleName.empty()) {
            name_ = CreateWindowExW(0, L"STATIC", win32::Wide(design.accessibleName).c_str(), WS_CHILD | SS_LEFT | SS_NOPREFIX,
                                    r.left, r.top, 0, 0, parent_, nullptr, instance, nullptr);
        }
        break;
    case ControlKind::Button:
        windowClass = L"BUTTON";
        style |= WS_TABSTOP | (isDefault_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        break;
    case ControlKind::Link:
        windowClass = L"BUTTON";
        style |= WS_TABSTOP | BS_OWNERDRAW;
        break;
    }
    control_ = CreateWindowExW(exStyle, windowClass, win32::Wide(design.text).c_str(), style, r.left, r.top, r.width,
                               r.height, parent_, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id_)), instance, nullptr);
    if (!control_) return;
    if (kind_ == ControlKind::TextBox) SendMessageW(control_, EM_LIMITTEXT, 0, 0);  // no limit but the system's
    font_.Give(control_, design.font);
    // Every control but a label of the button text colour hears its parent: commands, drawing, colours.
    if (kind_ == ControlKind::Label && foreColor_ == 0x80000012) return;
    win32::SetWindowSubclass(parent_, &Win32Control::Listen, reinterpret_cast<UINT_PTR>(this), 0);
    if (kind_ == ControlKind::Button && form_ != parent_) {
        win32::SetWindowSubclass(form_, &Win32Control::Listen, reinterpret_cast<UINT_PTR>(this), 0);
    }
}

Win32Control::~Win32Control() {
    const auto id = reinterpret_cast<UINT_PTR>(this);
    win32::RemoveWindowSubclass(parent_, &Win32Control::Listen, id);
    if (form_ != parent_) win32::RemoveWindowSubclass(form_, &Win32Control::Listen, id);
    if (control_) DestroyWindow(control_);
    if (name_) DestroyWindow(name_);
}

std::string Win32Control::Text() const {
    const int length = GetWindowTextLengthW(control_);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control_, text.data(), length + 1)));
    return win32::Utf8(text);
}

void Win32Control::SetText(const std::string& text) {
    // The edit control reports the change (EN_CHANGE) before SetWindowText returns.
    settingText_ = true;
    SetWindowTextW(control_, win32::Wide(text).c_str());
    settingText_ = false;
}

// The link's text in its font (underlined) and colour on the form's background, with the focus
// rectangle around it while it has the focus.
void Win32Control::DrawLink(const DRAWITEMSTRUCT& item) const {
    const HDC dc = item.hDC;
    RECT area = item.rcItem;
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(parent_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                              reinterpret_cast<LPARAM>(control_)));
    FillRect(dc, &area, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ResolveColor(foreColor_));
    const HGDIOBJ previous = SelectObject(dc, font_.Native());
    const std::wstring text = win32::Wide(Text());
    RECT drawn = area;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &drawn, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_SINGLELINE | DT_CALCRECT);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &drawn, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_SINGLELINE);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &drawn);
    SelectObject(dc, previous);
}

// A command is one press of this button when it is
// - the button's own notification to its parent (a click, Space, its access key);
// - a command to the form with the button's id: Enter for the default button, or for the button
//   that has the focus;
// - Escape's IDCANCEL to the form, for the cancel button.
// Each press is one command, however many of these windows hear it.
bool Win32Control::IsPress(HWND window, WPARAM wParam, LPARAM lParam) const {
    if (HIWORD(wParam) != BN_CLICKED) return false;
    if (window == parent_ && reinterpret_cast<HWND>(lParam) == control_) return true;
    if (window != form_) return false;
    return LOWORD(wParam) == id_ || (isCancel_ && LOWORD(wParam) == IDCANCEL);
}

LRESULT CALLBACK Win32Control::Listen(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR) {
    auto* self = reinterpret_cast<Win32Control*>(id);
    if (message == WM_COMMAND) {
        // The program may close the form on either: nothing of this control is touched after.
        NativeControlEvents& events = self->events_;
        if (self->kind_ == ControlKind::TextBox) {
            if (reinterpret_cast<HWND>(lParam) == self->control_ && HIWORD(wParam) == EN_CHANGE && !self->settingText_) {
                const std::string text = self->Text();
                win32::RunGuarded([&events, &text] { events.OnTextEdited(text); });
                return 0;
            }
        } else if (self->IsPress(window, wParam, lParam)) {
            win32::RunGuarded([&events] { events.OnClicked(); });
            return 0;
        }
    } else if (message == DM_GETDEFID && self->isDefault_ && window == self->form_) {
        return MAKELRESULT(self->id_, DC_HASDEFID);
    } else if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == self->control_) {
        // The form's background and brush, this label's text colour.
        const LRESULT brush = win32::DefSubclassProc(window, message, wParam, lParam);
        SetTextColor(reinterpret_cast<HDC>(wParam), ResolveColor(self->foreColor_));
        return brush;
    } else if (message == WM_DRAWITEM && reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem == self->control_) {
        self->DrawLink(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    return win32::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

std::unique_ptr<NativeControl> CreateNativeControl(NativeWindow& parent, const ControlDesign& design,
                                                   NativeControlEvents& events) {
    return std::make_unique<Win32Control>(parent, design, events);
}

}  // namespace os
