#include "platform/qt/x11_hints.h"

#include <QGuiApplication>
#include <QWindow>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace os::qt {

bool WaylandSession() {
    return qgetenv("XDG_SESSION_TYPE") == "wayland" || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

xcb_connection_t* XConnection() {
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t XRootWindow() {
    xcb_connection_t* c = XConnection();
    if (!c) return XCB_WINDOW_NONE;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    return screen ? screen->root : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
}

xcb_atom_t Atom(const char* name) {
    xcb_connection_t* c = XConnection();
    if (!c) return XCB_ATOM_NONE;
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

void SetSkipTaskbar(QWindow* window) {
    xcb_connection_t* c = XConnection();
    if (!c || !window) return;
    const xcb_atom_t states[] = {Atom("_NET_WM_STATE_SKIP_TASKBAR"), Atom("_NET_WM_STATE_SKIP_PAGER")};
    xcb_change_property(c, XCB_PROP_MODE_APPEND, static_cast<xcb_window_t>(window->winId()), Atom("_NET_WM_STATE"),
                        XCB_ATOM_ATOM, 32, 2, states);
    xcb_flush(c);
}

namespace {

bool Supported(xcb_connection_t* c, xcb_atom_t atom) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, XRootWindow(), Atom("_NET_SUPPORTED"), XCB_ATOM_ATOM, 0, 1024), nullptr);
    bool found = false;
    if (reply && reply->format == 32) {
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        const int count = xcb_get_property_value_length(reply) / 4;
        for (int i = 0; i < count && !found; ++i) found = atoms[i] == atom;
    }
    std::free(reply);
    return found;
}

bool ReadExtents(xcb_connection_t* c, xcb_window_t window, FrameExtents& extents) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, Atom("_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL, 0, 4), nullptr);
    const bool read = reply && reply->format == 32 && xcb_get_property_value_length(reply) == 16;
    if (read) {
        const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(reply));
        extents = {static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]), static_cast<int>(v[3])};
    }
    std::free(reply);
    return read;
}

}  // namespace

FrameExtents EstimateFrame(bool utility) {
    FrameExtents extents;
    xcb_connection_t* c = XConnection();
    const xcb_atom_t request = c ? Atom("_NET_REQUEST_FRAME_EXTENTS") : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    if (request == XCB_ATOM_NONE || !Supported(c, request)) return extents;
    // Asked of a window of our own that never maps, so that the program's windows are left as
    // they are until they show.
    const xcb_window_t id = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, id, XRootWindow(), 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_atom_t type = Atom(utility ? "_NET_WM_WINDOW_TYPE_UTILITY" : "_NET_WM_WINDOW_TYPE_NORMAL");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, Atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1, &type);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(c, 0, XRootWindow(), XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
    // The window manager answers by setting a property, which arrives as an event Qt's loop would
    // only deliver later: read it directly, for at most a quarter of a second. This happens once
    // per kind of window, and only when the program asks a window it never showed for its frame.
    for (int tries = 0; tries < 50; ++tries) {
        if (ReadExtents(c, id, extents)) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    xcb_destroy_window(c, id);
    xcb_flush(c);
    return extents;
}

}  // namespace os::qt
