// The program on Qt widgets: the panel is a translucent tool window whose whole frame is the
// form's geometry, and size changes reach the form at once.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <map>

#include "panel/reading_panel.h"
#include "platform/app.h"
#include "forms/form.h"
#include "platform/qt/settings_store.h"
#include "platform/qt/window_list.h"
#include "platform/settings_store.h"
#include "platform/hotkey_bindings.h"
#include "panel/panel_scenario.h"
#include "shell/shell_window.h"
#include "support/program.h"
#include "support/test_form.h"

namespace {
QWidget* PanelWidget() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->windowTitle() == "Lisotra" && w->isVisible()) return w;
    }
    return nullptr;
}


class QtProgram : public ::testing::Test {
protected:
    void SetUp() override {
        os::qt::ReopenSettingsStore();
        for (const char* key : {"width", "height", "left", "top"}) os::WriteSetting("window", key, "");
        os::WriteSetting("default", "backcolor", "");
        os::WriteSetting("default", "ontop", "");
        Program().shell.Get();
    }
    void TearDown() override {
        EndProgram();
        DiscardTestForms();
        QApplication::processEvents();
    }
    static void Hotkey(os::WPARAM id) {
        os::RunHotkeyHandler(static_cast<int>(id));
        QApplication::processEvents();
    }
};
}  // namespace

class QtPanelDesktop : public panel_scenario::Desktop {
public:
    explicit QtPanelDesktop(void (*hotkey)(os::WPARAM)) : hotkey_(hotkey) {}
    void PressShow() override { hotkey_(1); }
    void PressHide() override { hotkey_(2); }
    void DragBorder(const os::PixelRect& f) override {
        // The frame goes where it is dragged; Qt places the client inside it.
        QWidget* panel = PanelWidget();
        const QRect frame = panel->frameGeometry(), client = panel->geometry();
        panel->setGeometry(f.left + client.x() - frame.x(), f.top + client.y() - frame.y(),
                           f.width - (frame.width() - client.width()), f.height - (frame.height() - client.height()));
        QApplication::processEvents();
    }
    void DragCaption(int left, int top) override {
        PanelWidget()->move(left, top);
        QApplication::processEvents();
    }
    // To the window that has the keyboard focus, through the window system as a keyboard's keys.
    void Press(const os::KeyInput& key) override {
        static const std::map<unsigned, Qt::Key> keys{{os::VK_LEFT, Qt::Key_Left},   {os::VK_UP, Qt::Key_Up},
                                                      {os::VK_RIGHT, Qt::Key_Right}, {os::VK_DOWN, Qt::Key_Down},
                                                      {os::VK_ESCAPE, Qt::Key_Escape}};
        const Qt::KeyboardModifiers held = (key.shiftHeld ? Qt::ShiftModifier : Qt::NoModifier) |
                                           (key.controlHeld ? Qt::ControlModifier : Qt::NoModifier) |
                                           (key.altHeld ? Qt::AltModifier : Qt::NoModifier);
        ASSERT_NE(PanelWidget(), nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(PanelWidget()));
        QTest::keyClick(QGuiApplication::focusWindow(), keys.at(key.virtualKey), held);
    }
    bool Until(const std::function<bool()>& done) override { return QTest::qWaitFor(done); }
    std::optional<panel_scenario::Seen> Panel() override {
        if (!Program().panel.Exists()) return std::nullopt;
        QWidget* panel = PanelWidget();
        if (!panel) return panel_scenario::Seen{};
        const QRect f = panel->frameGeometry();
        const QColor c = panel->palette().color(QPalette::Window);
        return panel_scenario::Seen{panel->isVisible(), {f.x(), f.y(), f.width(), f.height()},
                                    static_cast<os::COLORREF>(c.red() | c.green() << 8 | c.blue() << 16),
                                    qRound(panel->windowOpacity() * 255),
                                    (panel->windowFlags() & Qt::WindowStaysOnTopHint) != 0};
    }
    std::string Stored(const char* key) override { return os::ReadSetting("window", key); }

private:
    void (*hotkey_)(os::WPARAM);
};

TEST_F(QtProgram, ShowDragHideAndShowAgain) {
    QtPanelDesktop desktop(&Hotkey);
    panel_scenario::Play(desktop);
}

TEST_F(QtProgram, ThePanelIsAToolWindowOfTheDesignSize) {
    Hotkey(1);
    QWidget* panel = PanelWidget();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->windowFlags() & Qt::Tool);
    EXPECT_FALSE(panel->windowFlags() & Qt::WindowMinMaxButtonsHint);
    EXPECT_EQ(panel->size(), QSize(forms::TwipsToPixelsX(4560), forms::TwipsToPixelsY(3015)));
    EXPECT_EQ(panel->accessibleName(), "Lisotra reading panel");
    EXPECT_TRUE(panel->accessibleDescription().contains("Arrow keys move it"));
}

TEST_F(QtProgram, StoredChoicesApplyToTheWidget) {
    os::WriteSetting("default", "backcolor", " 16711680");  // blue
    os::WriteSetting("default", "ontop", " 1");
    os::WriteSetting("window", "width", " 6000");
    os::WriteSetting("window", "height", " 4500");
    os::WriteSetting("window", "left", " 1500");
    os::WriteSetting("window", "top", " 750");
    Hotkey(1);
    QWidget* panel = PanelWidget();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(0, 0, 255));
    EXPECT_TRUE(panel->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(panel->frameGeometry(), QRect(100, 50, 400, 300));
    EXPECT_EQ(os::ReadSetting("window", "top"), " 750");
}

TEST_F(QtProgram, TheCloseButtonUnloadsThePanel) {
    Hotkey(1);
    QWidget* panel = PanelWidget();
    ASSERT_NE(panel, nullptr);
    panel->move(30, 45);
    panel->close();
    QApplication::processEvents();
    EXPECT_FALSE(Program().panel.Exists());
    EXPECT_EQ(PanelWidget(), nullptr);
    EXPECT_EQ(os::ReadSetting("window", "left"), " 450");
}

TEST_F(QtProgram, TheShellWindowIsNeverShown) {
    Program().shell->Show();
    for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_FALSE(w->isVisible());
}

TEST_F(QtProgram, TheEndOfTheSessionUnloadsThePanelAndTheShellStays) {
    Hotkey(1);
    QWidget* panel = PanelWidget();
    ASSERT_NE(panel, nullptr);
    panel->move(30, 45);
    QApplication::processEvents();
    os::qt::EndSession();
    QApplication::processEvents();
    EXPECT_FALSE(Program().panel.Exists());
    EXPECT_EQ(PanelWidget(), nullptr);
    EXPECT_TRUE(Program().shell.Exists());
    EXPECT_EQ(os::ReadSetting("window", "left"), " 450");
}
