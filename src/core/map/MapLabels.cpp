// SPDX-License-Identifier: GPL-3.0-or-later
// MapLabels: which labels the map shows so that none lies on another.
#include "map/MapLabels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tamsel {

std::vector<bool> placeLabels(const std::vector<QRectF>& labels, double cell, const QRectF& frame) {
    std::vector<bool> kept(labels.size(), false);
    auto takesPart = [&frame](const QRectF& r) {
        return !r.isEmpty() && (frame.isNull() || overlaps(frame, r));
    };
    // The grid spans the labels (within the frame); each cell lists the kept labels that
    // reach into it (a chain through `next`, newest first). A label reaching past the grid
    // is filed in its edge cells, which still holds every overlap.
    QRectF span;
    for (const QRectF& r : labels) {
        if (takesPart(r)) {
            span = span.isNull() ? r : span.united(r);
        }
    }
    if (!frame.isNull()) {
        span = span.intersected(frame);
    }
    if (span.isEmpty()) {
        return kept;
    }
    const auto columns = static_cast<long>(std::floor(span.width() / cell)) + 1;
    const auto rows = static_cast<long>(std::floor(span.height() / cell)) + 1;
    std::vector<std::int32_t> head(static_cast<std::size_t>(columns * rows), -1);
    std::vector<std::int32_t> next;
    std::vector<std::uint32_t> owner;
    auto column = [&](double x) {
        return std::clamp(static_cast<long>(std::floor((x - span.left()) / cell)), 0L, columns - 1);
    };
    auto row = [&](double y) {
        return std::clamp(static_cast<long>(std::floor((y - span.top()) / cell)), 0L, rows - 1);
    };
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const QRectF& r = labels[i];
        if (!takesPart(r)) {
            continue;
        }
        const long x0 = column(r.left()), x1 = column(r.right());
        const long y0 = row(r.top()), y1 = row(r.bottom());
        bool free = true;
        for (long cy = y0; free && cy <= y1; ++cy) {
            for (long cx = x0; free && cx <= x1; ++cx) {
                for (std::int32_t e = head[static_cast<std::size_t>(cy * columns + cx)]; e >= 0;
                     e = next[static_cast<std::size_t>(e)]) {
                    if (overlaps(labels[owner[static_cast<std::size_t>(e)]], r)) {
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
        for (long cy = y0; cy <= y1; ++cy) {
            for (long cx = x0; cx <= x1; ++cx) {
                std::int32_t& first = head[static_cast<std::size_t>(cy * columns + cx)];
                next.push_back(first);
                owner.push_back(static_cast<std::uint32_t>(i));
                first = static_cast<std::int32_t>(next.size() - 1);
            }
        }
    }
    return kept;
}

} // namespace tamsel
