// SPDX-License-Identifier: GPL-3.0-or-later
// Mercator: Web Mercator (EPSG:3857), the projection of the map and of the tiles it may show.
#include "map/Mercator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tamsel {

WorldPoint toWorld(const LatLon& p) {
    double lon = std::fmod(p.longitude + 180.0, 360.0);
    if (lon < 0) {
        lon += 360.0;
    }
    if (p.longitude == 180.0) {
        lon = 360.0; // the east edge stays east
    }
    const double lat = std::clamp(p.latitude, -kMercatorLimit, kMercatorLimit);
    const double s = std::sin(lat * std::numbers::pi / 180.0);
    return {lon / 360.0, 0.5 - std::log((1 + s) / (1 - s)) / (4 * std::numbers::pi)};
}

LatLon fromWorld(const WorldPoint& w) {
    const double n = std::numbers::pi * (1 - 2 * w.y);
    return {std::atan(std::sinh(n)) * 180.0 / std::numbers::pi, w.x * 360.0 - 180.0};
}

double worldPixels(int zoom) {
    return std::ldexp(static_cast<double>(kTileSize), zoom);
}

PixelPoint toPixel(const LatLon& p, int zoom) {
    const WorldPoint w = toWorld(p);
    const double size = worldPixels(zoom);
    return {w.x * size, w.y * size};
}

LatLon fromPixel(const PixelPoint& p, int zoom) {
    const double size = worldPixels(zoom);
    return fromWorld({p.x / size, p.y / size});
}

} // namespace tamsel
