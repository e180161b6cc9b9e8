// The system information program on Linux: the first known one on PATH that can run.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <string>

#include "platform/system_info.h"

namespace {
void Put(const QTemporaryDir& dir, const char* name, bool executable) {
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.setPermissions(executable ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner);
}
}  // namespace

TEST(QtSystemInfo, TheFirstKnownProgramOnThePathThatRuns) {
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    QTemporaryDir first, second;
    Put(first, "hardinfo", false);  // not runnable: passed over
    Put(first, "cpu-x", true);
    Put(second, "kinfocenter", true);  // earlier in the list of known programs than cpu-x
    setenv("PATH", (first.path() + ':' + second.path()).toLocal8Bit().constData(), 1);
    EXPECT_EQ(os::SystemInfoProgram(), second.filePath("kinfocenter").toStdString());
    setenv("PATH", first.path().toLocal8Bit().constData(), 1);
    EXPECT_EQ(os::SystemInfoProgram(), first.filePath("cpu-x").toStdString());
    setenv("PATH", "/nonexistent", 1);
    EXPECT_EQ(os::SystemInfoProgram(), "");
    setenv("PATH", path.c_str(), 1);
}
