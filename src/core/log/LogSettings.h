// SPDX-License-Identifier: GPL-3.0-or-later
// LogSettings: what Preferences > "Log" holds: the reception log, the ADIF file, the logger.
#pragma once

#include <QString>

namespace tamsel {

struct LogSettings {
    // Where a logged contact also goes.
    enum class Sender { Off, Wsjtx, Adif };

    static constexpr int kDefaultRetentionDays = 90;
    static constexpr quint16 kWsjtxPort = 2237;
    static constexpr quint16 kAdifPort = 2333;

    bool receptionLog = true;
    int retentionDays = kDefaultRetentionDays;
    QString adifFile; // empty: the default file
    Sender sender = Sender::Off;
    QString host = QStringLiteral("127.0.0.1");
    quint16 port = kWsjtxPort;
    double lastFrequencyMHz = 0; // 0: none yet

    // The ADIF file to write: the chosen one, or ~/.local/share/tamsel/tamsel.adi. A chosen
    // name alone or a relative path is taken in that data folder, "~/" as the home folder.
    QString adifPath() const;
    bool operator==(const LogSettings&) const = default;
};

// The port a sender kind listens on by default.
quint16 defaultPort(LogSettings::Sender sender);

} // namespace tamsel
