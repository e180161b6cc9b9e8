// The colour picker on Qt widgets: a drag made through the window system (the pointer leaving the
// control and the window while the button is held) picks the same colours as on every desktop,
// and the widgets show exactly what the control drew.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "support/program.h"
#include "support/test_form.h"
#include "colorpicker/drag_path.h"
#include "colorpicker/picker_host.h"
#include "colorpicker/picker_images.h"

namespace {

class QtPicker : public ::testing::Test {
protected:
    void SetUp() override {
        pickerHost->Show();
        QApplication::processEvents();
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->windowTitle() == "Picker" && w->isVisible()) window_ = w;
        }
        ASSERT_NE(window_, nullptr);
        for (QWidget* child : window_->findChildren<QWidget*>()) {
            if (child->size() == QSize(204, 188)) field_ = child;
            if (child->size() == QSize(20, 188)) bar_ = child;
        }
        ASSERT_NE(field_, nullptr);
        ASSERT_NE(bar_, nullptr);
    }
    void TearDown() override {
        EndProgram();
        DiscardTestForms();
        QApplication::processEvents();
    }
    // A point of a surface in the window's coordinates.
    QPoint InWindow(const drag_path::Step& step) const {
        return (step.onBar ? bar_ : field_)->mapTo(window_, QPoint(step.x, step.y));
    }
    // Every pixel the widget shows against the surface it shows, but for what its children cover.
    static int Differences(QWidget* widget, const os::PixelSurface& surface) {
        const QImage shown = widget->grab().toImage();
        int differ = 0;
        for (int y = 0; y < surface.Height(); ++y) {
            for (int x = 0; x < surface.Width(); ++x) {
                if (widget->childAt(x, y)) continue;
                const QRgb p = shown.pixel(x, y);
                const os::COLORREF c = static_cast<os::COLORREF>(qRed(p) | qGreen(p) << 8 | qBlue(p) << 16);
                if (c != surface.Pixel(x, y)) ++differ;
            }
        }
        return differ;
    }
    QWidget* window_ = nullptr;
    QWidget* field_ = nullptr;
    QWidget* bar_ = nullptr;
};

}  // namespace

TEST_F(QtPicker, ADragThroughTheWindowSystemPicksEachStepsColour) {
    ColorPicker& picker = pickerHost->picker;
    QWindow* window = window_->windowHandle();
    for (const drag_path::Step& step : drag_path::Steps()) {
        const QPoint at = InWindow(step);
        if (step.message == os::WM_LBUTTONDOWN) QTest::mousePress(window, Qt::LeftButton, {}, at);
        if (step.message == os::WM_MOUSEMOVE) QTest::mouseMove(window, at);
        if (step.message == os::WM_LBUTTONUP) QTest::mouseRelease(window, Qt::LeftButton, {}, at);
        QApplication::processEvents();
        EXPECT_EQ(picker.SelectedColor(), step.selected) << step.x << "," << step.y << (step.onBar ? " on the bar" : "");
    }
    EXPECT_EQ(pickerHost->changes, 10);
    EXPECT_EQ(picker.Surface()->Pixel(drag_path::kMarkerArmX, drag_path::kMarkerArmY), 0u);
    // What the widgets show is what was drawn, colour for colour.
    EXPECT_EQ(Differences(field_, *picker.Surface()), 0);
    EXPECT_EQ(Differences(bar_, *picker.bar.Surface()), 0);
}

TEST_F(QtPicker, TheBarShowsTheEyedropperAndTheFieldTheArrow) {
    EXPECT_EQ(bar_->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(bar_->cursor().hotSpot(), QPoint(3, 16));
    const QImage bitmap = bar_->cursor().bitmap().toImage();
    const QImage mask = bar_->cursor().mask().toImage();
    EXPECT_EQ(bitmap.pixelIndex(3, 16), 1);  // the tip is black
    EXPECT_EQ(mask.pixelIndex(3, 16), 1);
    EXPECT_EQ(mask.pixelIndex(0, 0), 0);  // the corner is clear
    EXPECT_EQ(field_->cursor().shape(), Qt::ArrowCursor);
}
