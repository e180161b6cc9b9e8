// The least Qt program that does what Lisotra's start-up and hotkeys do: a tray icon, two key
// grabs (with the lock-key variants), and one translucent tool window shown and hidden by them.
// Lisotra's start-up and hotkey budgets are measured against it.
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QWidget>
#include <X11/keysym.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>
#include <memory>

namespace {

xcb_keycode_t show_key = 0;
xcb_keycode_t hide_key = 0;
std::unique_ptr<QWidget> panel;

class Keys : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        auto* event = static_cast<xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_KEY_PRESS) return false;
        const auto key = static_cast<xcb_key_press_event_t*>(message)->detail;
        if (key == show_key) {
            if (!panel) {
                panel = std::make_unique<QWidget>(nullptr, Qt::Tool);
                panel->setWindowTitle("least");
                panel->setWindowOpacity(140 / 255.0);
                panel->setAutoFillBackground(true);
                QPalette p = panel->palette();
                p.setColor(QPalette::Window, Qt::yellow);
                panel->setPalette(p);
                panel->resize(304, 201);
            }
            panel->show();
            return true;
        }
        if (key == hide_key) {
            panel.reset();
            return true;
        }
        return false;
    }
};

xcb_keycode_t Grab(xcb_connection_t* c, xcb_window_t root, xcb_key_symbols_t* symbols, xcb_keysym_t sym) {
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, sym);
    const xcb_keycode_t code = codes ? codes[0] : 0;
    std::free(codes);
    const uint16_t mods = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
    for (int lock : {0, int(XCB_MOD_MASK_LOCK), int(XCB_MOD_MASK_2), int(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2)}) {
        xcb_grab_key(c, 1, root, static_cast<uint16_t>(mods | lock), code, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    }
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::yellow);
    QSystemTrayIcon tray{QIcon(pixmap)};
    tray.show();
    auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(c);
    show_key = Grab(c, root, symbols, XK_s);
    hide_key = Grab(c, root, symbols, XK_l);
    xcb_key_symbols_free(symbols);
    xcb_flush(c);
    Keys keys;
    app.installNativeEventFilter(&keys);
    return QApplication::exec();
}
