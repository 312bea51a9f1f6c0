// SPDX-License-Identifier: GPL-3.0-or-later
// MapStations: the stations and repeaters the map shows, with the tracks of the stations.
#pragma once

#include "map/Mercator.h"
#include "monitor/HeardList.h"

#include <QString>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tamsel {

// A repeater as the map shows it: its callsign, its name, and where it is when known.
struct MapRepeater {
    QString callsign;
    QString name;
    std::optional<LatLon> position;
};

// What a station's marker shows, from its D-PRS symbol.
enum class MapSymbol { Plain, Car, Truck, House, Person, Bicycle, Boat, Aircraft, Count };
MapSymbol mapSymbol(const std::string& aprsSymbol);

// Every heard station that sent a position: the last of what was heard of it, where it is
// on the world, and where it was in the last hour (its track). Stations keep their index
// for as long as the map lives; a station heard again moves to the newest end of the order
// of hearing.
class MapStations {
public:
    using Clock = std::chrono::system_clock;
    static constexpr std::chrono::hours kTrackSpan{1};
    static constexpr std::chrono::minutes kFaintAfter{30};

    struct TrackPoint {
        Clock::time_point when;
        WorldPoint at;
    };
    struct Station {
        HeardStation heard;
        WorldPoint at;
        std::vector<TrackPoint> track; // oldest first, the last one where it is now
        std::uint64_t sequence = 0;    // larger: heard more recently
        MapSymbol symbol = MapSymbol::Plain;
    };

    // Takes a station as it is now known. One without a position is not on the map; a new
    // position is added to its track, and points more than kTrackSpan older than its last
    // reception are let go. Returns its index, or nothing.
    std::optional<std::size_t> note(const HeardStation& station);

    const std::vector<Station>& stations() const { return stations_; }
    std::optional<std::size_t> indexOf(const std::string& callsign) const;
    // The stations' indices in the order of their sequence: the one heard longest ago first.
    const std::vector<std::uint32_t>& byHearing() const { return byHearing_; }

    // The track of station `i` to draw at `now`: its points of the last kTrackSpan.
    std::vector<WorldPoint> recentTrack(std::size_t i, Clock::time_point now) const;
    // Heard more than kFaintAfter before `now`.
    bool faint(std::size_t i, Clock::time_point now) const;

    void setRepeaters(std::vector<MapRepeater> repeaters);
    const std::vector<MapRepeater>& repeaters() const { return repeaters_; }
    // Where each repeater is on the world (nothing for one without a position).
    const std::vector<std::optional<WorldPoint>>& repeaterPoints() const { return repeaterAt_; }
    std::optional<std::size_t> repeaterIndexOf(const QString& callsign) const;

private:
    std::vector<Station> stations_;
    std::unordered_map<std::string, std::size_t> index_;
    std::vector<std::uint32_t> byHearing_;
    std::uint64_t heard_ = 0;
    std::vector<MapRepeater> repeaters_;
    std::vector<std::optional<WorldPoint>> repeaterAt_;
};

} // namespace tamsel
