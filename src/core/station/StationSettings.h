// SPDX-License-Identifier: GPL-3.0-or-later
// StationSettings: the [station] group of the settings file, typed and checked.
#pragma once

#include "settings/SettingsStore.h"
#include "station/Units.h"

#include <QMap>
#include <QString>
#include <optional>

namespace tamsel {

// Where the console takes its own position from.
enum class PositionSource { None, Locator, LatLon, Gpsd };

// A gpsd address "host:port" (or "host", port 2947; "[::1]:2947" for IPv6).
struct GpsdAddress {
    QString host;
    quint16 port = 2947;
};
std::optional<GpsdAddress> parseGpsdAddress(const QString& text);

// [station] source = none | locator | latlon | gpsd
//           locator = JN58td       (4, 6, 8 or 10 characters)
//           latitude = 48.1458     (decimal degrees, -90 to 90, negative south)
//           longitude = 11.625     (decimal degrees, -180 to 180, negative west)
//           gpsd = localhost:2947
//           units = metric | imperial
//           follow_repeater = false    (Repeater 1 follows the nearest repeater under gpsd)
struct StationSettings {
    static inline constexpr QLatin1String kSource{"station/source"};
    static inline constexpr QLatin1String kLocator{"station/locator"};
    static inline constexpr QLatin1String kLatitude{"station/latitude"};
    static inline constexpr QLatin1String kLongitude{"station/longitude"};
    static inline constexpr QLatin1String kGpsd{"station/gpsd"};
    static inline constexpr QLatin1String kUnits{"station/units"};
    static inline constexpr QLatin1String kFollowRepeater{"station/follow_repeater"};
    static inline constexpr QLatin1String kDefaultGpsd{"localhost:2947"};

    PositionSource source = PositionSource::None;
    QString locator; // as normaliseLocator() spells it, or empty
    double latitude = 0;
    double longitude = 0;
    QString gpsd = kDefaultGpsd;
    Units units = Units::Metric;
    bool followRepeater = false;

    // The keys whose value above is the default because the file lacked it or held
    // something the key does not take.
    QMap<QString, SettingsStore::Origin> defaulted;

    static StationSettings load(const SettingsStore& store);
    void save(SettingsWriter& store) const;

    friend bool operator==(const StationSettings& a, const StationSettings& b) {
        return a.source == b.source && a.locator == b.locator && a.latitude == b.latitude &&
               a.longitude == b.longitude && a.gpsd == b.gpsd && a.units == b.units &&
               a.followRepeater == b.followRepeater;
    }
};

// The settings file's spelling of a source ("none", "locator", "latlon", "gpsd").
QString sourceKey(PositionSource source);

} // namespace tamsel
