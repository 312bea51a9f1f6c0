// SPDX-License-Identifier: GPL-3.0-or-later
// Geodesy: positions, distance and initial bearing on the WGS84 ellipsoid (GeographicLib).
#pragma once

namespace tamsel {

// A position in decimal degrees, negative south and west.
struct LatLon {
    double latitude = 0;
    double longitude = 0;
    friend bool operator==(const LatLon&, const LatLon&) = default;
};

// True for a latitude in [-90, 90] and a longitude in [-180, 180], both finite.
bool isValidPosition(const LatLon& p);

// The shortest path from one position to another: its length in metres and the initial
// true bearing in degrees, [0, 360).
struct Course {
    double metres = 0;
    double bearing = 0;
};
Course course(const LatLon& from, const LatLon& to);

// A bearing as whole degrees 0-359 (359.6 shows as 0, as a compass would).
int wholeDegrees(double bearing);

} // namespace tamsel
