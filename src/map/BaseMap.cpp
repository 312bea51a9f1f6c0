// SPDX-License-Identifier: GPL-3.0-or-later
// BaseMap: the offline world map (land, borders, coastlines) and how it is drawn.
#include "map/BaseMap.h"

#include "map/Clip.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPolygonF>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

namespace tamsel {

namespace {

constexpr char kMagic[] = "TSLMAP01";

// Reads little-endian numbers from a byte buffer, failing once past its end.
class Reader {
public:
    explicit Reader(const std::vector<char>& bytes) : bytes_(bytes) {}
    bool failed() const { return failed_; }
    std::size_t left() const { return bytes_.size() - at_; }
    std::uint32_t u32() {
        if (left() < 4) {
            failed_ = true;
            return 0;
        }
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) {
            v = (v << 8) | static_cast<unsigned char>(bytes_[at_ + static_cast<std::size_t>(i)]);
        }
        at_ += 4;
        return v;
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    std::uint8_t u8() {
        if (left() < 1) {
            failed_ = true;
            return 0;
        }
        return static_cast<std::uint8_t>(bytes_[at_++]);
    }
    bool skipMagic() {
        const std::size_t n = sizeof kMagic - 1;
        if (left() < n || std::memcmp(bytes_.data() + at_, kMagic, n) != 0) {
            failed_ = true;
            return false;
        }
        at_ += n;
        return true;
    }

private:
    const std::vector<char>& bytes_;
    std::size_t at_ = 0;
    bool failed_ = false;
};

} // namespace

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
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        map.error_ = QCoreApplication::translate("BaseMap", "The map file %1 cannot be read.")
                         .arg(QString::fromStdString(file.string()));
        return map;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    Reader r(bytes);
    bool ok = r.skipMagic();
    const std::uint32_t shapes = ok ? r.u32() : 0;
    // Every count is checked against the bytes left, so a damaged file cannot ask for more.
    ok = ok && !r.failed() && shapes <= r.left() / 5;
    for (std::uint32_t s = 0; ok && s < shapes; ++s) {
        const std::uint8_t layer = r.u8();
        const std::uint32_t rings = r.u32();
        if (r.failed() || layer > Coastline || rings > r.left() / 4) {
            ok = false;
            break;
        }
        Shape shape{static_cast<Layer>(layer),
                    kUnits,
                    kUnits,
                    0,
                    0,
                    static_cast<std::uint32_t>(map.ringStart_.size()),
                    rings};
        for (std::uint32_t i = 0; ok && i < rings; ++i) {
            const std::uint32_t n = r.u32();
            if (r.failed() || n > r.left() / 8) {
                ok = false;
                break;
            }
            map.ringStart_.push_back(static_cast<std::uint32_t>(map.points_.size()));
            for (std::uint32_t k = 0; k < n; ++k) {
                const Point p{r.i32(), r.i32()};
                shape.minX = std::min(shape.minX, p.x);
                shape.minY = std::min(shape.minY, p.y);
                shape.maxX = std::max(shape.maxX, p.x);
                shape.maxY = std::max(shape.maxY, p.y);
                map.points_.push_back(p);
            }
        }
        map.shapes_.push_back(shape);
    }
    if (!ok || r.failed() || r.left() != 0) {
        map = BaseMap();
        map.error_ = QCoreApplication::translate("BaseMap", "The map file %1 is damaged.")
                         .arg(QString::fromStdString(file.string()));
        return map;
    }
    map.ringStart_.push_back(static_cast<std::uint32_t>(map.points_.size()));
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
    drawLayer(painter, view, Country, true);
    painter.setPen(QPen(colours.coast, 1.0));
    painter.setBrush(Qt::NoBrush);
    drawLayer(painter, view, Coastline, false);
    painter.restore();
}

void BaseMap::drawLayer(QPainter& painter, const Viewport& view, Layer layer, bool fill) const {
    // Units per screen pixel at this zoom, and the view in units (a pixel's margin for pens).
    const double perPixel = kUnits / worldPixels(view.zoom);
    const double left = (view.left - 2) * perPixel;
    const double top = (view.top - 2) * perPixel;
    const double right = (view.left + view.width + 2) * perPixel;
    const double bottom = (view.top + view.height + 2) * perPixel;
    const double scale = 1 / perPixel;
    QPolygonF ring;
    for (const Shape& shape : shapes_) {
        if (shape.layer != layer || shape.maxX < left || shape.minX > right || shape.maxY < top ||
            shape.minY > bottom) {
            continue;
        }
        for (std::uint32_t i = shape.firstRing; i < shape.firstRing + shape.rings; ++i) {
            ring.clear();
            // Points closer than a third of a pixel to the last one kept add nothing at
            // this zoom.
            long lastX = -1 << 30, lastY = -1 << 30;
            for (std::uint32_t k = ringStart_[i]; k < ringStart_[i + 1]; ++k) {
                const double x = points_[k].x * scale - view.left;
                const double y = points_[k].y * scale - view.top;
                const long qx = std::lround(x * 3), qy = std::lround(y * 3);
                if (qx == lastX && qy == lastY && k + 1 != ringStart_[i + 1]) {
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
