// SPDX-License-Identifier: GPL-3.0-or-later
// MapData: the shapes of the offline world map as its data file holds them.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tamsel {

// Countries (filled as land, outlined as borders) and coastlines, pre-projected to Web
// Mercator in units of which the world square is kUnits wide, each shape with its bounding
// box so a frame touches only what it shows.
struct MapData {
    static constexpr std::int32_t kUnits = 1 << 24;
    enum Layer : std::uint8_t { Country = 0, Coastline = 1 };
    struct Point {
        std::int32_t x, y;
    };
    struct Shape {
        Layer layer;
        std::int32_t minX, minY, maxX, maxY;
        std::uint32_t firstRing, rings;
    };
    std::vector<Shape> shapes;
    std::vector<std::uint32_t> ringStart; // into points; one more than there are rings
    std::vector<Point> points;
};

// The map of a data file as data/make-map-data.sh writes it; nothing when it is damaged.
std::optional<MapData> readMapData(std::string_view file);

} // namespace tamsel
