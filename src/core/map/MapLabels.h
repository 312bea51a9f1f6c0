// SPDX-License-Identifier: GPL-3.0-or-later
// MapLabels: which labels the map shows so that none lies on another.
#pragma once

#include <QRectF>
#include <vector>

namespace tamsel {

// Greedy placement: the labels are taken in the order given (the most important first) and
// each is kept unless it overlaps one kept before it. A grid of buckets keeps this near
// linear for tens of thousands of labels. `cell` is the bucket's side in pixels: about a
// label's size. Labels that do not meet `frame` (when given) get no place, and the grid
// spans no more than the frame, however far off the others lie.
std::vector<bool> placeLabels(const std::vector<QRectF>& labels, double cell = 64,
                              const QRectF& frame = QRectF());

// Whether two rectangles of positive width and height share more than an edge (as
// QRectF::intersects says, without a call into the library for each of thousands).
inline bool overlaps(const QRectF& a, const QRectF& b) {
    return a.left() < b.right() && b.left() < a.right() && a.top() < b.bottom() &&
           b.top() < a.bottom();
}

} // namespace tamsel
