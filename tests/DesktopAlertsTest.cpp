// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of alerts in the console: how one reaches the operator when the desktop has no
// notification service, the Called Callsign colour, and Reply's route.
#include "alerts/DesktopAlerts.h"
#include "alerts/Alerting.h"
#include "heard/HeardStations.h"
#include "support/ConsoleFixture.h"
#include "widgets/Contrast.h"

#include <QSignalSpy>
#include <QStyle>
#include <QWidget>

namespace tamsel {
namespace {

using test::describe;

// A header over the gateway JR1YB from `my` to `your`.
ScriptedReception viaGateway(const std::string& your, const std::string& my) {
    return test::header("JR1YB  G", "JR1YB  B", your, my);
}

class AlertsInTheConsole : public test::ConsoleFixture {
protected:
    void SetUp() override {
        // No session bus: alerts fall back to the window's attention, never a box.
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/tamsel-test-bus");
        sim->setText(0x60, "JE2TUV  "); // My Call
        sim->setText(0x63, "JR1YB  B");
        sim->setText(0x64, "JR1YB  G");
        start();
    }
};

TEST_F(AlertsInTheConsole, ACallToMeAlertsColoursCalledAndReplyRoutesBack) {
    QSignalSpy alerted(console->alerting(), &Alerting::alerted);
    QSignalSpy delivered(console->alerting()->desktop(), &DesktopAlerts::delivered);
    receive({viaGateway("CQCQCQ  ", "JA1XYZ  ")});
    EXPECT_EQ(alerted.count(), 0) << "a CQ from an unwatched station";
    EXPECT_FALSE(Form1->calledIsMine());

    receive({viaGateway("JE2TUV  ", "JA1XYZ B")});
    ASSERT_EQ(alerted.count(), 1);
    EXPECT_EQ(alerted.at(0).at(0).toString(), "JA1XYZ");
    EXPECT_EQ(alerted.at(0).at(1).value<AlertKind>(), AlertKind::CallingYou);
    EXPECT_GE(delivered.count(), 1) << "the fall-back told the operator";
    EXPECT_EQ(console->alerting()->desktop()->lastWay(), DesktopAlerts::Way::Attention);
    EXPECT_TRUE(Form1->calledIsMine());
    HeardStationsModel* heard = console->heardStations()->model();
    EXPECT_EQ(heard->mark(heard->rowOf("JA1XYZ B")), HeardStationsModel::Mark::CallingYou);

    // The alert colour reads at 4.5:1 or more in the light theme and in a dark one.
    for (const QPalette& theme :
         std::vector<QPalette>{QApplication::style()->standardPalette(), darkPalette()}) {
        QApplication::setPalette(theme);
        QCoreApplication::processEvents();
        const QPalette p = Form1->CalledCALL->palette();
        for (auto group : {QPalette::Active, QPalette::Disabled}) {
            EXPECT_GE(contrastRatio(p.color(group, QPalette::Text), p.color(group, QPalette::Base)),
                      4.5);
            EXPECT_EQ(p.color(group, QPalette::Base), TForm1::kCalledAlertBackground);
        }
    }
    QApplication::setPalette(QApplication::style()->standardPalette());

    // Reply on the notification answers as the Call menu's Reply would: routed to me over
    // the gateway, so the caller through the gateway (Repeater 2 holds it already), with the
    // Repeater option set; the console comes to the front.
    const std::size_t before = sentSinceStart().size();
    emit console->alerting()->desktop()->replyRequested(QStringLiteral("JA1XYZ"));
    const auto sent = sentSinceStart();
    EXPECT_EQ(describe({sent.begin() + static_cast<std::ptrdiff_t>(before), sent.end()}),
              (std::vector<std::string>{"SetYourCall \"JA1XYZ B\"", "GetTxFlags",
                                        "SetTxFlags \"@\\x00\\x00\"", "GetTxFlags"}));

    receive({viaGateway("CQCQCQ  ", "JA2ABC  ")});
    EXPECT_FALSE(Form1->calledIsMine()) << "the colour goes with the next header";
    EXPECT_FALSE(heard->mark(heard->rowOf("JA2ABC")));
}

TEST(DesktopAlerts, WithNoSessionBusTheWindowAsksForAttention) {
    // Set before the first use of the session bus in this process.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/tamsel-test-bus");
    QWidget window;
    DesktopAlerts alerts(&window);
    QSignalSpy delivered(&alerts, &DesktopAlerts::delivered);
    alerts.show({AlertKind::CallingYou, QStringLiteral("JA1XYZ"),
                 QStringLiteral("JA1XYZ is calling you"), QStringLiteral("via gateway JR1YB"),
                 true});
    // The offscreen platform has no tray, so the last way is the window's attention.
    ASSERT_EQ(delivered.count(), 1);
    EXPECT_EQ(delivered.at(0).at(0).toString(), QStringLiteral("JA1XYZ"));
    EXPECT_EQ(alerts.lastWay(), DesktopAlerts::Way::Attention);
}

// Only a reception with the EMR flag is critical; a call and a watched station are normal,
// whatever else the flag byte holds.
TEST(DesktopAlerts, OnlyAnEmergencyIsCritical) {
    const struct {
        AlertKind kind;
        std::uint8_t flag1;
        uchar urgency;
    } cases[] = {
        {AlertKind::CallingYou, 0x00, 1}, {AlertKind::Watched, 0x00, 1},
        {AlertKind::CallingYou, 0x40, 1}, {AlertKind::Watched, 0x60, 1},
        {AlertKind::CallingYou, 0x08, 2}, {AlertKind::Watched, 0x48, 2},
    };
    Alerting alerting;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.kind)) + " flags " +
                     std::to_string(c.flag1));
        StationReport header;
        header.caller = "JA1XYZ  ";
        header.called = "JE2TUV  ";
        header.flags = {c.flag1, 0, 0};
        const AlertNotice notice = alerting.notice(header, c.kind);
        EXPECT_EQ(notice.emergency, c.urgency == 2);
        EXPECT_EQ(notificationUrgency(notice), c.urgency);
    }
}

// A body is sent escaped unless the service now holding the name said it shows plain text.
TEST(DesktopAlerts, BodiesAreEscapedUnlessTheServiceSaidItReadsPlainText) {
    enum Event { Markup, Plain, Failed, LateAnswer, OwnerChanged };
    const struct {
        const char* what;
        std::vector<Event> events;
        bool escaped;
    } cases[] = {
        {"before the answer", {}, true},
        {"markup", {Markup}, true},
        {"plain text", {Plain}, false},
        {"no answer", {Failed}, true},
        {"another service since", {Plain, OwnerChanged}, true},
        {"the new service said plain", {Markup, OwnerChanged, Plain}, false},
        {"the old service's late answer", {OwnerChanged, LateAnswer}, true},
    };
    const QStringList plain{"body", "actions"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        NotificationCapabilities caps;
        int asked = caps.ownerChanged(); // the console asks at start
        for (const Event e : c.events) {
            switch (e) {
            case Markup:
                caps.answered(asked, plain + QStringList{"body-markup"});
                break;
            case Plain:
                caps.answered(asked, plain);
                break;
            case Failed:
                caps.answered(asked, std::nullopt);
                break;
            case LateAnswer:
                caps.answered(asked - 1, plain);
                break;
            case OwnerChanged:
                asked = caps.ownerChanged();
                break;
            }
        }
        EXPECT_EQ(caps.body("<b>QRV</b> & 73"),
                  c.escaped ? "&lt;b&gt;QRV&lt;/b&gt; &amp; 73" : "<b>QRV</b> & 73");
    }
}

} // namespace
} // namespace tamsel
