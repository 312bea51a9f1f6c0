// SPDX-License-Identifier: GPL-3.0-or-later
// MapMarkers: the map's markers drawn once as images, and stamped many at a time into a frame.
#include "map/MapMarkers.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <system_error>
#include <thread>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tamsel {

namespace {

// A marker drawn once into an image of `side` pixels: `draw` paints it around (0, 0).
QImage sprite(int side, qreal dpr, const std::function<void(QPainter&)>& draw) {
    QImage image(QSize(side, side) * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(side / 2.0, side / 2.0);
    draw(p);
    return image;
}

void drawSymbol(QPainter& p, MapSymbol symbol) {
    switch (symbol) {
    case MapSymbol::Plain:
        p.drawEllipse(QPointF(0, 0), 5, 5);
        break;
    case MapSymbol::Car:
        p.drawRoundedRect(QRectF(-6, -3, 12, 5), 1.5, 1.5);
        p.drawRect(QRectF(-3, -5.5, 6, 3));
        p.drawEllipse(QPointF(-3.5, 3), 1.8, 1.8);
        p.drawEllipse(QPointF(3.5, 3), 1.8, 1.8);
        break;
    case MapSymbol::Truck:
        p.drawRect(QRectF(-6, -5, 8, 8));
        p.drawRect(QRectF(2, -2, 4, 5));
        p.drawEllipse(QPointF(-3.5, 4), 1.8, 1.8);
        p.drawEllipse(QPointF(3.5, 4), 1.8, 1.8);
        break;
    case MapSymbol::House:
        p.drawPolygon(QPolygonF({{-5, 6}, {-5, -1}, {0, -6}, {5, -1}, {5, 6}}));
        break;
    case MapSymbol::Person:
        p.drawEllipse(QPointF(0, -4), 2.5, 2.5);
        p.drawPolygon(QPolygonF({{-4, 6}, {0, -1}, {4, 6}}));
        break;
    case MapSymbol::Bicycle:
        p.drawEllipse(QPointF(-3.5, 2), 2.8, 2.8);
        p.drawEllipse(QPointF(3.5, 2), 2.8, 2.8);
        p.drawPolyline(QPolygonF({{-3.5, 2}, {0, -4}, {3.5, 2}}));
        break;
    case MapSymbol::Boat:
        p.drawPolygon(QPolygonF({{-6, 2}, {6, 2}, {4, 6}, {-4, 6}}));
        p.drawPolygon(QPolygonF({{0, -6}, {0, 1}, {5, 1}}));
        break;
    case MapSymbol::Aircraft:
        p.drawPolygon(QPolygonF({{0, -6},
                                 {1.5, -2},
                                 {6, 1},
                                 {1.5, 0},
                                 {1, 4},
                                 {3, 6},
                                 {-3, 6},
                                 {-1, 4},
                                 {-1.5, 0},
                                 {-6, 1},
                                 {-1.5, -2}}));
        break;
    case MapSymbol::Count:
        break;
    }
}

// Premultiplied pixels over opaque ones: four at a time where the processor has SSE2 (every
// x86-64 one), the same arithmetic as over(), so both give the same bytes.
void overRow(const QRgb* source, QRgb* under, int count) {
    int x = 0;
#if defined(__SSE2__)
    const __m128i lowBytes = _mm_set1_epi32(0x00ff00ff);
    const __m128i half = _mm_set1_epi16(0x80);
    const __m128i full = _mm_set1_epi32(255);
    for (; x + 4 <= count; x += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(under + x));
        __m128i keep = _mm_sub_epi32(full, _mm_srli_epi32(s, 24));
        keep = _mm_or_si128(keep, _mm_slli_epi32(keep, 16));
        __m128i rb = _mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(d, lowBytes), keep), half);
        rb = _mm_srli_epi16(_mm_add_epi16(rb, _mm_srli_epi16(rb, 8)), 8);
        __m128i ag = _mm_add_epi16(_mm_mullo_epi16(_mm_srli_epi16(d, 8), keep), half);
        ag = _mm_slli_epi16(_mm_srli_epi16(_mm_add_epi16(ag, _mm_srli_epi16(ag, 8)), 8), 8);
        const __m128i out = _mm_add_epi8(s, _mm_or_si128(rb, ag));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(under + x), out);
    }
#endif
    for (; x < count; ++x) {
        under[x] = over(source[x], under[x]);
    }
}

} // namespace

Ink Ink::of(const QImage& sprite) {
    const QImage image = sprite.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int x0 = 0, x1 = image.width();
        while (x0 < x1 && qAlpha(line[x0]) == 0) {
            ++x0;
        }
        while (x1 > x0 && qAlpha(line[x1 - 1]) == 0) {
            --x1;
        }
        if (x0 < x1) {
            ink.runs.push_back({static_cast<std::int16_t>(x0), static_cast<std::int16_t>(y),
                                static_cast<std::int16_t>(x1 - x0),
                                static_cast<std::int32_t>(ink.pixels.size())});
            ink.pixels.insert(ink.pixels.end(), line + x0, line + x1);
        }
    }
    return ink;
}

