// SPDX-License-Identifier: GPL-3.0-or-later
// LatLon: a position on the globe, and whether it is one: the one check for every position
// the console takes, a station's, a repeater's or its own.
#pragma once

#include <cmath>

namespace tamsel {

// A position in decimal degrees, negative south and west.
struct LatLon {
    double latitude = 0;
    double longitude = 0;
    friend bool operator==(const LatLon&, const LatLon&) = default;
};

// True for a latitude in [-90, 90] and a longitude in [-180, 180], both finite.
inline bool isValidPosition(const LatLon& p) {
    return std::isfinite(p.latitude) && std::isfinite(p.longitude) && std::abs(p.latitude) <= 90 &&
           std::abs(p.longitude) <= 180;
}

} // namespace tamsel
