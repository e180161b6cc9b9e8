// The settings dialog on Qt widgets: the settings scenario, played through the tray menu, typing
// in the line edits and Qt's message box. The hotkeys are X key grabs, so it needs an X display:
// ctest plays it on its own Xvfb (see CMakeLists.txt); on the offscreen platform it is skipped.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>


#include "platform/hotkey_bindings.h"
#include "platform/qt/settings_store.h"
#include "platform/qt/widgets.h"
#include "platform/qt/x11_hints.h"
#include "platform/settings_store.h"
#include "settings/settings_scenario.h"
#include "shell/hotkeys.h"
#include "platform/qt/read_messages.h"
#include "support/program.h"
#include "support/test_form.h"

namespace {

// The shown window of that caption: the settings dialog's, or the reading panel's.
QWidget* DialogWindow(const char* caption = "Lisotra Settings.") {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->windowTitle() == caption && w->isVisible()) return w;
    }
    return nullptr;
}

template <class Widget>
Widget* In(QWidget* window, os::Hwnd control) {
    return qobject_cast<Widget*>(os::qt::FindTagged(window, control));
}

class QtSettingsDesktop final : public settings_scenario::Desktop {
public:
    void Start(const std::vector<std::pair<const char*, std::string>>& stored) override {
        os::qt::ReopenSettingsStore();
        for (const char* key : {"key", "keystart", "ontop", "backcolor", "opacity"}) os::WriteSetting("default", key, "");
        os::WriteSetting("start", "autoload", "");
        for (const auto& [key, value] : stored) os::WriteSetting("default", key, value);
        Program().Start();
    }
    void OpenFromTray() override {
        // The menu's third item; its separators are passed over.
        QTimer::singleShot(0, [] {
            QWidget* menu = QApplication::activePopupWidget();
            ASSERT_NE(menu, nullptr);
            for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}) QTest::keyClick(menu, key);
        });
        auto* icon = QCoreApplication::instance()->findChild<QSystemTrayIcon*>();
        ASSERT_NE(icon, nullptr);
        emit icon->activated(QSystemTrayIcon::Context);
        QApplication::processEvents();
    }
    std::optional<settings_scenario::Seen> Dialog() override {
        QWidget* window = DialogWindow();
        if (!window) return std::nullopt;
        const SettingsDialog& d = Program().settings.Get();
        const QRgb swatch = os::qt::FindTagged(window, d.swatch.hWnd())->grab().toImage().pixel(5, 5);
        return settings_scenario::Seen{window->windowTitle().toStdString(),
                                       In<QLineEdit>(window, d.showLetter.hWnd())->text().toStdString(),
                                       In<QLineEdit>(window, d.hideLetter.hWnd())->text().toStdString(),
                                       In<QCheckBox>(window, d.onTop.hWnd())->isChecked(),
                                       static_cast<os::COLORREF>(qRed(swatch) | qGreen(swatch) << 8 | qBlue(swatch) << 16),
                                       In<QLineEdit>(window, d.opacityBox.hWnd())->text().toStdString()};
    }
    void Type(settings_scenario::Box box, const std::string& text) override {
        const SettingsDialog& d = Program().settings.Get();
        QLineEdit* edit = In<QLineEdit>(DialogWindow(), settings_scenario::BoxOf(d, box).hWnd());
        edit->selectAll();
        if (text.empty()) QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, QString::fromStdString(text));
    }
    void ClickOnTop() override {
        QTest::keyClick(In<QCheckBox>(DialogWindow(), Program().settings->onTop.hWnd()), Qt::Key_Space);
    }
    void ClickPreset(int index) override {
        const os::Hwnd preset = Program().settings->presets[static_cast<size_t>(index)].hWnd();
        QTest::mouseClick(os::qt::FindTagged(DialogWindow(), preset), Qt::LeftButton, {}, QPoint(5, 5));
    }
    std::vector<std::string> PressOk() override {
        return ReadMessagesDuring("Lisotra Settings.", [] {
            QTest::mouseClick(In<QPushButton>(DialogWindow(), Program().settings->okButton.hWnd()), Qt::LeftButton);
        });
    }
    void Close() override {
        DialogWindow()->close();
        QApplication::processEvents();
    }
    bool PressHotkey(char letter) override {
        // As the key grab hears a press of a combination it holds.
        const bool heard = os::DeliverHotKey(kCtrlAlt, static_cast<unsigned>(letter));
        QApplication::processEvents();
        return heard;
    }
    bool Panel() override { return Program().panel.Exists() && Program().panel->Visible(); }
    int PanelOpacity() override { return qRound(DialogWindow("Lisotra")->windowOpacity() * 255); }
    std::string Stored(const char* section, const char* key) override { return os::ReadSetting(section, key); }
};

}  // namespace

class QtSettingsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        // Run on an X server of its own (the ctest entry QtSettingsDialog.OnX), not offscreen.
        ASSERT_NE(os::qt::XConnection(), nullptr) << "the hotkeys need an X display";
    }
    void TearDown() override {
        EndProgram();
        DiscardTestForms();
        QApplication::processEvents();
    }
};

TEST_F(QtSettingsDialog, AsAPersonUsesIt) {
    QtSettingsDesktop desktop;
    settings_scenario::Play(desktop);
}
