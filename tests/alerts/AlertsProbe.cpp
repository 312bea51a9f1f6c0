// SPDX-License-Identifier: GPL-3.0-or-later
// AlertsProbe: sends an alert, replaces it with the message as a reception would, and waits
// for the operator's Reply; the notification daemon test drives it from outside. With
// --console, the whole console on a simulated adapter hears a call to My Call instead.
#include "alerts/Alerting.h"
#include "alerts/DesktopAlerts.h"
#include "console/Console.h"
#include "sim/SimulatedAdapter.h"
#include "support/ConsoleFixture.h"

#include <QApplication>
#include <QDBusConnection>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

// Prints the reason of the first NotificationClosed on the bus and ends the program.
class ClosedWatch : public QObject {
    Q_OBJECT
public:
    explicit ClosedWatch(QApplication& app) : app_(app) {
        QDBusConnection::sessionBus().connect(
            QString(), QStringLiteral("/org/freedesktop/Notifications"),
            QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("NotificationClosed"),
            this, SLOT(closed(uint, uint)));
    }
public slots:
    void closed(uint /*id*/, uint reason) {
        std::printf("closed %u\n", reason);
        std::fflush(stdout);
        app_.quit();
    }

private:
    QApplication& app_;
};

// The console hears JA1XYZ call My Call over the gateway; prints how long after the header
// was handed to the adapter the daemon had the notification, and what Reply sent.
int consoleProbe(QApplication& app) {
    using namespace tamsel;
    SimulatedAdapter sim;
    sim.setText(0x60, "JE2TUV  ");
    sim.setText(0x63, "JR1YB  B");
    sim.setText(0x64, "JR1YB  G");
    sim.setValue(0x65, {0x40, 0, 0});
    sim.setIdlePollDelay(std::chrono::milliseconds(1));
    adapterFound = 1;
    test::RecordingNotifier boxes;
    Console console(sim, boxes);
    const ScriptedReception call = test::header("JR1YB  G", "JR1YB  B", "JE2TUV  ", "JA1XYZ  ");
    QElapsedTimer sinceHeader;
    const std::size_t before = sim.mainTrace().size();
    QObject::connect(console.alerting()->desktop(), &DesktopAlerts::delivered, &app,
                     [&](const QString& station, DesktopAlerts::Way way) {
                         std::printf("delivered %s %d after %lld ms\n", qPrintable(station),
                                     static_cast<int>(way),
                                     static_cast<long long>(sinceHeader.elapsed()));
                         std::fflush(stdout);
                     });
    QObject::connect(console.alerting(), &Alerting::replyRequested, &app, [&] {
        // The route is set by the Reply handler connected before this one.
        const auto trace = sim.mainTrace();
        for (auto e = trace.begin() + static_cast<std::ptrdiff_t>(before); e != trace.end(); ++e) {
            std::printf("sent %s\n", test::describe(*e).c_str());
        }
        std::printf("reply JA1XYZ\n");
        std::fflush(stdout);
        QTimer::singleShot(0, &app, &QApplication::quit);
    });
    sinceHeader.start();
    sim.queueReception(call);
    QTimer::singleShot(20000, &app, [&] { app.exit(2); });
    return app.exec();
}

// The console hears JA1XYZ call My Call; once the notification is shown the operator types
// JA1XYZ into Station Call (a call made to it, sent to the adapter as it changes). Prints the
// reason of the NotificationClosed the service then sends while the console still runs.
int answeredProbe(QApplication& app) {
    using namespace tamsel;
    SimulatedAdapter sim;
    sim.setText(0x60, "JE2TUV  ");
    sim.setText(0x63, "JR1YB  B");
    sim.setText(0x64, "JR1YB  G");
    sim.setIdlePollDelay(std::chrono::milliseconds(1));
    adapterFound = 1;
    test::RecordingNotifier boxes;
    Console console(sim, boxes);
    QObject::connect(console.alerting()->desktop(), &DesktopAlerts::delivered, &app,
                     [](const QString& station, DesktopAlerts::Way way) {
                         std::printf("delivered %s %d\n", qPrintable(station),
                                     static_cast<int>(way));
                         std::fflush(stdout);
                         Form1->YourCALL->setText(QStringLiteral("JA1XYZ  "));
                     });
    ClosedWatch closed(app);
    sim.queueReception(test::header("JR1YB  G", "JR1YB  B", "JE2TUV  ", "JA1XYZ  "));
    QTimer::singleShot(20000, &app, [&] { app.exit(2); });
    return app.exec();
}

// Three notices, one an emergency; once all are shown the program ends and its notifications
// with it.
int exitProbe(QApplication& app) {
    using namespace tamsel;
    QWidget window;
    window.show();
    DesktopAlerts alerts(&window);
    const AlertNotice notices[] = {
        {AlertKind::CallingYou, QStringLiteral("JA1XYZ"), QStringLiteral("JA1XYZ is calling you"),
         QStringLiteral("via gateway JR1YB"), false, false},
        {AlertKind::Watched,
         QStringLiteral("JA2ABC"),
         QStringLiteral("JA2ABC heard"),
         {},
         false,
         false},
        {AlertKind::Watched, QStringLiteral("JA3EMR"), QStringLiteral("JA3EMR heard"),
         QStringLiteral("EMR"), false, true},
    };
    int deliveries = 0;
    QObject::connect(&alerts, &DesktopAlerts::delivered, &app,
                     [&](const QString& station, DesktopAlerts::Way way) {
                         std::printf("delivered %s %d\n", qPrintable(station),
                                     static_cast<int>(way));
                         std::fflush(stdout);
                         if (++deliveries == 3) {
                             app.quit();
                         }
                     });
    for (const AlertNotice& n : notices) {
        alerts.show(n);
    }
    QTimer::singleShot(20000, &app, [&] { app.exit(2); });
    return app.exec();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (app.arguments().contains(QStringLiteral("--answer"))) {
        return answeredProbe(app);
    }
    if (app.arguments().contains(QStringLiteral("--exit"))) {
        return exitProbe(app);
    }
    if (app.arguments().contains(QStringLiteral("--console"))) {
        return consoleProbe(app);
    }
    QWidget window;
    window.show();
    tamsel::DesktopAlerts alerts(&window);
    // The first notice goes out before the service can have said whether it reads markup.
    const tamsel::AlertNotice header{tamsel::AlertKind::CallingYou, QStringLiteral("JA1XYZ"),
                                     QStringLiteral("JA1XYZ is calling you"),
                                     QStringLiteral("via gateway JR1YB\n<b>QRV</b> & 73"), true};
    const tamsel::AlertNotice ended = header;
    int deliveries = 0;
    QObject::connect(&alerts, &tamsel::DesktopAlerts::delivered, &app,
                     [&](const QString& station, tamsel::DesktopAlerts::Way way) {
                         std::printf("delivered %s %d\n", qPrintable(station),
                                     static_cast<int>(way));
                         std::fflush(stdout);
                         if (++deliveries == 1) {
                             alerts.show(ended); // the reception has ended
                         }
                     });
    QObject::connect(&alerts, &tamsel::DesktopAlerts::replyRequested, &app,
                     [&](const QString& station) {
                         std::printf("reply %s\n", qPrintable(station));
                         std::fflush(stdout);
                         app.quit();
                     });
    alerts.show(header);
    // Without a daemon's answer the probe fails rather than hangs.
    QTimer::singleShot(app.arguments().contains(QStringLiteral("--no-reply")) ? 10000 : 20000, &app,
                       [&] { app.exit(deliveries > 0 ? 3 : 2); });
    return app.exec();
}

#include "AlertsProbe.moc"
