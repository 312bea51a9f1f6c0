// SPDX-License-Identifier: GPL-3.0-or-later
// Following the nearest repeater with a real gpsd fed by gpsfake: a drive from Munich to
// Freising offers Freising's repeater once, or sets it by itself when the Station page says so.
#include "alerts/DesktopAlerts.h"
#include "console/RepeaterFeature.h"
#include "memory/Unit4.h"
#include "settings/SettingsStore.h"
#include "station/OwnStation.h"
#include "support/ConsoleFixture.h"
#include "support/FakeGps.h"

#include <QSignalSpy>
#include <QTemporaryFile>

namespace tamsel {
namespace {

using test::describe;

const char* const kList =
    "Group No,Group Name,Name,Sub Name,Repeater Call Sign,Gateway Call Sign,Frequency,Dup,"
    "Offset,Mode,TONE,Repeater Tone,RPT1USE,Position,Latitude,Longitude,UTC Offset\n"
    "1,Bayern,Muenchen,,DB0DF B,DB0DF G,439.5375,DUP-,9.4,DV,OFF,88.5Hz,YES,Exact,48.1374,11.5755,"
    "+1:00\n"
    "1,Bayern,Freising,,DB0FS B,DB0FS G,439.4,DUP-,7.6,DV,OFF,88.5Hz,YES,Exact,48.4010,11.7430,"
    "+1:00\n";

class Following : public test::ConsoleFixture, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        sim->setText(0x64, "DB0DF  G");
        sim->setText(0x63, "DB0DF  B");
        sim->setText(0x62, "CQCQCQ  ");
        sim->setText(0x60, "DL1ABC  ");
        sim->setValue(0x65, {0x40, 0, 0});
        start();
        QTemporaryFile list(QDir::tempPath() + QStringLiteral("/bayern-XXXXXX.csv"));
        ASSERT_TRUE(list.open());
        list.write(kList);
        list.close();
        ASSERT_TRUE(test::importList(list.fileName()));
        notifier.boxes.clear();
    }
    void followGpsd(quint16 port, bool setByItself) {
        StationSettings s;
        s.source = PositionSource::Gpsd;
        s.gpsd = QStringLiteral("127.0.0.1:%1").arg(port);
        s.followRepeater = setByItself;
        console->ownStation()->gpsd().setRetryDelays(100, 400);
        // Through the settings, as Preferences would: every commit reads them again.
        s.save(*console->settings());
        console->settings()->commit();
    }
};

TEST_P(Following, TheDriveToFreisingOffersOrSetsItsRepeaterOnce) {
    const bool setByItself = GetParam();
    RepeaterFeature* feature = console->repeaters();
    QSignalSpy offered(feature, &RepeaterFeature::nearerOffered);
    std::vector<LatLon> fixes;
    QObject::connect(console->ownStation(), &OwnStation::positionChanged, [&] {
        if (const auto p = console->ownStation()->position()) {
            fixes.push_back(*p);
        }
    });
    const quint16 port = test::freePort();
    ASSERT_NE(port, 0);
    followGpsd(port, setByItself);
    {
        test::FakeGps gps(port, {"driving-to-freising.nmea"});
        // To the end of the drive, where the log stops at Freising.
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return !fixes.empty() && fixes.back().latitude > 48.4; }, 20000));
        gps.stop();
    }
    // It moved fix by fix (on a busy machine the first fixes may pass before the console has
    // reached gpsd: 18 are in the log).
    EXPECT_GE(fixes.size(), 5u);
    if (setByItself) {
        EXPECT_EQ(offered.count(), 0);
        EXPECT_EQ(
            describe(sentSinceStart()),
            (std::vector<std::string>{"SetRpt1Call \"DB0FS  B\"", "SetRpt2Call \"DB0FS  G\""}));
        EXPECT_EQ(Form1->RPT1CALL->text(), "DB0FS  B");
    } else {
        // Said once, with the distance when it became clearly nearer; nothing sent.
        ASSERT_EQ(offered.count(), 1);
        EXPECT_EQ(offered[0][0].toString(), "DB0FS B");
        EXPECT_GT(offered[0][1].toDouble(), 1000);
        EXPECT_LT(offered[0][1].toDouble(), 0.8 * 30000);
        EXPECT_TRUE(sentSinceStart().empty());
        EXPECT_EQ(Form1->RPT1CALL->text(), "DB0DF  B");
        // The notification's Use sets it.
        emit feature->alerts()->replyRequested(QString::fromLatin1(RepeaterFeature::kNearerNotice));
        EXPECT_EQ(
            describe(sentSinceStart()),
            (std::vector<std::string>{"SetRpt1Call \"DB0FS  B\"", "SetRpt2Call \"DB0FS  G\""}));
    }
    EXPECT_TRUE(notifier.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Repeaters, Following, ::testing::Values(false, true),
                         [](const auto& info) {
                             return std::string(info.param ? "SetByItself" : "Offered");
                         });

} // namespace
} // namespace tamsel
