// SPDX-License-Identifier: GPL-3.0-or-later
// LogSender: sends a logged contact to a logging program over UDP, never waiting for it.
#pragma once

#include "log/Adif.h"
#include "log/LogSettings.h"

#include <QObject>
#include <QString>
#include <QUdpSocket>

namespace tamsel {

// The datagrams for a contact, in the order they go out: WSJT-X's two messages, or the
// plain ADIF record (header and record) for programs that take ADIF over UDP.
std::vector<QByteArray> logDatagrams(LogSettings::Sender sender, const Contact& c, UtcTime now,
                                     std::string_view version);

// Sends each contact once over UDP. A datagram is handed to the system and never waited
// on, so a logger that is not listening costs nothing.
class LogSender : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Sends `c` as `settings` say; returns the status line for the operator: where it
    // went, that sending is off, or why it could not go.
    QString send(const LogSettings& settings, const Contact& c, UtcTime now,
                 std::string_view version);

private:
    QUdpSocket socket_;
};

} // namespace tamsel
