// SPDX-License-Identifier: GPL-3.0-or-later
// Clip: the part of a line that lies in the frame, so that nothing is drawn at world size.
#include "map/Clip.h"

#include <algorithm>
#include <array>

namespace tamsel {

namespace {

// Liang-Barsky: the parameters t0 <= t1 of the segment a + t (b - a) inside `frame`, or false.
bool clipSegment(const QPointF& a, const QPointF& b, const QRectF& frame, double& t0, double& t1) {
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const std::array<double, 4> p{-dx, dx, -dy, dy};
    const std::array<double, 4> q{a.x() - frame.left(), frame.right() - a.x(), a.y() - frame.top(),
                                  frame.bottom() - a.y()};
    t0 = 0;
    t1 = 1;
    for (std::size_t i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) {
                return false; // parallel to this edge and outside it
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) {
            return false;
        }
    }
    return true;
}

} // namespace

std::vector<QPolygonF> clipPolyline(const QPolygonF& line, const QRectF& frame) {
    std::vector<QPolygonF> pieces;
    bool open = false; // the last segment ended inside the frame: the next goes on from it
    for (qsizetype i = 0; i + 1 < line.size(); ++i) {
        const QPointF& a = line[i];
        const QPointF& b = line[i + 1];
        double t0 = 0, t1 = 1;
        if (!clipSegment(a, b, frame, t0, t1)) {
            open = false;
            continue;
        }
        const QPointF d = b - a;
        if (!open || t0 > 0) {
            pieces.emplace_back();
            pieces.back() << a + d * t0;
        }
        pieces.back() << a + d * t1;
        open = t1 >= 1;
    }
    return pieces;
}

} // namespace tamsel
