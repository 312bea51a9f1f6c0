// SPDX-License-Identifier: GPL-3.0-or-later
// MapView's drawing: the base map, tiles, tracks, markers, labels and the great-circle line.
#include "map/MapView.h"

#include "map/Clip.h"
#include "map/MapLabels.h"
#include "map/MapMarkers.h"
#include "map/MapViewParts.h"
#include "map/Tiles.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>
#include <QLabel>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace tamsel {

using mapview::kPick;
using mapview::kSprite;

const QImage& MapView::baseImage() {
    if (base_ == nullptr && baseSource_) {
        base_ = std::exchange(baseSource_, nullptr)();
    }
    const Viewport view = viewport();
    const bool isDark = dark();
    const std::uint64_t tiles = tiles_ != nullptr ? tiles_->generation() : 0;
    const qreal dpr = devicePixelRatioF();
    if (baseCache_.isNull() || !(cachedView_ == view) || cachedDark_ != isDark ||
        cachedTiles_ != tiles || baseCache_.devicePixelRatio() != dpr) {
        // Opaque, so that a frame copies it rather than blends it.
        baseCache_ = QImage(QSize(std::max(1, view.width), std::max(1, view.height)) * dpr,
                            QImage::Format_RGB32);
        baseCache_.setDevicePixelRatio(dpr);
        QPainter p(&baseCache_);
        if (base_ != nullptr) {
            base_->render(p, view, colours_);
        } else {
            p.fillRect(QRectF(0, 0, view.width, view.height), colours_.sea);
        }
        if (tiles_ != nullptr) {
            tiles_->draw(p, view);
        }
        cachedView_ = view;
        cachedDark_ = isDark;
        cachedTiles_ = tiles_ != nullptr ? tiles_->generation() : 0;
    }
    return baseCache_;
}

void MapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    onScreen_ = true;
    paintFrame(painter);
    onScreen_ = false;
    const bool showing = tiles_ != nullptr && tiles_->showing();
    if (attribution_->isVisibleTo(this) != showing) {
        attribution_->setVisible(showing);
        placeAttribution();
    }
}

void MapView::placeAttribution() {
    attribution_->adjustSize();
    attribution_->move(width() - attribution_->width(), height() - attribution_->height());
}

QImage MapView::renderImage(bool markers) {
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    paintFrame(painter, markers);
    return image;
}

void MapView::paintFrame(QPainter& painter, bool markers) {
    const QImage& base = baseImage();
    if (!markers) {
        painter.drawImage(QPointF(0, 0), base);
        drawAttribution(painter);
        drawnLabels_.clear();
        return;
    }
    // The frame is made in an image of its own: the markers are many, and blending them
    // straight into it costs a fraction of a painter's call each.
    if (frame_.size() != base.size()) {
        frame_ = QImage(base.size(), QImage::Format_RGB32);
    }
    std::memcpy(frame_.bits(), base.constBits(), static_cast<std::size_t>(base.sizeInBytes()));
    frame_.setDevicePixelRatio(base.devicePixelRatio());
    drawMarkers();
    painter.drawImage(QPointF(0, 0), frame_);
}

void MapView::drawAttribution(QPainter& painter) {
    // On screen the label shows it; an image made of the map carries it drawn.
    if (onScreen_ || tiles_ == nullptr || !tiles_->showing()) {
        return;
    }
    const QString note = TileLayer::attribution();
    const QFontMetrics fm(font());
    const QRect box(width() - fm.horizontalAdvance(note) - 8, height() - fm.height() - 4,
                    fm.horizontalAdvance(note) + 8, fm.height() + 4);
    painter.fillRect(box,
                     QColor(colours_.halo.red(), colours_.halo.green(), colours_.halo.blue(), 200));
    painter.setPen(colours_.text);
    painter.drawText(box, Qt::AlignCenter, note);
}

