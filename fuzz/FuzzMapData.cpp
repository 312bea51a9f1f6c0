// SPDX-License-Identifier: GPL-3.0-or-later
// The offline map's data file read from arbitrary bytes: nothing larger than the bytes allow,
// and every shape's rings and points within what was read.
#include "map/MapData.h"

#include <cstdlib>

using namespace tamsel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto map = readMapData(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!map) {
        return 0;
    }
    if (map->points.size() > size / 8 || map->ringStart.empty() ||
        map->ringStart.back() != map->points.size()) {
        std::abort();
    }
    for (std::size_t i = 0; i + 1 < map->ringStart.size(); ++i) {
        if (map->ringStart[i] > map->ringStart[i + 1]) {
            std::abort();
        }
    }
    for (const MapData::Shape& s : map->shapes) {
        if (s.layer > MapData::Coastline ||
            std::uint64_t{s.firstRing} + s.rings > map->ringStart.size() - 1) {
            std::abort();
        }
    }
    return 0;
}
