// The notification-area icon, pop-up menus, icons and opening web pages on Qt. Tray notifications
// reach the owner window as Windows delivers them: its callback message with the mouse message in
// lParam, so the program decodes them in one place.
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QUrl>
#include <algorithm>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/app.h"
#include "platform/browser.h"
#include "platform/emulated/notify_icons.h"
#include "platform/mouse_message.h"
#include "platform/qt/guard.h"
#include "platform/qt/window_list.h"
#include "platform/picture.h"
#include "platform/shell32.h"

namespace os {
namespace {

std::vector<QIcon>& Icons() {
    static auto* icons = new std::vector<QIcon>;  // never destroyed: see qt/window_list.cpp
    return *icons;
}

QIcon IconOf(Hicon handle) {
    const auto index = reinterpret_cast<std::uintptr_t>(handle);
    return index >= 1 && index <= Icons().size() ? Icons()[index - 1] : QIcon();
}

// One icon in the notification area. Qt reports its clicks on press; the mouse messages the
// program expects (a release opens the menu) are read from the icon's own window instead, when
// Qt gives it one (the XEmbed tray of X11 desktops).
class TrayIcon final : public QObject {
public:
    explicit TrayIcon(const NotifyIcon& record) : key_(record.hWnd, record.uID) {
        QObject::connect(&icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
            // Qt makes the icon's window anew when a tray host appears or restarts; a press that
            // reached Qt came from such a new window. Its release, which the menu waits for,
            // comes through the filter once the window is watched.
            if (!WatchIconWindow()) qt::Guarded([&] { Activated(r); });
        });
        Update(record);
        icon_.show();
        WatchIconWindow();
    }

    void Update(const NotifyIcon& record) {
        if (record.uFlags & NIF_ICON) icon_.setIcon(IconOf(record.hIcon));
        if (record.uFlags & NIF_TIP) icon_.setToolTip(QString::fromStdString(record.tip));
    }

    bool eventFilter(QObject*, QEvent* event) override {
        return qt::Guarded([&] { return FilterIconEvent(event); });
    }

    bool FilterIconEvent(QEvent* event) {
        switch (event->type()) {
        case QEvent::MouseButtonRelease: {
            const auto button = static_cast<QMouseEvent*>(event)->button();
            if (std::exchange(swallowRelease_, false) && doublePress_.elapsed() <= QApplication::doubleClickInterval()) {
                return true;
            }
            if (button == Qt::LeftButton) lastLeftUp_.start();
            Notify(button == Qt::LeftButton ? WM_LBUTTONUP : button == Qt::RightButton ? WM_RBUTTONUP : WM_MBUTTONUP);
            return false;
        }
        case QEvent::MouseButtonPress: {
            const auto button = static_cast<QMouseEvent*>(event)->button();
            Notify(button == Qt::LeftButton ? WM_LBUTTONDOWN : button == Qt::RightButton ? WM_RBUTTONDOWN : WM_MBUTTONDOWN);
            return true;  // Qt's own press handling would report the click a second time
        }
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return true;
            // The first release's menu was not up yet to take this second click: it goes, and the
            // double-click's own release opens no other.
            SwallowTheRelease();
            if (QWidget* menu = QApplication::activePopupWidget()) {
                menu->close();
                PostDouble();
            } else {
                Notify(WM_LBUTTONDBLCLK);
            }
            return true;
        default:
            return false;
        }
    }

    // The menu that a left release opened takes the second click of a double-click: it is this
    // icon's double-click when it lands on the icon in time.
    bool TakesDoubleClick(QPoint global) const {
        if (!lastLeftUp_.isValid() || lastLeftUp_.elapsed() > QApplication::doubleClickInterval()) return false;
        for (const QPointer<QWidget>& w : watched_) {
            if (w && w->isVisible() && QRect(w->mapToGlobal(QPoint(0, 0)), w->size()).contains(global)) return true;
        }
        return false;
    }

    void Notify(unsigned mouseMessage) {
        const auto kept = emu::NotifyIcons().find(key_);
        if (kept == emu::NotifyIcons().end()) return;
        const NotifyIcon& record = kept->second;
        if (!(record.uFlags & NIF_MESSAGE) && record.uCallbackMessage == 0) return;
        const auto mouse = ReadMouseMessage(record.uCallbackMessage, record.uID, static_cast<int>(mouseMessage), 0);
        NativeWindowEvents* events = qt::WindowEvents(record.hWnd);
        if (events && mouse) events->OnMouse(*mouse);
    }

