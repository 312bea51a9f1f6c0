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

QPolygonF clipPolygon(const QPolygonF& ring, const QRectF& frame) {
    if (frame.contains(ring.boundingRect())) {
        return ring;
    }
    // One side of the frame at a time: `inside` tells the side's inner half, `cut` where an
    // edge crosses it.
    struct Side {
        bool (*inside)(const QPointF&, const QRectF&);
        QPointF (*cut)(const QPointF&, const QPointF&, const QRectF&);
    };
    static constexpr std::array<Side, 4> sides{{
        {[](const QPointF& p, const QRectF& f) { return p.x() >= f.left(); },
         [](const QPointF& a, const QPointF& b, const QRectF& f) {
             const double t = (f.left() - a.x()) / (b.x() - a.x());
             return QPointF(f.left(), a.y() + t * (b.y() - a.y()));
         }},
        {[](const QPointF& p, const QRectF& f) { return p.x() <= f.right(); },
         [](const QPointF& a, const QPointF& b, const QRectF& f) {
             const double t = (f.right() - a.x()) / (b.x() - a.x());
             return QPointF(f.right(), a.y() + t * (b.y() - a.y()));
         }},
        {[](const QPointF& p, const QRectF& f) { return p.y() >= f.top(); },
         [](const QPointF& a, const QPointF& b, const QRectF& f) {
             const double t = (f.top() - a.y()) / (b.y() - a.y());
             return QPointF(a.x() + t * (b.x() - a.x()), f.top());
         }},
        {[](const QPointF& p, const QRectF& f) { return p.y() <= f.bottom(); },
         [](const QPointF& a, const QPointF& b, const QRectF& f) {
             const double t = (f.bottom() - a.y()) / (b.y() - a.y());
             return QPointF(a.x() + t * (b.x() - a.x()), f.bottom());
         }},
    }};
    QPolygonF in = ring;
    QPolygonF out;
    for (const Side& side : sides) {
        out.clear();
        for (qsizetype i = 0; i < in.size(); ++i) {
            const QPointF& a = in[(i + in.size() - 1) % in.size()];
            const QPointF& b = in[i];
            const bool aIn = side.inside(a, frame), bIn = side.inside(b, frame);
            if (bIn) {
                if (!aIn) {
                    out << side.cut(a, b, frame);
                }
                out << b;
            } else if (aIn) {
                out << side.cut(a, b, frame);
            }
        }
        std::swap(in, out);
        if (in.isEmpty()) {
            break;
        }
    }
    return in;
}

} // namespace tamsel
