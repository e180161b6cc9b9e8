// A fresh run of the program on the in-memory desktop, for each test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/headless/headless.h"
#include "shell/hotkeys.h"
#include "support/program.h"

// A fresh process on a fresh desktop: what the last step left to do runs, the forms go with their
// windows and hotkeys, and the desktop is new.
void FreshProcess();

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The start-up object's load step, as at program start.
    void Start();

public:
    static std::string Stored(const std::string& section, const std::string& key);
    static void Store(const std::string& section, const std::string& key, const std::string& value);
    // The panel's window, or null when no panel exists.
    static const headless::WindowState* Panel();
    static os::Hwnd ShellHandle();
};

