// The run-at-startup control on Qt widgets: a real QCheckBox in the form, sized from the
// desktop's font metrics, whose clicks write the autostart entry at once.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QWidget>

#include "support/program.h"
#include "support/test_form.h"
#include "forms/form.h"
#include "platform/qt/autostart.h"
#include "platform/qt/widgets.h"
#include "platform/system_colors.h"
#include "settings/form_descriptions.h"
#include "startup/run_at_startup.h"

namespace {
class Host : public forms::Form {
public:
    Host()
        : Form({os::WindowKind::SizableToolWindow, "Startup host", 300, 120}),
          runAtStartup(*this, {360, 480, 1365, 195}, settings::SettingsDialogDescription().Instance("Run_At_StartUp1")) {
        runAtStartup.RegistrationChanged = [this] { ++changes; };
    }
    RunAtStartupBox runAtStartup;
    int changes = 0;
};
TestForm<Host> host;

class QtStartupControl : public ::testing::Test {
protected:
    void SetUp() override {
        os::qt::UseProgramFile((tmp_.path() + "/lisotra").toStdString());
        host->Show();
        QApplication::processEvents();
    }
    void TearDown() override {
        EndProgram();
        DiscardTestForms();
        QApplication::processEvents();
        QFile::remove(Entry());
        os::qt::UseProgramFile("");
    }
    static QCheckBox* Box() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->windowTitle() == "Startup host" && w->isVisible()) return w->findChild<QCheckBox*>();
        }
        return nullptr;
    }
    static QString Entry() { return QString::fromStdString(os::qt::AutostartFolder() + "/lisotra.exe.desktop"); }
    QTemporaryDir tmp_;
};
}  // namespace

TEST_F(QtStartupControl, ARealCheckBoxSizedFromTheDesktopsFont) {
    QCheckBox* box = Box();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->text(), "Run At StartUp");
    EXPECT_FALSE(box->isChecked());
    // "MS Sans Serif" is not on this desktop: a face of nearly its widths draws it (the test
    // desktop has Liberation Sans), at 8.25 points.
    EXPECT_EQ(box->font().family(), "Liberation Sans");
    EXPECT_DOUBLE_EQ(box->font().pointSizeF(), 8.25);
    const QFontMetrics metrics(box->font());
    const int width = metrics.horizontalAdvance("R") + metrics.horizontalAdvance("Run At StartUp") +
                      forms::TwipsToPixelsX(210);
    EXPECT_EQ(box->size(), QSize(width, metrics.height()));
    EXPECT_EQ(box->parentWidget()->geometry(),
              QRect(forms::TwipsToPixelsX(360), forms::TwipsToPixelsY(480), width, metrics.height()));
}

TEST_F(QtStartupControl, AClickWritesTheEntryAndTheProgramClearingItRemovesIt) {
    QCheckBox* box = Box();
    ASSERT_NE(box, nullptr);
    box->click();
    EXPECT_TRUE(QFile::exists(Entry()));
    EXPECT_TRUE(host->runAtStartup.Registered());
    EXPECT_TRUE(host->runAtStartup.Query());
    host->runAtStartup.SetRegistered(false);
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(QFile::exists(Entry()));
    EXPECT_EQ(host->changes, 2);  // the program's change was not heard again as a click
}

TEST_F(QtStartupControl, AlignmentAndColoursReachTheWidget) {
    QCheckBox* box = Box();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->layoutDirection(), Qt::LeftToRight);
    host->runAtStartup.SetAlignment(1);
    EXPECT_EQ(box->layoutDirection(), Qt::RightToLeft);
    // System colours are the desktop palette's.
    EXPECT_EQ(box->palette().color(QPalette::Window), QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(box->palette().color(QPalette::WindowText), QApplication::palette().color(QPalette::ButtonText));
    EXPECT_EQ(os::GetSysColor(15), os::ResolveColor(0x8000000F));
    host->runAtStartup.SetBackColor(0x0000FF);
    host->runAtStartup.SetForeColor(0xFF0000);
    EXPECT_EQ(box->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(box->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}
