// SPDX-License-Identifier: GPL-3.0-or-later
// LogSettingsFile: the logs' settings in the settings file.
#include "log/LogSettingsFile.h"

#include <QHostAddress>
#include <QStringList>

namespace tamsel {

namespace {

constexpr QLatin1String kReceptionLog{"log/reception_log"};
constexpr QLatin1String kRetention{"log/retention_days"};
constexpr QLatin1String kAdifFile{"log/adif_file"};
constexpr QLatin1String kSender{"log/sender"};
constexpr QLatin1String kHost{"log/host"};
constexpr QLatin1String kPort{"log/port"};
constexpr QLatin1String kLastFrequency{"log/last_frequency"};
// The file's spellings of the senders, in the order of LogSettings::Sender.
const QStringList& senders() {
    static const QStringList spelled{QStringLiteral("off"), QStringLiteral("wsjtx"),
                                     QStringLiteral("adif")};
    return spelled;
}

} // namespace

LogSettings loadLogSettings(const SettingsStore& store) {
    LogSettings s;
    s.receptionLog = store.flag(kReceptionLog, true).value;
    s.retentionDays = store.integer(kRetention, LogSettings::kDefaultRetentionDays, 1, 3650).value;
    s.adifFile = store.text(kAdifFile, {}).value;
    s.sender = static_cast<LogSettings::Sender>(
        senders().indexOf(store.choice(kSender, senders(), senders().first()).value));
    s.host =
        store.text(kHost, s.host, [](const QString& h) { return !QHostAddress(h).isNull(); }).value;
    s.port = static_cast<quint16>(store.integer(kPort, defaultPort(s.sender), 1, 65535).value);
    s.lastFrequencyMHz = store.number(kLastFrequency, 0, 0, 300'000).value;
    return s;
}

void saveLastFrequency(SettingsWriter& store, double mhz) {
    store.set(kLastFrequency, mhz);
}

void saveLogSettings(SettingsWriter& store, const LogSettings& s) {
    store.set(kReceptionLog, s.receptionLog);
    store.set(kRetention, s.retentionDays);
    store.set(kAdifFile, s.adifFile);
    store.set(kSender, senders().at(static_cast<int>(s.sender)));
    store.set(kHost, s.host);
    store.set(kPort, static_cast<int>(s.port));
    store.set(kLastFrequency, s.lastFrequencyMHz);
}

} // namespace tamsel
