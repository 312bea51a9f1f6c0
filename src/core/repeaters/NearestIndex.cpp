// SPDX-License-Identifier: GPL-3.0-or-later
// NearestIndex: the nearest of many positions, by a coarse grid on a sphere first and the
// WGS84 ellipsoid (GeographicLib) for the few candidates left.
#include "repeaters/NearestIndex.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace tamsel {

namespace {

constexpr double kRadians = std::numbers::pi / 180;
// The sphere the grid measures on. A geodesic on the WGS84 ellipsoid is within 0.6% of the
// great circle on this sphere, so candidates within kSlack of the best on the sphere hold
// the nearest on the ellipsoid.
constexpr double kEarthRadius = 6371008.8;
constexpr double kSlack = 1.025;
// About this many positions a cell where they are dense; bounded so that a small list still
// has cells of some size and a huge one no finer than about 1 km.
constexpr double kPerCell = 4;
constexpr double kFinest = 0.01;
constexpr double kCoarsest = 5;

// The central angle between two points (haversine), radians.
double angle(double lat1, double lon1, double cos1, double lat2, double lon2, double cos2) {
    const double sLat = std::sin((lat2 - lat1) / 2);
    const double sLon = std::sin((lon2 - lon1) / 2);
    const double h = sLat * sLat + cos1 * cos2 * sLon * sLon;
    return 2 * std::asin(std::min(1.0, std::sqrt(h)));
}

// The least central angle from latitude `lat` (radians) to any point whose longitude differs
// by `gap` radians or more: the distance to the half meridian at that difference, which past
// a quarter of the globe is the distance to the nearer pole.
double beyondMeridian(double lat, double gap) {
    if (gap >= std::numbers::pi / 2) {
        return std::numbers::pi / 2 - std::abs(lat);
    }
    return std::asin(std::min(1.0, std::cos(lat) * std::sin(gap)));
}

} // namespace

// The longitude (radians) between `from` and the nearer edge of the columns within `ring` of
// its own, `c0`. The last column is narrower than the others where the cell does not divide
// 360 degrees, and it lies on either side of the date line.
double NearestIndex::columnsGap(const LatLon& from, int c0, int ring) const {
    const double lastWidth = 360 - (columns_ - 1) * cell_;
    const double narrower = cell_ - lastWidth;
    const int last = columns_ - 1;
    // From the west edge of its own column; 180 degrees east is in the first column when the
    // cell divides the globe.
    double offset = from.longitude + 180 - c0 * cell_;
    if (offset > cell_) {
        offset -= 360;
    }
    const double west = offset + ring * cell_ - (c0 + 1 <= ring ? narrower : 0);
    const double ownWidth = c0 == last ? lastWidth : cell_;
    const int toLast = last - c0;
    const double east =
        ownWidth - offset + ring * cell_ - (toLast >= 1 && toLast <= ring ? narrower : 0);
    return std::min(west, east) * kRadians;
}

int NearestIndex::row(double latDegrees) const {
    return std::clamp(static_cast<int>(std::floor((latDegrees + 90) / cell_)), 0, rows_ - 1);
}

int NearestIndex::column(double lonDegrees) const {
    const int c = static_cast<int>(std::floor((lonDegrees + 180) / cell_));
    return ((c % columns_) + columns_) % columns_;
}

void NearestIndex::build(const std::vector<LatLon>& points, const std::vector<std::size_t>& items) {
    points_.clear();
    keys_.clear();
    starts_.clear();
    items_ = items;
    if (points.empty()) {
        return;
    }
    // The cell's side from how densely the positions lie: the area they cover over how
    // many there are, in the middle half of latitudes and longitudes so that a few far
    // away do not spread the cells over the globe.
    std::vector<double> lats, lons;
    lats.reserve(points.size());
    lons.reserve(points.size());
    for (const LatLon& p : points) {
        lats.push_back(p.latitude);
        lons.push_back(p.longitude);
    }
    const auto quartiles = [](std::vector<double>& v) {
        const auto q1 = v.begin() + static_cast<std::ptrdiff_t>(v.size() / 4);
        const auto q3 = v.begin() + static_cast<std::ptrdiff_t>(v.size() * 3 / 4);
        std::nth_element(v.begin(), q1, v.end());
        const double low = *q1;
        std::nth_element(v.begin(), q3, v.end());
        return std::max(*q3 - low, kFinest);
    };
    const double area = quartiles(lats) * quartiles(lons);
    const double half = static_cast<double>(points.size()) / 2; // within the quartiles
    cell_ = std::clamp(std::sqrt(area * kPerCell / half), kFinest, kCoarsest);
    columns_ = static_cast<int>(std::ceil(360 / cell_));
    rows_ = static_cast<int>(std::ceil(180 / cell_));

    // Sorted by cell: the cell's key above, the point's place below, in one number.
    std::vector<std::uint64_t> keyed;
    keyed.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const auto k =
            static_cast<std::uint64_t>(key(row(points[i].latitude), column(points[i].longitude)));
        keyed.push_back(k << 32 | i);
    }
    std::sort(keyed.begin(), keyed.end());
    points_.reserve(points.size());
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        const auto k = static_cast<std::int64_t>(keyed[i] >> 32);
        const auto at = static_cast<std::size_t>(keyed[i] & 0xFFFFFFFFU);
        const LatLon& p = points[at];
        const double lat = p.latitude * kRadians;
        points_.push_back({lat, p.longitude * kRadians, std::cos(lat), p, at});
        if (keys_.empty() || keys_.back() != k) {
            keys_.push_back(k);
            starts_.push_back(static_cast<std::uint32_t>(i));
        }
    }
    starts_.push_back(static_cast<std::uint32_t>(points_.size()));
}

