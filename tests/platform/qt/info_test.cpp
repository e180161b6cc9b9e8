// The About box and the donate window on Qt widgets: the info scenario, played through the tray
// menu, Qt's keys and clicks and its message box. The system information program is a script on
// the PATH that leaves a mark when it runs; the browser is a handler of the web pages' scheme.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <cstdlib>
#include <string>
#include <vector>

#include "info/about_box.h"
#include "info/donate_window.h"
#include "info/info_scenario.h"
#include "platform/app.h"
#include "platform/qt/widgets.h"
#include "platform/qt/read_messages.h"
#include "support/program.h"
#include "support/test_form.h"

namespace {

QWidget* TopLevel(const QString& title) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->windowTitle() == title && w->isVisible()) return w;
    }
    return nullptr;
}

QString Text(QWidget* window, const forms::TextControl& control) {
    QWidget* widget = os::qt::FindTagged(window, control.hWnd());
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<QPushButton*>(widget)) return button->text();
    return "(none)";
}

// The desktop's browser: it notes each page it is asked to open.
class Browser final : public QObject {
    Q_OBJECT
public:
    std::vector<std::string> opened;
public slots:
    void Open(const QUrl& url) { opened.push_back(url.toString().toStdString()); }
};

class QtInfoDesktop final : public info_scenario::Desktop {
public:
    QtInfoDesktop() : path_(std::getenv("PATH") ? std::getenv("PATH") : "") {
        QDesktopServices::setUrlHandler("https", &browser_, "Open");
    }
    ~QtInfoDesktop() override {
        QDesktopServices::unsetUrlHandler("https");
        setenv("PATH", path_.c_str(), 1);
    }
    void Start(bool systemInfoProgram) override {
        if (systemInfoProgram) {
            QFile script(programs_.filePath("kinfocenter"));
            ASSERT_TRUE(script.open(QIODevice::WriteOnly));
            script.write(("#!/bin/sh\n: > '" + Mark() + "'\n").toUtf8());
            script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
        setenv("PATH", programs_.path().toLocal8Bit().constData(), 1);  // only the program planted here
        Program().Start();
    }
    void OpenFromTray(const char* item) override {
        const int downs = std::string(item) == "about" ? 4 : 5;  // separators are passed over
        QTimer::singleShot(0, [downs] {
            QWidget* menu = QApplication::activePopupWidget();
            ASSERT_NE(menu, nullptr);
            for (int i = 0; i < downs; ++i) QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        auto* icon = QCoreApplication::instance()->findChild<QSystemTrayIcon*>();
        ASSERT_NE(icon, nullptr);
        emit icon->activated(QSystemTrayIcon::Context);
        QApplication::processEvents();
        QWidget* window = TopLevel(std::string(item) == "about" ? "About Lisotra" : "Lisotra - donate");
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    std::optional<info_scenario::About> AboutBox() override {
        QWidget* window = TopLevel("About Lisotra");
        if (!window) return std::nullopt;
        const ::AboutBox& about = Program().about.Get();
        return info_scenario::About{window->windowTitle().toStdString(), Text(window, about.title).toStdString(),
                                    Text(window, about.versionLabel).toStdString(), Text(window, about.homePage).toStdString()};
    }
    void Press(info_scenario::Key key) override {
        QWidget* window = TopLevel("About Lisotra");
        ASSERT_NE(window, nullptr);
        window->activateWindow();  // the person comes back to it from the message or the browser
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), key == info_scenario::Key::Enter ? Qt::Key_Return : Qt::Key_Escape);
        QApplication::processEvents();
    }
    void ClickLink() override { Click(TopLevel("About Lisotra"), Program().about->homePage.hWnd()); }
    std::vector<std::string> ClickSystemInfo() override {
        return ReadMessagesDuring("Lisotra",
                                  [] { Click(TopLevel("About Lisotra"), Program().about->sysInfoButton.hWnd()); });
    }
    bool SystemInfoStarted() override { return QFile::exists(Mark()); }
    std::vector<std::string> Opened() override { return browser_.opened; }
    std::optional<os::PixelRect> Donate() override {
        QWidget* window = TopLevel("Lisotra - donate");
        if (!window) return std::nullopt;
        const QRect r = window->frameGeometry();
        return os::PixelRect{r.left(), r.top(), r.width(), r.height()};
    }
    os::PixelRect Screen() override {
        const QRect r = QGuiApplication::primaryScreen()->geometry();
        return {r.left(), r.top(), r.width(), r.height()};
    }
    void ClickDonate(bool picture) override {
        const DonateWindow& donate = Program().donate.Get();
        Click(TopLevel("Lisotra - donate"), picture ? donate.donatePicture.hWnd() : donate.message.hWnd());
    }
    bool Until(const std::function<bool()>& done) override { return QTest::qWaitFor(done); }

private:
    static void Click(QWidget* window, os::Hwnd control) {
        ASSERT_NE(window, nullptr);
        QWidget* widget = os::qt::FindTagged(window, control);
        ASSERT_NE(widget, nullptr);
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, 5));
        QApplication::processEvents();
    }
    QString Mark() const { return marks_.filePath("started"); }

    std::string path_;
    QTemporaryDir programs_, marks_;
    Browser browser_;
};

class QtInfo : public ::testing::Test {
protected:
    void TearDown() override {
        EndProgram();
        DiscardTestForms();
        QApplication::processEvents();
    }
};

}  // namespace

TEST_F(QtInfo, TheAboutBoxWithoutASystemInformationProgram) {
    QtInfoDesktop desktop;
    info_scenario::PlayAbout(desktop, false);
}

TEST_F(QtInfo, TheAboutBoxWithASystemInformationProgram) {
    QtInfoDesktop desktop;
    info_scenario::PlayAbout(desktop, true);
}

TEST_F(QtInfo, TheDonateWindow) {
    QtInfoDesktop desktop;
    info_scenario::PlayDonate(desktop, os::TwipsPerPixelX());
}

#include "info_test.moc"
