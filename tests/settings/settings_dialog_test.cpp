// The settings dialog on the in-memory desktop: the settings scenario, and what only this desktop
// shows (the stored colour's reading, a combination held elsewhere, the layout, the focus order).
#include "settings/settings_dialog.h"

#include "colorpicker/color_picker_dialog.h"
#include "panel/reading_panel.h"
#include "platform/font.h"
#include "shell/shell_window.h"
#include "settings/settings_scenario.h"
#include "support/fresh_process.h"

namespace {
class SettingsDialogTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Start();
    }
    static void Open() { Choose("settings"); }
    static void Choose(const std::string& item) {
        headless::ChooseFromNextMenu(item);
        headless::TrayAct(os::TrayEvent::MenuAsked);
    }
    static SettingsDialog& Dialog() { return Program().settings.Get(); }
    static std::string Shown(const forms::TextControl& c) { return headless::Control(c.hWnd())->text; }
    static void Type(const forms::TextBox& box, const std::string& text) { headless::TypeText(box.hWnd(), text); }
    static void PressOk() { headless::ClickButton(Dialog().okButton.hWnd()); }
    static bool Panel(unsigned key) {
        headless::PressHotKey(kCtrlAlt, key);
        return Program().panel.Exists();
    }
};

class HeadlessSettingsDesktop final : public settings_scenario::Desktop {
public:
    void Start(const std::vector<std::pair<const char*, std::string>>& stored) override {
        for (const auto& [key, value] : stored) ProgramTest::Store("default", key, value);
        os::RunApplication(0, nullptr, [] { Program().Start(); });
    }
    void OpenFromTray() override {
        headless::ChooseFromNextMenu("settings");
        headless::TrayAct(os::TrayEvent::MenuAsked);
    }
    std::optional<settings_scenario::Seen> Dialog() override {
        if (!Program().settings.Exists()) return std::nullopt;
        const SettingsDialog& d = Program().settings.Get();
        if (!headless::Window(d.hWnd())->visible) return std::nullopt;
        return settings_scenario::Seen{headless::Window(d.hWnd())->caption, headless::Control(d.showLetter.hWnd())->text,
                                       headless::Control(d.hideLetter.hWnd())->text, d.onTop.Value() == 1,
                                       headless::ShownPixel(d.swatch.hWnd(), 5, 5), headless::Control(d.opacityBox.hWnd())->text};
    }
    void Type(settings_scenario::Box box, const std::string& text) override {
        const SettingsDialog& d = Program().settings.Get();
        headless::TypeText(settings_scenario::BoxOf(d, box).hWnd(), text);
    }
    void ClickOnTop() override { headless::ClickCheckBox(Program().settings->onTop.hWnd()); }
    void ClickPreset(int index) override {
        const os::Hwnd preset = Program().settings->presets[static_cast<size_t>(index)].hWnd();
        headless::Mouse(preset, os::WM_LBUTTONDOWN, 5, 5);
        headless::Mouse(preset, os::WM_LBUTTONUP, 5, 5);
    }
    std::vector<std::string> PressOk() override {
        const size_t before = headless::Messages().size();
        headless::ClickButton(Program().settings->okButton.hWnd());
        std::vector<std::string> told;
        for (size_t i = before; i < headless::Messages().size(); ++i) {
            EXPECT_EQ(headless::Messages()[i].first, "Lisotra Settings.");
            told.push_back(headless::Messages()[i].second);
        }
        return told;
    }
    void Close() override { headless::UserClose(Program().settings->hWnd()); }
    bool PressHotkey(char letter) override { return headless::PressHotKey(kCtrlAlt, static_cast<unsigned>(letter)); }
    bool Panel() override { return ProgramTest::Panel() && ProgramTest::Panel()->visible; }
    int PanelOpacity() override { return ProgramTest::Panel()->opacity; }
    std::string Stored(const char* section, const char* key) override {
        const std::string stored = ProgramTest::Stored(section, key);
        return stored == "<absent>" ? "" : stored;
    }
};

