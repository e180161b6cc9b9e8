// The program on Qt widgets: the panel is a translucent tool window whose whole frame is the
// form's geometry, and size changes reach the form at once.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "panel/reading_panel.h"
#include "platform/app.h"
#include "forms/form.h"
#include "platform/qt/settings_store.h"
#include "platform/settings_store.h"
#include "platform/user32.h"
#include "shell/mHotKey.h"
#include "shell/tray_window.h"

namespace {
QWidget* PanelWidget() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->windowTitle() == "Lisotra" && w->isVisible()) return w;
    }
    return nullptr;
}

// A stored number text of so many pixels.
std::string Twips(int pixels) {
    std::string text(" ");
    text += std::to_string(pixels * 15);
    return text;
}

class QtProgram : public ::testing::Test {
protected:
    void SetUp() override {
        os::qt::ReopenSettingsStore();
        for (const char* key : {"width", "height", "left", "top"}) os::SaveSetting("Lisotra", "window", key, "");
        os::SaveSetting("Lisotra", "default", "backcolor", "");
        os::SaveSetting("Lisotra", "default", "ontop", "");
        frmTray.Get();
    }
    void TearDown() override {
        os::DiscardAllForms();
        mHotKey::HotKeyCount = 0;
        QApplication::processEvents();
    }
    static void Hotkey(os::WPARAM id) {
        os::SendMessageA(frmTray->hWnd(), os::WM_HOTKEY, id, 0);
        QApplication::processEvents();
    }
};
}  // namespace

TEST_F(QtProgram, ThePanelIsATranslucentYellowToolWindow) {
    Hotkey(1);
    QWidget* panel = PanelWidget();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->windowFlags() & Qt::Tool);
    EXPECT_FALSE(panel->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(panel->windowFlags() & Qt::WindowMinMaxButtonsHint);
    EXPECT_DOUBLE_EQ(panel->windowOpacity(), 140 / 255.0);
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(255, 255, 0));
    EXPECT_EQ(panel->size(), QSize(os::TwipsToPixelsX(4560), os::TwipsToPixelsY(3015)));
    Hotkey(2);
    EXPECT_EQ(PanelWidget(), nullptr);
}

TEST_F(QtProgram, StoredChoicesApplyToTheWidget) {
    os::SaveSetting("Lisotra", "default", "backcolor", " 16711680");  // blue
    os::SaveSetting("Lisotra", "default", "ontop", " 1");
    os::SaveSetting("Lisotra", "window", "width", " 6000");
    os::SaveSetting("Lisotra", "window", "height", " 4500");
    os::SaveSetting("Lisotra", "window", "left", " 1500");
    os::SaveSetting("Lisotra", "window", "top", " 750");
    Hotkey(1);
    QWidget* panel = PanelWidget();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(0, 0, 255));
    EXPECT_TRUE(panel->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(panel->frameGeometry(), QRect(100, 50, 400, 300));
    EXPECT_EQ(os::GetSetting("Lisotra", "window", "top"), " 750");
}

TEST_F(QtProgram, AUserResizeIsStoredAndAMoveIsNot) {
    Hotkey(1);
    QWidget* panel = PanelWidget();
    ASSERT_NE(panel, nullptr);
    panel->resize(500, 400);
    QApplication::processEvents();
    // The whole window, frame included.
    EXPECT_EQ(os::GetSetting("Lisotra", "window", "width"), Twips(panel->frameGeometry().width()));
    EXPECT_EQ(os::GetSetting("Lisotra", "window", "height"), Twips(panel->frameGeometry().height()));
    const std::string left = os::GetSetting("Lisotra", "window", "left");
    panel->move(321, 123);
    QApplication::processEvents();
    EXPECT_EQ(os::GetSetting("Lisotra", "window", "left"), left);
    Hotkey(2);
    EXPECT_EQ(os::GetSetting("Lisotra", "window", "left"), " 4815");
}

TEST_F(QtProgram, TheCloseButtonUnloadsThePanel) {
    Hotkey(1);
    QWidget* panel = PanelWidget();
    ASSERT_NE(panel, nullptr);
    panel->move(30, 45);
    panel->close();
    QApplication::processEvents();
    EXPECT_FALSE(Form1.Exists());
    EXPECT_EQ(PanelWidget(), nullptr);
    EXPECT_EQ(os::GetSetting("Lisotra", "window", "left"), " 450");
}

TEST_F(QtProgram, TheShellWindowIsNeverShown) {
    frmTray->Show();
    for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_FALSE(w->isVisible());
    os::SendMessageA(frmTray->hWnd(), os::WM_CLOSE, 0, 0);
    EXPECT_TRUE(frmTray.Exists());
}
