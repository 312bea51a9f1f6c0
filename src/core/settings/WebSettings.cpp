// SPDX-License-Identifier: GPL-3.0-or-later
// WebSettings: the [web] group of the settings file.
#include "settings/WebSettings.h"

namespace tamsel {

namespace {
constexpr QLatin1String kEnabled{"web/enabled"};
constexpr QLatin1String kListen{"web/listen"};
constexpr QLatin1String kCertificate{"web/tls_cert"};
constexpr QLatin1String kKey{"web/tls_key"};
} // namespace

std::optional<std::pair<QHostAddress, quint16>> listenAddress(const QString& text) {
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
    const QHostAddress address(host);
    if (!ok || port > 65535 || address.isNull()) {
        return std::nullopt;
    }
    return std::pair(address, static_cast<quint16>(port));
}

WebSettings loadWebSettings(const SettingsStore& store) {
    WebSettings s;
    s.enabled = store.flag(kEnabled, false).value;
    s.listen =
        store.text(kListen, s.listen, [](const QString& t) { return listenAddress(t).has_value(); })
            .value;
    s.tlsCertificate = store.text(kCertificate, {}).value;
    s.tlsKey = store.text(kKey, {}).value;
    return s;
}

void saveWebSettings(SettingsWriter& store, const WebSettings& settings) {
    store.set(kEnabled, settings.enabled);
    store.set(kListen, settings.listen);
    store.set(kCertificate, settings.tlsCertificate);
    store.set(kKey, settings.tlsKey);
}

} // namespace tamsel
