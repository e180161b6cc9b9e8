// A person reading the message boxes a step shows, for the Qt tests.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

// Runs `step` while a person reads each message box that comes up, checks its caption is `title`
// and presses its OK; gives the texts read, in order.
inline std::vector<std::string> ReadMessagesDuring(const char* title, const std::function<void()>& step) {
    std::vector<std::string> told;
    QTimer reader;
    QObject::connect(&reader, &QTimer::timeout, [&told, title] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        EXPECT_EQ(box->windowTitle(), title);
        told.push_back(box->text().toStdString());
        box->button(QMessageBox::Ok)->click();
    });
    reader.start(10);
    step();
    QApplication::processEvents();
    return told;
}