class HeadlessSettings : public ProgramTest {};
}  // namespace

TEST_F(HeadlessSettings, AsAPersonUsesIt) {
    HeadlessSettingsDesktop desktop;
    settings_scenario::Play(desktop);
}

TEST_F(SettingsDialogTest, OpensAsADialogThatStoresNothingBeforeOk) {
    Open();
    EXPECT_EQ(headless::Window(Dialog().hWnd())->kind, os::WindowKind::Dialog);
    EXPECT_FALSE(Dialog().runAtStartup.Registered());
    EXPECT_EQ(headless::SaveCount(), 0);
}

TEST_F(SettingsDialogTest, AColourThePanelDoesNotShowIsShownAsThePanelsYellow) {
    for (const char* stored : {" 99999999999", " 0", "-5", "word"}) {
        Store("default", "backcolor", stored);
        Open();
        EXPECT_EQ(headless::ShownPixel(Dialog().swatch.hWnd(), 5, 5), 0x00FFFFu) << stored;
        headless::UserClose(Dialog().hWnd());
    }
    EXPECT_FALSE(headless::Ended());
}

TEST_F(SettingsDialogTest, LettersBeyondAToZAreUpperCasedToo) {
    Open();
    Type(Dialog().showLetter, "\xC3\xA9");     // é
    Type(Dialog().hideLetter, "\xD0\xB6x");    // жx
    PressOk();
    EXPECT_EQ(Stored("default", "key"), "\xC3\x89");       // É
    EXPECT_EQ(Stored("default", "keystart"), "\xD0\x96X");  // ЖX
}

TEST_F(SettingsDialogTest, ARefusedCombinationIsStoredAndReported) {
    headless::HoldHotKeyElsewhere(kCtrlAlt, 'Z');
    Open();
    Type(Dialog().showLetter, "z");
    PressOk();
    EXPECT_EQ(Stored("default", "key"), "Z");
    ASSERT_EQ(headless::Messages().size(), 1u);
    EXPECT_EQ(headless::Messages()[0].first, "Lisotra Settings.");
    EXPECT_NE(headless::Messages()[0].second.find("CTRL+Alt+Z could not be registered"), std::string::npos);
    EXPECT_FALSE(headless::PressHotKey(kCtrlAlt, 'Z'));
    headless::Run([] { Program().panel->Show(); });
    EXPECT_TRUE(headless::PressHotKey(kCtrlAlt, 'L'));  // the hide hotkey is still id 2
    EXPECT_FALSE(Program().panel.Exists());
}

TEST_F(SettingsDialogTest, OneInstanceBroughtForward) {
    Open();
    const os::Hwnd first = Dialog().hWnd();
    Type(Dialog().showLetter, "Q");
    headless::Activate(Program().shell->hWnd());
    Open();
    EXPECT_EQ(Dialog().hWnd(), first);
    EXPECT_TRUE(headless::Window(first)->active);
    EXPECT_EQ(Shown(Dialog().showLetter), "Q");  // not read again
}

TEST_F(SettingsDialogTest, KeyboardAloneFromOkAlongTheFocusOrder) {
    Open();
    const os::Hwnd window = Dialog().hWnd();
    const SettingsDialog& d = Dialog();
    EXPECT_EQ(headless::Window(window)->focus, d.okButton.hWnd());
    std::vector<os::Hwnd> order{d.okButton.hWnd(), d.hideLetter.hWnd(), d.showLetter.hWnd(),
                                d.runAtStartup.checkBox.hWnd(), d.onTop.hWnd(), d.colorButton.hWnd(),
                                d.swatch.hWnd()};
    for (const forms::PictureBox& preset : d.presets) order.push_back(preset.hWnd());
    order.push_back(d.opacityBox.hWnd());
    EXPECT_EQ(headless::Window(window)->tabOrder, order);
    for (int i = 0; i < 5; ++i) headless::PressKey(window, os::VK_TAB);
    headless::PressKey(window, os::VK_SPACE);  // the colour button
    EXPECT_TRUE(Program().picker.Exists());
    headless::PressKey(window, os::VK_TAB);  // the swatch
    headless::PressKey(window, os::VK_TAB);  // the first preset
    headless::PressKey(window, os::VK_SPACE);
    EXPECT_EQ(headless::ShownPixel(d.swatch.hWnd(), 5, 5), 0xB9DAFFu);  // peach
    headless::PressKey(window, os::VK_RETURN);  // OK is the default button
    EXPECT_FALSE(Program().settings.Exists());
}

