// SPDX-License-Identifier: GPL-3.0-or-later
// AprsSettings: the gate to APRS-IS as the settings file keeps it (group [aprs]): gate
// (true/false), server (HOST:PORT), login (a callsign with its SSID) and passcode.
#pragma once

#include "settings/SettingsStore.h"

#include <QString>
#include <optional>
#include <utility>

namespace tamsel {

struct AprsSettings {
    static inline constexpr QLatin1String kDefaultServer{"rotate.aprs2.net:14580"};

    bool gate = false;
    QString server = kDefaultServer;
    QString login;    // empty: your callsign as the adapter holds it
    QString passcode; // empty or "-1": receive-only, nothing is gated
    bool operator==(const AprsSettings&) const = default;

    bool receiveOnly() const;
};
AprsSettings loadAprsSettings(const SettingsStore& store);
void saveAprsSettings(SettingsWriter& store, const AprsSettings& settings);

// "rotate.aprs2.net:14580", "[2001:db8::1]:14580": the host and port, or nothing.
std::optional<std::pair<QString, quint16>> aprsServer(const QString& text);
// A passcode as APRS-IS takes it: empty, -1, or a number 0 to 32767.
bool aprsPasscode(const QString& text);

} // namespace tamsel
