// Dialogs on Qt widgets: a fixed window with a label, text boxes, a check box inside a user
// control, a picture box and two buttons, driven through Qt's own keyboard and mouse delivery as
// a person would: Tab, Enter, Escape, Space, access keys, typing and clicks.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/program.h"
#include "support/test_form.h"
#include "forms/form.h"
#include "forms/user_control.h"
#include "platform/app.h"
#include "platform/qt/widgets.h"

namespace {

// A label's, text box's or button's design. (Written out: designated initializers would leave the
// font and name without initializers, which the warnings refuse.)
forms::TextControl::Design Designed(forms::TwipsRect rect, std::string text, std::string accessibleName = {},
                                 bool isDefault = false, bool isCancel = false) {
    forms::TextControl::Design design;
    design.rect = rect;
    design.text = std::move(text);
    design.accessibleName = std::move(accessibleName);
    design.isDefault = isDefault;
    design.isCancel = isCancel;
    return design;
}

os::ControlDesign NativeDesign(os::ControlKind kind, os::PixelRect rect, std::string text) {
    os::ControlDesign design;
    design.kind = kind;
    design.rect = rect;
    design.text = std::move(text);
    return design;
}

// A check box inside a user control: Tab reaches the control through it.
class Options final : public forms::UserControl {
public:
    Options(forms::ControlContainer& host, forms::TwipsRect placement)
        : UserControl(host, placement, std::nullopt), onTop(*this, {.rect = {0, 0, 1500, 255}, .caption = "On top"}) {}
    forms::CheckBox onTop;
};

// The controls are created in another order than Tab visits them, and one text box is left out
// of the tab order.
template <os::WindowKind Kind>
class Sample final : public forms::Form {
public:
    Sample()
        : Form({Kind, Caption(), 360, 240}),
          caption(*this, Designed({120, 120, 2400, 255}, "Show hotkey: Ctrl+Alt+")),
          letter(*this, Designed({2640, 90, 600, 315}, "S", "show hotkey letter")),
          unlisted(*this, Designed({3360, 90, 1500, 315}, "unlisted")),
          options(*this, {120, 600, 1800, 300}),
          swatch(*this,
                 {.rect = {10, 70, 60, 40}, .border = true, .toolTip = "Click to choose a colour",
                  .accessibleName = "panel colour"},
                 forms::ScaleMode::Pixels),
          cancel(*this, Designed({3600, 2700, 1400, 375}, "Cancel && close", {}, false, true)),
          ok(*this, Designed({2400, 2700, 1100, 375}, "&OK", {}, true)) {
        ok.Click = [this] { ++okPresses; };
        cancel.Click = [this] { ++cancelPresses; };
        swatch.Click = [this] { ++swatchClicks; };
        swatch.MouseDown = [this](int, int, float x, float y) { pressedAt = {x, y}; };
    }
    static const char* Caption() { return Kind == os::WindowKind::Dialog ? "Sample dialog" : "Sample tool dialog"; }

    forms::Label caption;
    forms::TextBox letter;
    forms::TextBox unlisted;
    Options options;
    forms::PictureBox swatch;
    forms::CommandButton cancel;
    forms::CommandButton ok;
    int okPresses = 0;
    int cancelPresses = 0;
    int swatchClicks = 0;
    int activations = 0;
    std::optional<std::pair<float, float>> pressedAt;
    std::vector<os::CloseReason> closeRequests;

protected:
    void OnLoad() override { SetTabOrder({&letter, &swatch, &options, &ok, &cancel}); }
    void OnActivate() override { ++activations; }
    bool CanUnload(os::CloseReason reason) override {
        closeRequests.push_back(reason);
        return true;
    }
};
using Dialog = Sample<os::WindowKind::Dialog>;
using ToolDialog = Sample<os::WindowKind::DialogNoTaskbar>;
TestForm<Dialog> dialog;
TestForm<ToolDialog> toolDialog;

QWidget* TopLevel(const QString& title) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->windowTitle() == title && w->isVisible()) return w;
    }
    return nullptr;
}

