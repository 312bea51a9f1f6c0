// SPDX-License-Identifier: GPL-3.0-or-later
// AlertsProbe: sends an alert, replaces it with the message as a reception would, and waits
// for the operator's Reply; the notification daemon test drives it from outside.
#include "alerts/DesktopAlerts.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.show();
    tamsel::DesktopAlerts alerts(&window);
    const tamsel::AlertNotice header{tamsel::AlertKind::CallingYou, QStringLiteral("JA1XYZ"),
                                     QStringLiteral("JA1XYZ is calling you"),
                                     QStringLiteral("via gateway JR1YB"), true};
    tamsel::AlertNotice ended = header;
    ended.body += QStringLiteral("\n<b>QRV</b> & 73");
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
    QTimer::singleShot(app.arguments().contains(QStringLiteral("--no-reply")) ? 3000 : 20000, &app,
                       [&] { app.exit(deliveries > 0 ? 3 : 2); });
    return app.exec();
}