const NearestIndex::Point* NearestIndex::cell(std::int64_t k, const Point** end) const {
    const auto it = std::lower_bound(keys_.begin(), keys_.end(), k);
    if (it == keys_.end() || *it != k) {
        return nullptr;
    }
    const auto c = static_cast<std::size_t>(it - keys_.begin());
    *end = points_.data() + starts_[c + 1];
    return points_.data() + starts_[c];
}

std::optional<NearestIndex::Found> NearestIndex::nearest(const LatLon& from) const {
    if (points_.empty() || !isValidPosition(from)) {
        return std::nullopt;
    }
    const double lat = from.latitude * kRadians;
    const double lon = from.longitude * kRadians;
    const double cosLat = std::cos(lat);
    const int r0 = row(from.latitude);
    const int c0 = column(from.longitude);

    double best = std::numeric_limits<double>::infinity(); // central angle
    std::vector<std::pair<double, std::uint32_t>> seen;    // (angle, point)
    const auto visit = [&](int r, int c) {
        if (r < 0 || r >= rows_) {
            return;
        }
        const Point* end = nullptr;
        for (const Point* p = cell(key(r, ((c % columns_) + columns_) % columns_), &end);
             p != nullptr && p != end; ++p) {
            const double a = angle(lat, lon, cosLat, p->lat, p->lon, p->cosLat);
            if (a <= best * kSlack) {
                seen.emplace_back(a, static_cast<std::uint32_t>(p - points_.data()));
                best = std::min(best, a);
            }
        }
    };
    const int maxRing = std::max(rows_, columns_ / 2 + 1);
    std::size_t cellsSeen = 0;
    for (int ring = 0; ring <= maxRing; ++ring) {
        if (ring == 0) {
            visit(r0, c0);
        } else {
            for (int dc = -ring; dc <= ring; ++dc) {
                visit(r0 - ring, c0 + dc);
                visit(r0 + ring, c0 + dc);
            }
            for (int dr = -ring + 1; dr <= ring - 1; ++dr) {
                visit(r0 + dr, c0 - ring);
                visit(r0 + dr, c0 + ring);
            }
            if (2 * ring + 1 >= columns_ && r0 - ring < 0 && r0 + ring >= rows_) {
                break; // every cell seen
            }
        }
        // What lies outside the rings seen is at least this far: beyond the rows (the
        // great circle is never shorter than the difference in latitude) or beyond the
        // columns (no nearer than the half meridian at the columns' edge).
        constexpr double kNone = std::numeric_limits<double>::infinity();
        const double south = r0 - ring <= 0 ? kNone : lat - ((r0 - ring) * cell_ - 90) * kRadians;
        const double north =
            r0 + ring >= rows_ - 1 ? kNone : ((r0 + ring + 1) * cell_ - 90) * kRadians - lat;
        const double beyondColumns =
            2 * ring + 1 >= columns_ ? kNone : beyondMeridian(lat, columnsGap(from, c0, ring));
        const double bound = std::min({south, north, beyondColumns});
        if (std::isfinite(best) && bound > best * kSlack) {
            break;
        }
        cellsSeen += 8 * static_cast<std::size_t>(ring) + 1;
        if (cellsSeen > points_.size()) {
            // Far from every position (a list of another continent): all of them are fewer
            // than the cells still to look at.
            seen.clear();
            best = std::numeric_limits<double>::infinity();
            for (std::uint32_t i = 0; i < points_.size(); ++i) {
                const Point& p = points_[i];
                const double a = angle(lat, lon, cosLat, p.lat, p.lon, p.cosLat);
                if (a <= best * kSlack) {
                    seen.emplace_back(a, i);
                    best = std::min(best, a);
                }
            }
            break;
        }
    }
    if (seen.empty()) {
        return std::nullopt;
    }
    // The candidates near enough on the sphere, measured on the ellipsoid.
    std::optional<Found> found;
    for (const auto& [a, i] : seen) {
        if (a > best * kSlack) {
            continue;
        }
        const Point& p = points_[i];
        const Course c = course(from, p.degrees);
        if (!found || c.metres < found->course.metres) {
            found = Found{items_[p.item], c};
        }
    }
    return found;
}

} // namespace tamsel