// What the person sees of the sample dialog, found by what Qt knows of each widget.
struct Seen {
    QWidget* window = nullptr;
    QLabel* caption = nullptr;
    QLineEdit* letter = nullptr;
    QLineEdit* unlisted = nullptr;
    QCheckBox* onTop = nullptr;
    QWidget* swatch = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};

Seen Look(const QString& title) {
    Seen seen;
    seen.window = TopLevel(title);
    if (!seen.window) return seen;
    seen.caption = seen.window->findChild<QLabel*>();
    for (QLineEdit* edit : seen.window->findChildren<QLineEdit*>()) {
        (edit->text() == "unlisted" ? seen.unlisted : seen.letter) = edit;
    }
    seen.onTop = seen.window->findChild<QCheckBox*>();
    for (QWidget* child : seen.window->findChildren<QWidget*>()) {
        if (child->geometry() == QRect(10, 70, 60, 40)) seen.swatch = child;
    }
    for (QPushButton* button : seen.window->findChildren<QPushButton*>()) {
        (button->text() == "&OK" ? seen.ok : seen.cancel) = button;
    }
    return seen;
}

// A key pressed and released where the keyboard focus is, as the window system delivers it.
void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, key, modifiers);
    QApplication::processEvents();
}

// A key beyond ASCII, as a keyboard layout with the letter gives it.
void TypeEAcute(QWidget* widget) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_Eacute, QString::fromUtf8("\xC3\xA9"), Qt::NoModifier);
}

QRgb PixelOf(QWidget* widget, int x, int y) { return widget->grab().toImage().pixel(x, y); }

class QtDialog : public ::testing::Test {
protected:
    void SetUp() override {
        dialog->Show();
        seen = Look("Sample dialog");
        ASSERT_NE(seen.window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(seen.window));
        ASSERT_TRUE(seen.caption && seen.letter && seen.unlisted && seen.onTop && seen.swatch && seen.ok && seen.cancel);
    }
    void TearDown() override {
        EndProgram();
        DiscardTestForms();
        QApplication::processEvents();
    }
    Seen seen;
};

}  // namespace

TEST_F(QtDialog, AFixedWindowWithACloseButtonOnlyThatTheTaskbarLists) {
    QWidget* w = seen.window;
    EXPECT_EQ(w->windowType(), Qt::Window);  // a normal window: the taskbar lists it
    EXPECT_TRUE(w->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(w->size(), QSize(360, 240));
    EXPECT_EQ(w->minimumSize(), QSize(360, 240));
    EXPECT_EQ(w->maximumSize(), QSize(360, 240));
    w->resize(500, 400);  // as a drag on its border would ask
    QApplication::processEvents();
    EXPECT_EQ(w->size(), QSize(360, 240));
}

TEST_F(QtDialog, WithoutATaskbarEntryItIsAFixedUtilityWindow) {
    toolDialog->Show();
    QWidget* w = TopLevel("Sample tool dialog");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowType(), Qt::Tool);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(w->minimumSize(), QSize(360, 240));
    EXPECT_EQ(w->maximumSize(), QSize(360, 240));
}

TEST_F(QtDialog, TheCloseButtonIsTheUsersRequestToTheForm) {
    Dialog& form = dialog.Get();  // kept until the next message, after it unloads
    seen.window->close();
    EXPECT_EQ(form.closeRequests, std::vector<os::CloseReason>{os::CloseReason::User});
    EXPECT_FALSE(dialog.Exists());
    QApplication::processEvents();
    EXPECT_EQ(TopLevel("Sample dialog"), nullptr);
}

TEST_F(QtDialog, TabVisitsTheGivenControlsInTheirOrderFromTheFirst) {
    EXPECT_EQ(QApplication::focusWidget(), seen.letter);  // the first has the focus when shown
    const std::vector<QWidget*> order = {seen.swatch, seen.onTop, seen.ok, seen.cancel, seen.letter, seen.swatch};
    for (QWidget* next : order) {
        Key(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << "after Tab";
    }
    const std::vector<QWidget*> back = {seen.letter, seen.cancel, seen.ok, seen.onTop, seen.swatch};
    for (QWidget* previous : back) {
        Key(Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), previous) << "after Shift+Tab";
    }
    // The text box left out still takes a click's focus.
    QTest::mouseClick(seen.unlisted, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), seen.unlisted);
    EXPECT_EQ(seen.caption->focusPolicy(), Qt::NoFocus);
}

