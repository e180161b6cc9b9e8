// The About box and the donate window as a person uses them, played on every desktop: About shows
// the version and the home page link; System Info... starts the desktop's system information
// program or says there is none; OK (Enter) and Escape close it; Donate opens near the bottom
// right of the screen and its picture opens the thanks page. Each desktop's test says how to open,
// press, click and look; the steps are written here.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/os_types.h"

namespace info_scenario {

// What the About box shows.
struct About {
    std::string caption, title, version, link;
};

enum class Key { Enter, Escape };

class Desktop {
public:
    virtual ~Desktop() = default;
    virtual void Start(bool systemInfoProgram) = 0;  // with or without a system information program
    virtual void OpenFromTray(const char* item) = 0;  // "about" or "donate"
    virtual std::optional<About> AboutBox() = 0;     // nothing while no About box is shown
    virtual void Press(Key key) = 0;                  // in the About box
    virtual void ClickLink() = 0;
    // System Info...; gives the texts of the messages it showed, each read and closed by the person.
    virtual std::vector<std::string> ClickSystemInfo() = 0;
    virtual bool SystemInfoStarted() = 0;
    virtual std::vector<std::string> Opened() = 0;  // the web pages opened so far
    // The donate window's outer frame while it is shown, and the screen, both in pixels.
    virtual std::optional<os::PixelRect> Donate() = 0;
    virtual os::PixelRect Screen() = 0;
    virtual void ClickDonate(bool picture) = 0;  // its picture, or its message
    // Waits, as long as the desktop may take, until `done` holds; false if it never did.
    virtual bool Until(const std::function<bool()>& done) = 0;
};

// Plays the About box with or without a system information program.
inline void PlayAbout(Desktop& desktop, bool systemInfoProgram) {
    desktop.Start(systemInfoProgram);
    desktop.OpenFromTray("about");
    const std::optional<About> seen = desktop.AboutBox();
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->caption, "About Lisotra");
    EXPECT_EQ(seen->title, "Lisotra");
    EXPECT_EQ(seen->version, "Version 2.0.0");
    EXPECT_EQ(seen->link, "https://lisotra.org");
    {
        SCOPED_TRACE("Enter presses OK, which has the focus and closes it");
        desktop.Press(Key::Enter);
        EXPECT_TRUE(desktop.Until([&] { return !desktop.AboutBox(); }));
        desktop.OpenFromTray("about");
        ASSERT_TRUE(desktop.AboutBox());
    }
    {
        SCOPED_TRACE("the link opens the home page and the box stays");
        desktop.ClickLink();
        EXPECT_TRUE(desktop.Until([&] { return desktop.Opened() == std::vector<std::string>{"https://lisotra.org"}; }));
        EXPECT_TRUE(desktop.AboutBox());
    }
    {
        SCOPED_TRACE("System Info... starts the program, or says there is none; the box stays");
        const std::vector<std::string> told = desktop.ClickSystemInfo();
        if (systemInfoProgram) {
            EXPECT_TRUE(told.empty());
            EXPECT_TRUE(desktop.Until([&] { return desktop.SystemInfoStarted(); }));
        } else {
            EXPECT_EQ(told, std::vector<std::string>{"System Information Is Unavailable At This Time"});
            EXPECT_FALSE(desktop.SystemInfoStarted());
        }
        EXPECT_TRUE(desktop.AboutBox());
    }
    {
        SCOPED_TRACE("Escape closes it wherever the focus is");
        desktop.Press(Key::Escape);
        EXPECT_TRUE(desktop.Until([&] { return !desktop.AboutBox(); }));
    }
}

inline void PlayDonate(Desktop& desktop, float twipsPerPixel) {
    desktop.Start(false);
    desktop.OpenFromTray("donate");
    const std::optional<os::PixelRect> frame = desktop.Donate();
    ASSERT_TRUE(frame);
    {
        SCOPED_TRACE("it sits 100 twips in from the screen's right and 1200 twips above its bottom");
        const os::PixelRect screen = desktop.Screen();
        const auto pixels = [&](float twips) { return static_cast<int>(twips / twipsPerPixel + 0.5f); };
        EXPECT_NEAR(frame->left + frame->width, screen.left + screen.width - pixels(100), 1);
        EXPECT_NEAR(frame->top + frame->height, screen.top + screen.height - pixels(1200), 1);
    }
    {
        SCOPED_TRACE("only the picture opens the thanks page, each time");
        desktop.ClickDonate(false);
        desktop.ClickDonate(true);
        desktop.ClickDonate(true);
        const std::vector<std::string> thanks(2, "https://lisotra.org/say-thanks");
        EXPECT_TRUE(desktop.Until([&] { return desktop.Opened() == thanks; }));
    }
}

}  // namespace info_scenario
