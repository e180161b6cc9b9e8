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

namespace {
// The windows of our own, never mapped, that the estimates are asked of (a utility window's and a
// normal one's), so that the program's windows are left as they are until they show.
xcb_window_t estimated[2] = {XCB_WINDOW_NONE, XCB_WINDOW_NONE};
}  // namespace

void RequestFrameEstimates() {
    xcb_connection_t* c = XConnection();
    if (!c || estimated[0] != XCB_WINDOW_NONE) return;
    const xcb_atom_t request = Atom("_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t typeKey = Atom("_NET_WM_WINDOW_TYPE");
    const xcb_atom_t types[2] = {Atom("_NET_WM_WINDOW_TYPE_UTILITY"), Atom("_NET_WM_WINDOW_TYPE_NORMAL")};
    for (int i = 0; i < 2; ++i) {
        estimated[i] = xcb_generate_id(c);
        xcb_create_window(c, XCB_COPY_FROM_PARENT, estimated[i], XRootWindow(), 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, estimated[i], typeKey, XCB_ATOM_ATOM, 32, 1, &types[i]);
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = estimated[i];
        message.type = request;
        xcb_send_event(c, 0, XRootWindow(), XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char*>(&message));
    }
    xcb_flush(c);
}

FrameExtents EstimateFrame(bool utility) {
    FrameExtents extents;
    xcb_connection_t* c = XConnection();
    if (!c) return extents;
    RequestFrameEstimates();
    const xcb_window_t window = estimated[utility ? 0 : 1];
    // Asked well before, the answer is there (one round trip). Asked just now, the window manager
    // answers by setting a property, which arrives as an event Qt's loop would only deliver
    // later: it is read directly, for at most a quarter of a second.
    if (ReadExtents(c, window, extents) || !Supported(c, Atom("_NET_REQUEST_FRAME_EXTENTS"))) return extents;
    for (int tries = 0; tries < 125 && !ReadExtents(c, window, extents); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return extents;
}

}  // namespace os::qt
