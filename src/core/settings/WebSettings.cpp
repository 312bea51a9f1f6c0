// SPDX-License-Identifier: GPL-3.0-or-later
// WebSettings: the [web] group of the settings file.
#include "settings/WebSettings.h"

#include "settings/HostPort.h"

namespace tamsel {

namespace {
constexpr QLatin1String kEnabled{"web/enabled"};
constexpr QLatin1String kListen{"web/listen"};
constexpr QLatin1String kCertificate{"web/tls_cert"};
constexpr QLatin1String kKey{"web/tls_key"};
} // namespace

std::optional<std::pair<QHostAddress, quint16>> listenAddress(const QString& text) {
    const auto where = hostAndPort(text);
    const QHostAddress address(where ? where->first : QString());
    if (!where || address.isNull()) {
        return std::nullopt;
    }
    return std::pair(address, where->second);
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
