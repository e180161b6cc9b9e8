// A form that hosts one run-at-startup control, as the settings dialog will.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "forms/form.h"
#include "support/test_form.h"
#include "platform/headless/headless.h"
#include "startup/run_at_startup.h"

class StartupHost : public forms::Form {
public:
    // The saved instance the next host loads with; nothing for a new instance.
    static inline std::optional<forms::PropertyBag> nextSaved;
    // The font of the next host, which its control takes as the ambient font.
    static inline std::optional<os::Font> nextFont;

    StartupHost()
        : Form({os::WindowKind::SizableToolWindow, "Host", 400, 200}),
          runAtStartup(*this, {360, 480, 1365, 195}, nextSaved) {
        if (nextFont) SetFont(*nextFont);
        runAtStartup.OnPropertyChanged = [this](const std::string& name) { changed.push_back(name); };
        runAtStartup.RegistrationChanged = [this] { ++runAtStartupChanged; };
    }
    RunAtStartupBox runAtStartup;
    std::vector<std::string> changed;
    int runAtStartupChanged = 0;
};

inline TestForm<StartupHost> startupHost;
