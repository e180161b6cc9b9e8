// The reading panel as a person meets it, played on every desktop: show it, drag its border, drag
// its caption, hide it, show it again, then move and size it by keyboard and close it with Escape.
// Each desktop's test says how to press a hotkey or a key, drag the frame and look at the panel;
// the steps and what each must give are written here once.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/twips.h"
#include "platform/app.h"
#include "platform/native_window.h"
#include "settings/number_text.h"

namespace panel_scenario {

// What the desktop shows of the panel.
struct Seen {
    bool visible = false;
    os::PixelRect frame;  // the whole window, frame included
    os::COLORREF color = 0;
    int opacity = 255;  // of 255
    bool topmost = false;
};

class Desktop {
public:
    virtual ~Desktop() = default;
    virtual void PressShow() = 0;
    virtual void PressHide() = 0;
    virtual void DragBorder(const os::PixelRect& frame) = 0;  // size and place
    virtual void DragCaption(int left, int top) = 0;          // place only
    // A key pressed and released where the keyboard focus is: the panel has it once shown.
    virtual void Press(const os::KeyInput& key) = 0;
    virtual std::optional<Seen> Panel() = 0;                  // nothing while no panel exists
    virtual std::string Stored(const char* windowKey) = 0;    // a "window" value's text
    // Waits until `done` holds, as long as a desktop may take to act on a key; whether it did.
    virtual bool Until(const std::function<bool()>& done) { return done(); }
};

enum class Act { Show, DragBorder, DragCaption, Hide, Key };

struct Step {
    const char* what;
    Act act;
    os::PixelRect to;  // where a drag takes the frame (a caption drag keeps the size)
    os::KeyInput key;  // the key pressed
    bool shown;
    // The frame the panel shows afterwards and the one the four stored values name, in pixels;
    // nothing: the design frame, which each desktop frames its own way.
    std::optional<os::PixelRect> frame, stored;
};

inline constexpr os::PixelRect kResized{100, 100, 320, 240};
inline constexpr os::PixelRect kMoved{300, 200, 320, 240};

// The steps on a desktop whose primary screen is `screen`: Shift's steps are a tenth of it.
inline std::vector<Step> Steps(const os::PixelRect& screen) {
    const int tenthHigh = screen.height / 10;
    const os::PixelRect right{301, 200, 320, 240}, down{301, 200 + tenthHigh, 320, 240};
    const os::PixelRect wider{301, 200 + tenthHigh, 321, 240}, lower{301, 200 + tenthHigh, 321, 240 - tenthHigh};
    return {
        {"the first show stores the design frame", Act::Show, {}, {}, true, std::nullopt, std::nullopt},
        {"a border drag stores size and place", Act::DragBorder, kResized, {}, true, kResized, kResized},
        {"a caption drag alone stores nothing", Act::DragCaption, kMoved, {}, true, kMoved, kResized},
        {"hiding stores the moved place", Act::Hide, {}, {}, false, std::nullopt, kMoved},
        {"showing again restores it whole", Act::Show, {}, {}, true, kMoved, kMoved},
        {"Right moves it a pixel and stores nothing", Act::Key, {}, {.virtualKey = os::VK_RIGHT}, true, right, kMoved},
        {"Shift+Down moves it a tenth of the screen", Act::Key, {}, {.virtualKey = os::VK_DOWN, .shiftHeld = true}, true, down, kMoved},
        {"Ctrl+Right widens it a pixel and stores the frame", Act::Key, {}, {.virtualKey = os::VK_RIGHT, .controlHeld = true}, true, wider, wider},
        {"Ctrl+Shift+Up shortens it a tenth of the screen", Act::Key, {}, {.virtualKey = os::VK_UP, .shiftHeld = true, .controlHeld = true}, true, lower, lower},
        {"Escape hides it as its close button", Act::Key, {}, {.virtualKey = os::VK_ESCAPE}, false, std::nullopt, lower},
        {"showing again restores the keyed frame", Act::Show, {}, {}, true, lower, lower},
    };
}

inline std::string TwipsX(int pixels) { return settings::FormatSettingNumber(forms::PixelsToTwipsX(pixels)); }
inline std::string TwipsY(int pixels) { return settings::FormatSettingNumber(forms::PixelsToTwipsY(pixels)); }

// Plays the steps on a desktop whose store holds no panel settings.
inline void Play(Desktop& desktop) {
    const std::vector<os::Monitor> screens = os::Screen().monitors;
    ASSERT_FALSE(screens.empty());
    for (const Step& step : Steps(screens.front().area)) {
        SCOPED_TRACE(step.what);
        switch (step.act) {
        case Act::Show: desktop.PressShow(); break;
        case Act::Hide: desktop.PressHide(); break;
        case Act::DragBorder: desktop.DragBorder(step.to); break;
        case Act::DragCaption: desktop.DragCaption(step.to.left, step.to.top); break;
        case Act::Key:
            desktop.Press(step.key);
            desktop.Until([&] {
                const std::optional<Seen> now = desktop.Panel();
                return now.has_value() == step.shown && (!now || !step.frame || now->frame == *step.frame);
            });
            break;
        }
        const std::optional<Seen> panel = desktop.Panel();
        ASSERT_EQ(panel.has_value(), step.shown);
        if (panel) {
            EXPECT_TRUE(panel->visible);
            EXPECT_EQ(panel->color, 0x00FFFFu);  // yellow
            EXPECT_EQ(panel->opacity, 140);
            EXPECT_FALSE(panel->topmost);
            if (step.frame) {
                EXPECT_EQ(panel->frame, *step.frame);
            }
        }
        const os::PixelRect stored = step.stored ? *step.stored : panel->frame;
        EXPECT_EQ(desktop.Stored("width"), TwipsX(stored.width));
        EXPECT_EQ(desktop.Stored("height"), TwipsY(stored.height));
        EXPECT_EQ(desktop.Stored("left"), TwipsX(stored.left));
        EXPECT_EQ(desktop.Stored("top"), TwipsY(stored.top));
    }
}

}  // namespace panel_scenario
