// A program error in an event handler on Qt: the exception does not unwind through Qt's event
// loop, it ends the process with a message that names it, whichever entry it was raised behind.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QMouseEvent>
#include <QWidget>
#include <memory>

#include "forms/conversions.h"
#include "platform/app.h"
#include "platform/native_window.h"
#include "platform/qt/widgets.h"
#include "platform/user32.h"

namespace {

constexpr const char* kOverflowMessage = "run-time error not handled, the program ends: Overflow";

// A form whose every handler raises an overflow error, as a conversion of a value out of range
// would.
struct FailingEvents final : os::NativeWindowEvents, os::NativeCheckBoxEvents {
    void OnSizeChanged() override { throw os::OverflowError(); }
    void OnActivated() override { throw os::OverflowError(); }
    void OnCloseRequest(os::CloseReason) override { throw os::OverflowError(); }
    void OnMouse(unsigned, os::WPARAM, int, int) override { throw os::OverflowError(); }
    void OnUserSetValue(int) override { throw os::OverflowError(); }
};

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

TEST_F(QtGuard, DeferredWork) {
    EXPECT_EXIT(
        {
            os::PostDeferred([] { throw os::OverflowError(); });
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
            throw os::OverflowError();
        } catch (const os::OverflowError&) {
            ++runs;  // handled by the program itself
        }
    });
    QApplication::processEvents();
    EXPECT_EQ(runs, 2);
}
