// SPDX-License-Identifier: GPL-3.0-or-later
// MapStations: the stations and repeaters the map shows, with the tracks of the stations.
#include "map/MapStations.h"

#include "base/LatLon.h"

#include <algorithm>

namespace tamsel {

MapSymbol mapSymbol(const std::string& aprsSymbol) {
    // The primary table's common ones; the alternate table's overlays are too many to draw.
    if (aprsSymbol.size() != 2 || aprsSymbol[0] != '/') {
        return MapSymbol::Plain;
    }
    switch (aprsSymbol[1]) {
    case '>':
    case 'j':
    case 'v':
    case 'R':
        return MapSymbol::Car;
    case 'k':
    case 'u':
        return MapSymbol::Truck;
    case '-':
        return MapSymbol::House;
    case '[':
        return MapSymbol::Person;
    case 'b':
    case '<':
        return MapSymbol::Bicycle;
    case 's':
    case 'Y':
        return MapSymbol::Boat;
    case '\'':
    case '^':
        return MapSymbol::Aircraft;
    default:
        return MapSymbol::Plain;
    }
}

std::optional<std::size_t> MapStations::note(const HeardStation& station) {
    if (!station.position ||
        !isValidPosition({station.position->latitude, station.position->longitude})) {
        return std::nullopt;
    }
    const WorldPoint at = toWorld({station.position->latitude, station.position->longitude});
    auto [found, added] = index_.try_emplace(station.callsign, stations_.size());
    if (added) {
        stations_.push_back({station, at, {}, ++heard_, mapSymbol(station.position->symbol)});
        stations_.back().track.push_back({station.utcStart, at});
        byHearing_.push_back(static_cast<std::uint32_t>(found->second));
        return found->second;
    }
    Station& s = stations_[found->second];
    if (s.heard.utcStart != station.utcStart || s.heard.count != station.count) {
        s.sequence = ++heard_;
        const auto i = static_cast<std::uint32_t>(found->second);
        const auto was = std::find(byHearing_.begin(), byHearing_.end(), i);
        std::rotate(was, was + 1, byHearing_.end()); // to the newest end
    }
    s.heard = station;
    s.at = at;
    s.symbol = mapSymbol(station.position->symbol);
    if (s.track.empty() || !(s.track.back().at == at)) {
        s.track.push_back({station.utcStart, at});
    }
    const auto since = station.utcStart - kTrackSpan;
    const auto old = std::find_if(s.track.begin(), s.track.end(),
                                  [since](const TrackPoint& p) { return p.when >= since; });
    s.track.erase(s.track.begin(), old);
    return found->second;
}

std::optional<std::size_t> MapStations::indexOf(const std::string& callsign) const {
    const auto found = index_.find(callsign);
    return found == index_.end() ? std::nullopt : std::optional(found->second);
}

std::vector<WorldPoint> MapStations::recentTrack(std::size_t i, Clock::time_point now) const {
    std::vector<WorldPoint> points;
    for (const TrackPoint& p : stations_[i].track) {
        if (p.when >= now - kTrackSpan) {
            points.push_back(p.at);
        }
    }
    if (points.size() < 2) {
        points.clear(); // where it is now alone is no track
    }
    return points;
}

bool MapStations::faint(std::size_t i, Clock::time_point now) const {
    return stations_[i].heard.utcStart < now - kFaintAfter;
}

void MapStations::setRepeaters(std::vector<MapRepeater> repeaters) {
    repeaters_ = std::move(repeaters);
    repeaterAt_.clear();
    repeaterAt_.reserve(repeaters_.size());
    for (const MapRepeater& r : repeaters_) {
        if (r.position && isValidPosition(*r.position)) {
            repeaterAt_.push_back(toWorld(*r.position));
        } else {
            repeaterAt_.push_back(std::nullopt);
        }
    }
}

std::optional<std::size_t> MapStations::repeaterIndexOf(const QString& callsign) const {
    for (std::size_t i = 0; i < repeaters_.size(); ++i) {
        if (repeaters_[i].callsign == callsign) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace tamsel