    // A double-click that closed a menu: reported once that menu is gone, as Windows reports it.
    void PostDouble();
    // The release that ends a double-click opens no menu, whichever window it reaches.
    void SwallowTheRelease() {
        swallowRelease_ = true;
        doublePress_.start();
    }

private:
    // Watches the icon's window, if Qt made one that is not watched yet. Returns whether it did.
    bool WatchIconWindow() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (qstrcmp(w->metaObject()->className(), "QSystemTrayIconSys") == 0 && !watched_.contains(w)) {
                w->installEventFilter(this);
                watched_.append(w);
                return true;
            }
        }
        return false;
    }

    // Without a window of its own (a StatusNotifierItem tray), Qt's activations are all there is.
    void Activated(QSystemTrayIcon::ActivationReason reason) {
        switch (reason) {
        case QSystemTrayIcon::Trigger: Notify(WM_LBUTTONUP); break;
        case QSystemTrayIcon::Context: Notify(WM_RBUTTONUP); break;
        case QSystemTrayIcon::DoubleClick: Notify(WM_LBUTTONDBLCLK); break;
        case QSystemTrayIcon::MiddleClick: Notify(WM_MBUTTONUP); break;
        default: break;
        }
    }

    emu::NotifyIconKey key_;
    QSystemTrayIcon icon_;
    QList<QPointer<QWidget>> watched_;
    bool swallowRelease_ = false;
    QElapsedTimer doublePress_;
    QElapsedTimer lastLeftUp_;
};

// The icons on the desktop, one for each icon the notification area keeps.
class TrayDisplay final : public emu::NotifyIconDisplay {
public:
    bool Add(const NotifyIcon& icon) override {
        if (!QApplication::instance()) return false;
        shown[{icon.hWnd, icon.uID}] = std::make_unique<TrayIcon>(icon);
        return true;
    }
    void Modify(const NotifyIcon& icon) override { shown.at({icon.hWnd, icon.uID})->Update(icon); }
    void Delete(const emu::NotifyIconKey& key) override { shown.erase(key); }

    std::map<emu::NotifyIconKey, std::unique_ptr<TrayIcon>> shown;
};

TrayDisplay& Display() {
    static auto* display = new TrayDisplay;  // never destroyed: see qt/window_list.cpp
    return *display;
}

void TrayIcon::PostDouble() {
    const emu::NotifyIconKey key = key_;
    PostDeferred([key] {
        auto it = Display().shown.find(key);
        if (it != Display().shown.end()) it->second->Notify(WM_LBUTTONDBLCLK);
    });
}

}  // namespace

// Nothing is stored in the program here: the images are drawn when asked for.
Hicon CreateStoredIcon(StoredIcon, std::vector<IconImage> (*draw)()) { return CreateIconFromImages(draw()); }

Hicon CreateIconFromImages(const std::vector<IconImage>& images) {
    QIcon icon;
    for (const IconImage& image : images) {
        QImage pixels(reinterpret_cast<const uchar*>(image.argb.data()), image.width, image.height,
                      image.width * 4, QImage::Format_ARGB32);
        icon.addPixmap(QPixmap::fromImage(pixels.copy()));
    }
    Icons().push_back(icon);
    return reinterpret_cast<Hicon>(static_cast<std::uintptr_t>(Icons().size()));
}

bool emu::IsWindow(Hwnd handle) { return qt::WindowEvents(handle) != nullptr; }

int Shell_NotifyIconA(unsigned message, const NotifyIconRecord& record) {
    return emu::ApplyNotifyIcon(message, record, Display());
}

bool OpenInBrowser(const std::string& address) {
    // The desktop's default browser shows its own window.
    if (QDesktopServices::openUrl(QUrl(QString::fromStdString(address)))) return true;
    Log("could not open " + address + " in the browser");
    return false;
}

namespace {
// Sees the click that closes a menu, for the tray icon's double-click.
class MenuCloser final : public QObject {
public:
    TrayIcon* doubleClicked = nullptr;
    bool eventFilter(QObject* menu, QEvent* event) override {
        return qt::Guarded([&] { return SeeClosingPress(static_cast<QMenu*>(menu), event); });
    }

private:
    bool SeeClosingPress(QMenu* menu, QEvent* event) {
        // The second press of a double-click comes as a double-click event.
        if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick) return false;
        auto* press = static_cast<QMouseEvent*>(event);
        const QPoint at = press->globalPosition().toPoint();
        if (press->button() != Qt::LeftButton || menu->geometry().contains(at)) return false;
        for (auto& [key, icon] : Display().shown) {
            if (icon->TakesDoubleClick(at)) doubleClicked = icon.get();
        }
        return false;
    }
};
}  // namespace

int PopupMenuAtCursor(Hwnd, const std::vector<MenuItem>& items) {
    QMenu menu;
    MenuCloser closer;
    menu.installEventFilter(&closer);
    std::vector<QAction*> actions;
    for (const MenuItem& item : items) {
        actions.push_back(item.caption == "-" ? menu.addSeparator() : menu.addAction(QString::fromStdString(item.caption)));
    }
    QAction* chosen = menu.exec(QCursor::pos());
    if (closer.doubleClicked) {
        closer.doubleClicked->SwallowTheRelease();
        closer.doubleClicked->PostDouble();
    }
    for (size_t i = 0; i < actions.size(); ++i) {
        if (actions[i] == chosen) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace os
