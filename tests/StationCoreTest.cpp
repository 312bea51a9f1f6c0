// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the station core without any window: a reception reaches the heard list and the
// reception log, the header values as either face sets them, and an adapter that is not
// there at start.
#include "Station.h"
#include "StationProgram.h"
#include "adapter/Catalogue.h"
#include "aprs/AprsGate.h"
#include "calls/Routes.h"
#include "log/LogSettings.h"
#include "log/ReceptionLog.h"
#include "sim/Demo.h"
#include "sim/SimulatedAdapter.h"
#include "sim/SimulatedBus.h"
#include "support/Trace.h"
#include "support/TurnUntil.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace tamsel {
namespace {

std::vector<std::string> sent(const SimulatedAdapter& sim) {
    std::vector<std::string> out;
    for (const TraceEntry& e : sim.mainTrace()) {
        if (e.requestType == kRequestTypeOut) {
            out.push_back(e.name() + " \"" + std::string(e.bytes.begin(), e.bytes.end()) + "\"");
        }
    }
    return out;
}

class StationCore : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        configureDemoAdapter(*sim);
    }
    Station::Options options() const {
        return {folder.filePath(QStringLiteral("data")).toStdString(),
                folder.filePath(QStringLiteral("tamsel.conf")), nullptr, QStringLiteral("test")};
    }

    int argc = 1;
    char name[8] = "station";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv}; // no QApplication: the core needs none
    QTemporaryDir folder;
    std::shared_ptr<SimulatedAdapter> sim = std::make_shared<SimulatedAdapter>();
};

TEST_F(StationCore, AReceptionReachesTheHeardListAndTheReceptionLog) {
    SimulatedBus bus(SimulatedBus::oneAdapter(), sim);
    ASSERT_EQ(discoverAdapter(bus).outcome, Discovery::Outcome::Found);
    Station station(*sim, options());
    std::vector<StationReport> ends;
    QObject::connect(&station, &Station::reception, [&](const StationReport& r) {
        if (r.kind == StationReport::Kind::End) {
            ends.push_back(r);
        }
    });
    std::mt19937 rng(7);
    const DemoReception heard = demoReception(rng, 0.3, sim->text(0x60));
    sim->queueReception(heard.script);
    station.start();
    ASSERT_TRUE(turnUntil([&] { return !ends.empty(); }));
    station.stop();
    ASSERT_EQ(station.heard().size(), 1u);
    // The line is on the disk once the monitor has ended.
    const auto back = readRecentReceptions(station.dataFolder(), std::chrono::system_clock::now());
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].caller, station.heard().at(0).callsign);
    EXPECT_EQ(QString::fromStdString(back[0].message),
              QString::fromStdString(ends[0].message).trimmed());
}

// Whichever face asks, a header value goes through one place: sent once when it changes,
// nothing when the adapter holds it already, refused (and nothing sent) when the adapter
// cannot carry it; every face is told what the adapter took.
TEST_F(StationCore, HeaderValuesAreCheckedAndSentOnce) {
    Station station(*sim, options());
    station.readHeader();
    std::vector<QString> told;
    QObject::connect(&station, &Station::headerChanged,
                     [&](HeaderField, const QString& text) { told.push_back(text); });
    struct Row {
        HeaderField field;
        QString text;
        std::vector<std::string> requests;
        bool refused;
    };
    const Row rows[] = {
        {HeaderField::StationCall, QStringLiteral("dl1abc"), {"SetYourCall \"DL1ABC  \""}, false},
        {HeaderField::StationCall, QStringLiteral("DL1ABC"), {}, false},
        {HeaderField::Repeater1, QStringLiteral("DB0ABC C"), {"SetRpt1Call \"DB0ABC C\""}, false},
        {HeaderField::SendMessage,
         QStringLiteral("QRV on 439"),
         {"SetTxMessage \"QRV on 439          \""},
         false},
        {HeaderField::StationCall, QStringLiteral("JA1\u3042"), {}, true},
        {HeaderField::MyCall, QStringLiteral("jj1zzz"), {"SetMyCall \"JJ1ZZZ  \""}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text.toStdString());
        sim->clearTrace();
        told.clear();
        const QString why = station.setField(row.field, row.text);
        EXPECT_EQ(!why.isEmpty(), row.refused) << why.toStdString();
        EXPECT_EQ(sent(*sim), row.requests);
        EXPECT_EQ(told.size(), row.requests.size());
    }
    // A route is refused whole: nothing of it goes out.
    sim->clearTrace();
    EXPECT_FALSE(station
                     .setRoute(QStringLiteral("CQCQCQ"), QStringLiteral("JR1YB  B"),
                               QStringLiteral("\u30c6\u30b9\u30c8"))
                     .isEmpty());
    EXPECT_TRUE(sent(*sim).empty());
}

