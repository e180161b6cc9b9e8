#include "platform/app.h"
#include "shell/tray_window.h"

int main(int argc, char** argv) {
    return os::RunApplication(argc, argv, [] { frmTray.Get(); });
}
