// Drives a running program as a person would, many times over: Ctrl+Alt+S and Ctrl+Alt+L, each
// time waiting for the panel to map and to go; then a right click on the tray icon at X, Y, which
// opens its menu, and a click on the empty desktop, which closes it.
//   soak_driver CYCLES [MENUS X Y]     (on the program's X display, with a window manager)
// Exits 1 when any step went unanswered for 5 s.
#include <cstdio>
#include <cstdlib>

#include "x_probe.h"

namespace {

using namespace probe;
constexpr auto kLimit = std::chrono::seconds(5);

bool Step(Display* display, void (*act)(Display*), int type, const char* what) {
    Drain(display);
    act(display);
    if (WaitForEvent(display, type, kLimit)) return true;
    std::fprintf(stderr, "soak_driver: %s went unanswered\n", what);
    return false;
}

int x = 0, y = 0;

void ShowKey(Display* d) { Chord(d, XK_s); }
void HideKey(Display* d) { Chord(d, XK_l); }
void RightClick(Display* d) {
    XTestFakeMotionEvent(d, -1, x, y, CurrentTime);
    XFlush(d);
    usleep(30000);  // the pointer is over the icon before the button goes down
    XTestFakeButtonEvent(d, 3, True, CurrentTime);
    XTestFakeButtonEvent(d, 3, False, CurrentTime);
    XFlush(d);
}
// A click on the empty desktop closes the menu (on every desktop; Escape does not reach a menu
// under wine, whose menus do not take the keyboard).
void ClickAway(Display* d) {
    XTestFakeMotionEvent(d, -1, DisplayWidth(d, DefaultScreen(d)) / 2, DisplayHeight(d, DefaultScreen(d)) / 2,
                         CurrentTime);
    XFlush(d);
    usleep(30000);
    XTestFakeButtonEvent(d, 1, True, CurrentTime);
    XTestFakeButtonEvent(d, 1, False, CurrentTime);
    XFlush(d);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 5) {
        std::fprintf(stderr, "usage: soak_driver CYCLES [MENUS X Y]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 1;
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    const int cycles = std::atoi(argv[1]);
    const int menus = argc == 5 ? std::atoi(argv[2]) : 0;
    if (argc == 5) x = std::atoi(argv[3]), y = std::atoi(argv[4]);
    int missed = 0;
    const auto started = Clock::now();
    for (int i = 0; i < cycles && missed < 10; ++i) {
        if (!Step(display, ShowKey, MapNotify, "Ctrl+Alt+S")) ++missed;
        if (!Step(display, HideKey, UnmapNotify, "Ctrl+Alt+L")) ++missed;
    }
    for (int i = 0; i < menus && missed < 10; ++i) {
        if (!Step(display, RightClick, MapNotify, "a right click on the icon")) ++missed;
        usleep(50000);  // the menu takes the pointer only once it is on screen
        if (!Step(display, ClickAway, UnmapNotify, "a click away from the menu")) ++missed;
        // Two clicks closer than the double-click time would be one double click, and wine ends a
        // menu's tracking a little after the menu goes.
        usleep(300000);
    }
    std::printf("%d show/hide cycles, %d menu openings in %.1f s; %d steps unanswered\n", cycles, menus,
                Ms(Clock::now() - started) / 1000, missed);
    return missed == 0 ? 0 : 1;
}
