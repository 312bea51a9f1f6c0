// SPDX-License-Identifier: GPL-3.0-or-later
// MapWindow: the Map window: the map, a line about the selected station, Save Image.
#pragma once

#include "map/BaseMap.h"
#include "map/MapView.h"
#include "map/Tiles.h"
#include "widgets/Notifier.h"

#include <QLabel>
#include <QMainWindow>
#include <functional>
#include <memory>

namespace tamsel {

// The map of your station, the stations heard and the repeaters (see MapView), with the
// distance and bearing of the one selected in the status bar. File > "Save Image..." writes
// what the map shows as a PNG.
class MapWindow : public QMainWindow {
    Q_OBJECT
public:
    MapWindow(Notifier& notifier, const QByteArray& userAgent);

    MapView* view() const { return view_; }
    TileLayer* tiles() const { return tiles_; }
    // The offline map, read from its file on first use.
    const BaseMap& baseMap();

    // The repeaters of the repeater directory (those without a position are left off).
    void setRepeaters(std::vector<MapRepeater> repeaters) {
        view_->setRepeaters(std::move(repeaters));
    }

    // Writes the map as a PNG; false on failure, which the operator is told.
    bool saveImage(const QString& path);
    void SaveImage1Click();
    // How Save Image asks for a file name; empty when the operator cancelled.
    std::function<QString()> chooseFile;

    QAction* SaveImage1;
    QAction* Close1;

private:
    void showSelection();

    Notifier& notifier_;
    std::unique_ptr<BaseMap> base_;
    MapView* view_;
    TileLayer* tiles_;
    QLabel* status_;
};

} // namespace tamsel
