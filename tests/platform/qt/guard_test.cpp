// A program error in an event handler on Qt: the exception does not unwind through Qt's event
// loop, it ends the process with a message that names it, whichever entry it was raised behind.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <memory>
#include <string>

#include "forms/conversions.h"
#include "platform/app.h"
#include "platform/native_window.h"
#include "platform/qt/widgets.h"

namespace {

constexpr const char* kOverflowMessage = "run-time error not handled, the program ends: Overflow";

// A form whose every handler raises an overflow error, as a conversion of a value out of range
// would.
struct FailingEvents final : os::NativeWindowEvents, os::NativeCheckBoxEvents, os::NativeControlEvents {
    void OnSizeChanged() override { throw forms::OverflowError(); }
    void OnActivated() override { throw forms::OverflowError(); }
    void OnCloseRequest(os::CloseReason) override { throw forms::OverflowError(); }
    void OnMouse(const os::MouseInput&) override { throw forms::OverflowError(); }
    void OnUserSetValue(int) override { throw forms::OverflowError(); }
    void OnClicked() override { throw forms::OverflowError(); }
    void OnTextEdited(const std::string&) override { throw forms::OverflowError(); }
};

std::unique_ptr<os::NativeControl> Control(os::NativeWindow& window, os::ControlKind kind, FailingEvents& events) {
    os::ControlDesign design;
    design.kind = kind;
    design.rect = {0, 0, 80, 24};
    design.isDefault = true;
    return os::CreateNativeControl(window, design, events);
}

std::unique_ptr<os::NativeWindow> ToolWindow(FailingEvents& events) {
    return os::CreateNativeWindow({os::WindowKind::SizableToolWindow, "guarded", 200, 100, 0x00FFFF}, events);
}

class QtGuard : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
    FailingEvents events;
};

}  // namespace

TEST_F(QtGuard, TheCloseButtonsHandler) {
    auto window = ToolWindow(events);
    QWidget* widget = os::qt::WidgetOf(*window);
    ASSERT_NE(widget, nullptr);
    EXPECT_EXIT(widget->close(), ::testing::ExitedWithCode(1), kOverflowMessage);
}

TEST_F(QtGuard, AResizeByTheDesktop) {
    auto window = ToolWindow(events);
    QWidget* widget = os::qt::WidgetOf(*window);
    EXPECT_EXIT(
        {
            widget->show();  // shown on the screen: the first show reports its frame size
            QApplication::processEvents();
            widget->resize(widget->width() + 40, widget->height() + 30);
            QApplication::processEvents();
        },
        ::testing::ExitedWithCode(1), kOverflowMessage);
}

TEST_F(QtGuard, TheMouseOnAChild) {
    auto window = ToolWindow(events);
    auto child = os::CreateNativeChild(*window, os::ChildDesign{.rect = {0, 0, 50, 50}}, events);
    QWidget* widget = os::qt::WidgetOf(*child);
    ASSERT_NE(widget, nullptr);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    EXPECT_EXIT(QApplication::sendEvent(widget, &press), ::testing::ExitedWithCode(1), kOverflowMessage);
}

TEST_F(QtGuard, AClickOnACheckBox) {
    auto window = ToolWindow(events);
    os::CheckBoxDesign design;
    design.rect = {0, 0, 80, 20};
    design.caption = "box";
    auto box = os::CreateNativeCheckBox(*window, design, events);
    auto* widget = os::qt::WidgetOf(*window)->findChild<QCheckBox*>();
    ASSERT_NE(widget, nullptr);
    EXPECT_EXIT(widget->click(), ::testing::ExitedWithCode(1), kOverflowMessage);
}

TEST_F(QtGuard, AButtonPressedByEnter) {
    auto window = ToolWindow(events);
    auto button = Control(*window, os::ControlKind::Button, events);
    QWidget* widget = os::qt::WidgetOf(*window);
    EXPECT_EXIT(QTest::keyClick(widget, Qt::Key_Return), ::testing::ExitedWithCode(1), kOverflowMessage);
}

TEST_F(QtGuard, TypingInATextBox) {
    auto window = ToolWindow(events);
    auto box = Control(*window, os::ControlKind::TextBox, events);
    auto* edit = os::qt::WidgetOf(*window)->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    EXPECT_EXIT(QTest::keyClick(edit, 'a'), ::testing::ExitedWithCode(1), kOverflowMessage);
}

TEST_F(QtGuard, DeferredWork) {
    EXPECT_EXIT(
        {
            os::PostDeferred([] { throw forms::OverflowError(); });
            QApplication::processEvents();
        },
        ::testing::ExitedWithCode(1), kOverflowMessage);
}

TEST_F(QtGuard, AnErrorOfNoKnownTypeIsNamedAsSuch) {
    EXPECT_EXIT(
        {
            os::PostDeferred([] { throw 42; });
            QApplication::processEvents();
        },
        ::testing::ExitedWithCode(1), "run-time error not handled, the program ends: an exception of unknown type");
}

TEST_F(QtGuard, WorkThatEndsWellGoesOn) {
    int runs = 0;
    os::PostDeferred([&runs] { ++runs; });
    os::PostDeferred([&runs] {
        try {
            throw forms::OverflowError();
        } catch (const forms::OverflowError&) {
            ++runs;  // handled by the program itself
        }
    });
    QApplication::processEvents();
    EXPECT_EQ(runs, 2);
}
