// SPDX-License-Identifier: GPL-3.0-or-later
// Geodesy: positions, distance and initial bearing on the WGS84 ellipsoid (GeographicLib).
#pragma once

#include "base/LatLon.h"

namespace tamsel {

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