// The settings file changed outside is read again when asked (SIGHUP), and followed at once.
TEST_F(StationCore, SettingsReadAgainAreFollowed) {
    Station station(*sim, options());
    ASSERT_TRUE(station.logSettings().receptionLog);
    {
        std::ofstream file(options().settingsPath.toStdString());
        file << "[log]\nreception_log=false\nretention_days=5\n";
    }
    bool told = false;
    QObject::connect(&station, &Station::settingsReloaded, [&] { told = true; });
    station.reloadSettings();
    EXPECT_TRUE(told);
    EXPECT_FALSE(station.logSettings().receptionLog);
    EXPECT_EQ(station.logSettings().retentionDays, 5);
}

// The station's log: one line per event, its priority first; the adapter's state said only
// when it changes, a reception once at its end.
TEST_F(StationCore, TheLogSaysEachEventOnceWithItsPriority) {
    Station station(*sim, options());
    std::ostringstream out;
    StationLog log(station, out, true);
    using S = AdapterConnection::State;
    StationReport end;
    end.kind = StationReport::Kind::End;
    end.caller = "JA1XYZ  ";
    end.suffix = "ID51";
    end.called = "CQCQCQ  ";
    end.rpt1 = "JR1YB  B";
    end.message = "Hello from Tokyo    ";
    end.duration = std::chrono::milliseconds(2700);
    Position at;
    at.latitude = 35.675;
    at.longitude = 139.77367;
    end.positions.push_back(at);
    StationReport heard = end;
    heard.kind = StationReport::Kind::Heard;
    struct Row {
        std::function<void()> event;
        std::string said; // the whole line, or "" for nothing
    };
    const Row rows[] = {
        {[&] { emit station.adapterChanged(S::Connected); }, ""},
        {[&] { emit station.adapterChanged(S::Disconnected); },
         "<4>The adapter is disconnected; it is taken again when it is plugged in.\n"},
        {[&] { emit station.adapterChanged(S::Disconnected); }, ""},
        {[&] { emit station.adapterChanged(S::Reopened); }, "<5>Adapter found.\n"},
        {[&] { emit station.adapterChanged(S::Connected); }, ""},
        {[&] { emit station.reception(heard); }, ""},
        {[&] { emit station.reception(end); },
         "<6>Heard JA1XYZ /ID51 calling CQCQCQ via JR1YB B, 2.7 s: Hello from Tokyo (at "
         "35.67500, 139.77367)\n"},
        {[&] { emit station.refused(QStringLiteral("Station Call cannot take\nthat")); },
         "<4>Station Call cannot take that\n"},
        // The gate: a position it keeps back and why, a lost connection once, a count no news.
        {[&] { emit station.aprs().withheld("T2ABC   ", Withheld::NoGate); },
         "<6>APRS-IS: not gated from T2ABC: its path keeps it off APRS-IS.\n"},
        {[&] { emit station.aprs().lost(); },
         "<4>APRS-IS: the connection was lost; trying again.\n"},
        {[&] { emit station.aprs().changed(); }, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.said);
        out.str({});
        row.event();
        EXPECT_EQ(out.str(), row.said);
    }
}