Canvas Canvas::of(QImage& frame) {
    return {reinterpret_cast<QRgb*>(frame.bits()), frame.bytesPerLine() / 4, frame.width(),
            frame.height()};
}

void blendStamps(const Canvas& canvas, std::span<const Stamp> stamps, int rowFrom, int rowTo) {
    rowFrom = std::max(rowFrom, 0);
    rowTo = std::min(rowTo, canvas.height);
    for (const Stamp& stamp : stamps) {
        for (const Ink::Run& run : stamp.ink->runs) {
            const int y = stamp.top + run.y;
            if (y < rowFrom || y >= rowTo) {
                continue;
            }
            const int from = std::max(stamp.left + run.x, 0);
            const int to = std::min(stamp.left + run.x + run.length, canvas.width);
            if (from >= to) {
                continue;
            }
            overRow(stamp.ink->pixels.data() + run.offset + (from - stamp.left - run.x),
                    canvas.bits + y * canvas.stride + from, to - from);
        }
    }
}

void blendStamps(const Canvas& canvas, std::span<const Stamp> stamps) {
    // Below a few hundred stamps a second thread costs more than it saves.
    constexpr std::size_t kWorthASecondThread = 256;
    static const bool twoCores = std::thread::hardware_concurrency() >= 2;
    if (stamps.size() < kWorthASecondThread || canvas.height < 64 || !twoCores) {
        blendStamps(canvas, stamps, 0, canvas.height);
        return;
    }
    // Two bands of rows: each thread blends every stamp, in order, into its own rows only,
    // so the frame comes out as one thread would make it.
    const int middle = canvas.height / 2;
    std::thread lower;
    try {
        lower = std::thread(
            [&canvas, stamps, middle] { blendStamps(canvas, stamps, middle, canvas.height); });
    } catch (const std::system_error&) {
        // No thread to be had (the process is at its limit): the frame is made on this one.
        blendStamps(canvas, stamps, 0, canvas.height);
        return;
    }
    blendStamps(canvas, stamps, 0, middle);
    lower.join();
}

QColor faded(QColor colour) {
    colour.setAlphaF(0.45f);
    return colour;
}

MapMarkers::MapMarkers(const MapColours& colours, qreal dpr) : colours_(colours), dpr_(dpr) {
    const QColor outline = colours.halo;
    constexpr auto kSymbols = static_cast<std::size_t>(MapSymbol::Count);
    for (std::size_t faint = 0; faint < 2; ++faint) {
        for (std::size_t s = 0; s < kSymbols; ++s) {
            stations_[faint * kSymbols + s] = Ink::of(sprite(kSide, dpr, [&](QPainter& p) {
                p.setPen(QPen(faint != 0 ? faded(outline) : outline, 1.2));
                p.setBrush(faint != 0 ? faded(colours.station) : colours.station);
                drawSymbol(p, static_cast<MapSymbol>(s));
            }));
        }
    }
    repeater_ = Ink::of(sprite(kSide, dpr, [&](QPainter& p) {
        p.setPen(QPen(outline, 1.2));
        p.setBrush(colours.repeater);
        p.drawPolygon(QPolygonF({{0, -6}, {5.5, 5}, {-5.5, 5}}));
    }));
    own_ = Ink::of(sprite(kSide, dpr, [&](QPainter& p) {
        p.setPen(QPen(outline, 1.5));
        p.setBrush(colours.own);
        p.drawEllipse(QPointF(0, 0), 6, 6);
        p.setBrush(outline);
        p.drawEllipse(QPointF(0, 0), 1.8, 1.8);
    }));
}

const Ink& MapMarkers::station(MapSymbol symbol, bool faint) const {
    constexpr auto kSymbols = static_cast<std::size_t>(MapSymbol::Count);
    return stations_[(faint ? kSymbols : 0) + static_cast<std::size_t>(symbol)];
}

const Ink& MapMarkers::heading(int course, bool faint) {
    const int degrees = ((course % 360) + 360) % 360;
    std::optional<Ink>& kept = headings_[static_cast<std::size_t>(degrees) + (faint ? 360U : 0U)];
    if (!kept) {
        kept = Ink::of(sprite(headingSide(), dpr_, [&](QPainter& p) {
            p.setPen(QPen(faint ? faded(colours_.station) : colours_.station, 2));
            const double a = degrees * std::numbers::pi / 180;
            p.drawLine(QPointF(0, 0), QPointF(std::sin(a), -std::cos(a)) * kHeading);
        }));
    }
    return *kept;
}

} // namespace tamsel
