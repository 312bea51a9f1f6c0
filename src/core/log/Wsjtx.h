// SPDX-License-Identifier: GPL-3.0-or-later
// Wsjtx: a logged contact announced the way WSJT-X announces one ("QSO Logged", "Logged ADIF"),
// and the messages that keep the console known to the server (Heartbeat, Status, Close).
#pragma once

#include "log/Adif.h"

#include <QByteArray>
#include <QString>
#include <chrono>

namespace tamsel {

inline constexpr quint32 kWsjtxMagic = 0xADBCCBDA;
inline constexpr quint32 kWsjtxSchema = 2;
inline constexpr quint32 kWsjtxHeartbeat = 0;
inline constexpr quint32 kWsjtxStatus = 1;
inline constexpr quint32 kWsjtxQsoLogged = 5;
inline constexpr quint32 kWsjtxClose = 6;
inline constexpr quint32 kWsjtxLoggedAdif = 12;
// The client name the datagrams carry.
inline constexpr const char* kWsjtxClientId = "Tamsel Console";

// How often a client says it is still there; a server forgets a client silent for longer.
inline constexpr std::chrono::seconds kWsjtxPulse{15};

// "Heartbeat": the highest schema the console speaks (2) and its version.
QByteArray wsjtxHeartbeat(std::string_view version);
// "Status" as the contact leaves it: dial frequency in Hz (0 when unknown), mode "DSTAR", the
// station worked as DX call and grid, the operator's call and grid, nothing transmitting.
// Servers such as GridTracker take "QSO Logged" only from a client they have a status of.
QByteArray wsjtxStatus(const Contact& c);
// "Close": the console stops sending.
QByteArray wsjtxClose();
// The "QSO Logged" message: times in UTC, frequency in Hz, mode "DSTAR".
QByteArray wsjtxQsoLogged(const Contact& c);
// The "Logged ADIF" message: an ADIF header and the contact's record.
QByteArray wsjtxLoggedAdif(const Contact& c, UtcTime now, std::string_view version);

} // namespace tamsel
