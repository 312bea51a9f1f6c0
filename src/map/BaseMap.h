// SPDX-License-Identifier: GPL-3.0-or-later
// BaseMap: the offline world map (land, borders, coastlines) and how it is drawn.
#pragma once

#include "map/Mercator.h"

#include <QColor>
#include <QString>
#include <cstdint>
#include <filesystem>
#include <vector>

class QPainter;

namespace tamsel {

// The colours the map is drawn in, light or dark.
struct MapColours {
    QColor sea, land, border, coast;
    QColor text, halo;        // labels, and the outline that keeps them readable
    QColor station, repeater; // markers
    QColor own, selection;    // your position, the selected station and its line
    static MapColours light();
    static MapColours dark();
};

// Countries (filled as land, outlined as borders) and coastlines, pre-projected to Web
// Mercator, each shape with its bounding box so a frame touches only what it shows. Read
// from the file data/make-map-data.sh writes; a missing or damaged file leaves it empty (the
// map is all sea) and says why in error().
class BaseMap {
public:
    // The units the file's coordinates are in: the world square is kUnits wide.
    static constexpr std::int32_t kUnits = 1 << 24;

    BaseMap() = default;
    static BaseMap load(const std::filesystem::path& file);
    // The map file the console ships: next to the program's data folder when installed
    // (../share/tamsel beside the program), else the source tree's.
    static std::filesystem::path shippedFile();

    bool empty() const { return shapes_.empty(); }
    const QString& error() const { return error_; }
    std::size_t shapeCount() const { return shapes_.size(); }
    std::size_t pointCount() const { return points_.size(); }

    // Sea, land, borders and coastlines of what `view` shows.
    void render(QPainter& painter, const Viewport& view, const MapColours& colours) const;

private:
    enum Layer : std::uint8_t { Country = 0, Coastline = 1 };
    struct Point {
        std::int32_t x, y;
    };
    struct Shape {
        Layer layer;
        std::int32_t minX, minY, maxX, maxY;
        std::uint32_t firstRing, rings;
    };
    void drawLayer(QPainter& painter, const Viewport& view, Layer layer, bool fill) const;

    std::vector<Shape> shapes_;
    std::vector<std::uint32_t> ringStart_; // into points_; one more than there are rings
    std::vector<Point> points_;
    QString error_;
};

} // namespace tamsel
