// The application on Qt: the event loop, End, deferred work, the screen, message boxes, and the
// end of the session (SIGTERM, SIGHUP and SIGINT are how a Linux session asks a program to go).
#include <QApplication>
#include <QFileInfo>
#include <QProcess>
#include <QMessageBox>
#include <QMetaObject>
#include <QPointer>
#include <QScreen>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/app.h"
#include "platform/qt/guard.h"
#include "platform/qt/window_list.h"
#include "platform/qt/x11_hints.h"

namespace os {
namespace {

int signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

// The session ends: every window is asked, as Windows asks at log-off, and the program ends.
void WatchSessionEnd(QApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        qt::Guarded([] { qt::EndSession(); });
        End();
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGHUP, SIGINT}) sigaction(sig, &action, nullptr);
}

QScreen* Primary() { return QGuiApplication::primaryScreen(); }

// Screens that come, go or change their size or work area are told of; so is a new primary.
void WatchScreen(QScreen* screen) {
    QObject::connect(screen, &QScreen::geometryChanged, [] { ReportScreensChanged(); });
    QObject::connect(screen, &QScreen::availableGeometryChanged, [] { ReportScreensChanged(); });
}
void WatchScreens(QGuiApplication& app) {
    for (QScreen* screen : QGuiApplication::screens()) WatchScreen(screen);
    QObject::connect(&app, &QGuiApplication::screenAdded, [](QScreen* screen) {
        WatchScreen(screen);
        ReportScreensChanged();
    });
    QObject::connect(&app, &QGuiApplication::screenRemoved, [] { ReportScreensChanged(); });
    QObject::connect(&app, &QGuiApplication::primaryScreenChanged, [] { ReportScreensChanged(); });
}

[[noreturn]] void ExitNow(int code);

// exit() from anywhere (Qt's X11 plugin calls it when the X server goes, with windows still open)
// ends the process at once with the same status: the exit handlers that would run after this one
// tear down Qt and the program's globals in an order nobody chose, against a desktop that is gone.
void EndPromptlyOnExit() {
    ::on_exit([](int status, void*) { ExitNow(status); }, nullptr);
}

// On Wayland the program's windows go through XWayland: the panel's stacking and taskbar hints,
// and the key grabs the hotkeys fall back to, are X11's. Qt would pick its Wayland platform
// there; it does only where there is no X server (or the person asked for a platform).
void PreferX11() {
    if (qt::WaylandSession() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb;wayland");
}

}  // namespace

int RunApplication(int argc, char** argv, const std::function<void()>& startup, const std::function<void()>& teardown) {
    PreferX11();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);  // the program ends only through End
    QApplication::setApplicationName("Lisotra");
    QApplication::setOrganizationName("Lisotra");
    WatchSessionEnd(app);
    WatchScreens(app);
    EndPromptlyOnExit();
    qt::Guarded(startup);
    const int code = QApplication::exec();
    if (teardown) qt::Guarded(teardown);
    return code;
}

namespace {
// Whatever is on its way out goes before the process ends: buffered output, X requests (none
// when the connection has broken).
[[noreturn]] void ExitNow(int code) {
    std::fflush(nullptr);
    xcb_connection_t* c = qt::XConnection();
    if (c && !xcb_connection_has_error(c)) xcb_flush(c);
    std::_Exit(code);
}
}  // namespace

void End() { ExitNow(0); }

void qt::EndOnUnhandledError() noexcept {
    const char* what = "an exception of unknown type";
    try {
        throw;
    } catch (const std::exception& error) {
        what = error.what();
    } catch (...) {
    }
    const QByteArray name = QCoreApplication::applicationName().toLocal8Bit();
    std::fprintf(stderr, "%s: run-time error not handled, the program ends: %s\n",
                 name.isEmpty() ? "Lisotra" : name.constData(), what);
    ExitNow(EXIT_FAILURE);
}

void PostDeferred(std::function<void()> work) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [work = std::move(work)] { qt::Guarded(work); }, Qt::QueuedConnection);
}

ScreenInfo Screen() {
    ScreenInfo info;
    info.twipsPerPixelX = TwipsPerPixelX();
    info.twipsPerPixelY = TwipsPerPixelY();
    if (QScreen* primary = Primary()) {
        info.widthPixels = primary->geometry().width();
        info.heightPixels = primary->geometry().height();
    }
    QList<QScreen*> screens = QGuiApplication::screens();
    screens.removeAll(Primary());
    screens.prepend(Primary());
    for (QScreen* s : screens) {
        if (!s) continue;
        const QRect whole = s->geometry();
        const QRect work = s->availableGeometry();
        info.monitors.push_back({{whole.x(), whole.y(), whole.width(), whole.height()},
                                 {work.x(), work.y(), work.width(), work.height()}});
    }
    return info;
}

float TwipsPerPixelX() {
    QScreen* s = Primary();
    return s && s->logicalDotsPerInchX() > 0 ? static_cast<float>(1440.0 / s->logicalDotsPerInchX()) : 15.0f;
}

float TwipsPerPixelY() {
    QScreen* s = Primary();
    return s && s->logicalDotsPerInchY() > 0 ? static_cast<float>(1440.0 / s->logicalDotsPerInchY()) : 15.0f;
}

void ShowMessage(const std::string& text, const std::string& title) {
    // Over the active window, as its owner. That window may go while the box is open (a form can
    // unload from a timer), taking the box with it: the box is only deleted here if it is still there.
    QPointer<QMessageBox> box = new QMessageBox(QMessageBox::NoIcon, QString::fromStdString(title),
                                                QString::fromStdString(text), QMessageBox::Ok, QApplication::activeWindow());
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::ApplicationModal);
    box->exec();
    delete box.data();
}

void Log(const std::string& what) {
    const QByteArray name = QCoreApplication::applicationName().toLocal8Bit();
    std::fprintf(stderr, "%s: %s\n", name.isEmpty() ? "Lisotra" : name.constData(), what.c_str());
}

bool FileExists(const std::string& path) { return QFileInfo(QString::fromStdString(path)).isFile(); }

bool StartProgram(const std::string& path) {
    // Its own process, not a child that ends with this one; the desktop gives its window the focus.
    return !path.empty() && QProcess::startDetached(QString::fromStdString(path), {});
}

}  // namespace os
