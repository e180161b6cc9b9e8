// The tray record and the pop-up menu on Qt.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include "forms/form.h"
#include "support/test_form.h"
#include "platform/native_window.h"
#include "platform/shell32.h"
#include "shell/notify_icon.h"
#include "info/program_icons.h"

namespace {
class Owner : public os::Form {
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

const std::vector<os::MenuItem> kItems = {{"a", "&Show/Hide Form", nullptr}, {"s", "-", nullptr},
                                          {"b", "Help", nullptr}, {"c", "E&xit", nullptr}};
}  // namespace

TEST(QtTray, TheNotificationAreaKeepsOneIconPerOwnerAndId) {
    const os::Hwnd hwnd = owner->hWnd();
    const os::Hicon icon = os::CreateIconFromImages(program_icons::TrayIcon());
    const auto add = notify_icon::IconRecord(hwnd, 1, icon, "Lisotra v2.0");
    EXPECT_EQ(os::Shell_NotifyIconA(os::NIM_MODIFY, add), 0);  // nothing to modify yet
    EXPECT_EQ(os::Shell_NotifyIconA(os::NIM_ADD, add), 1);
    EXPECT_EQ(os::Shell_NotifyIconA(os::NIM_ADD, add), 0);     // already there
    EXPECT_EQ(os::Shell_NotifyIconA(os::NIM_MODIFY, add), 1);
    auto wrongSize = add;
    wrongSize[0] = 87;
    EXPECT_EQ(os::Shell_NotifyIconA(os::NIM_MODIFY, wrongSize), 0);
    EXPECT_EQ(os::Shell_NotifyIconA(os::NIM_ADD, notify_icon::IconRecord(reinterpret_cast<os::Hwnd>(0x42), 1, icon, "")), 0);
    EXPECT_EQ(os::Shell_NotifyIconA(os::NIM_DELETE, notify_icon::DeleteRecord(hwnd, 1)), 1);
    EXPECT_EQ(os::Shell_NotifyIconA(os::NIM_DELETE, notify_icon::DeleteRecord(hwnd, 1)), 0);
}

TEST(QtMenu, ReturnsTheChosenItem) {
    PressInNextMenu({Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});  // separators are skipped
    EXPECT_EQ(os::PopupMenuAtCursor(owner->hWnd(), kItems), 2);
    PressInNextMenu({Qt::Key_X});  // an access key
    EXPECT_EQ(os::PopupMenuAtCursor(owner->hWnd(), kItems), 3);
}

TEST(QtMenu, EscapeChoosesNothing) {
    PressInNextMenu({Qt::Key_Escape});
    EXPECT_EQ(os::PopupMenuAtCursor(owner->hWnd(), kItems), -1);
}
