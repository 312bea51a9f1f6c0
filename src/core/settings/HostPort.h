// SPDX-License-Identifier: GPL-3.0-or-later
// HostPort: "HOST:PORT" as the settings file writes a server or a listening address.
#pragma once

#include <QString>
#include <optional>
#include <utility>

namespace tamsel {

// "rotate.aprs2.net:14580", "127.0.0.1:8073", "[::1]:8073": the host (an IPv6 address
// without its brackets) and a port from 0 to 65535, or nothing.
inline std::optional<std::pair<QString, quint16>> hostAndPort(const QString& text) {
    const auto colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0) {
        return std::nullopt;
    }
    QString host = text.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']'))) {
        host = host.mid(1, host.size() - 2);
    }
    bool ok = false;
    const uint port = text.mid(colon + 1).toUInt(&ok);
    if (!ok || port > 65535 || host.isEmpty()) {
        return std::nullopt;
    }
    return std::pair(host, static_cast<quint16>(port));
}

} // namespace tamsel