void MapView::drawMarkers() {
    const Viewport view = viewport();
    const qreal dpr = frame_.devicePixelRatio();
    const QRectF area = QRectF(rect()).adjusted(-kSprite, -kSprite, kSprite, kSprite);
    const auto now = this->now();
    const auto& all = stations_.stations();
    const int n = static_cast<int>(all.size());
    // Items in view with their places, stations in the order they were heard.
    if (markers_ == nullptr || markers_->dpr() != dpr) {
        markers_ = std::make_unique<MapMarkers>(colours_, dpr);
    }
    std::vector<std::pair<int, QPointF>> shown;
    shown.reserve(all.size() + placedRepeaters_.size());
    for (int i = 0; i < n; ++i) {
        const WorldPoint& w = all[static_cast<std::size_t>(i)].at;
        const PixelPoint p = view.toScreen(w);
        const QPointF at(p.x, p.y);
        if (area.contains(at)) {
            shown.emplace_back(i, at);
        }
    }
    const std::size_t stationsShown = shown.size();
    for (std::size_t r = 0; r < placedRepeaters_.size(); ++r) {
        const WorldPoint& w = *stations_.repeaterPoints()[placedRepeaters_[r]];
        const PixelPoint p = view.toScreen(w);
        const QPointF at(p.x, p.y);
        if (area.contains(at)) {
            shown.emplace_back(n + static_cast<int>(r), at);
        }
    }

    // Tracks and the great-circle line under the markers.
    QPainter painter(&frame_);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (std::size_t k = 0; k < stationsShown; ++k) {
        const auto i = static_cast<std::size_t>(shown[k].first);
        if (all[i].track.size() < 2) {
            continue;
        }
        const std::vector<WorldPoint> track = stations_.recentTrack(i, now);
        if (track.empty()) {
            continue;
        }
        QPolygonF line;
        for (const WorldPoint& w : track) {
            const PixelPoint p = view.toScreen(w);
            line << QPointF(p.x, p.y);
        }
        painter.setPen(QPen(faded(colours_.station), 2));
        drawClipped(painter, line);
    }
    drawGreatCircle(painter, view);
    painter.end();

    // Repeaters, then stations (the one heard first at the bottom), then your own position,
    // then the lines in the direction of the stations that move.
    std::vector<Stamp> stamps;
    stamps.reserve(shown.size() + stationsShown / 2 + 1);
    auto stamp = [&stamps, dpr](const Ink& ink, const QPointF& centre, int side) {
        stamps.push_back({&ink, static_cast<int>(std::lround((centre.x() - side / 2.0) * dpr)),
                          static_cast<int>(std::lround((centre.y() - side / 2.0) * dpr))});
    };
    for (std::size_t k = stationsShown; k < shown.size(); ++k) {
        stamp(markers_->repeater(), shown[k].second, kSprite);
    }
    std::vector<bool> faint(stationsShown);
    for (std::size_t k = 0; k < stationsShown; ++k) {
        const auto i = static_cast<std::size_t>(shown[k].first);
        faint[k] = stations_.faint(i, now);
        stamp(markers_->station(all[i].symbol, faint[k]), shown[k].second, kSprite);
    }
    if (own_) {
        stamp(markers_->own(), toScreen(*own_), kSprite);
    }
    for (const bool fainter : {true, false}) { // the faint ones under the others
        for (std::size_t k = 0; k < stationsShown; ++k) {
            const Position& p = *all[static_cast<std::size_t>(shown[k].first)].heard.position;
            if (faint[k] != fainter || !p.course || !p.speedKnots || *p.speedKnots < 1) {
                continue;
            }
            stamp(markers_->heading(*p.course, fainter), shown[k].second,
                  MapMarkers::headingSide());
        }
    }
    blendStamps(Canvas::of(frame_), stamps);

    painter.begin(&frame_);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (selected_ >= 0) {
        const QRect r = itemRect(selected_);
        painter.setPen(QPen(colours_.selection, 2.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(r).adjusted(-4, -4, 4, 4));
    }
    drawLabels(painter, shown);
    drawAttribution(painter);
}

void MapView::drawGreatCircle(QPainter& painter, const Viewport& view) {
    const auto there = itemPosition(selected_);
    if (!own_ || !there) {
        return;
    }
    const GeographicLib::Geodesic& g = GeographicLib::Geodesic::WGS84();
    const GeographicLib::GeodesicLine line =
        g.InverseLine(own_->latitude, own_->longitude, there->latitude, there->longitude);
    const double size = worldPixels(view.zoom);
    constexpr int kSteps = 128;
    QPolygonF part;
    double lastX = 0;
    painter.setPen(QPen(colours_.selection, 2, Qt::DashLine));
    auto draw = [&] {
        drawClipped(painter, part);
        part.clear();
    };
    for (int i = 0; i <= kSteps; ++i) {
        double lat = 0, lon = 0;
        line.Position(line.Distance() * i / kSteps, lat, lon);
        const PixelPoint p = view.toScreen(toWorld({lat, lon}));
        const QPointF at(p.x, p.y);
        // Across 180 degrees the line goes on at the other side of the world.
        if (!part.isEmpty() && std::abs(at.x() - lastX) > size / 2) {
            draw();
        }
        part << at;
        lastX = at.x();
    }
    draw();
}

void MapView::drawClipped(QPainter& painter, const QPolygonF& line) {
    // Only the part in the frame (and a pen's width around it) is drawn: a line in world
    // pixels at a deep zoom would make the painter dash and fill millions of pixels.
    const QRectF frame = QRectF(rect()).adjusted(-4, -4, 4, 4);
    for (const QPolygonF& piece : clipPolyline(line, frame)) {
        painter.drawPolyline(piece);
    }
}

int MapView::labelWidth(int item) {
    const int n = stationCount();
    int& w = isStation(item) ? stationWidths_[static_cast<std::size_t>(item)]
                             : repeaterWidths_[static_cast<std::size_t>(item - n)];
    if (w < 0) {
        w = QFontMetrics(font()).horizontalAdvance(itemCallsign(item)) + 4;
    }
    return w;
}

const QImage& MapView::labelImage(const QString& text, bool repeater) {
    const QString key = (repeater ? QLatin1Char('R') : QLatin1Char('S')) + text;
    if (QImage* kept = labels_.object(key)) {
        return *kept;
    }
    const QFontMetrics fm(font());
    const qreal dpr = devicePixelRatioF();
    auto* image = new QImage(QSize(fm.horizontalAdvance(text) + 4, fm.height() + 2) * dpr,
                             QImage::Format_ARGB32_Premultiplied);
    image->setDevicePixelRatio(dpr);
    image->fill(Qt::transparent);
    QPainter p(image);
    p.setFont(font());
    p.setPen(colours_.halo);
    const QPointF base(2, 1 + fm.ascent());
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            if (dx != 0 || dy != 0) {
                p.drawText(base + QPointF(dx, dy), text);
            }
        }
    }
    p.setPen(repeater ? colours_.repeater : colours_.text);
    p.drawText(base, text);
    p.end();
    labels_.insert(key, image);
    return *labels_.object(key);
}