TEST_F(QtDialog, ATabOrderGivenWhileShownMovesTheFocusAtOnce) {
    dialog->SetTabOrder({&dialog->cancel, &dialog->letter});
    EXPECT_EQ(QApplication::focusWidget(), seen.cancel);
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), seen.letter);
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), seen.cancel);
}

TEST_F(QtDialog, EnterPressesTheDefaultButtonUnlessAnotherButtonHasTheFocus) {
    Key(Qt::Key_Return);  // in the text box
    EXPECT_EQ(dialog->okPresses, 1);
    seen.onTop->setFocus();
    Key(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(dialog->okPresses, 2);
    EXPECT_FALSE(seen.onTop->isChecked());  // Enter does not toggle a check box
    seen.cancel->setFocus();
    Key(Qt::Key_Return);
    EXPECT_EQ(dialog->cancelPresses, 1);
    EXPECT_EQ(dialog->okPresses, 2);
    // The default button keeps its mark after it had the focus and lost it again.
    seen.ok->setFocus();
    seen.letter->setFocus();
    EXPECT_TRUE(seen.ok->isDefault());
    Key(Qt::Key_Return);
    EXPECT_EQ(dialog->okPresses, 3);
    seen.ok->setFocus();
    Key(Qt::Key_Return);  // the focused default button takes it, and the window does not again
    EXPECT_EQ(dialog->okPresses, 4);
}

TEST_F(QtDialog, EscapePressesTheCancelButtonWhereverTheFocusIs) {
    Key(Qt::Key_Escape);
    EXPECT_EQ(dialog->cancelPresses, 1);
    seen.ok->setFocus();
    Key(Qt::Key_Escape);
    EXPECT_EQ(dialog->cancelPresses, 2);
    EXPECT_EQ(dialog->okPresses, 0);
}

TEST_F(QtDialog, SpacePressesTheFocusedButtonOnce) {
    seen.cancel->setFocus();
    Key(Qt::Key_Space);
    EXPECT_EQ(dialog->cancelPresses, 1);
    EXPECT_EQ(dialog->okPresses, 0);
    seen.onTop->setFocus();
    Key(Qt::Key_Space);
    EXPECT_EQ(dialog->options.onTop.Value(), 1);
    EXPECT_EQ(dialog->okPresses + dialog->cancelPresses, 1);
}

TEST_F(QtDialog, TheAccessKeyPressesItsButtonOnceAndADoubledAmpersandIsNone) {
    EXPECT_EQ(seen.ok->shortcut(), QKeySequence(Qt::ALT | Qt::Key_O));
    Key(Qt::Key_O, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([] { return dialog->okPresses > 0; }));  // Qt shows the press first
    QTest::qWait(300);  // time for a second press to arrive, if one were coming
    EXPECT_EQ(dialog->okPresses, 1);
    EXPECT_TRUE(seen.cancel->shortcut().isEmpty());  // "Cancel && close" has no access key
    Key(Qt::Key_C, Qt::AltModifier);
    QTest::qWait(300);
    EXPECT_EQ(dialog->cancelPresses, 0);
}

TEST_F(QtDialog, TypingReachesTheTextBoxAndTheProgramsOwnTextIsShown) {
    Key(Qt::Key_End);
    QTest::keyClick(seen.letter, 'Q');
    TypeEAcute(seen.letter);
    EXPECT_EQ(dialog->letter.Text(), "SQ\xC3\xA9");
    dialog->letter.SetText("L");
    EXPECT_EQ(seen.letter->text(), "L");
    EXPECT_EQ(dialog->letter.Text(), "L");
    // No limit on the length: Qt's line edit would stop at 32767 characters.
    const std::string longText(40000, 'x');
    dialog->unlisted.SetText(longText);
    EXPECT_EQ(seen.unlisted->text().size(), 40000);
    QTest::keyClick(seen.unlisted, Qt::Key_End);
    QTest::keyClicks(seen.unlisted, "yz");
    EXPECT_EQ(dialog->unlisted.Text(), longText + "yz");
}

TEST_F(QtDialog, ScreenReadersHearTheGivenNamesOrTheCaptions) {
    auto name = [](QWidget* widget) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        return accessible ? accessible->text(QAccessible::Name) : QString("(none)");
    };
    EXPECT_EQ(name(seen.letter), "show hotkey letter");
    EXPECT_EQ(name(seen.swatch), "panel colour");
    EXPECT_EQ(name(seen.caption), "Show hotkey: Ctrl+Alt+");
    EXPECT_EQ(name(seen.ok), "OK");
    EXPECT_EQ(name(seen.cancel), "Cancel & close");
    EXPECT_EQ(seen.swatch->toolTip(), "Click to choose a colour");
}

