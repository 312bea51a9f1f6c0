// SPDX-License-Identifier: GPL-3.0-or-later
// MapLabels: which labels the map shows so that none lies on another.
#include "map/MapLabels.h"

#include <cmath>
#include <unordered_map>

namespace tamsel {

std::vector<bool> placeLabels(const std::vector<QRectF>& labels, double cell) {
    std::vector<bool> kept(labels.size(), false);
    std::unordered_map<long long, std::vector<std::size_t>> buckets;
    auto key = [](long long cx, long long cy) { return (cx << 32) ^ (cy & 0xffffffff); };
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const QRectF& r = labels[i];
        if (r.isEmpty()) {
            continue;
        }
        const auto x0 = static_cast<long long>(std::floor(r.left() / cell));
        const auto x1 = static_cast<long long>(std::floor(r.right() / cell));
        const auto y0 = static_cast<long long>(std::floor(r.top() / cell));
        const auto y1 = static_cast<long long>(std::floor(r.bottom() / cell));
        bool free = true;
        for (long long cx = x0; free && cx <= x1; ++cx) {
            for (long long cy = y0; free && cy <= y1; ++cy) {
                const auto found = buckets.find(key(cx, cy));
                if (found == buckets.end()) {
                    continue;
                }
                for (const std::size_t other : found->second) {
                    if (labels[other].intersects(r)) {
                        free = false;
                        break;
                    }
                }
            }
        }
        if (!free) {
            continue;
        }
        kept[i] = true;
        for (long long cx = x0; cx <= x1; ++cx) {
            for (long long cy = y0; cy <= y1; ++cy) {
                buckets[key(cx, cy)].push_back(i);
            }
        }
    }
    return kept;
}

} // namespace tamsel
