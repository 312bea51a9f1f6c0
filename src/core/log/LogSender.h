// SPDX-License-Identifier: GPL-3.0-or-later
// LogSender: sends a logged contact to a logging program over UDP, never waiting for it.
#pragma once

#include "log/Adif.h"
#include "log/LogSettings.h"
#include "log/Wsjtx.h"

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUdpSocket>
#include <chrono>

namespace tamsel {

// The datagrams for a contact, in the order they go out: WSJT-X's status, then its two
// messages for the contact, or the plain ADIF record (header and record) for programs that
// take ADIF over UDP.
std::vector<QByteArray> logDatagrams(LogSettings::Sender sender, const Contact& c, UtcTime now,
                                     std::string_view version);

// Sends each contact once over UDP. A datagram is handed to the system and never waited
// on, so a logger that is not listening costs nothing. While it sends as WSJT-X does, it
// is a WSJT-X client: a heartbeat when switched on and every pulse after, and a close when
// switched off, moved elsewhere or destroyed.
class LogSender : public QObject {
    Q_OBJECT
public:
    explicit LogSender(std::chrono::milliseconds pulse = kWsjtxPulse, QObject* parent = nullptr);
    ~LogSender() override;
    LogSender(const LogSender&) = delete;
    LogSender& operator=(const LogSender&) = delete;

    // Switches the WSJT-X client on, off or over to another address as `settings` say.
    void follow(const LogSettings& settings, std::string_view version);
    // Sends `c` as `settings` say (following them first); returns the status line for the
    // operator: where it went, that sending is off, or why it could not go.
    QString send(const LogSettings& settings, const Contact& c, UtcTime now,
                 std::string_view version);

private:
    void heartbeat();

    QUdpSocket socket_;
    QTimer pulse_;
    // Where the WSJT-X client is on; a null address while it is off.
    QHostAddress server_;
    quint16 port_ = 0;
    std::string version_;
};

} // namespace tamsel
