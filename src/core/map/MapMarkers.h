// SPDX-License-Identifier: GPL-3.0-or-later
// MapMarkers: the map's markers drawn once as images, and stamped many at a time into a frame.
#pragma once

#include "map/BaseMap.h"
#include "map/MapStations.h"

#include <QImage>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tamsel {

// A marker image as a frame takes it: each row's pixels from its first ink to its last
// (premultiplied). Blending only these is what makes thousands of markers cheap.
struct Ink {
    struct Run {
        std::int16_t x, y, length;
        std::int32_t offset; // into pixels
    };
    std::vector<Run> runs;
    std::vector<QRgb> pixels;
    static Ink of(const QImage& sprite);
};

// An ink at a device pixel of the frame (its top-left corner).
struct Stamp {
    const Ink* ink;
    int left, top;
};

// The pixels of an opaque frame (QImage::Format_RGB32) as the stamps are blended into them.
struct Canvas {
    QRgb* bits;
    qsizetype stride; // in pixels
    int width, height;
    static Canvas of(QImage& frame);
};

// Premultiplied `source` over the opaque `under`: each channel of `under` times
// (255 - alpha) / 255, rounded, two channels at a time.
inline QRgb over(QRgb source, QRgb under) {
    const std::uint32_t keep = 255 - qAlpha(source);
    std::uint32_t rb = (under & 0xff00ff) * keep + 0x800080;
    rb = ((rb + ((rb >> 8) & 0xff00ff)) >> 8) & 0xff00ff;
    std::uint32_t ag = ((under >> 8) & 0xff00ff) * keep + 0x800080;
    ag = (ag + ((ag >> 8) & 0xff00ff)) & 0xff00ff00;
    return source + rb + ag;
}

// Blends the stamps, in order, into the rows [rowFrom, rowTo) of the canvas; the rest of each
// stamp is left out. Bands that do not overlap may be blended at once on different threads.
void blendStamps(const Canvas& canvas, std::span<const Stamp> stamps, int rowFrom, int rowTo);

// The same over the whole canvas, on two threads where the machine has the cores.
void blendStamps(const Canvas& canvas, std::span<const Stamp> stamps);

// The markers of one look (colours and device pixel ratio): the station symbols, normal and
// faint, a repeater, your position, and the line in a moving station's direction for each
// whole degree (made the first time a course needs it).
class MapMarkers {
public:
    static constexpr int kSide = 14;       // a marker's box, in pixels
    static constexpr double kHeading = 20; // the line in a station's direction, in pixels

    MapMarkers() = default;
    MapMarkers(const MapColours& colours, qreal dpr);

    const Ink& station(MapSymbol symbol, bool faint) const;
    const Ink& repeater() const { return repeater_; }
    const Ink& own() const { return own_; }
    qreal dpr() const { return dpr_; }
    // The line from a marker's centre towards `course` (degrees, 0 north), kHeading long.
    const Ink& heading(int course, bool faint);
    // The side of the heading's box, in pixels: it is stamped centred on the marker.
    static constexpr int headingSide() { return 2 * (static_cast<int>(kHeading) + 3); }

private:
    MapColours colours_;
    qreal dpr_ = 1;
    std::array<Ink, static_cast<std::size_t>(MapSymbol::Count) * 2> stations_; // normal, faint
    Ink repeater_, own_;
    std::array<std::optional<Ink>, 360 * 2> headings_;
};

// Seen fainter: a station heard long ago, its track.
QColor faded(QColor colour);

} // namespace tamsel
