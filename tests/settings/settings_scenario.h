// The settings dialog as a person uses it, played on every desktop: opened from the tray, it shows
// what is in force; a close stores nothing; one letter for both is refused and the dialog stays;
// OK stores the letters upper-cased and the new hotkeys work at once; an empty box keeps its
// letter; a preset colour goes to the swatch; the opacity box speaks in percent, refuses what is
// not one, and left as shown keeps the alpha in force; the panel next shown takes the opacity.
// Each desktop's test says how to open, type, press and look; the steps are written here.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/os_types.h"
#include "settings/settings_dialog.h"

namespace settings_scenario {

enum class Box { Show, Hide, Opacity };
inline const forms::TextBox& BoxOf(const SettingsDialog& d, Box box) {
    return box == Box::Show ? d.showLetter : box == Box::Hide ? d.hideLetter : d.opacityBox;
}

// What the dialog shows.
struct Seen {
    std::string caption, show, hide;
    bool onTop = false;
    os::COLORREF color = 0;
    std::string opacity;  // percent
};

class Desktop {
public:
    virtual ~Desktop() = default;
    // The program starts on a store that holds these "default" values and no others.
    virtual void Start(const std::vector<std::pair<const char*, std::string>>& stored) = 0;
    virtual void OpenFromTray() = 0;            // the tray menu's Settings
    virtual std::optional<Seen> Dialog() = 0;   // nothing while no settings dialog is shown
    virtual void Type(Box box, const std::string& text) = 0;  // over all the box holds
    virtual void ClickOnTop() = 0;
    virtual void ClickPreset(int index) = 0;  // a mouse click on the preset colours' box `index`
    // OK; gives the texts of the messages it showed, each read and closed by the person.
    virtual std::vector<std::string> PressOk() = 0;
    virtual void Close() = 0;  // the close box
    // Ctrl+Alt+letter: whether the program answered it. Panel(): whether the panel is shown.
    virtual bool PressHotkey(char letter) = 0;
    virtual bool Panel() = 0;
    virtual int PanelOpacity() = 0;  // of 255, while the panel is shown
    virtual std::string Stored(const char* section, const char* key) = 0;  // "" when absent
};

// Ctrl+Alt+show shows the panel and Ctrl+Alt+hide takes it away; `gone` answers nothing.
inline void HotkeysAre(Desktop& desktop, char show, char hide, char gone) {
    EXPECT_TRUE(desktop.PressHotkey(show));
    EXPECT_TRUE(desktop.Panel());
    EXPECT_TRUE(desktop.PressHotkey(hide));
    EXPECT_FALSE(desktop.Panel());
    EXPECT_FALSE(desktop.PressHotkey(gone));
}

// Ctrl+Alt+show brings the panel up with this alpha; Ctrl+Alt+hide takes it away.
inline void PanelShowsOpacity(Desktop& desktop, char show, char hide, int alpha) {
    EXPECT_TRUE(desktop.PressHotkey(show));
    EXPECT_EQ(desktop.PanelOpacity(), alpha);
    EXPECT_TRUE(desktop.PressHotkey(hide));
}

inline void Play(Desktop& desktop) {
    // 141 is 55.3 %: no whole percent names it.
    desktop.Start({{"ontop", " 1"}, {"backcolor", " 255"}, {"opacity", " 141"}});
    {
        SCOPED_TRACE("opened from the tray, it shows the letters, colour and opacity in force");
        desktop.OpenFromTray();
        const std::optional<Seen> seen = desktop.Dialog();
        ASSERT_TRUE(seen);
        EXPECT_EQ(seen->caption, "Lisotra Settings.");
        EXPECT_EQ(seen->show, "S");
        EXPECT_EQ(seen->hide, "L");
        EXPECT_TRUE(seen->onTop);
        EXPECT_EQ(seen->color, 0x0000FFu);
        EXPECT_EQ(seen->opacity, "55");
    }
    {
        SCOPED_TRACE("the close box stores nothing and keeps the hotkeys");
        desktop.Type(Box::Show, "x");
        desktop.Type(Box::Opacity, "20");
        desktop.Close();
        EXPECT_FALSE(desktop.Dialog());
        EXPECT_EQ(desktop.Stored("default", "key"), "");
        EXPECT_EQ(desktop.Stored("default", "opacity"), " 141");
        HotkeysAre(desktop, 'S', 'L', 'X');
    }
    {
        SCOPED_TRACE("one letter for both is refused, the dialog stays open and nothing is stored");
        desktop.OpenFromTray();
        ASSERT_TRUE(desktop.Dialog());
        EXPECT_EQ(desktop.Dialog()->show, "S");  // read again: the typed X was not kept
        desktop.Type(Box::Show, "");
        desktop.Type(Box::Hide, "s");
        const std::vector<std::string> told = desktop.PressOk();
        ASSERT_EQ(told.size(), 1u);
        EXPECT_NE(told[0].find("CTRL+Alt+S cannot both show and hide"), std::string::npos) << told[0];
        EXPECT_TRUE(desktop.Dialog());
        EXPECT_EQ(desktop.Stored("default", "keystart"), "");
        EXPECT_EQ(desktop.Stored("start", "autoload"), "");
        HotkeysAre(desktop, 'S', 'L', 'X');
    }
    {
        SCOPED_TRACE("an opacity that is not a whole percent from 10 to 100 is refused, and the dialog stays");
        desktop.Type(Box::Show, "e");
        desktop.Type(Box::Hide, "");
        for (const char* refused : {"5", "101", "half"}) {
            desktop.Type(Box::Opacity, refused);
            const std::vector<std::string> told = desktop.PressOk();
            ASSERT_EQ(told.size(), 1u) << refused;
            EXPECT_EQ(told[0], "Opacity (%) takes a whole number from 10 to 100.");
            EXPECT_TRUE(desktop.Dialog());
        }
        EXPECT_EQ(desktop.Stored("default", "key"), "");
        EXPECT_EQ(desktop.Stored("default", "opacity"), " 141");
    }
    {
        SCOPED_TRACE("OK stores the letter upper-cased and its hotkey works at once; an empty box keeps its own");
        desktop.Type(Box::Opacity, "55");  // as it was shown
        desktop.ClickOnTop();
        EXPECT_EQ(desktop.PressOk(), std::vector<std::string>{});
        EXPECT_FALSE(desktop.Dialog());
        EXPECT_EQ(desktop.Stored("default", "key"), "E");
        EXPECT_EQ(desktop.Stored("default", "keystart"), "");
        EXPECT_EQ(desktop.Stored("default", "ontop"), " 0");
        EXPECT_EQ(desktop.Stored("default", "backcolor"), " 255");
        EXPECT_EQ(desktop.Stored("start", "autoload"), "666");
        EXPECT_EQ(desktop.Stored("default", "opacity"), " 141");
        PanelShowsOpacity(desktop, 'E', 'L', 141);
        HotkeysAre(desktop, 'E', 'L', 'S');
    }
    {
        SCOPED_TRACE("the first of the letters is the key, and the stored letter stays when its box is emptied");
        desktop.OpenFromTray();
        ASSERT_TRUE(desktop.Dialog());
        EXPECT_EQ(desktop.Dialog()->show, "E");
        EXPECT_EQ(desktop.Dialog()->hide, "L");
        EXPECT_FALSE(desktop.Dialog()->onTop);
        desktop.Type(Box::Show, "");
        desktop.Type(Box::Hide, "qw");
        desktop.ClickPreset(3);  // rose
        EXPECT_EQ(desktop.Dialog()->color, 0xC2C2F4u);
        desktop.Type(Box::Opacity, " 30 %");
        EXPECT_EQ(desktop.PressOk(), std::vector<std::string>{});
        EXPECT_FALSE(desktop.Dialog());
        EXPECT_EQ(desktop.Stored("default", "key"), "E");
        EXPECT_EQ(desktop.Stored("default", "keystart"), "QW");
        EXPECT_EQ(desktop.Stored("default", "backcolor"), " 12763892");
        EXPECT_EQ(desktop.Stored("default", "opacity"), " 76");  // 76.5, halves to even
        PanelShowsOpacity(desktop, 'E', 'Q', 76);
        HotkeysAre(desktop, 'E', 'Q', 'L');
    }
}

}  // namespace settings_scenario
