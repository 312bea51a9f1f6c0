// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of how an alert reaches the operator when the desktop has no notification service.
#include "alerts/DesktopAlerts.h"

#include <QSignalSpy>
#include <QWidget>
#include <gtest/gtest.h>

namespace tamsel {
namespace {

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

} // namespace
} // namespace tamsel
