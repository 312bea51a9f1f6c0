// SPDX-License-Identifier: GPL-3.0-or-later
// The own station against a real gpsd fed by gpsfake: a moving fix, no fix, gpsd gone and back.
#include "settings/SettingsStore.h"
#include "station/OwnStation.h"
#include "station/StationPage.h"
#include "support/FakeGps.h"

#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <vector>

namespace tamsel {
namespace {

using test::FakeGps;
using test::freePort;

constexpr int kWaitMs = 20000;

TEST(Gpsd, ThePageFollowsAMovingReceiverAndGpsdGoneAndBack) {
    const quint16 port = freePort();
    ASSERT_NE(port, 0);
    QTemporaryDir home;
    SettingsStore store(home.filePath("tamsel.conf"));
    store.set(StationSettings::kSource, QStringLiteral("gpsd"));
    store.set(StationSettings::kGpsd, QStringLiteral("127.0.0.1:%1").arg(port));
    OwnStation station;
    station.gpsd().setRetryDelays(200, 800);
    station.configure(StationSettings::load(store));
    StationPage page(station);
    page.load(store);

    // Nobody listens yet.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return station.status() == OwnStation::kNotReachable; }, kWaitMs));
    EXPECT_EQ(page.resultPosition->text(), "gpsd not reachable");

    std::vector<LatLon> fixes;
    bool sawNoFix = false;
    QObject::connect(&station, &OwnStation::positionChanged, [&] {
        if (station.position()) {
            fixes.push_back(*station.position());
        } else if (station.status() == OwnStation::kNoFix) {
            sawNoFix = true;
        }
    });

    {
        FakeGps gps(port);
        // The receiver moves; the page shows where it is now.
        ASSERT_TRUE(QTest::qWaitFor([&] { return fixes.size() >= 4; }, kWaitMs));
        // It moves (gpsfake plays the log round and round, so no order is asserted).
        EXPECT_NE(fixes.front().latitude, fixes[3].latitude);
        EXPECT_NEAR(fixes.back().latitude, 48.149, 0.004);
        EXPECT_NEAR(fixes.back().longitude, 11.629, 0.005);
        EXPECT_EQ(page.resultLocator->text(), "JN58td");
        EXPECT_TRUE(page.resultPosition->text().startsWith("48.1"))
            << page.resultPosition->text().toStdString();
        // The log starts over without a fix.
        ASSERT_TRUE(QTest::qWaitFor([&] { return sawNoFix; }, kWaitMs));
        gps.stop();
    }
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return station.status() == OwnStation::kNotReachable; }, kWaitMs));
    EXPECT_FALSE(station.position());
    EXPECT_EQ(page.resultPosition->text(), "gpsd not reachable");

    // gpsd comes back on the same port: the console finds it by itself.
    fixes.clear();
    FakeGps again(port);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fixes.empty(); }, kWaitMs));
    EXPECT_TRUE(station.status().isEmpty());
    EXPECT_EQ(page.resultLocator->text(), "JN58td");
}

// Two receivers at once, A with a fix first: the position stays A's while B reports too, goes
// to B once A is unplugged, and is stale, not current, once B is unplugged as well.
TEST(Gpsd, TwoReceiversOneFollowedAndAnUnpluggedOneStale) {
    const quint16 port = freePort();
    ASSERT_NE(port, 0);
    QTemporaryDir home;
    SettingsStore store(home.filePath("tamsel.conf"));
    store.set(StationSettings::kSource, QStringLiteral("gpsd"));
    store.set(StationSettings::kGpsd, QStringLiteral("127.0.0.1:%1").arg(port));
    OwnStation station;
    station.gpsd().setRetryDelays(100, 400);
    station.configure(StationSettings::load(store));
    StationPage page(station);
    page.load(store);

    // Where each change left the position: 'a', 'b', or '-' for none.
    std::string seen;
    QObject::connect(&station, &OwnStation::positionChanged, [&] {
        const auto p = station.position();
        seen += !p ? '-' : p->latitude < 50 ? 'a' : 'b';
    });
    FakeGps gps(port, {"two-receivers-a.nmea", "two-receivers-b.nmea"});
    const QString bGone = QStringLiteral("last fix 52.51667, 13.38333 (stale)");
    ASSERT_TRUE(QTest::qWaitFor([&] { return station.status() == bGone; }, kWaitMs))
        << seen << " " << station.status().toStdString();
    EXPECT_FALSE(station.position());
    EXPECT_EQ(page.resultPosition->text(), bGone);
    // A from its first fix until it was gone, then B: no flicker to B or to none before.
    const auto a = seen.find('a');
    ASSERT_NE(a, std::string::npos) << seen;
    ASSERT_NE(seen.find('b'), std::string::npos) << seen;
    EXPECT_LT(seen.rfind('a'), seen.find('b')) << seen;
    EXPECT_GT(seen.find('-', a), seen.rfind('a')) << seen;
}

} // namespace
} // namespace tamsel
