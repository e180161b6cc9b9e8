// The run-at-startup control as the settings dialog will hold it (its saved instance), alone on a
// window: for the end-to-end test and for looking at it.
//
//   lisotra_startup_window [--arg TEXT]   shows the window; TEXT becomes the control's argument text
//   lisotra_startup_window --mark FILE    what a Run entry with the argument text --mark FILE starts:
//                                         writes its own path and arguments to FILE, one a line, and ends
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/app.h"
#include "forms/form.h"
#include "settings/form_descriptions.h"
#include "startup/run_at_startup.h"

namespace {
class StartupWindow : public forms::Form {
public:
    StartupWindow()
        : Form({os::WindowKind::SizableToolWindow, "Lisotra start-up test", forms::TwipsToPixelsX(2700),
                forms::TwipsToPixelsY(1200)}),
          runAtStartup(*this, {360, 480, 1365, 195}, settings::SettingsDialogDescription().Instance("Run_At_StartUp1")) {}
    RunAtStartupBox runAtStartup;
};

int Mark(int argc, char** argv) {
    std::vector<char> self(4096);
    const ssize_t length = ::readlink("/proc/self/exe", self.data(), self.size() - 1);
    std::ofstream file(argv[2], std::ios::binary);
    file << std::string(self.data(), length > 0 ? static_cast<size_t>(length) : 0) << '\n';
    for (int i = 1; i < argc; ++i) file << argv[i] << '\n';
    return file ? 0 : 1;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "--mark") return Mark(argc, argv);
    std::string argument;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--arg") argument = argv[i + 1];
    }
    forms::FormSlot<StartupWindow> window;
    return os::RunApplication(
        argc, argv,
        [&window, argument] {
            window->runAtStartup.SetCommandLineArgument(argument);
            window->Show();
        },
        [&window] { window.Discard(); });
}
