// SPDX-License-Identifier: GPL-3.0-or-later
// Mercator: Web Mercator (EPSG:3857), the projection of the map and of the tiles it may show.
#pragma once

#include "station/Geodesy.h"

namespace tamsel {

// A place on the world square: x from 0 (180 degrees west) to 1 (180 degrees east), y from 0
// (85.0511 degrees north) to 1 (as far south), as the slippy-map tiles divide it.
struct WorldPoint {
    double x = 0;
    double y = 0;
    friend bool operator==(const WorldPoint&, const WorldPoint&) = default;
};

// The latitude where the square ends, north and south.
inline constexpr double kMercatorLimit = 85.0511287798066;
// A tile's side in pixels: the world is kTileSize * 2^zoom pixels wide at a zoom.
inline constexpr int kTileSize = 256;

// Latitudes beyond the limit are taken as the limit; longitudes outside [-180, 180] are
// wrapped onto it.
WorldPoint toWorld(const LatLon& p);
LatLon fromWorld(const WorldPoint& w);

// The world's width in pixels at `zoom`.
double worldPixels(int zoom);

// A position as a pixel of the whole world at `zoom` (0 to worldPixels(zoom)), and back.
struct PixelPoint {
    double x = 0;
    double y = 0;
};
PixelPoint toPixel(const LatLon& p, int zoom);
LatLon fromPixel(const PixelPoint& p, int zoom);

} // namespace tamsel

namespace tamsel {

// What a map widget shows: the zoom, and where its top-left corner is on the world at that
// zoom, in pixels; the widget's size.
struct Viewport {
    int zoom = 2;
    double left = 0;
    double top = 0;
    int width = 0;
    int height = 0;

    PixelPoint toScreen(const WorldPoint& w) const {
        const double size = worldPixels(zoom);
        return {w.x * size - left, w.y * size - top};
    }
    WorldPoint toWorld(const PixelPoint& screen) const {
        const double size = worldPixels(zoom);
        return {(screen.x + left) / size, (screen.y + top) / size};
    }
    friend bool operator==(const Viewport&, const Viewport&) = default;
};

} // namespace tamsel
