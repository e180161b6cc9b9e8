// Dialogs on Qt widgets: the dialog keyboard scenario's sample, a fixed window with a label, text
// boxes, a check box inside a user control, a picture box and two buttons, driven through Qt's own
// keyboard and mouse delivery as a person would: the scenario's keys, typing and clicks.
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
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "forms/dialog_keys_scenario.h"
#include "support/program.h"
#include "support/test_form.h"
#include "platform/app.h"
#include "platform/qt/widgets.h"

namespace {

os::ControlDesign NativeDesign(os::ControlKind kind, os::PixelRect rect, std::string text) {
    os::ControlDesign design;
    design.kind = kind;
    design.rect = rect;
    design.text = std::move(text);
    return design;
}
using dialog_keys::other;
using dialog_keys::sample;

QWidget* TopLevel(const QString& title) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->windowTitle() == title && w->isVisible()) return w;
    }
    return nullptr;
}

// What the person sees of the sample dialog: the widget of each of its controls.
struct Seen {
    QWidget* window = nullptr;
    QLabel* caption = nullptr;
    QLineEdit *letter = nullptr, *unlisted = nullptr;
    QCheckBox* onTop = nullptr;
    QWidget* swatch = nullptr;
    QPushButton *ok = nullptr, *cancel = nullptr;
};

Seen Look() {
    Seen seen;
    seen.window = TopLevel("Sample dialog");
    if (!seen.window) return seen;
    auto in = [&](const auto& c) { return os::qt::FindTagged(seen.window, c.hWnd()); };
    const dialog_keys::Sample& d = sample.Get();
    seen = {seen.window, qobject_cast<QLabel*>(in(d.caption)), qobject_cast<QLineEdit*>(in(d.letter)),
            qobject_cast<QLineEdit*>(in(d.unlisted)), qobject_cast<QCheckBox*>(in(d.options.onTop)), in(d.swatch),
            qobject_cast<QPushButton*>(in(d.ok)), qobject_cast<QPushButton*>(in(d.cancel))};
    return seen;
}

// Keys pressed and released where the keyboard focus is, as the window system delivers them.
class QtKeysDesktop final : public dialog_keys::Desktop {
public:
    void Open() override { ASSERT_TRUE(QTest::qWaitForWindowActive(TopLevel("Sample dialog"))); }
    void Press(dialog_keys::Key key) override {
        using dialog_keys::Key;
        static const std::map<Key, std::pair<Qt::Key, Qt::KeyboardModifiers>> keys{
            {Key::Tab, {Qt::Key_Tab, Qt::NoModifier}}, {Key::ShiftTab, {Qt::Key_Backtab, Qt::ShiftModifier}},
            {Key::Enter, {Qt::Key_Return, Qt::NoModifier}}, {Key::Space, {Qt::Key_Space, Qt::NoModifier}},
            {Key::Escape, {Qt::Key_Escape, Qt::NoModifier}}};
        Click(keys.at(key).first, keys.at(key).second);
    }
    void PressAlt(char letter) override { Click(static_cast<Qt::Key>(Qt::Key_A + (letter - 'A')), Qt::AltModifier); }
    os::Hwnd Focus() override {
        for (const dialog_keys::Sample* form : {&sample.Get(), other.Exists() ? &other.Get() : &sample.Get()}) {
            for (const os::Hwnd control : form->Focusable()) {
                if (os::qt::FindTagged(TopLevel(form->title), control) == QApplication::focusWidget()) return control;
            }
        }
        return {};
    }
    bool Active(const dialog_keys::Sample& dialog) override { return QApplication::activeWindow() == TopLevel(dialog.title); }
    bool Until(const std::function<bool()>& done) override { return QTest::qWaitFor(done); }

private:
    // An access key's press shows the button down first and clicks it a moment later: the key is
    // done when no button is down.
    static void Click(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        const Seen seen = Look();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !seen.ok->isDown() && !seen.cancel->isDown(); }));
    }
};

// A key beyond ASCII, as a keyboard layout with the letter gives it.
void TypeEAcute(QWidget* widget) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_Eacute, QString::fromUtf8("\xC3\xA9"), Qt::NoModifier);
}

QRgb PixelOf(QWidget* widget, int x, int y) { return widget->grab().toImage().pixel(x, y); }

