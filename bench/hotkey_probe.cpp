// Measures a hotkey program from outside, as a user meets it: the time from start until a
// Ctrl+Alt+S press maps a window (start-up to hotkeys live), the time from a press to the window
// mapped, its private memory when idle, and its wakeups over an idle second.
//   hotkey_probe RUNS PROGRAM [ARGS...]     (on an X display with a window manager)
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

Display* display;

void Chord(KeySym key) {
    const KeyCode ctrl = XKeysymToKeycode(display, XK_Control_L);
    const KeyCode alt = XKeysymToKeycode(display, XK_Alt_L);
    const KeyCode k = XKeysymToKeycode(display, key);
    for (KeyCode c : {ctrl, alt, k}) XTestFakeKeyEvent(display, c, True, CurrentTime);
    for (KeyCode c : {k, alt, ctrl}) XTestFakeKeyEvent(display, c, False, CurrentTime);
    XFlush(display);
}

// Waits for a top-level window to map, up to `limit`.
bool WaitForMap(Clock::duration limit) {
    const auto end = Clock::now() + limit;
    while (Clock::now() < end) {
        while (XPending(display)) {
            XEvent e;
            XNextEvent(display, &e);
            if (e.type == MapNotify) return true;
        }
        usleep(200);
    }
    return false;
}

void Drain() {
    XSync(display, False);
    while (XPending(display)) {
        XEvent e;
        XNextEvent(display, &e);
    }
}

long StatusField(pid_t pid, const char* name) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(name, 0) == 0) return std::stol(line.substr(line.find(':') + 1));
    }
    return -1;
}

long PrivateKiB(pid_t pid) {
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

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: hotkey_probe RUNS PROGRAM [ARGS...]\n");
        return 2;
    }
    display = XOpenDisplay(nullptr);
    if (!display) return 1;
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    const int runs = std::atoi(argv[1]);
    std::vector<double> startup, press, memory, wakeups;
    for (int run = 0; run < runs; ++run) {
        Drain();
        const auto started = Clock::now();
        const pid_t pid = fork();
        if (pid == 0) {
            execvp(argv[2], argv + 2);
            _exit(127);
        }
        // Press until the hotkey answers: start-up to hotkeys live (to within a poll of 2 ms).
        bool live = false;
        while (!live && Clock::now() - started < std::chrono::seconds(10)) {
            Chord(XK_s);
            live = WaitForMap(std::chrono::milliseconds(2));
        }
        if (!live) {
            std::fprintf(stderr, "no window mapped\n");
            kill(pid, SIGKILL);
            return 1;
        }
        startup.push_back(Ms(Clock::now() - started));
        // Key press to window mapped, a few times.
        for (int i = 0; i < 5; ++i) {
            Chord(XK_l);
            usleep(150000);
            Drain();
            const auto pressed = Clock::now();
            Chord(XK_s);
            if (WaitForMap(std::chrono::seconds(2))) press.push_back(Ms(Clock::now() - pressed));
        }
        Chord(XK_l);
        usleep(300000);
        memory.push_back(static_cast<double>(PrivateKiB(pid)));
        const long before = StatusField(pid, "voluntary_ctxt_switches");
        sleep(1);
        wakeups.push_back(static_cast<double>(StatusField(pid, "voluntary_ctxt_switches") - before));
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        usleep(200000);
    }
    std::printf("%-28s median of %d: start to hotkeys live %.1f ms, key to window mapped %.2f ms, "
                "private memory %.0f KiB, idle wakeups %.0f/s\n",
                argv[2], runs, Median(startup), Median(press), Median(memory), Median(wakeups));
    return 0;
}
