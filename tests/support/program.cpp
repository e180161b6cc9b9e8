#include "support/program.h"

#include <memory>

namespace {
std::unique_ptr<App>& Current() {
    static std::unique_ptr<App> app;
    return app;
}
}  // namespace

App& Program() {
    if (!Current()) Current() = std::make_unique<App>();
    return *Current();
}

void EndProgram() { Current().reset(); }