class QtDialog : public ::testing::Test {
protected:
    void SetUp() override {
        sample->Show();
        seen = Look();
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

// A normal window, which the taskbar lists, or without a taskbar entry a utility window.
TEST_F(QtDialog, AFixedWindowWithACloseButtonOnly) {
    other->Show();
    for (const auto& [title, type] : {std::pair{"Sample dialog", Qt::Window}, std::pair{"Sample tool dialog", Qt::Tool}}) {
        SCOPED_TRACE(title);
        QWidget* w = TopLevel(title);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->windowType(), type);
        EXPECT_TRUE(w->windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        EXPECT_EQ(w->minimumSize(), QSize(360, 240));
        EXPECT_EQ(w->maximumSize(), QSize(360, 240));
        w->resize(500, 400);  // as a drag on its border would ask
        QApplication::processEvents();
        EXPECT_EQ(w->size(), QSize(360, 240));
    }
}

TEST_F(QtDialog, TheCloseButtonIsTheUsersRequestToTheForm) {
    dialog_keys::Sample& form = sample.Get();  // kept until the next message, after it unloads
    seen.window->close();
    EXPECT_EQ(form.closeRequests, std::vector<os::CloseReason>{os::CloseReason::User});
    EXPECT_FALSE(sample.Exists());
    QApplication::processEvents();
    EXPECT_EQ(TopLevel("Sample dialog"), nullptr);
}

TEST_F(QtDialog, WorksByKeyboardAlone) {
    QtKeysDesktop desktop;
    dialog_keys::Play(desktop);
    sample->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(seen.window));
    // The keypad's Enter is the default button's too, and leaves a check box as it was.
    seen.onTop->setFocus();
    QTest::keyClick(seen.onTop, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(sample->okPresses, 7);
    EXPECT_TRUE(seen.onTop->isChecked());
    // The text box left out of the tab order still takes a click's focus; the label takes none.
    QTest::mouseClick(seen.unlisted, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), seen.unlisted);
    EXPECT_EQ(seen.caption->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(seen.ok->shortcut(), QKeySequence(Qt::ALT | Qt::Key_O));
    EXPECT_TRUE(seen.cancel->shortcut().isEmpty());
}

TEST_F(QtDialog, TypingReachesTheTextBoxAndTheProgramsOwnTextIsShown) {
    QTest::keyClick(seen.letter, Qt::Key_End);
    QTest::keyClick(seen.letter, 'Q');
    TypeEAcute(seen.letter);
    EXPECT_EQ(sample->letter.Text(), "SQ\xC3\xA9");
    sample->letter.SetText("L");
    EXPECT_EQ(seen.letter->text(), "L");
    EXPECT_EQ(sample->letter.Text(), "L");
    // No limit on the length: Qt's line edit would stop at 32767 characters.
    const std::string longText(40000, 'x');
    sample->unlisted.SetText(longText);
    EXPECT_EQ(seen.unlisted->text().size(), 40000);
    QTest::keyClick(seen.unlisted, Qt::Key_End);
    QTest::keyClicks(seen.unlisted, "yz");
    EXPECT_EQ(sample->unlisted.Text(), longText + "yz");
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

TEST_F(QtDialog, APictureBoxClickIsALeftPressAndReleaseOnIt) {
    QTest::mouseClick(seen.swatch, Qt::LeftButton, {}, QPoint(5, 6));
    EXPECT_EQ(sample->swatchClicks, 1);
    // The mouse is measured from inside the border.
    ASSERT_TRUE(sample->pressedAt.has_value());
    EXPECT_EQ(*sample->pressedAt, std::make_pair(4.0f, 5.0f));
    QTest::mouseClick(seen.swatch, Qt::RightButton, {}, QPoint(5, 6));
    QTest::mousePress(seen.swatch, Qt::LeftButton, {}, QPoint(5, 6));
    QTest::mouseRelease(seen.swatch, Qt::LeftButton, {}, QPoint(-20, 6));  // let go beside it
    EXPECT_EQ(sample->swatchClicks, 1);
}

TEST_F(QtDialog, APictureBoxPaintsItsBackColourInsideASunkenBorder) {
    const QPalette desktop = QApplication::palette();
    EXPECT_EQ(PixelOf(seen.swatch, 30, 20), desktop.color(QPalette::Button).rgb());  // the button face until set
    sample->swatch.SetBackColor(0x0000FF);
    EXPECT_EQ(PixelOf(seen.swatch, 30, 20), qRgb(255, 0, 0));
    EXPECT_EQ(PixelOf(seen.swatch, 1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(PixelOf(seen.swatch, 0, 0), desktop.color(QPalette::Dark).rgb());
    EXPECT_EQ(PixelOf(seen.swatch, 59, 39), desktop.color(QPalette::Light).rgb());
}

TEST_F(QtDialog, APictureBoxShowsItsFocusFrameOnlyWhileItHasTheFocus) {
    sample->swatch.SetBackColor(0x0000FF);
    auto framedWith = [this](QWidget* focus) {  // a dot of the frame along the box's top
        focus->setFocus();
        int dots = 0;
        for (int x = 2; x < 12; ++x) dots += PixelOf(seen.swatch, x, 2) != qRgb(255, 0, 0);
        return dots > 0;
    };
    EXPECT_FALSE(framedWith(seen.letter));
    EXPECT_TRUE(framedWith(seen.swatch));
    EXPECT_FALSE(framedWith(seen.letter));
}

TEST_F(QtDialog, ALabelIsDrawnInTheDesignFontOnTheWindowsBackground) {
    EXPECT_EQ(seen.caption->font().family(), "Liberation Sans");  // for the missing "MS Sans Serif"
    EXPECT_DOUBLE_EQ(seen.caption->font().pointSizeF(), 8.25);
    EXPECT_EQ(seen.caption->text(), "Show hotkey: Ctrl+Alt+");
    EXPECT_EQ(seen.caption->geometry(), QRect(forms::TwipsToPixelsX(120), forms::TwipsToPixelsY(120),
                                              forms::TwipsToPixelsX(2400), forms::TwipsToPixelsY(255)));
    sample->SetBackColor(0x00FF00);
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
