// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the demo's simulated stations.
#include "sim/Demo.h"
#include "dialogs/Unit3.h"
#include "heard/HeardStations.h"
#include "history/Unit5.h"
#include "log/Formats.h"
#include "monitor/RadioHeader.h"
#include "support/ConsoleFixture.h"

#include <filesystem>
#include <map>
#include <optional>

namespace tamsel {
namespace {

class Demo : public test::ConsoleFixture {};

TEST_F(Demo, GeneratedReceptionsDecodeIntoTheFieldsAndHistory) {
    configureDemoAdapter(*sim);
    sim->setLatency(std::chrono::microseconds(100)); // quicker than the demo itself
    start();
    EXPECT_EQ(Form1->MyCALL->text(), kDemoCallsign);
    EXPECT_TRUE(Form1->Repeater->isChecked());
    Form1->HistoryClick();
    std::mt19937 rng(7);
    std::map<std::string, DemoPosition> sends;
    for (int i = 0; i < 12; ++i) {
        const DemoReception r = demoReception(rng, 0.05, kDemoCallsign);
        sends[r.caller.substr(0, r.caller.find(' '))] = r.sends;
        sim->queueReception(r.script);
        ASSERT_TRUE(test::waitFor([&] { return Form4->History->count() == i + 1; }));
        EXPECT_EQ(Form1->CallerCALL->text().toStdString(), r.caller);
        EXPECT_EQ(Form1->CallerCALL2->text().toStdString(), r.suffix);
        EXPECT_EQ(Form1->CalledCALL->text().toStdString(), r.called);
        EXPECT_EQ(Form1->FlagInfo->text().toStdString(), controlCodeText(r.controlCode));
        EXPECT_EQ(Form1->MSG->text().toStdString(), r.message) << "all four parts arrived";
        const std::string line(Form4->History->line(i));
        EXPECT_EQ(line.substr(20, 8), r.caller);
        EXPECT_EQ(line.substr(29, 4), r.suffix);
        EXPECT_EQ(line.substr(34, 8), r.called);
        EXPECT_EQ(line.substr(43), r.controlCode == 0
                                       ? r.message + " "
                                       : std::string(controlCodeText(r.controlCode)));
    }
    // The stations that send a position (GPS-A or NMEA) show it among the heard stations.
    QCoreApplication::processEvents();
    const HeardStationsModel& heard = *console->heardStations()->model();
    ASSERT_EQ(static_cast<std::size_t>(heard.rowCount()), sends.size());
    for (int row = 0; row < heard.rowCount(); ++row) {
        const HeardStation& station = heard.station(row);
        SCOPED_TRACE(station.callsign);
        EXPECT_EQ(station.position.has_value(), sends.at(station.callsign) != DemoPosition::None);
    }
}

// The demo adapter keeps what File, Save stores across restarts, and its stations now and
// then call the station callsign it holds, which the console shows as a call to you.
TEST_F(Demo, SavedMyCallOutlivesARestartAndIsCalled) {
    const std::filesystem::path file = dataFolder() / kDemoAdapterFile;
    const auto demoAdapter = [&] {
        sim = std::make_shared<SimulatedAdapter>();
        configureDemoAdapter(*sim);
        sim->setLatency(std::chrono::microseconds(100));
        sim->keepStoredIn(file);
    };
    demoAdapter();
    start();
    Form2->mycallsign->setText(QStringLiteral("ja1abc"));
    Form2->Save1Click();
    ASSERT_EQ(Form1->MyCALL->text(), "JA1ABC  ");
    Form1->SendMSG->setText(QStringLiteral("Saved message       "));
    Form1->Save1->trigger();
    Form1->SendMSG->setText(QStringLiteral("Not saved           "));
    console.reset();

    demoAdapter();
    start();
    EXPECT_EQ(Form1->MyCALL->text(), "JA1ABC  ");
    EXPECT_EQ(Form1->SendMSG->text(), "Saved message       ");

    std::mt19937 rng(5);
    const int calls = 200;
    int toMe = 0;
    std::optional<DemoReception> mine;
    for (int i = 0; i < calls; ++i) {
        const DemoReception r = demoReception(rng, 0.05, sim->text(0x60));
        if (r.called == "JA1ABC  ") {
            ++toMe;
            mine = mine ? mine : r;
        } else {
            EXPECT_EQ(r.called, "CQCQCQ  ");
        }
    }
    EXPECT_GT(toMe, calls / 8) << "about one call in four";
    EXPECT_LT(toMe, calls / 2);
    ASSERT_TRUE(mine);
    sim->queueReception(mine->script);
    EXPECT_TRUE(test::waitFor([] { return Form1->CalledCALL->text() == "JA1ABC  "; }));
    EXPECT_TRUE(Form1->calledIsMine());
    // An adapter without a station callsign hears CQ calls only.
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(demoReception(rng, 0.05, "        ").called, "CQCQCQ  ");
    }
}

TEST(DemoTraffic, LastsAboutAsLongAsAsked) {
    std::mt19937 rng(1);
    for (double seconds : {1.5, 5.0}) {
        const DemoReception r = demoReception(rng, seconds, kDemoCallsign);
        EXPECT_EQ(r.script.header.size(), 41u);
        const auto passes = r.script.slowPieces.size();
        EXPECT_NEAR(static_cast<double>(passes) * 0.022, seconds, seconds * 0.3);
        int total = 0;
        for (int p : r.script.slowPieces) {
            EXPECT_GE(p, 0);
            EXPECT_LE(p, 8);
            total += p;
        }
        EXPECT_EQ(static_cast<std::size_t>(total), r.script.slowData.size());
    }
}

} // namespace
} // namespace tamsel