void MapView::drawLabels(QPainter& painter, const std::vector<std::pair<int, QPointF>>& shown) {
    drawnLabels_.clear();
    // The selected first, then stations newest first, then the repeaters.
    const int n = static_cast<int>(stations_.stations().size());
    std::vector<std::int32_t> shownAs(static_cast<std::size_t>(n),
                                      -1); // a station's index in shown
    std::vector<std::uint32_t> ranked;     // indices into shown
    ranked.reserve(shown.size());
    for (std::size_t k = 0; k < shown.size(); ++k) {
        const int item = shown[k].first;
        if (item == selected_) {
            ranked.insert(ranked.begin(), static_cast<std::uint32_t>(k));
        } else if (item < n) {
            shownAs[static_cast<std::size_t>(item)] = static_cast<std::int32_t>(k);
        }
    }
    const auto& byHearing = stations_.byHearing();
    for (auto i = byHearing.rbegin(); i != byHearing.rend(); ++i) {
        if (const std::int32_t k = shownAs[*i]; k >= 0) {
            ranked.push_back(static_cast<std::uint32_t>(k));
        }
    }
    for (std::size_t k = 0; k < shown.size(); ++k) {
        if (shown[k].first >= n && shown[k].first != selected_) {
            ranked.push_back(static_cast<std::uint32_t>(k));
        }
    }
    const int h = QFontMetrics(font()).height() + 2;
    const QRectF frame(rect());
    std::vector<QRectF> boxes;
    std::vector<int> items; // the item of each box, -1 for your own marker
    boxes.reserve(ranked.size() + 1);
    items.reserve(ranked.size() + 1);
    auto labelBox = [&](std::uint32_t k) {
        const QPointF at = shown[k].second;
        const QRectF box(at.x() + kSprite / 2.0, at.y() - h / 2.0, labelWidth(shown[k].first), h);
        boxes.push_back(overlaps(frame, box) ? box : QRectF()); // off the frame: no place
        items.push_back(shown[k].first);
    };
    // The selected item's label always shows, even over your own marker; the others keep
    // off it.
    std::size_t next = 0;
    if (!ranked.empty() && shown[ranked.front()].first == selected_) {
        labelBox(ranked.front());
        next = 1;
    }
    if (own_) {
        const QPointF at = toScreen(*own_);
        boxes.emplace_back(at.x() - kSprite / 2.0, at.y() - kSprite / 2.0, kSprite, kSprite);
        items.push_back(-1);
    }
    for (; next < ranked.size(); ++next) {
        labelBox(ranked[next]);
    }
    const std::vector<bool> placed = placeLabels(boxes, std::max(32, h * 3), frame);
    for (std::size_t j = 0; j < boxes.size(); ++j) {
        if (!placed[j] || items[j] < 0) {
            continue;
        }
        const int item = items[j];
        painter.drawImage(boxes[j].topLeft(), labelImage(itemCallsign(item), item >= n));
        drawnLabels_.push_back(boxes[j]);
    }
}

} // namespace tamsel
