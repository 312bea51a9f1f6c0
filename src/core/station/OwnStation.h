// SPDX-License-Identifier: GPL-3.0-or-later
// OwnStation: the console's own position and units, from the station settings and gpsd.
#pragma once

#include "station/Geodesy.h"
#include "station/GpsdClient.h"
#include "station/StationSettings.h"

#include <QObject>
#include <QString>
#include <optional>

namespace tamsel {

// Where the console is, as the station settings say: a locator's centre, a latitude and
// longitude, gpsd's live fix, or nowhere. Whatever shows a distance or a bearing reads
// position() when positionChanged() says so, and the units when unitsChanged() says so.
class OwnStation : public QObject {
    Q_OBJECT
public:
    static inline constexpr QLatin1String kNoFix{"no fix"};
    static inline constexpr QLatin1String kNotReachable{"gpsd not reachable"};

    explicit OwnStation(QObject* parent = nullptr);

    // Takes new settings; gpsd is connected, reconnected or left as they require.
    void configure(const StationSettings& settings);
    const StationSettings& settings() const { return settings_; }

    // Nothing when no source is chosen, or gpsd has no current fix.
    std::optional<LatLon> position() const { return position_; }
    Units units() const { return settings_.units; }
    // Empty, or with gpsd as the source and no position: "no fix", "gpsd not reachable", or
    // "last fix 48.14583, 11.62500 (stale)" when gpsd's fix is no longer current.
    QString status() const { return status_; }

    GpsdClient& gpsd() { return gpsd_; }

signals:
    // position() or status() changed.
    void positionChanged();
    void unitsChanged(tamsel::Units units);

private:
    void follow();

    StationSettings settings_;
    GpsdClient gpsd_;
    std::optional<LatLon> position_;
    QString status_;
};

} // namespace tamsel
