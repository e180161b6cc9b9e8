// Measures Windows tray programs under wine from outside, as a person meets them: the time from
// `wine PROGRAM.exe` until its icon is on screen (Wine's "Wine System Tray" window mapped, the
// desktop having no other tray), and the time until Ctrl+Alt+S, pressed from a focused wine
// window, maps a window (start-up to hotkeys live). The programs are started in turn, run after
// run, so that both meet the same machine; each figure is measured in a start of its own, since
// the key presses are work for wine too.
//   wine_startup_probe RUNS FOCUS-WINDOW PROGRAM.exe...
// Prints one line a program and run, then the medians and quartiles, and the median of each
// later program's ratio to the first within a run. A build machine program (Xlib, XTest).
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "x_probe.h"

namespace {

using namespace probe;

constexpr char kTrayName[] = "Wine System Tray";
Display* display;
Window root;
Window tray = 0;  // the tray's client window once seen

bool Named(Window w, const char* name) {
    char* text = nullptr;
    const bool same = XFetchName(display, w, &text) && text && std::strcmp(text, name) == 0;
    if (text) XFree(text);
    return same;
}

// The window manager maps a frame that holds the client: the tray is the frame or a child of it.
bool IsTray(Window w) {
    if (Named(w, kTrayName)) return tray = w, true;
    Window rootReturn, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, w, &rootReturn, &parent, &children, &count)) return false;
    bool found = false;
    for (unsigned i = 0; i < count && !found; ++i) {
        if (Named(children[i], kTrayName)) tray = children[i], found = true;
    }
    if (children) XFree(children);
    return found;
}

int IgnoreErrors(Display*, XErrorEvent*) { return 0; }  // a window gone while looked at

// Waits for a window mapped on the root, up to `limit`: the tray's, or (`tray` false) another.
bool WaitForMap(Clock::duration limit, bool wantTray) {
    const auto end = Clock::now() + limit;
    while (Clock::now() < end) {
        while (XPending(display)) {
            XEvent e;
            XNextEvent(display, &e);
            if (e.type != MapNotify || e.xmap.override_redirect) continue;
            if (IsTray(e.xmap.window) == wantTray) return true;
        }
        usleep(200);
    }
    return false;
}

bool TrayMapped() {
    XWindowAttributes attributes;
    return tray && XGetWindowAttributes(display, tray, &attributes) && attributes.map_state == IsViewable;
}

// Wine hands key presses, and so hotkeys, only to the wine window that has the X focus.
void Activate(Window w) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = 2;  // from a pager: obeyed
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(display);
    usleep(100000);
}

pid_t Launch(const char* exe) {
    const pid_t pid = fork();
    if (pid == 0) {
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execlp("wine", "wine", exe, static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// Ends the program. Wine's tray, like Windows', keeps the icon of a program that ended without
// taking it away until the pointer passes over it; then the icon goes, and with the last one the
// tray window, which the next start must map anew.
void End(pid_t pid) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    for (int i = 0; i < 100 && TrayMapped(); ++i) {
        Window child;
        int x = 0, y = 0;
        XTranslateCoordinates(display, tray, root, 10 + i % 2, 10, &x, &y, &child);  // the first cell
        XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
        XFlush(display);
        usleep(30000);
    }
    XTestFakeMotionEvent(display, -1, 0, 0, CurrentTime);
    XFlush(display);
    if (TrayMapped()) std::fprintf(stderr, "the tray stays after the program ended\n");
    usleep(300000);
}

// The value a fraction q of the way through the sorted values (0.5: the median).
double Quantile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[static_cast<size_t>(q * static_cast<double>(v.size() - 1) + 0.5)];
}

struct Figures {
    std::vector<double> icon, keys;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: wine_startup_probe RUNS FOCUS-WINDOW PROGRAM.exe...\n");
        return 2;
    }
    display = XOpenDisplay(nullptr);
    if (!display) return 1;
    XSetErrorHandler(IgnoreErrors);
    root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    const int runs = std::atoi(argv[1]);
    const Window focus = std::strtoul(argv[2], nullptr, 0);
    const int programs = argc - 3;
    std::vector<Figures> figures(static_cast<size_t>(programs));
    // Run 0 warms wine's caches for both programs and is not counted.
    for (int run = 0; run <= runs; ++run) {
        // Every other run in the opposite order: a start that follows another may pay for it.
        for (int i = 0; i < programs; ++i) {
            const int p = run % 2 ? programs - 1 - i : i;
            const char* exe = argv[3 + p];
            Activate(focus);
            Drain(display);
            const auto started = Clock::now();
            const pid_t pid = Launch(exe);
            if (!WaitForMap(std::chrono::seconds(10), true)) {
                std::fprintf(stderr, "%s: no tray icon\n", exe);
                End(pid);
                return 1;
            }
            const double icon = Ms(Clock::now() - started);
            // Then Ctrl+Alt+S every 10 ms until a press maps a window. The program adds its icon
            // before it registers its hotkeys, so they cannot be live much before the icon is seen;
            // pressing from the launch on would load wine with key events while it starts.
            bool live = false;
            while (!live && Clock::now() - started < std::chrono::seconds(10)) {
                Chord(display, XK_s);
                live = WaitForMap(std::chrono::milliseconds(10), false);
            }
            const double keys = Ms(Clock::now() - started);
            End(pid);
            if (!live) {
                std::fprintf(stderr, "%s: Ctrl+Alt+S mapped no window\n", exe);
                return 1;
            }
            if (run == 0) continue;
            figures[static_cast<size_t>(p)].icon.push_back(icon);
            figures[static_cast<size_t>(p)].keys.push_back(keys);
            std::printf("run %d %-40s icon on screen %6.1f ms, hotkeys live %6.1f ms\n", run, exe, icon, keys);
            std::fflush(stdout);
        }
    }
    for (int p = 0; p < programs; ++p) {
        const Figures& f = figures[static_cast<size_t>(p)];
        std::printf("median %s icon=%.1f keys=%.1f quartiles icon=%.1f-%.1f keys=%.1f-%.1f\n", argv[3 + p],
                    Quantile(f.icon, 0.5), Quantile(f.keys, 0.5), Quantile(f.icon, 0.25), Quantile(f.icon, 0.75),
                    Quantile(f.keys, 0.25), Quantile(f.keys, 0.75));
    }
    // Each later program against the first in the same run: a slow spell of the machine (a build
    // beside it, wine's server busy) slows both starts of a run, and cancels out of their ratio.
    for (int p = 1; p < programs; ++p) {
        std::vector<double> icon, keys;
        for (size_t run = 0; run < figures[0].icon.size(); ++run) {
            icon.push_back(figures[static_cast<size_t>(p)].icon[run] / figures[0].icon[run]);
            keys.push_back(figures[static_cast<size_t>(p)].keys[run] / figures[0].keys[run]);
        }
        std::printf("ratio %s icon=%.2f keys=%.2f quartiles icon=%.2f-%.2f keys=%.2f-%.2f\n", argv[3 + p],
                    Quantile(icon, 0.5), Quantile(keys, 0.5), Quantile(icon, 0.25), Quantile(icon, 0.75),
                    Quantile(keys, 0.25), Quantile(keys, 0.75));
    }
    return 0;
}
