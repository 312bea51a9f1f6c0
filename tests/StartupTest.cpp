// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of start-up and shutdown.
#include "console/Console.h"
#include "console/RepeaterFeature.h"
#include "console/Unit1.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit6.h"
#include "heard/HeardStations.h"
#include "history/Unit5.h"
#include "map/MapView.h"
#include "map/MapWindow.h"
#include "memory/Unit12.h"
#include "memory/Unit4.h"
#include "repeaters/RepeatersWindow.h"
#include "settings/Preferences.h"
#include "sim/SimulatedBus.h"
#include "support/ConsoleFixture.h"
#include "support/RecordingNotifier.h"
#include "support/Trace.h"

#include <QApplication>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>

namespace tamsel {
namespace {

TEST(Startup, NoAdapterShowsOneBoxAndNoWindow) {
    auto sim = std::make_shared<SimulatedAdapter>();
    SimulatedBus bus({{{0x1D6B, 0x0002}}}, sim);
    test::RecordingNotifier notifier;
    bool loopRan = false;
    const int status = runProgram(discoverAdapter(bus), notifier, [&] {
        loopRan = true;
        return 0;
    });
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(loopRan);
    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_EQ(notifier.boxes[0].kind, "error");
    EXPECT_EQ(notifier.boxes[0].text, "Tamsel not found.");
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
    EXPECT_TRUE(sim->trace().empty());
    EXPECT_EQ(Form1, nullptr);
}

TEST(Startup, CreatesEveryWindowOnceAndShowsOnlyTheMainWindow) {
    auto sim = std::make_shared<SimulatedAdapter>();
    SimulatedBus bus(SimulatedBus::oneAdapter(), sim);
    test::RecordingNotifier notifier;
    std::vector<bool> visible;
    QStringList captions;
    const int status = runProgram(discoverAdapter(bus), notifier, [&] {
        for (QWidget* w :
             std::initializer_list<QWidget*>{Form1, Form2, Form3, Form4, Form11, Form12}) {
            EXPECT_NE(w, nullptr);
            visible.push_back(w->isVisible());
            captions << w->windowTitle();
        }
        return 0;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(visible, (std::vector<bool>{true, false, false, false, false, false}));
    EXPECT_TRUE(captions[0].startsWith("Tamsel V03.05"));
    EXPECT_EQ(captions.mid(1), (QStringList{"My CallSign Set", "Memory", "Received History",
                                            "Default Setting", "Search"}));
    EXPECT_TRUE(notifier.boxes.empty());
    ASSERT_FALSE(sim->trace().empty());
    EXPECT_EQ(sim->trace()[0].name(), "InitModem");
    // Everything is torn down when the loop returns.
    EXPECT_EQ(Form1, nullptr);
    EXPECT_EQ(Form12, nullptr);
    EXPECT_EQ(historyOpen.load(), 0);
}

TEST(Startup, ExceptionFromTheLoopIsShownAndTheExitStatusIsZero) {
    auto sim = std::make_shared<SimulatedAdapter>();
    SimulatedBus bus(SimulatedBus::oneAdapter(), sim);
    test::RecordingNotifier notifier;
    const int status = runProgram(discoverAdapter(bus), notifier,
                                  []() -> int { throw std::runtime_error("boom"); });
    EXPECT_EQ(status, 0);
    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_EQ(notifier.boxes[0].kind, "exception");
    EXPECT_EQ(notifier.boxes[0].text, "boom");
    EXPECT_EQ(Form1, nullptr);
}

TEST(Startup, ExitAndCloseButtonTakeTheSamePath) {
    for (bool useMenu : {true, false}) {
        auto sim = std::make_shared<SimulatedAdapter>();
        SimulatedBus bus(SimulatedBus::oneAdapter(), sim);
        test::RecordingNotifier notifier;
        bool closed = false;
        runProgram(discoverAdapter(bus), notifier, [&] {
            if (useMenu) {
                Form1->Exit1Click();
            } else {
                Form1->close();
            }
            closed = !Form1->isVisible();
            return 0;
        });
        EXPECT_TRUE(closed) << (useMenu ? "File, Exit" : "close button");
    }
}

TEST(Startup, ClosingTheMainWindowEndsTheProgramWhileOtherWindowsAreOpen) {
    auto sim = std::make_shared<SimulatedAdapter>();
    SimulatedBus bus(SimulatedBus::oneAdapter(), sim);
    test::RecordingNotifier notifier;
    bool endedByGuard = false;
    // The guard goes with the test: left pending, it would end a later test's event loop
    // and write to this test's finished stack frame.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        endedByGuard = true;
        QCoreApplication::quit();
    });
    runProgram(discoverAdapter(bus), notifier, [&] {
        Form1->HistoryClick();
        Form1->Memory1Click();
        Form1->DefaultSetting1Click();
        QTimer::singleShot(0, [] { Form1->close(); });
        guard.start(5000);
        return QApplication::exec();
    });
    EXPECT_FALSE(endedByGuard);
    EXPECT_EQ(Form4, nullptr);
}

// The windows beyond the six are made when first opened; what they show is gathered from
// the start all the same, and each shows it once opened.
class LaterWindows : public test::ConsoleFixture {};

TEST_F(LaterWindows, AreMadeWhenFirstOpenedAndShowWhatCameBefore) {
    start();
    StationReport heard;
    heard.caller = "JA1XYZ";
    heard.time = "2026/12/08 10:00:00";
    heard.utcStart = std::chrono::system_clock::now();
    console->heardModel()->apply(heard);
    heard.kind = StationReport::Kind::Position;
    heard.position.latitude = 35.68;
    heard.position.longitude = 139.77;
    console->heardModel()->apply(heard);
    heard.position.latitude = 35.70; // on the move: a track before the map is made
    console->heardModel()->apply(heard);

    auto action = [](QMenu* menu, const char* text) {
        for (QAction* a : menu->actions()) {
            if (a->text() == QLatin1String(text)) {
                return a;
            }
        }
        return static_cast<QAction*>(nullptr);
    };
    const struct {
        const char* type;
        QAction* open;
        std::function<bool()> shows;
    } windows[] = {
        {"tamsel::HeardStations", Form1->HeardStations1,
         [this] { return console->heardStations()->table()->model()->rowCount() == 1; }},
        {"tamsel::MapWindow", action(Form1->menuWindow, "Ma&p"),
         [this] {
             const MapView* view = console->map()->view();
             return view->itemCount() == 1 &&
                    view->stations().recentTrack(0, std::chrono::system_clock::now()).size() == 2;
         }},
        {"tamsel::Preferences", action(Form1->menuConfig, "&Preferences..."),
         [this] { return console->preferences()->pageList()->count() == 7; }},
        {"tamsel::RepeatersWindow", console->repeaters()->windowAction(),
         [this] { return console->repeaters()->windowIfMade() != nullptr; }},
    };
    auto made = [](const char* type) {
        const QWidgetList all = QApplication::topLevelWidgets();
        return std::count_if(all.begin(), all.end(),
                             [type](const QWidget* w) { return w->inherits(type); });
    };
    for (const auto& w : windows) {
        EXPECT_EQ(made(w.type), 0) << w.type << " made at start";
    }
    for (const auto& w : windows) {
        SCOPED_TRACE(w.type);
        ASSERT_NE(w.open, nullptr);
        w.open->trigger();
        w.open->trigger(); // opened again: the same window
        EXPECT_EQ(made(w.type), 1);
        EXPECT_TRUE(w.shows());
    }
    EXPECT_TRUE(console->heardStations()->isVisible());
    EXPECT_TRUE(console->map()->isVisible());
}

} // namespace
} // namespace tamsel
