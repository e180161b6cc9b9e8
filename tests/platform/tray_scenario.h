// The tray icon's rules, played on every desktop: one icon, shown until it is taken away, with
// its tip; a person's click, right click and double-click heard as such, anything else as
// nothing. Each desktop's test says how a person acts on the icon and what the desktop shows.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/tray.h"

namespace tray_scenario {

class Desktop {
public:
    virtual ~Desktop() = default;
    // A person's act on the icon, as this desktop reports it.
    virtual void Act(os::TrayEvent event) = 0;
    // Acts that are none of the events: presses, moves, middle clicks, right double-clicks.
    virtual void ActOtherwise() = 0;
    // The tip of the icon the desktop shows, nothing while it shows none.
    virtual std::optional<std::string> ShownTip() = 0;
};

// Plays the rules on a desktop that shows no icon of the program yet.
inline void Play(Desktop& desktop, os::Hicon icon, os::Hicon other) {
    using os::TrayEvent;
    std::vector<TrayEvent> heard;
    os::SetTrayHandler([&heard](TrayEvent event) { heard.push_back(event); });

    EXPECT_FALSE(os::SetTrayIcon(icon, "none yet"));
    EXPECT_FALSE(os::RemoveTrayIcon());
    EXPECT_EQ(desktop.ShownTip(), std::nullopt);

    ASSERT_TRUE(os::ShowTrayIcon(icon, "Lisotra v2.0"));
    EXPECT_EQ(desktop.ShownTip(), "Lisotra v2.0");
    EXPECT_FALSE(os::ShowTrayIcon(other, "Quenby"));  // the one shown stays as it was
    EXPECT_EQ(desktop.ShownTip(), "Lisotra v2.0");

    desktop.ActOtherwise();
    EXPECT_TRUE(heard.empty());
    for (TrayEvent event : {TrayEvent::Clicked, TrayEvent::MenuAsked, TrayEvent::DoubleClicked}) desktop.Act(event);
    EXPECT_EQ(heard, (std::vector<TrayEvent>{TrayEvent::Clicked, TrayEvent::MenuAsked, TrayEvent::DoubleClicked}));

    EXPECT_TRUE(os::SetTrayIcon(other, "New Icon and Tooltip!"));
    EXPECT_EQ(desktop.ShownTip(), "New Icon and Tooltip!");
    EXPECT_TRUE(os::RemoveTrayIcon());
    EXPECT_EQ(desktop.ShownTip(), std::nullopt);
    EXPECT_FALSE(os::RemoveTrayIcon());
    EXPECT_FALSE(os::SetTrayIcon(icon, "gone"));
    EXPECT_EQ(desktop.ShownTip(), std::nullopt);

    // Shown again after it was taken away.
    EXPECT_TRUE(os::ShowTrayIcon(other, "Quenby"));
    EXPECT_EQ(desktop.ShownTip(), "Quenby");
    EXPECT_TRUE(os::RemoveTrayIcon());
    os::SetTrayHandler(nullptr);
}

}  // namespace tray_scenario
