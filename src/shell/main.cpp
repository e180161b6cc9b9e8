#include <memory>

#include "platform/app.h"
#include "shell/app.h"

int main(int argc, char** argv) {
    std::unique_ptr<App> app;
    return os::RunApplication(
        argc, argv,
        [&app] {
            app = std::make_unique<App>();
            app->Start();
        },
        [&app] { app.reset(); });
}
