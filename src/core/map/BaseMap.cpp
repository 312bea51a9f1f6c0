// SPDX-License-Identifier: GPL-3.0-or-later
// BaseMap: the offline world map (land, borders, coastlines) and how it is drawn.
#include "map/BaseMap.h"

#include "base/WholeFile.h"
#include "map/Clip.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPolygonF>
#include <cmath>
#include <string>

namespace tamsel {

MapColours MapColours::light() {
    return {QColor(0xaa, 0xd3, 0xdf), QColor(0xf2, 0xef, 0xe9), QColor(0x9e, 0x9a, 0xa6),
            QColor(0x5b, 0x8a, 0xa3), QColor(0x20, 0x20, 0x20), QColor(0xff, 0xff, 0xff),
            QColor(0xc6, 0x28, 0x28), QColor(0x1b, 0x5e, 0x20), QColor(0x15, 0x65, 0xc0),
            QColor(0xe6, 0x51, 0x00)};
}

MapColours MapColours::dark() {
    return {QColor(0x17, 0x26, 0x33), QColor(0x33, 0x36, 0x3b), QColor(0x6b, 0x70, 0x78),
            QColor(0x4f, 0x7f, 0x99), QColor(0xee, 0xee, 0xee), QColor(0x10, 0x10, 0x10),
            QColor(0xff, 0x6e, 0x6e), QColor(0x81, 0xc7, 0x84), QColor(0x64, 0xb5, 0xf6),
            QColor(0xff, 0xb7, 0x4d)};
}

BaseMap BaseMap::load(const std::filesystem::path& file) {
    BaseMap map;
    std::string bytes;
    if (readWhole(file.c_str(), bytes) != 0) {
        map.error_ = QCoreApplication::translate("BaseMap", "The map file %1 cannot be read.")
                         .arg(QString::fromStdString(file.string()));
        return map;
    }
    auto data = readMapData(bytes);
    if (!data) {
        map.error_ = QCoreApplication::translate("BaseMap", "The map file %1 is damaged.")
                         .arg(QString::fromStdString(file.string()));
        return map;
    }
    map.data_ = std::move(*data);
    return map;
}

std::filesystem::path BaseMap::shippedFile() {
    const std::filesystem::path installed =
        std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) /
        "../share/tamsel/world-50m.bin";
    std::error_code ec;
    if (std::filesystem::exists(installed, ec)) {
        return installed.lexically_normal();
    }
    return TAMSEL_MAP_SOURCE;
}

void BaseMap::render(QPainter& painter, const Viewport& view, const MapColours& colours) const {
    painter.save();
    painter.fillRect(QRectF(0, 0, view.width, view.height), colours.sea);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(colours.border, 0.8));
    painter.setBrush(colours.land);
    drawLayer(painter, view, MapData::Country, true);
    painter.setPen(QPen(colours.coast, 1.0));
    painter.setBrush(Qt::NoBrush);
    drawLayer(painter, view, MapData::Coastline, false);
    painter.restore();
}

void BaseMap::drawLayer(QPainter& painter, const Viewport& view, MapData::Layer layer,
                        bool fill) const {
    // Units per screen pixel at this zoom, and the view in units (a pixel's margin for pens).
    const double perPixel = kUnits / worldPixels(view.zoom);
    const double left = (view.left - 2) * perPixel;
    const double top = (view.top - 2) * perPixel;
    const double right = (view.left + view.width + 2) * perPixel;
    const double bottom = (view.top + view.height + 2) * perPixel;
    const double scale = 1 / perPixel;
    QPolygonF ring;
    for (const MapData::Shape& shape : data_.shapes) {
        if (shape.layer != layer || shape.maxX < left || shape.minX > right || shape.maxY < top ||
            shape.minY > bottom) {
            continue;
        }
        for (std::uint32_t i = shape.firstRing; i < shape.firstRing + shape.rings; ++i) {
            ring.clear();
            // Points closer than a third of a pixel to the last one kept add nothing at
            // this zoom.
            long lastX = -1 << 30, lastY = -1 << 30;
            for (std::uint32_t k = data_.ringStart[i]; k < data_.ringStart[i + 1]; ++k) {
                const double x = data_.points[k].x * scale - view.left;
                const double y = data_.points[k].y * scale - view.top;
                const long qx = std::lround(x * 3), qy = std::lround(y * 3);
                if (qx == lastX && qy == lastY && k + 1 != data_.ringStart[i + 1]) {
                    continue;
                }
                lastX = qx;
                lastY = qy;
                ring.append(QPointF(x, y));
            }
            if (ring.size() < 2) {
                continue;
            }
            // At a deep zoom a ring reaches millions of pixels past the frame: only its part
            // in the frame goes to the painter.
            const QRectF frame(-2, -2, view.width + 4, view.height + 4);
            if (fill) {
                const QPolygonF part = clipPolygon(ring, frame);
                if (part.size() >= 3) {
                    painter.drawPolygon(part);
                }
            } else {
                for (const QPolygonF& piece : clipPolyline(ring, frame)) {
                    painter.drawPolyline(piece);
                }
            }
        }
    }
}

} // namespace tamsel
