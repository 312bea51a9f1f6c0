// SPDX-License-Identifier: GPL-3.0-or-later
// The window tests' main: a QApplication around GoogleTest.
#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// What the program keeps (the reception log) goes to a fresh folder for each test, never
// the developer's: no test sees what an earlier one heard.
class FreshDataFolder : public ::testing::EmptyTestEventListener {
public:
    explicit FreshDataFolder(const QTemporaryDir& root) : root_(root) {}
    void OnTestStart(const ::testing::TestInfo&) override {
        const QString data = root_.filePath(QStringLiteral("data%1").arg(++count_));
        qputenv("XDG_DATA_HOME", data.toLocal8Bit());
        qputenv("XDG_CONFIG_HOME",
                root_.filePath(QStringLiteral("config%1").arg(count_)).toLocal8Bit());
        qputenv("XDG_CACHE_HOME",
                root_.filePath(QStringLiteral("cache%1").arg(count_)).toLocal8Bit());
    }

private:
    const QTemporaryDir& root_;
    int count_ = 0;
};

} // namespace

// Window tests run on the offscreen platform, so they need no display; one given with its
// options ("offscreen:configfile=...", a screen of another size) is kept.
int main(int argc, char** argv) {
    if (!qgetenv("QT_QPA_PLATFORM").startsWith("offscreen")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir root;
    QApplication app(argc, argv);
    // The windows speak English here (no translation is installed), so their numbers are
    // English too, whatever the locale the tests run under.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshDataFolder(root));
    return RUN_ALL_TESTS();
}
