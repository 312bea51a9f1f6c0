// SPDX-License-Identifier: GPL-3.0-or-later
// NearestIndex: the nearest of many positions, by a coarse grid on a sphere first and the
// WGS84 ellipsoid (GeographicLib) for the few candidates left.
#pragma once

#include "station/Geodesy.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tamsel {

class NearestIndex {
public:
    struct Found {
        std::size_t index = 0; // as given to build()
        Course course;         // from the position asked about
    };

    // `points[i]`: the position of item `items[i]`.
    void build(const std::vector<LatLon>& points, const std::vector<std::size_t>& items);
    bool empty() const { return items_.empty(); }
    std::size_t size() const { return items_.size(); }

    // The item nearest to `from` on the ellipsoid; nothing when there is none.
    std::optional<Found> nearest(const LatLon& from) const;

private:
    struct Point {
        double lat, lon; // radians
        double cosLat;   // for the haversine
        LatLon degrees;  // as given, for the ellipsoid
        std::size_t item;
    };
    std::int64_t key(int row, int column) const {
        return static_cast<std::int64_t>(row) * 100000 + column;
    }
    int row(double latDegrees) const;
    int column(double lonDegrees) const;
    double columnsGap(const LatLon& from, int c0, int ring) const;

    double cell_ = 1;   // degrees a side
    int columns_ = 360; // cells around the globe
    int rows_ = 180;
    // The points grouped by cell; the cells' keys in order, and where each cell's points
    // start (one more entry: the end).
    const Point* cell(std::int64_t key, const Point** end) const;
    std::vector<Point> points_;
    std::vector<std::int64_t> keys_;
    std::vector<std::uint32_t> starts_;
    std::vector<std::size_t> items_;
};

} // namespace tamsel
