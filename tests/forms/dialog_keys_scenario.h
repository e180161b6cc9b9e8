// A dialog worked by the keyboard alone, played on every desktop: Tab and Shift+Tab move along
// the tab order and wrap, Space ticks a check box or presses a button, Enter presses the default
// button wherever the focus is (or the focused button), Escape the cancel button, Alt+letter the
// button with that access key; each press is heard once. Each desktop's test says how to press a
// key and where the focus is; the steps are written here.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "forms/form.h"
#include "forms/user_control.h"
#include "support/test_form.h"

namespace dialog_keys {

// A label's, text box's or button's design.
inline forms::TextControl::Design Designed(forms::TwipsRect rect, std::string text, std::string accessibleName = {},
                                           bool isDefault = false, bool isCancel = false) {
    forms::TextControl::Design design;
    design.rect = rect;
    design.text = std::move(text);
    design.accessibleName = std::move(accessibleName);
    design.isDefault = isDefault;
    design.isCancel = isCancel;
    return design;
}

// A check box inside a user control: Tab reaches it through the control.
class Options final : public forms::UserControl {
public:
    Options(forms::ControlContainer& host, forms::TwipsRect placement)
        : UserControl(host, placement, std::nullopt), onTop(*this, {.rect = {0, 0, 1500, 255}, .caption = "On top"}) {}
    forms::CheckBox onTop;
};

// The controls are created in another order than Tab visits them, and one text box and the
// label are left out of the tab order. "Cancel && close" has no access key.
class Sample : public forms::Form {
public:
    explicit Sample(os::WindowKind kind = os::WindowKind::Dialog, const char* title = "Sample dialog")
        : Form({kind, title, 360, 240}),
          title(title),
          caption(*this, Designed({120, 120, 2400, 255}, "Show hotkey: Ctrl+Alt+")),
          letter(*this, Designed({2640, 90, 600, 315}, "S", "show hotkey letter")),
          unlisted(*this, Designed({3360, 90, 1500, 315}, "unlisted")),
          options(*this, {120, 600, 1800, 300}),
          swatch(*this,
                 {.rect = {10, 70, 60, 40}, .border = true, .toolTip = "Click to choose a colour",
                  .accessibleName = "panel colour", .focusFrame = true},
                 forms::ScaleMode::Pixels),
          cancel(*this, Designed({3600, 2700, 1400, 375}, "Cancel && close", {}, false, true)),
          ok(*this, Designed({2400, 2700, 1100, 375}, "&OK", {}, true)) {
        ok.Click = [this] { ++okPresses; };
        cancel.Click = [this] { ++cancelPresses; };
        swatch.Click = [this] { ++swatchClicks; };
        swatch.MouseDown = [this](int, int, float x, float y) { pressedAt = {x, y}; };
    }

    // The controls that can have the focus.
    std::vector<os::Hwnd> Focusable() const {
        return {letter.hWnd(), unlisted.hWnd(), options.onTop.hWnd(), swatch.hWnd(), ok.hWnd(), cancel.hWnd()};
    }

