// One QApplication on the offscreen platform for every test, and a private settings folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);  // unless a test asks for the X desktop
    QTemporaryDir config;
    setenv("XDG_CONFIG_HOME", config.path().toUtf8().constData(), 1);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int result = RUN_ALL_TESTS();
    // As the program itself ends: icons and windows the realisation keeps for the whole run are
    // not torn down after the application object.
    std::fflush(nullptr);
    std::_Exit(result);
}