TEST_F(SettingsDialogTest, LayoutNamesAndTheLetterBoxesOverTheE) {
    Open();
    const SettingsDialog& d = Dialog();
    const headless::WindowState* window = headless::Window(d.hWnd());
    EXPECT_EQ(window->frame.width - 8, forms::TwipsToPixelsX(7170));  // the in-memory desktop's border
    for (const auto* pair : {&d.showLetter, &d.hideLetter}) {
        const headless::ControlState* box = headless::Control(pair->hWnd());
        const headless::ControlState* label = headless::Control((pair == &d.showLetter ? d.showLabel : d.hideLabel).hWnd());
        const int before = os::MeasureText(label->font, "Press CTRL+Alt+  ").width;
        const int e = os::MeasureText(label->font, "E").width;
        EXPECT_EQ(box->rect.top, label->rect.top);
        EXPECT_LE(box->rect.left, label->rect.left + before);                // covers the E
        EXPECT_GE(box->rect.left + box->rect.width, label->rect.left + before + e);
        EXPECT_EQ(label->font.size, 13.5);
    }
    EXPECT_EQ(headless::Control(d.showLetter.hWnd())->accessibleName, "show hotkey letter");
    EXPECT_EQ(headless::Control(d.hideLetter.hWnd())->accessibleName, "hide hotkey letter");
    EXPECT_EQ(headless::Control(d.okButton.hWnd())->rect, (os::PixelRect{392, 232, 73, 25}));
    EXPECT_EQ(headless::Window(d.swatch.hWnd())->frame, (os::PixelRect{256, 112, 129, 25}));

    // The presets and the opacity: named, inside the dialog, over none of the older controls.
    const char* names[] = {"Peach", "Orange", "Yellow", "Rose", "Blue-grey"};
    std::vector<os::PixelRect> added{headless::Control(d.opacityLabel.hWnd())->rect, headless::Control(d.opacityBox.hWnd())->rect};
    for (size_t i = 0; i < d.presets.size(); ++i) {
        const headless::WindowState* preset = headless::Window(d.presets[i].hWnd());
        EXPECT_TRUE(preset->toolTip == names[i] && preset->accessibleName == names[i] && preset->focusFrame) << names[i];
        added.push_back(preset->frame);
    }
    std::vector<os::PixelRect> old{headless::Window(d.swatch.hWnd())->frame, headless::CheckBox(d.onTop.hWnd())->rect,
                                   headless::CheckBox(d.runAtStartup.checkBox.hWnd())->rect};
    for (const os::Hwnd control : headless::ControlsOf(d.hWnd())) old.push_back(headless::Control(control)->rect);
    old.resize(old.size() - 2);  // the opacity label and box, made last
    for (const os::PixelRect& a : added) {
        EXPECT_LE(a.left + a.width, window->frame.width - 8);
        for (const os::PixelRect& b : old) {
            EXPECT_FALSE(a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height && b.top < a.top + a.height)
                << a.left << "," << a.top << " over " << b.left << "," << b.top;
        }
    }
    EXPECT_EQ(headless::Control(d.opacityBox.hWnd())->accessibleName, "reading panel opacity in percent");
}
