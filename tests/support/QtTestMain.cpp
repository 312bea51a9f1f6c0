// SPDX-License-Identifier: GPL-3.0-or-later
// The window tests' main: a QApplication around GoogleTest.
#include <QApplication>
#include <gtest/gtest.h>

// Window tests run on the offscreen platform, so they need no display.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
