// SPDX-License-Identifier: GPL-3.0-or-later
// WebSettings: where the station's page is served, as the settings file keeps it (group
// [web]): enabled (the desktop console serves it only when true), listen (ADDRESS:PORT),
// tls_cert and tls_key (PEM files; both or neither).
#pragma once

#include "settings/SettingsStore.h"

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace tamsel {

class Station;

struct WebSettings {
    bool enabled = false;
    QString listen = QStringLiteral("127.0.0.1:8073");
    QString tlsCertificate;
    QString tlsKey;
    bool operator==(const WebSettings&) const = default;
};
WebSettings loadWebSettings(const SettingsStore& store);
void saveWebSettings(SettingsWriter& store, const WebSettings& settings);

// "127.0.0.1:8073", "[::1]:8073", "0.0.0.0:80": the address and port, or nothing.
std::optional<std::pair<QHostAddress, quint16>> listenAddress(const QString& text);

// A face that serves the page for a station as the settings ask; `error` says why it could
// not start. Made by the program, which knows both faces.
using RemoteFace = std::function<std::unique_ptr<QObject>(
    Station& station, const WebSettings& settings, QString* error)>;

} // namespace tamsel
