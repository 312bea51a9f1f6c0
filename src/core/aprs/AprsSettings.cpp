// SPDX-License-Identifier: GPL-3.0-or-later
// AprsSettings: the [aprs] group of the settings file.
#include "aprs/AprsSettings.h"

#include "aprs/AprsPacket.h"
#include "settings/HostPort.h"

namespace tamsel {

namespace {
constexpr QLatin1String kGate{"aprs/gate"};
constexpr QLatin1String kServer{"aprs/server"};
constexpr QLatin1String kLogin{"aprs/login"};
constexpr QLatin1String kPasscode{"aprs/passcode"};
} // namespace

bool AprsSettings::receiveOnly() const {
    return passcode.isEmpty() || passcode == QLatin1String("-1");
}

std::optional<std::pair<QString, quint16>> aprsServer(const QString& text) {
    auto where = hostAndPort(text.trimmed());
    if (!where || where->second == 0 || where->first.contains(QLatin1Char(' ')) ||
        where->first.contains(QLatin1Char('/'))) {
        return std::nullopt;
    }
    return where;
}

bool aprsPasscode(const QString& text) {
    if (text.isEmpty() || text == QLatin1String("-1")) {
        return true;
    }
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= 0 && value <= 32767 && !text.startsWith(QLatin1Char('+'));
}

AprsSettings loadAprsSettings(const SettingsStore& store) {
    AprsSettings s;
    s.gate = store.flag(kGate, false).value;
    s.server =
        store.text(kServer, s.server, [](const QString& t) { return aprsServer(t).has_value(); })
            .value;
    s.login = store
                  .text(kLogin, {},
                        [](const QString& t) {
                            return t.isEmpty() || aprsIsCallsign(t.toLatin1().toStdString());
                        })
                  .value;
    s.passcode = store.text(kPasscode, {}, aprsPasscode).value;
    return s;
}

void saveAprsSettings(SettingsWriter& store, const AprsSettings& settings) {
    store.set(kGate, settings.gate);
    store.set(kServer, settings.server);
    store.set(kLogin, settings.login);
    store.set(kPasscode, settings.passcode);
}

} // namespace tamsel
