// The tray icon, its pop-up menu and icons on Qt. Qt reports the icon's clicks on press; the
// program hears a click on its release, so the icon's own window is watched where Qt gives it one.
#include "platform/tray.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QSystemTrayIcon>
#include <optional>
#include <utility>
#include <vector>

#include "platform/app.h"
#include "platform/native_window.h"
#include "platform/picture.h"
#include "platform/qt/guard.h"
#include "platform/qt/stored_icons.h"

namespace os {
namespace {

std::vector<QIcon>& Icons() {
    static std::vector<QIcon> icons;
    return icons;
}

QIcon IconOf(Hicon handle) {
    const auto index = reinterpret_cast<std::uintptr_t>(handle);
    return index >= 1 && index <= Icons().size() ? Icons()[index - 1] : QIcon();
}

std::function<void(TrayEvent)>& Handler() {
    static std::function<void(TrayEvent)> handler;
    return handler;
}

// Runs the program's handler; the callers are Qt's entries into the program, each guarded.
void Hear(std::optional<TrayEvent> event) {
    const auto handler = Handler();  // the program may set another while it runs
    if (event && handler) handler(*event);
}

// The tray icon. It belongs to the application object, which the Qt tests look it up from.
class TrayIcon final : public QObject {
public:
    TrayIcon(Hicon icon, const std::string& tip) : QObject(QCoreApplication::instance()), icon_(this) {
        QObject::connect(&icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
            // Qt makes the icon's window anew when a tray host appears or restarts; a press that
            // reached Qt came from such a new window. Its release, which the menu waits for,
            // comes through the filter once the window is watched.
            if (!WatchIconWindow()) qt::Guarded([&] { Activated(r); });
        });
        Update(icon, tip);
        icon_.show();
        WatchIconWindow();
    }

    void Update(Hicon icon, const std::string& tip) {
        icon_.setIcon(IconOf(icon));
        icon_.setToolTip(QString::fromStdString(tip));
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
            Hear(button == Qt::LeftButton    ? std::optional(TrayEvent::Clicked)
                 : button == Qt::RightButton ? std::optional(TrayEvent::MenuAsked)
                                             : std::nullopt);
            return false;
        }
        case QEvent::MouseButtonPress:
            return true;  // Qt's own press handling would report the click a second time
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return true;
            // The first release's menu was not up yet to take this second click: it goes, and the
            // double-click's own release opens no other.
            SwallowTheRelease();
            if (QWidget* menu = QApplication::activePopupWidget()) {
                menu->close();
                PostDouble();
            } else {
                Hear(TrayEvent::DoubleClicked);
            }
            return true;
        default:
            return false;
        }
    }

    // The menu that a left release opened takes the second click of a double-click: it is the
    // icon's double-click when it lands on the icon in time.
    bool TakesDoubleClick(QPoint global) const {
        if (!lastLeftUp_.isValid() || lastLeftUp_.elapsed() > QApplication::doubleClickInterval()) return false;
        for (const QPointer<QWidget>& w : watched_) {
            if (w && w->isVisible() && QRect(w->mapToGlobal(QPoint(0, 0)), w->size()).contains(global)) return true;
        }
        return false;
    }

    // A double-click that closed a menu: heard once that menu is gone, as Windows reports it.
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
    static void Activated(QSystemTrayIcon::ActivationReason reason) {
        switch (reason) {
        case QSystemTrayIcon::Trigger: Hear(TrayEvent::Clicked); break;
        case QSystemTrayIcon::Context: Hear(TrayEvent::MenuAsked); break;
        case QSystemTrayIcon::DoubleClick: Hear(TrayEvent::DoubleClicked); break;
        default: break;
        }
    }

    QSystemTrayIcon icon_;
    QList<QPointer<QWidget>> watched_;
    bool swallowRelease_ = false;
    QElapsedTimer doublePress_;
    QElapsedTimer lastLeftUp_;
};

// The icon shown, or null.
QPointer<TrayIcon>& Shown() {
    static QPointer<TrayIcon> shown;
    return shown;
}

void TrayIcon::PostDouble() {
    PostDeferred([] {
        if (Shown()) Hear(TrayEvent::DoubleClicked);
    });
}

}  // namespace

void SetTrayHandler(std::function<void(TrayEvent)> handler) { Handler() = std::move(handler); }

bool ShowTrayIcon(Hicon icon, const std::string& tip) {
    if (Shown() || !QApplication::instance()) return false;
    Shown() = new TrayIcon(icon, tip);
    return true;
}

bool SetTrayIcon(Hicon icon, const std::string& tip) {
    if (!Shown()) return false;
    Shown()->Update(icon, tip);
    return true;
}

bool RemoveTrayIcon() {
    if (!Shown()) return false;
    delete Shown().data();
    return true;
}

namespace {
Hicon Keep(const QIcon& icon) {
    Icons().push_back(icon);
    return reinterpret_cast<Hicon>(static_cast<std::uintptr_t>(Icons().size()));
}
}  // namespace

// The tray icon was drawn while the program was built: the start-up only wraps its pixels.
Hicon CreateStoredIcon(StoredIcon stored, std::vector<IconImage> (*draw)()) {
    if (stored != StoredIcon::Tray) return CreateIconFromImages(draw());
    const int size = qt::kStoredTrayIconSize;
    const QImage pixels(reinterpret_cast<const uchar*>(qt::kStoredTrayIcon), size, size, size * 4, QImage::Format_ARGB32);
    return Keep(QIcon(QPixmap::fromImage(pixels)));
}

Hicon CreateIconFromImages(const std::vector<IconImage>& images) {
    QIcon icon;
    for (const IconImage& image : images) {
        QImage pixels(reinterpret_cast<const uchar*>(image.argb.data()), image.width, image.height,
                      image.width * 4, QImage::Format_ARGB32);
        icon.addPixmap(QPixmap::fromImage(pixels.copy()));
    }
    return Keep(icon);
}

namespace {
// Sees the click that closes a menu, for the tray icon's double-click.
class MenuCloser final : public QObject {
public:
    QPointer<TrayIcon> doubleClicked;
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
        if (Shown() && Shown()->TakesDoubleClick(at)) doubleClicked = Shown();
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
