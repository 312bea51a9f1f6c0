// SPDX-License-Identifier: GPL-3.0-or-later
// MapData: the shapes of the offline world map as its data file holds them.
#include "map/MapData.h"

#include "base/LittleEndian.h"

#include <algorithm>

namespace tamsel {

std::optional<MapData> readMapData(std::string_view file) {
    MapData map;
    LittleEndianReader r(file);
    r.expect("TSLMAP01");
    const std::uint32_t shapes = r.u32();
    // Every count is checked against the bytes left, so a damaged file cannot ask for more:
    // a shape takes at least its layer and its count of rings, a ring its count of points.
    if (!r.fits(shapes, 5)) {
        return std::nullopt;
    }
    for (std::uint32_t s = 0; s < shapes; ++s) {
        const std::uint8_t layer = r.u8();
        const std::uint32_t rings = r.u32();
        if (layer > MapData::Coastline || !r.fits(rings, 4)) {
            return std::nullopt;
        }
        MapData::Shape shape{static_cast<MapData::Layer>(layer),
                             MapData::kUnits,
                             MapData::kUnits,
                             0,
                             0,
                             static_cast<std::uint32_t>(map.ringStart.size()),
                             rings};
        for (std::uint32_t i = 0; i < rings; ++i) {
            const std::uint32_t n = r.u32();
            if (!r.fits(n, 8)) {
                return std::nullopt;
            }
            map.ringStart.push_back(static_cast<std::uint32_t>(map.points.size()));
            for (std::uint32_t k = 0; k < n; ++k) {
                const MapData::Point p{r.i32(), r.i32()};
                shape.minX = std::min(shape.minX, p.x);
                shape.minY = std::min(shape.minY, p.y);
                shape.maxX = std::max(shape.maxX, p.x);
                shape.maxY = std::max(shape.maxY, p.y);
                map.points.push_back(p);
            }
        }
        map.shapes.push_back(shape);
    }
    if (!r.done()) {
        return std::nullopt;
    }
    map.ringStart.push_back(static_cast<std::uint32_t>(map.points.size()));
    return map;
}

} // namespace tamsel
