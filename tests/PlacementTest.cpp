// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of where windows open: beside the main window where there is room, always wholly on
// the screen, from 9 to 12 pt.
#include "widgets/Placement.h"
#include "calls/CallMenu.h"
#include "console/Unit1.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit6.h"
#include "heard/HeardStations.h"
#include "history/Unit5.h"
#include "log/LogContact.h"
#include "memory/Unit12.h"
#include "memory/Unit4.h"
#include "settings/Preferences.h"
#include "support/ConsoleFixture.h"

#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <functional>

namespace tamsel {
namespace {

TEST(Placement, BesideTheMainWindowElseWithinTheScreen) {
    const QRect screen(0, 0, 800, 600);
    const int gap = kPlacementGap;
    const struct {
        const char* what;
        QRect main;
        QSize want;
        QRect screen;
        QRect placed;
        QRect keepClear{}; // the main window, when `main` is another
    } cases[] = {
        {"right", {10, 20, 300, 200}, {400, 300}, screen, {310 + gap, 20, 400, 300}},
        {"right, raised to end on the screen",
         {10, 400, 300, 150},
         {400, 300},
         screen,
         {310 + gap, 300, 400, 300}},
        {"left", {450, 20, 300, 200}, {400, 300}, screen, {450 - gap - 400, 20, 400, 300}},
        {"below", {250, 10, 300, 200}, {500, 300}, screen, {250, 210 + gap, 500, 300}},
        {"below, moved in from the right edge",
         {500, 10, 300, 200},
         {600, 300},
         screen,
         {200, 210 + gap, 600, 300}},
        // No room beside or below: on the screen, over as little of the main window as can be.
        {"clamped left of it", {280, 150, 300, 300}, {500, 400}, screen, {0, 150, 500, 400}},
        {"clamped right of it", {20, 150, 300, 300}, {500, 400}, screen, {300, 150, 500, 400}},
        {"clamped below it", {100, 50, 600, 300}, {700, 350}, screen, {100, 250, 700, 350}},
        {"larger than the screen", {0, 0, 300, 200}, {1000, 700}, screen, {0, 0, 800, 600}},
        {"a screen that does not start at 0",
         {1930, 100, 400, 300},
         {400, 300},
         {1920, 30, 1024, 738},
         {2330 + gap, 100, 400, 300}},
        {"main window partly off the screen",
         {-200, -100, 400, 300},
         {300, 200},
         screen,
         {200 + gap, 0, 300, 200}},
        {"no screen known", {0, 0, 300, 200}, {400, 300}, QRect(), {300 + gap, 0, 400, 300}},
        // Opened beside another window: clear of the main window where the screen has room.
        {"below, as left of it covers the main window",
         {420, 20, 300, 200},
         {300, 250},
         screen,
         {420, 220 + gap, 300, 250},
         {100, 20, 310, 200}},
        {"above, as nothing else leaves the main window clear",
         {420, 330, 300, 200},
         {300, 250},
         screen,
         {420, 330 - gap - 250, 300, 250},
         {100, 330, 310, 200}},
        {"left of it all the same where nothing leaves the main window clear",
         {420, 150, 300, 300},
         {300, 250},
         screen,
         {420 - gap - 300, 150, 300, 250},
         {100, 150, 310, 300}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QRect placed = placeBeside(c.main, c.want, c.screen, c.keepClear);
        EXPECT_EQ(placed, c.placed)
            << placed.x() << "," << placed.y() << " " << placed.width() << "x" << placed.height();
        if (c.screen.isValid()) {
            EXPECT_TRUE(c.screen.contains(placed));
        }
    }
}

class Placed : public test::ConsoleFixture {
protected:
    void TearDown() override {
        QApplication::setFont(QFont());
        test::ConsoleFixture::TearDown();
    }
    static QAction* menuItem(QMenu* menu, const QString& text) {
        for (QAction* a : menu->actions()) {
            if (a->text() == text) {
                return a;
            }
        }
        return nullptr;
    }
};

// Every window the console opens, at 9 and 12 pt, with the main window in each corner of an
// 800x600 screen and in its middle: the whole frame on the screen, and beside the main window
// where there was room for it.
TEST_F(Placed, EveryWindowOpensWhollyOnTheScreen) {
    sim->setText(0x63, "JR1YB  B"); // a repeater, for Call a Station
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_LE(room.width(), 800) << "the offscreen platform's screen";
    using Open = std::function<QWidget*()>;
    const std::pair<const char*, Open> windows[] = {
        {"Heard Stations",
         [this] {
             emit Form1->heardStationsRequested();
             return static_cast<QWidget*>(console->heardStations());
         }},
        {"Memory",
         [] {
             emit Form1->memoryRequested();
             return static_cast<QWidget*>(Form3);
         }},
        {"Memory search",
         [] {
             emit Form3->searchRequested();
             return static_cast<QWidget*>(Form12);
         }},
        {"History",
         [] {
             emit Form1->historyRequested();
             return static_cast<QWidget*>(Form4);
         }},
        {"Settings",
         [] {
             emit Form1->defaultSettingRequested();
             return static_cast<QWidget*>(Form11);
         }},
        {"Preferences",
         [this] {
             menuItem(Form1->menuConfig, QStringLiteral("&Preferences..."))->trigger();
             return static_cast<QWidget*>(console->preferences());
         }},
        {"Log Contact",
         [this] {
             menuItem(Form1->menuFile, QStringLiteral("Log Contact..."))->trigger();
             return static_cast<QWidget*>(Form1->findChild<LogContactDialog*>());
         }},
        {"Call a Station",
         [] {
             auto* calls = Form1->findChild<CallMenu*>();
             calls->CallStation1->trigger();
             return static_cast<QWidget*>(calls->dialog(CallDialog::Kind::Station));
         }},
    };
    for (const int points : {9, 12}) {
        for (const char* corner :
             {"top left", "top right", "bottom right", "bottom left", "middle"}) {
            SCOPED_TRACE(std::to_string(points) + " pt, main window " + corner);
            QFont font = QApplication::font();
            font.setPointSize(points);
            QApplication::setFont(font);
            start();
            const QSize main = Form1->frameGeometry().size();
            const std::string where(corner);
            const int x = where.find("left") != std::string::npos ? room.left()
                          : where.find("right") != std::string::npos
                              ? room.right() + 1 - main.width()
                              : room.center().x() - main.width() / 2;
            const int y = where.find("top") != std::string::npos ? room.top()
                          : where.find("bottom") != std::string::npos
                              ? room.bottom() + 1 - main.height()
                              : room.center().y() - main.height() / 2;
            Form1->move(x, y);

            ASSERT_TRUE(QTest::qWaitForWindowExposed(Form1));
            for (const auto& [name, open] : windows) {
                SCOPED_TRACE(name);
                QWidget* w = open();
                ASSERT_NE(w, nullptr);
                ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
                const QRect frame = w->frameGeometry();
                EXPECT_TRUE(room.contains(frame)) << frame.x() << "," << frame.y() << " "
                                                  << frame.width() << "x" << frame.height();
                // It asks for no more than the screen, and is as large as it asks to be.
                EXPECT_LE(w->sizeHint().width(), room.width());
                EXPECT_LE(w->sizeHint().height(), room.height());
                EXPECT_GE(frame.width(), std::min(room.width(), w->sizeHint().width()));
                EXPECT_GE(frame.height(), std::min(room.height(), w->sizeHint().height()));
                const QRect anchor = w == Form12 ? Form3->frameGeometry() : Form1->frameGeometry();
                const QRect wanted = placeBeside(anchor, frame.size(), room);
                if (!wanted.intersects(anchor)) {
                    EXPECT_FALSE(frame.intersects(anchor)) << "beside, as there was room";
                }
                if (w != Form3) { // the memory search stands beside it
                    w->close();
                }
            }
            // The station dialog is modal: looked at while it waits, then closed.
            QRect stationFrame;
            QTimer::singleShot(0, Form2, [&stationFrame] {
                stationFrame = Form2->frameGeometry();
                Form2->reject();
            });
            emit Form1->stationCallsignRequested();
            EXPECT_TRUE(room.contains(stationFrame))
                << "Station Callsign at " << stationFrame.x() << "," << stationFrame.y();
            console.reset();
        }
    }
}

} // namespace
} // namespace tamsel
