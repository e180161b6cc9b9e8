#include "forms/form.h"

#include "platform/app.h"
#include "forms/controls.h"
#include "forms/conversions.h"

#include <utility>
#include <vector>

namespace forms {

Form::~Form() = default;

void Form::Load(std::function<void()> onDestroyed) {
    onDestroyed_ = std::move(onDestroyed);
    window_ = CreateNativeWindow(design_, *this);
    CreateControls(*window_);
    backColor_ = design_.backColor;
    OnLoad();
}

void Form::Show() {
    SetVisible(true);
    window_->BringForward();
}

void Form::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    // The controls hear of it first: showing the window may activate it before the call returns,
    // and the form's activation comes after its controls' show.
    if (visible) ShowControls();
    window_->SetVisible(visible);
    if (visible && !shownOnce_) {
        shownOnce_ = true;
        OnResize();
    }
}

bool Form::Unload(CloseReason reason) {
    if (!window_) return true;
    if (!CanUnload(reason)) return false;
    OnUnload();
    visible_ = false;
    DestroyControls();
    window_.reset();
    if (onDestroyed_) std::exchange(onDestroyed_, nullptr)();
    return true;
}

void Form::OnSizeChanged() {
    // A size change before the first show (the load step setting a stored size) is reported too.
    OnResize();
}

float Form::Left() const { return PixelsToTwipsX(window_->FrameRect().left); }
float Form::Top() const { return PixelsToTwipsY(window_->FrameRect().top); }
float Form::Width() const { return PixelsToTwipsX(window_->FrameRect().width); }
float Form::Height() const { return PixelsToTwipsY(window_->FrameRect().height); }

void Form::SetFrame(PixelRect rect) {
    if (rect.width < 1) rect.width = 1;
    if (rect.height < 1) rect.height = 1;
    if (rect != window_->FrameRect()) window_->SetFrameRect(rect);
}

void Form::SetFrameField(int PixelRect::*field, int pixels) {
    PixelRect r = window_->FrameRect();
    r.*field = pixels;
    SetFrame(r);
}

void Form::SetLeft(float twips) { SetFrameField(&PixelRect::left, TwipsToPixelsX(twips)); }
void Form::SetTop(float twips) { SetFrameField(&PixelRect::top, TwipsToPixelsY(twips)); }
void Form::SetWidth(float twips) { SetFrameField(&PixelRect::width, TwipsToPixelsX(twips)); }
void Form::SetHeight(float twips) { SetFrameField(&PixelRect::height, TwipsToPixelsY(twips)); }

void Form::PopupMenu(const std::vector<MenuItem>& items) {
    const int chosen = PopupMenuAtCursor(hWnd(), items);
    if (chosen >= 0 && static_cast<size_t>(chosen) < items.size() && items[static_cast<size_t>(chosen)].onClick) {
        items[static_cast<size_t>(chosen)].onClick();
    }
}

void Form::SetTabOrder(const std::vector<const Control*>& order) {
    std::vector<Hwnd> handles;
    for (const Control* control : order) {
        if (Hwnd handle = control->FocusHandle()) handles.push_back(handle);
    }
    window_->SetTabOrder(handles);
    if (!handles.empty()) window_->SetFocus(handles.front());
}

void Form::SetBackColor(COLORREF color) {
    backColor_ = color;
    window_->SetBackColor(color);
}

void DestroyLater(std::unique_ptr<Form> form) {
    auto* raw = form.release();
    PostDeferred([raw] { delete raw; });
}

}  // namespace forms
