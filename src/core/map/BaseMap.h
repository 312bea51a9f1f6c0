// SPDX-License-Identifier: GPL-3.0-or-later
// BaseMap: the offline world map (land, borders, coastlines) and how it is drawn.
#pragma once

#include "map/MapData.h"
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
    static constexpr std::int32_t kUnits = MapData::kUnits;

    BaseMap() = default;
    static BaseMap load(const std::filesystem::path& file);
    // The map file the console ships: next to the program's data folder when installed
    // (../share/tamsel beside the program), else the source tree's.
    static std::filesystem::path shippedFile();

    bool empty() const { return data_.shapes.empty(); }
    const QString& error() const { return error_; }
    std::size_t shapeCount() const { return data_.shapes.size(); }
    std::size_t pointCount() const { return data_.points.size(); }

    // Sea, land, borders and coastlines of what `view` shows.
    void render(QPainter& painter, const Viewport& view, const MapColours& colours) const;

private:
    void drawLayer(QPainter& painter, const Viewport& view, MapData::Layer layer, bool fill) const;

    MapData data_;
    QString error_;
};

} // namespace tamsel
