// The tray icon and its pop-up menu on Qt. The offscreen platform has no tray host, so Qt reports
// acts on the icon as activations, as it does for a tray that gives the icon no window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

#include "forms/form.h"
#include "support/test_form.h"
#include "platform/native_window.h"
#include "info/program_icons.h"
#include "platform/tray.h"
#include "platform/tray_scenario.h"

namespace {
class Owner : public forms::Form {
public:
    Owner() : Form({os::WindowKind::Hidden, "owner", 10, 10}) {}
};
TestForm<Owner> owner;

// Presses keys in the menu that is about to open.
void PressInNextMenu(std::vector<int> keys) {
    QTimer::singleShot(0, [keys] {
        QWidget* menu = QApplication::activePopupWidget();
        ASSERT_NE(menu, nullptr);
        for (int key : keys) {
            const QString text = key >= Qt::Key_A && key <= Qt::Key_Z ? QString(QChar(key).toLower()) : QString();
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
            QApplication::sendEvent(menu, &press);
        }
    });
}

class QtTrayDesktop final : public tray_scenario::Desktop {
public:
    void Act(os::TrayEvent event) override {
        switch (event) {
        case os::TrayEvent::Clicked: Activate(QSystemTrayIcon::Trigger); break;
        case os::TrayEvent::MenuAsked: Activate(QSystemTrayIcon::Context); break;
        case os::TrayEvent::DoubleClicked: Activate(QSystemTrayIcon::DoubleClick); break;
        }
    }
    void ActOtherwise() override {
        Activate(QSystemTrayIcon::MiddleClick);
        Activate(QSystemTrayIcon::Unknown);
    }
    std::optional<std::string> ShownTip() override {
        const QSystemTrayIcon* icon = Icon();
        if (!icon || !icon->isVisible()) return std::nullopt;
        return icon->toolTip().toStdString();
    }

private:
    static QSystemTrayIcon* Icon() { return QCoreApplication::instance()->findChild<QSystemTrayIcon*>(); }
    static void Activate(QSystemTrayIcon::ActivationReason reason) {
        QSystemTrayIcon* icon = Icon();
        ASSERT_NE(icon, nullptr);
        emit icon->activated(reason);
    }
};

const std::vector<os::MenuItem> kItems = {{"a", "&Show/Hide Form", nullptr}, {"s", "-", nullptr},
                                          {"b", "Help", nullptr}, {"c", "E&xit", nullptr}};
}  // namespace

TEST(QtTray, KeepsToTheTraysRules) {
    QtTrayDesktop desktop;
    tray_scenario::Play(desktop, os::CreateIconFromImages(program_icons::TrayIcon()),
                        os::CreateIconFromImages(program_icons::SampleIcon()));
}

TEST(QtMenu, ReturnsTheChosenItemOrNoneForEscape) {
    PressInNextMenu({Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});  // separators are skipped
    EXPECT_EQ(os::PopupMenuAtCursor(owner->hWnd(), kItems), 2);
    PressInNextMenu({Qt::Key_X});  // an access key
    EXPECT_EQ(os::PopupMenuAtCursor(owner->hWnd(), kItems), 3);
    PressInNextMenu({Qt::Key_Escape});
    EXPECT_EQ(os::PopupMenuAtCursor(owner->hWnd(), kItems), -1);
}
