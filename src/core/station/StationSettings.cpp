// SPDX-License-Identifier: GPL-3.0-or-later
// StationSettings: the [station] group of the settings file, typed and checked.
#include "station/StationSettings.h"

#include "station/Locator.h"

#include <QStringList>

namespace tamsel {
namespace {

// The file's spellings of the sources, in the order of PositionSource.
const QStringList& sources() {
    static const QStringList spelled{QStringLiteral("none"), QStringLiteral("locator"),
                                     QStringLiteral("latlon"), QStringLiteral("gpsd")};
    return spelled;
}

} // namespace

QString sourceKey(PositionSource source) {
    return sources().at(static_cast<int>(source));
}

std::optional<GpsdAddress> parseGpsdAddress(const QString& text) {
    const QString t = text.trimmed();
    GpsdAddress address;
    QString port;
    if (t.startsWith(QLatin1Char('['))) {
        const auto close = t.indexOf(QLatin1Char(']'));
        if (close < 0) {
            return std::nullopt;
        }
        address.host = t.mid(1, close - 1);
        const QString rest = t.mid(close + 1);
        if (!rest.isEmpty()) {
            if (!rest.startsWith(QLatin1Char(':'))) {
                return std::nullopt;
            }
            port = rest.mid(1);
        }
    } else {
        const auto colon = t.lastIndexOf(QLatin1Char(':'));
        address.host = colon < 0 ? t : t.left(colon);
        if (colon >= 0) {
            port = t.mid(colon + 1);
        }
        if (address.host.contains(QLatin1Char(':'))) {
            return std::nullopt; // an IPv6 address goes in brackets
        }
    }
    if (address.host.isEmpty() || address.host.contains(QLatin1Char(' '))) {
        return std::nullopt;
    }
    if (!port.isNull()) {
        bool ok = false;
        const uint n = port.toUInt(&ok);
        if (!ok || n == 0 || n > 65535) {
            return std::nullopt;
        }
        address.port = static_cast<quint16>(n);
    }
    return address;
}

StationSettings StationSettings::load(const SettingsStore& store) {
    StationSettings s;
    const auto note = [&s](const QString& key, SettingsStore::Origin origin) {
        if (origin != SettingsStore::Origin::Stored) {
            s.defaulted.insert(key, origin);
        }
    };
    const auto source = store.choice(kSource, sources(), sources().first());
    s.source = static_cast<PositionSource>(sources().indexOf(source.value));
    note(kSource, source.origin);

    const auto locator = store.text(kLocator, {}, [](const QString& t) {
        return t.isEmpty() || normaliseLocator(t.toStdString()).has_value();
    });
    s.locator = locator.value.isEmpty()
                    ? QString()
                    : QString::fromStdString(*normaliseLocator(locator.value.toStdString()));
    note(kLocator, locator.origin);

    const auto latitude = store.number(kLatitude, 0, -90, 90);
    s.latitude = latitude.value;
    note(kLatitude, latitude.origin);
    const auto longitude = store.number(kLongitude, 0, -180, 180);
    s.longitude = longitude.value;
    note(kLongitude, longitude.origin);

    const auto gpsd = store.text(kGpsd, kDefaultGpsd,
                                 [](const QString& t) { return parseGpsdAddress(t).has_value(); });
    s.gpsd = gpsd.value;
    note(kGpsd, gpsd.origin);

    const auto units = store.choice(kUnits, {QStringLiteral("metric"), QStringLiteral("imperial")},
                                    QStringLiteral("metric"));
    s.units = *unitsFromKey(units.value.toStdString());
    note(kUnits, units.origin);

    // Added later than the others: a file without it is no news worth a note.
    const auto follow = store.flag(kFollowRepeater, false);
    s.followRepeater = follow.value;
    if (follow.origin == SettingsStore::Origin::Invalid) {
        note(kFollowRepeater, follow.origin);
    }
    return s;
}

void StationSettings::save(SettingsWriter& store) const {
    store.set(kSource, sourceKey(source));
    store.set(kLocator, locator);
    store.set(kLatitude, latitude);
    store.set(kLongitude, longitude);
    store.set(kGpsd, gpsd);
    const std::string_view u = unitsKey(units);
    store.set(kUnits, QString::fromLatin1(u.data(), static_cast<qsizetype>(u.size())));
    store.set(kFollowRepeater, followRepeater);
}

} // namespace tamsel
