// Forms: window instances with load, show, hide and unload steps, geometry in twips,
// and the events OnLoad, OnResize, OnActivate, OnKeyDown, CanUnload and OnUnload.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "forms/namespace.h"
#include "forms/controls.h"
#include "forms/twips.h"
#include "platform/native_window.h"

namespace forms {

class Form : public ControlContainer, private NativeWindowEvents {
public:
    explicit Form(WindowDesign design) : design_(std::move(design)) {}
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Makes it visible and active; a visible form is brought forward.
    void Show();
    void Hide() { SetVisible(false); }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    // CanUnload, then OnUnload; unless CanUnload refuses, the window and its state are destroyed
    // and the next reference makes a fresh instance. Returns whether it was unloaded.
    bool Unload(CloseReason reason = CloseReason::Program);

    Hwnd hWnd() const { return window_->Handle(); }

    // Whole window, frame included, in twips.
    float Left() const;
    float Top() const;
    float Width() const;
    float Height() const;
    void SetLeft(float twips);
    void SetTop(float twips);
    void SetWidth(float twips);
    void SetHeight(float twips);

    COLORREF BackColor() const { return backColor_; }
    void SetBackColor(COLORREF color);

    // The window stays above every window that is not topmost itself; asked for before it is
    // first shown (the load step).
    void SetTopmost() { window_->SetTopmost(); }
    // The whole window drawn see-through: 0 invisible, 255 opaque.
    void SetOpacity(unsigned char alpha) { window_->SetOpacity(alpha); }

    // Opens the menu at the mouse cursor; returns once the chosen item's command has run or the
    // menu was dismissed.
    void PopupMenu(const std::vector<MenuItem>& items);

    // The controls Tab visits, in this order; the first has the focus when the form opens.
    void SetTabOrder(const std::vector<const Control*>& order);

    // The form's font: what the controls placed on it take as their ambient font.
    os::Font AmbientFont() const override { return font_; }
    void SetFont(const os::Font& font) { font_ = font; }

    // For FormSlot: creates the window, then runs OnLoad.
    void Load(std::function<void()> onDestroyed);
    bool IsLoaded() const { return window_ != nullptr; }

protected:
    virtual void OnLoad() {}
    virtual void OnResize() {}
    virtual void OnActivate() {}
    // A key pressed while the window itself has the keyboard focus (none of its controls took it).
    virtual void OnKeyDown(const os::KeyInput& key) { (void)key; }
    // Asked first; false keeps the form loaded.
    virtual bool CanUnload(CloseReason reason) { return (void)reason, true; }
    virtual void OnUnload() {}

    // The whole window, frame included, in screen pixels; a size change is a resize as a drag's is.
    PixelRect Frame() const { return window_->FrameRect(); }
    void SetFrame(PixelRect rect);

private:
    void OnSizeChanged() override;
    void OnActivated() override { OnActivate(); }
    void OnKeyPressed(const KeyInput& key) override { OnKeyDown(key); }
    void OnCloseRequest(CloseReason reason) override { Unload(reason); }
    void SetFrameField(int PixelRect::*field, int pixels);

    WindowDesign design_;
    std::unique_ptr<NativeWindow> window_;
    std::function<void()> onDestroyed_;
    COLORREF backColor_ = 0;
    os::Font font_;
    bool visible_ = false;
    bool shownOnce_ = false;
};

// An unloaded form may still be on the call stack (a form can unload itself), so it is destroyed
// once the current message has been handled.
void DestroyLater(std::unique_ptr<Form> form);

// Where one form lives while it is loaded: the first Get builds it with `make` and loads it
// (hidden); an unload lets it go, and the next Get builds a fresh one. The slot's owner decides
// how long the form may live: destroying the slot destroys a loaded form, without its unload step.
template <class T>
class FormSlot {
public:
    explicit FormSlot(std::function<std::unique_ptr<T>()> make = [] { return std::make_unique<T>(); })
        : make_(std::move(make)) {}
    ~FormSlot() = default;
    FormSlot(const FormSlot&) = delete;
    FormSlot& operator=(const FormSlot&) = delete;

    T* operator->() { return &Get(); }
    T& Get() {
        if (!instance_) {
            instance_ = make_();
            T& form = *instance_;  // set before OnLoad, which may refer to the form itself
            form.Load([this] { DestroyLater(std::move(instance_)); });
        }
        return *instance_;
    }
    // Asks without loading.
    bool Exists() const { return instance_ != nullptr; }
    // The form goes at once, with its window, and no event of it runs.
    void Discard() { instance_.reset(); }

private:
    std::function<std::unique_ptr<T>()> make_;
    std::unique_ptr<T> instance_;
};

}  // namespace forms
