// SPDX-License-Identifier: GPL-3.0-or-later
// Wsjtx: a logged contact announced the way WSJT-X announces one ("QSO Logged", "Logged ADIF").
#pragma once

#include "log/Adif.h"

#include <QByteArray>
#include <QString>

namespace tamsel {

inline constexpr quint32 kWsjtxMagic = 0xADBCCBDA;
inline constexpr quint32 kWsjtxSchema = 2;
inline constexpr quint32 kWsjtxQsoLogged = 5;
inline constexpr quint32 kWsjtxLoggedAdif = 12;
// The client name the datagrams carry.
inline constexpr const char* kWsjtxClientId = "Tamsel Console";

// The "QSO Logged" message: times in UTC, frequency in Hz, mode "DSTAR".
QByteArray wsjtxQsoLogged(const Contact& c);
// The "Logged ADIF" message: an ADIF header and the contact's record.
QByteArray wsjtxLoggedAdif(const Contact& c, UtcTime now, std::string_view version);

} // namespace tamsel
