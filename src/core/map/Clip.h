// SPDX-License-Identifier: GPL-3.0-or-later
// Clip: the part of a line that lies in the frame, so that nothing is drawn at world size.
#pragma once

#include <QPolygonF>
#include <QRectF>
#include <vector>

namespace tamsel {

// The pieces of `line` inside `frame`, each a polyline of its own (a piece ends where the
// line leaves the frame). At a deep zoom a line may be millions of pixels long; what is drawn
// is then never more than the frame's own size.
std::vector<QPolygonF> clipPolyline(const QPolygonF& line, const QRectF& frame);

// A closed ring cut to `frame` (Sutherland-Hodgman): what it fills inside the frame, the same
// as the ring itself would (edges along the frame's sides are added where it leaves it).
QPolygonF clipPolygon(const QPolygonF& ring, const QRectF& frame);

} // namespace tamsel
