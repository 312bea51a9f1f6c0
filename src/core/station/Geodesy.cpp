// SPDX-License-Identifier: GPL-3.0-or-later
// Geodesy: positions, distance and initial bearing on the WGS84 ellipsoid (GeographicLib).
#include "station/Geodesy.h"

#include <GeographicLib/Geodesic.hpp>
#include <cmath>

namespace tamsel {

Course course(const LatLon& from, const LatLon& to) {
    Course c;
    double arrival = 0;
    GeographicLib::Geodesic::WGS84().Inverse(from.latitude, from.longitude, to.latitude,
                                             to.longitude, c.metres, c.bearing, arrival);
    // GeographicLib gives azimuths in [-180, 180].
    if (c.bearing < 0) {
        c.bearing += 360;
    }
    if (c.bearing >= 360) {
        c.bearing -= 360;
    }
    return c;
}

int wholeDegrees(double bearing) {
    const long rounded = std::lround(bearing);
    return static_cast<int>(((rounded % 360) + 360) % 360);
}

} // namespace tamsel