    const char* title;
    forms::Label caption;
    forms::TextBox letter, unlisted;
    Options options;
    forms::PictureBox swatch;
    forms::CommandButton cancel;
    forms::CommandButton ok;
    int okPresses = 0, cancelPresses = 0, swatchClicks = 0, activations = 0;
    std::optional<std::pair<float, float>> pressedAt;
    std::vector<os::CloseReason> closeRequests;

protected:
    void OnLoad() override { SetTabOrder({&letter, &swatch, &options, &ok, &cancel}); }
    void OnActivate() override { ++activations; }
    bool CanUnload(os::CloseReason reason) override {
        closeRequests.push_back(reason);
        return true;
    }
};
// The sample without a taskbar entry, as a second dialog.
struct ToolSample final : Sample {
    ToolSample() : Sample(os::WindowKind::DialogNoTaskbar, "Sample tool dialog") {}
};
inline TestForm<Sample> sample;
inline TestForm<ToolSample> other;

enum class Key { Tab, ShiftTab, Enter, Space, Escape };

class Desktop {
public:
    virtual ~Desktop() = default;
    virtual void Open() = 0;  // the sample dialog shown and active
    virtual void Press(Key key) = 0;
    virtual void PressAlt(char letter) = 0;
    virtual os::Hwnd Focus() = 0;  // the control with the keyboard focus, in the active window
    virtual bool Active(const Sample& dialog) = 0;  // whether it is the active window
    // Waits, as long as a key's delivery may take, until `done` holds; false if it never did.
    virtual bool Until(const std::function<bool()>& done) = 0;
};

inline void Play(Desktop& desktop) {
    desktop.Open();
    Sample& d = sample.Get();
    const os::Hwnd letter = d.letter.hWnd(), swatch = d.swatch.hWnd(), onTop = d.options.onTop.hWnd(),
                   ok = d.ok.hWnd(), cancel = d.cancel.hWnd();
    auto press = [&](Key key, os::Hwnd then) {
        desktop.Press(key);
        EXPECT_TRUE(desktop.Until([&] { return desktop.Focus() == then; })) << "the focus did not reach " << then;
    };
    // Presses heard, once each: a second report of a press would come before a later key's move.
    // The focus stays where it was, `at`; where an access key leaves it is the desktop's own ({}).
    const std::vector<os::Hwnd> order{letter, swatch, onTop, ok, cancel};
    auto heard = [&](int okPresses, int cancelPresses, os::Hwnd stays, Key fence) {
        EXPECT_TRUE(desktop.Until([&] { return d.okPresses == okPresses && d.cancelPresses == cancelPresses; }))
            << d.okPresses << " OK, " << d.cancelPresses << " Cancel";
        EXPECT_TRUE(!stays || desktop.Focus() == stays) << "the focus left " << stays;
        const auto at = std::find(order.begin(), order.end(), desktop.Focus());
        ASSERT_NE(at, order.end());
        const std::size_t i = static_cast<std::size_t>(at - order.begin()), n = order.size();
        press(fence, order[fence == Key::Tab ? (i + 1) % n : (i + n - 1) % n]);
        EXPECT_EQ(d.okPresses, okPresses);
        EXPECT_EQ(d.cancelPresses, cancelPresses);
    };
    auto pressed = [&](Key key, int okPresses, int cancelPresses, os::Hwnd stays, Key fence) {
        desktop.Press(key);
        heard(okPresses, cancelPresses, stays, fence);
    };
    {
        SCOPED_TRACE("the first in the tab order has the focus; Tab and Shift+Tab go along the order and wrap");
        EXPECT_EQ(desktop.Focus(), letter);
        for (os::Hwnd next : {swatch, onTop, ok, cancel, letter, swatch}) press(Key::Tab, next);
        for (os::Hwnd previous : {letter, cancel, ok, onTop, swatch, letter}) press(Key::ShiftTab, previous);
        EXPECT_EQ(d.okPresses + d.cancelPresses, 0);
        EXPECT_EQ(d.options.onTop.Value(), 0);
    }
    {
        SCOPED_TRACE("Enter presses the default button from a text box and from a check box, which it leaves");
        pressed(Key::Enter, 1, 0, letter, Key::Tab);
        press(Key::Tab, onTop);
        pressed(Key::Enter, 2, 0, onTop, Key::ShiftTab);
        EXPECT_EQ(d.options.onTop.Value(), 0);
    }
    {
        SCOPED_TRACE("Space ticks the check box and presses the focused button");
        press(Key::Tab, onTop);
        desktop.Press(Key::Space);
        EXPECT_TRUE(desktop.Until([&] { return d.options.onTop.Value() == 1; }));
        press(Key::Tab, ok);
        pressed(Key::Space, 3, 0, ok, Key::Tab);
        pressed(Key::Space, 3, 1, cancel, Key::ShiftTab);
    }
    {
        SCOPED_TRACE("Enter on a focused button presses that one only, and the default keeps its mark after");
        pressed(Key::Enter, 4, 1, ok, Key::Tab);
        pressed(Key::Enter, 4, 2, cancel, Key::Tab);
        pressed(Key::Enter, 5, 2, letter, Key::ShiftTab);
    }
    {
        SCOPED_TRACE("Escape presses the cancel button wherever the focus is");
        press(Key::ShiftTab, ok);
        pressed(Key::Escape, 5, 3, ok, Key::Tab);
        press(Key::Tab, letter);
        pressed(Key::Escape, 5, 4, letter, Key::Tab);
    }
    {
        SCOPED_TRACE("the access key presses its button once; a doubled & is none");
        desktop.PressAlt('O');
        heard(6, 4, {}, Key::Tab);
        desktop.PressAlt('C');
        heard(6, 4, {}, Key::Tab);
        EXPECT_EQ(d.options.onTop.Value(), 1);
        EXPECT_TRUE(sample.Exists());  // the program decides what its buttons do
    }
    {
        SCOPED_TRACE("a tab order given while shown moves the focus at once");
        d.SetTabOrder({&d.cancel, &d.letter});
        EXPECT_EQ(desktop.Focus(), cancel);
        press(Key::Tab, letter);
        press(Key::Tab, cancel);
        press(Key::ShiftTab, letter);
    }
    {
        SCOPED_TRACE("each activation is reported, and the focus comes back to its control");
        press(Key::Tab, cancel);
        EXPECT_EQ(d.activations, 1);
        other->Show();
        ASSERT_TRUE(desktop.Until([&] { return desktop.Active(other.Get()); }));
        EXPECT_EQ(desktop.Focus(), other->letter.hWnd());  // its first control
        EXPECT_EQ(other->activations, 1);
        EXPECT_EQ(d.activations, 1);
        d.Show();  // the program brings it forward
        ASSERT_TRUE(desktop.Until([&] { return desktop.Active(d); }));
        EXPECT_EQ(d.activations, 2);
        EXPECT_EQ(desktop.Focus(), cancel);
        other->Show();
        ASSERT_TRUE(desktop.Until([&] { return desktop.Active(other.Get()); }));
        EXPECT_EQ(other->activations, 2);
    }
}

}  // namespace dialog_keys