TEST_F(QtDialog, ActivatedEachTimeItBecomesTheActiveWindowAgain) {
    EXPECT_EQ(dialog->activations, 1);
    toolDialog->Show();
    QWidget* other = TopLevel("Sample tool dialog");
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(other));
    EXPECT_EQ(toolDialog->activations, 1);
    seen.window->activateWindow();  // the person clicks back into the dialog
    ASSERT_TRUE(QTest::qWaitForWindowActive(seen.window));
    EXPECT_EQ(dialog->activations, 2);
    other->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(other));
    dialog->Show();  // the program brings it forward
    ASSERT_TRUE(QTest::qWaitForWindowActive(seen.window));
    EXPECT_EQ(dialog->activations, 3);
    EXPECT_EQ(toolDialog->activations, 2);
}

TEST_F(QtDialog, APictureBoxClickIsALeftPressAndReleaseOnIt) {
    QTest::mouseClick(seen.swatch, Qt::LeftButton, {}, QPoint(5, 6));
    EXPECT_EQ(dialog->swatchClicks, 1);
    // The mouse is measured from inside the border.
    ASSERT_TRUE(dialog->pressedAt.has_value());
    EXPECT_EQ(*dialog->pressedAt, std::make_pair(4.0f, 5.0f));
    QTest::mouseClick(seen.swatch, Qt::RightButton, {}, QPoint(5, 6));
    QTest::mousePress(seen.swatch, Qt::LeftButton, {}, QPoint(5, 6));
    QTest::mouseRelease(seen.swatch, Qt::LeftButton, {}, QPoint(-20, 6));  // let go beside it
    EXPECT_EQ(dialog->swatchClicks, 1);
}

