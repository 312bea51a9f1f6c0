// SPDX-License-Identifier: GPL-3.0-or-later
// The window tests' main: a QApplication around GoogleTest.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Window tests run on the offscreen platform, so they need no display, and keep their
// settings in a folder of their own, never in the developer's.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
