// SPDX-License-Identifier: GPL-3.0-or-later
// AprsGate: the D-PRS positions heard, gated to APRS-IS as the settings ask.
#pragma once

#include "aprs/AprsIsClient.h"
#include "aprs/AprsPacket.h"
#include "aprs/AprsSettings.h"
#include "monitor/ReceptionMachine.h"

#include <QObject>
#include <QString>
#include <chrono>
#include <cstddef>

namespace tamsel {

class AprsGate : public QObject {
    Q_OBJECT
public:
    explicit AprsGate(QString version, QObject* parent = nullptr);

    // The settings and this station's callsign (the login when the settings name none, and
    // the transmissions never gated).
    void configure(const AprsSettings& settings, const QString& myCall);
    // Every report of every reception, in order.
    void take(const StationReport& report);

    bool on() const { return settings_.gate; }
    AprsIsClient& client() { return client_; }
    const AprsIsClient& client() const { return client_; }
    std::size_t gatedCount() const { return gated_; }
    // The login in use ("T2XYZ-10").
    QString login() const { return login_; }

    // Made-up receptions (the demo) go to a server on this computer only, never to the
    // APRS network.
    static bool& localOnly() {
        static bool only = false;
        return only;
    }

    // One line for a status bar: "APRS-IS: connected, 12 gated"; empty while off.
    QString statusLine() const;
    // The connection as the settings page says it: "Connected to T2XYZ, verified".
    QString connectionText() const;

signals:
    // A position went out for `caller` (as its header gave it).
    void gated(const std::string& caller, std::chrono::system_clock::time_point when);
    // A position heard that is not gated, and why (for the log).
    void withheld(const std::string& caller, tamsel::Withheld why);
    // Status line or connection text changed.
    void changed();
    // The connection was lost (said once, not on every retry).
    void lost();

private:
    QString version_;
    AprsSettings settings_;
    QString login_;
    AprsIsClient client_;
    ReceptionGate rules_;
    std::size_t gated_ = 0;
    bool refusedHere_ = false; // the server is elsewhere and this is the demo
};

} // namespace tamsel