TEST_F(QtDialog, APictureBoxPaintsItsBackColourInsideASunkenBorder) {
    const QPalette desktop = QApplication::palette();
    EXPECT_EQ(PixelOf(seen.swatch, 30, 20), desktop.color(QPalette::Button).rgb());  // the button face until set
    dialog->swatch.SetBackColor(0x0000FF);
    EXPECT_EQ(PixelOf(seen.swatch, 30, 20), qRgb(255, 0, 0));
    EXPECT_EQ(PixelOf(seen.swatch, 1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(PixelOf(seen.swatch, 0, 0), desktop.color(QPalette::Dark).rgb());
    EXPECT_EQ(PixelOf(seen.swatch, 59, 39), desktop.color(QPalette::Light).rgb());
}

TEST_F(QtDialog, ALabelIsDrawnInTheDesignFontOnTheWindowsBackground) {
    EXPECT_EQ(seen.caption->font().family(), "Liberation Sans");  // for the missing "MS Sans Serif"
    EXPECT_DOUBLE_EQ(seen.caption->font().pointSizeF(), 8.25);
    EXPECT_EQ(seen.caption->text(), "Show hotkey: Ctrl+Alt+");
    EXPECT_EQ(seen.caption->geometry(), QRect(forms::TwipsToPixelsX(120), forms::TwipsToPixelsY(120),
                                              forms::TwipsToPixelsX(2400), forms::TwipsToPixelsY(255)));
    dialog->SetBackColor(0x00FF00);
    const QRect r = seen.caption->geometry();
    EXPECT_EQ(seen.window->grab().toImage().pixel(r.right() - 1, r.bottom() - 1), qRgb(0, 255, 0));
}

namespace {
struct HeardControl final : os::NativeControlEvents, os::NativeWindowEvents {
    void OnSizeChanged() override {}
    void OnActivated() override {}
    void OnCloseRequest(os::CloseReason) override {}
    void OnClicked() override { ++clicks; }
    void OnTextEdited(const std::string& text) override { edits.push_back(text); }
    int clicks = 0;
    std::vector<std::string> edits;
};
}  // namespace

TEST(QtControl, ATextBoxReportsTheUsersEditsOnlyAsUtf8) {
    HeardControl heard;
    auto window = os::CreateNativeWindow({os::WindowKind::Dialog, "Controls", 200, 100}, heard);
    auto box = os::CreateNativeControl(*window, NativeDesign(os::ControlKind::TextBox, {5, 5, 100, 24}, "a"),
                                       heard);
    box->SetText("b");
    auto* edit = os::qt::WidgetOf(*window)->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "b");
    EXPECT_TRUE(heard.edits.empty());
    QTest::keyClick(edit, Qt::Key_End);
    TypeEAcute(edit);
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(heard.edits, (std::vector<std::string>{"b\xC3\xA9", "b"}));
    EXPECT_EQ(heard.clicks, 0);
}

TEST(QtControl, TheFocusChosenWhileHiddenIsGivenWhenTheWindowShows) {
    HeardControl heard;
    auto window = os::CreateNativeWindow({os::WindowKind::Dialog, "Focus", 200, 100}, heard);
    auto first = os::CreateNativeControl(*window, NativeDesign(os::ControlKind::TextBox, {5, 5, 80, 24}, "first"), heard);
    auto second = os::CreateNativeControl(*window, NativeDesign(os::ControlKind::TextBox, {5, 35, 80, 24}, "second"), heard);
    window->SetTabOrder({first->Handle(), second->Handle()});
    window->SetFocus(second->Handle());
    window->SetVisible(true);
    window->BringForward();
    QWidget* widget = os::qt::WidgetOf(*window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(widget));
    auto* focus = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->text(), "second");
    window->SetFocus(first->Handle());  // shown: at once
    focus = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->text(), "first");
}

TEST(QtControl, EachControlHasItsOwnHandle) {
    HeardControl heard;
    auto window = os::CreateNativeWindow({os::WindowKind::Dialog, "Controls", 200, 100}, heard);
    auto label = os::CreateNativeControl(*window, NativeDesign(os::ControlKind::Label, {5, 5, 50, 20}, "l"), heard);
    auto button = os::CreateNativeControl(*window, NativeDesign(os::ControlKind::Button, {5, 30, 50, 20}, "b"), heard);
    os::CheckBoxDesign design;
    struct NoValue final : os::NativeCheckBoxEvents {
        void OnUserSetValue(int) override {}
    } noValue;
    auto box = os::CreateNativeCheckBox(*window, design, noValue);
    EXPECT_NE(label->Handle(), os::Hwnd{});
    EXPECT_NE(label->Handle(), button->Handle());
    EXPECT_NE(button->Handle(), box->Handle());
    EXPECT_NE(label->Handle(), box->Handle());
    EXPECT_NE(label->Handle(), window->Handle());
}

TEST(QtMessage, AModalBoxWithTheTitleTextAndOneOkThatReturnsOnceClosed) {
    QString title, text;
    int buttons = 0;
    bool modal = false;
    bool closed = false;
    // The person reads the box and presses OK, while ShowMessage waits.
    QTimer reader;
    QObject::connect(&reader, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        reader.stop();
        title = box->windowTitle();
        text = box->text();
        buttons = static_cast<int>(box->buttons().size());
        modal = box->windowModality() == Qt::ApplicationModal;
        closed = true;
        box->button(QMessageBox::Ok)->click();
    });
    reader.start(10);
    os::ShowMessage("Letters & digits only", "Settings");
    EXPECT_TRUE(closed);
    EXPECT_EQ(title, "Settings");
    EXPECT_EQ(text, "Letters & digits only");
    EXPECT_EQ(buttons, 1);
    EXPECT_TRUE(modal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
