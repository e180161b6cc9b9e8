#include "platform/app.h"
#include "shell/shell_window.h"

int main(int argc, char** argv) {
    return os::RunApplication(argc, argv, [] { shellWindow.Get(); });
}