// Without an adapter the station says so once, keeps running, and takes the adapter when it
// is plugged in: it reads the header from it and polls it.
TEST_F(StationCore, NoAdapterAtStartIsSaidOnceAndTakenWhenItComes) {
    sim->unplug();
    SimulatedBus bus(SimulatedBus::oneAdapter(), sim);
    Discovery discovery = discoverAdapter(bus);
    ASSERT_EQ(discovery.outcome, Discovery::Outcome::NotFound);
    std::ostringstream log;
    StationRun run{
        std::move(discovery),
        [this] { return std::make_unique<SimulatedBus>(SimulatedBus::oneAdapter(), sim); },
        {},
        options(),
        {}};
    runStation(std::move(run), log, [&] {
        turnUntil([&] { return log.str().find("Tamsel not found.") != std::string::npos; });
        sim->clearTrace();
        sim->replug();
        turnUntil([&] { return log.str().find("Adapter found.") != std::string::npos; });
        // and polls it
        std::mt19937 rng(3);
        sim->queueReception(demoReception(rng, 0.2, sim->text(0x60)).script);
        turnUntil([&] { return log.str().find("<6>Heard ") != std::string::npos; });
        return 0;
    });
    const std::string said = log.str();
    auto count = [&](const std::string& what) {
        std::size_t n = 0;
        for (auto at = said.find(what); at != std::string::npos; at = said.find(what, at + 1)) {
            ++n;
        }
        return n;
    };
    EXPECT_EQ(count("<4>Tamsel not found."), 1u) << said;
    EXPECT_EQ(count("Adapter found."), 1u) << said;
    EXPECT_EQ(count("disconnected"), 0u) << said;
    EXPECT_EQ(count("<6>Heard "), 1u) << said;
    EXPECT_NE(said.find("<6>Stopped."), std::string::npos) << said;
    // Taken as a returning adapter: InitModem, then the header read again.
    std::vector<std::string> names;
    for (const TraceEntry& e : sim->mainTrace()) {
        names.push_back(e.name());
    }
    ASSERT_GE(names.size(), 2u);
    EXPECT_EQ(names[0], "InitModem");
    EXPECT_EQ(names[1], "GetRpt2Call");
}

// The Call menu's items for a face without its own menu: Simplex leaves the repeater, and a
// call through a repeater goes back to the one used last, also after a restart (it is kept
// in the settings); a reply goes the way the reception came.
TEST_F(StationCore, CallItemsReturnToTheRepeaterAfterSimplex) {
    {
        Station station(*sim, options());
        station.readHeader();
        struct Row {
            Call item;
            const char* your;
            const char* rpt1;
            bool repeaterFlag;
        };
        const Row rows[] = {
            {Call::LocalCq, "CQCQCQ  ", "JR1YB  B", true},
            {Call::Simplex, "CQCQCQ  ", "DIRECT  ", false},
            {Call::GatewayCq, "CQCQCQ  ", "JR1YB  B", true},
            {Call::EchoTest, "       E", "JR1YB  B", true},
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.your);
            EXPECT_EQ(station.call(row.item), QString());
            EXPECT_EQ(station.header()[HeaderField::StationCall], QLatin1String(row.your));
            EXPECT_EQ(station.header()[HeaderField::Repeater1], QLatin1String(row.rpt1));
            EXPECT_EQ(station.header().flags[0], row.repeaterFlag);
        }
        EXPECT_EQ(station.call(Call::Simplex), QString());
        EXPECT_EQ(station.replyToLastCaller(), QString::fromLatin1(kNobodyHeard));
        EXPECT_FALSE(station.replyTo(QStringLiteral("JA1XYZ")).isEmpty()); // not heard
    }
    // Started again with Repeater 1 still DIRECT: the kept repeater is the way back.
    Station again(*sim, options());
    again.readHeader();
    ASSERT_EQ(again.header()[HeaderField::Repeater1], QStringLiteral("DIRECT  "));
    EXPECT_EQ(again.call(Call::LocalCq), QString());
    EXPECT_EQ(again.header()[HeaderField::Repeater1], QStringLiteral("JR1YB  B"));
    EXPECT_EQ(again.callThroughGateway(QStringLiteral("REF030CL")), QString());
    EXPECT_EQ(again.header()[HeaderField::StationCall], QStringLiteral("REF030CL"));
}

} // namespace
} // namespace tamsel
