// What the probes share: keys pressed as a person presses them (XTest), waits for windows to map
// and unmap on the root, and a process's memory as Linux counts it.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <sys/types.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>

namespace probe {

using Clock = std::chrono::steady_clock;
inline double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Ctrl+Alt+key, pressed and released.
inline void Chord(Display* display, KeySym key) {
    const KeyCode ctrl = XKeysymToKeycode(display, XK_Control_L);
    const KeyCode alt = XKeysymToKeycode(display, XK_Alt_L);
    const KeyCode k = XKeysymToKeycode(display, key);
    for (KeyCode c : {ctrl, alt, k}) XTestFakeKeyEvent(display, c, True, CurrentTime);
    for (KeyCode c : {k, alt, ctrl}) XTestFakeKeyEvent(display, c, False, CurrentTime);
    XFlush(display);
}

// Waits up to `limit` for an event of that type among those the root reports (SubstructureNotify
// must be selected on it): MapNotify, UnmapNotify.
inline bool WaitForEvent(Display* display, int type, Clock::duration limit) {
    const auto end = Clock::now() + limit;
    while (Clock::now() < end) {
        while (XPending(display)) {
            XEvent e;
            XNextEvent(display, &e);
            if (e.type == type) return true;
        }
        usleep(200);
    }
    return false;
}

inline void Drain(Display* display) {
    XSync(display, False);
    while (XPending(display)) {
        XEvent e;
        XNextEvent(display, &e);
    }
}

// A field of /proc/PID/status, in its unit (kB for memory), or -1.
inline long StatusField(pid_t pid, const char* name) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(name, 0) == 0) return std::stol(line.substr(line.find(':') + 1));
    }
    return -1;
}

// Memory only this process uses, in KiB.
inline long PrivateKiB(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::string line;
    long total = 0;
    while (std::getline(in, line)) {
        if (line.rfind("Private_Clean:", 0) == 0 || line.rfind("Private_Dirty:", 0) == 0) {
            total += std::stol(line.substr(line.find(':') + 1));
        }
    }
    return total;
}

}  // namespace probe
