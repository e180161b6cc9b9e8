// Measures a hotkey program from outside, as a user meets it: the time from start until a
// Ctrl+Alt+S press maps a window (start-up to hotkeys live), the time from a press to the window
// mapped, its private memory when idle, and its wakeups over an idle second.
//   hotkey_probe RUNS PROGRAM [ARGS...]     (on an X display with a window manager)
#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "x_probe.h"

namespace {

using namespace probe;
Display* display;

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
        Drain(display);
        const auto started = Clock::now();
        const pid_t pid = fork();
        if (pid == 0) {
            execvp(argv[2], argv + 2);
            _exit(127);
        }
        // Press until the hotkey answers: start-up to hotkeys live (to within a poll of 2 ms).
        bool live = false;
        while (!live && Clock::now() - started < std::chrono::seconds(10)) {
            Chord(display, XK_s);
            live = WaitForEvent(display, MapNotify, std::chrono::milliseconds(2));
        }
        if (!live) {
            std::fprintf(stderr, "no window mapped\n");
            kill(pid, SIGKILL);
            return 1;
        }
        startup.push_back(Ms(Clock::now() - started));
        // Key press to window mapped, a few times.
        for (int i = 0; i < 5; ++i) {
            Chord(display, XK_l);
            usleep(150000);
            Drain(display);
            const auto pressed = Clock::now();
            Chord(display, XK_s);
            if (WaitForEvent(display, MapNotify, std::chrono::seconds(2))) press.push_back(Ms(Clock::now() - pressed));
        }
        Chord(display, XK_l);
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
