// SPDX-License-Identifier: GPL-3.0-or-later
// MapView: the map widget: the base map, your position, the stations heard and the repeaters.
#pragma once

#include "map/BaseMap.h"
#include "map/MapStations.h"
#include "station/Units.h"

#include <QCache>
#include <QImage>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

namespace tamsel {

class MapMarkers;
class TileLayer;
} // namespace tamsel
class QLabel;
namespace tamsel {

// Draws the offline base map (and the tiles over it, when a tile layer is given), then the
// tracks, repeaters, stations, your position and the great-circle line to the station
// selected. The base map is kept as an image while the view stays where it is, so a new
// position redraws only the markers.
//
// Items are the stations (in the order first heard) followed by the repeaters that have a
// position; Tab and Shift+Tab go through them, screen readers see them as the map's children.
// Signals report what the operator did; the selectX() functions set the selection without
// reporting it back.
class MapView : public QWidget {
    Q_OBJECT
public:
    using Clock = std::chrono::system_clock;
    static constexpr int kMinZoom = 1;
    static constexpr int kMaxZoom = 16;

    explicit MapView(QWidget* parent = nullptr);
    ~MapView() override;

    void setBaseMap(const BaseMap* map);
    // Where the base map comes from when the first frame needs it: start-up does not wait
    // for the map file.
    void setBaseMapSource(std::function<const BaseMap*()> source);
    void setTileLayer(TileLayer* tiles);
    // A station as it is now known (one without a position is left off).
    void noteStation(const HeardStation& station);
    void setRepeaters(std::vector<MapRepeater> repeaters);
    void setOwnPosition(const std::optional<LatLon>& position);
    void setUnits(Units units);
    const MapStations& stations() const { return stations_; }

    // Where the view looks: its centre on the world square and its zoom.
    void centreOn(const LatLon& where, std::optional<int> zoom = {});
    void zoomBy(int steps, const QPointF& about);
    void zoomBy(int steps) { zoomBy(steps, QPointF(width() / 2.0, height() / 2.0)); }
    void panBy(double dx, double dy);
    // Home: your position, every station and repeater in view.
    void showEverything();
    int zoom() const { return zoom_; }
    Viewport viewport() const;
    // Where a position is drawn, in the widget.
    QPointF toScreen(const LatLon& where) const;

    int itemCount() const;
    QString itemName(int item) const;
    QRect itemRect(int item) const;
    int itemAt(const QPoint& at) const;
    int selectedItem() const { return selected_; }
    std::optional<std::string> selectedStation() const;
    // Selects the item (from the operator: reported, and shown). -1 selects nothing.
    void selectItem(int item, bool byOperator);
    void selectStation(const std::string& callsign);
    void selectRepeater(const QString& callsign);
    // Shows a station (or a repeater, by callsign) in the middle, selected.
    bool showStation(const std::string& callsign);
    bool showRepeater(const QString& callsign);

    // What the tooltip over an item says.
    QString itemTooltip(int item) const;
    // The whole frame, as the screen shows it; `markers` false: the map underneath alone.
    QImage renderImage(bool markers = true);
    // Draws a frame with `painter` (its device the size of the widget).
    void paintFrame(QPainter& painter, bool markers = true);
    // Forgets the cached base map, so the next frame draws it again (for measuring).
    void dropBaseCache() { baseCache_ = QImage(); }
    // Which labels the last frame drew, in widget coordinates.
    const std::vector<QRectF>& drawnLabels() const { return drawnLabels_; }
    bool dark() const;
    const MapColours& colours() const { return colours_; }

    // The tiles' attribution on screen: a link to the copyright page (a click, or Enter when
    // it has the focus, opens it with openUrl).
    QLabel* attributionLabel() const { return attribution_; }
    std::function<bool(const QUrl&)> openUrl;

    // Now, for what is faint and which track points are recent (the clock by default).
    std::function<Clock::time_point()> now = [] { return Clock::now(); };

signals:
    // The operator selected a station or a repeater on the map.
    void stationSelected(const QString& callsign);
    void repeaterSelected(const QString& callsign);
    // Enter on a station: it should be chosen in Heard Stations.
    void stationActivated(const QString& callsign);
    void replyRequested(const QString& callsign);
    void logContactRequested(const QString& callsign);
    // The selection changed, however (for the window's status line).
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    struct Course {
        double metres;
        double bearing;
    };
    // What an item is: a station, or a repeater with a position (`index` in repeaters()).
    // The one place that tells them apart; nothing for an item out of range.
    struct Which {
        const MapStations::Station* station = nullptr;
        const MapRepeater* repeater = nullptr;
        std::size_t index = 0; // in stations() or repeaters()
    };
    std::optional<Which> which(int item) const;
    bool isStation(int item) const { return item >= 0 && item < stationCount(); }
    int stationCount() const { return static_cast<int>(stations_.stations().size()); }
    std::optional<Course> courseTo(int item) const;
    std::optional<LatLon> itemPosition(int item) const;
    QString itemCallsign(int item) const;
    std::optional<WorldPoint> itemWorld(int item) const;
    void ensureVisible(int item);
    int zoomApart(int item, int from) const;
    void moveSelection(int step);
    void openMenu(int item, const QPoint& globalAt);
    void copyPosition(int item);
    void changed();     // the markers changed
    void viewChanged(); // where the view looks changed
    void clampCentre();
    void refreshLook();
    const QImage& baseImage();
    void drawMarkers();
    void drawAttribution(QPainter& painter);
    void placeAttribution();
    void drawGreatCircle(QPainter& painter, const Viewport& view);
    void drawClipped(QPainter& painter, const QPolygonF& line);
    void drawLabels(QPainter& painter, const std::vector<std::pair<int, QPointF>>& shown);
    const QImage& labelImage(const QString& text, bool repeater);
    int labelWidth(int item);

    const BaseMap* base_ = nullptr;
    std::function<const BaseMap*()> baseSource_;
    TileLayer* tiles_ = nullptr;
    MapStations stations_;
    std::vector<std::size_t> placedRepeaters_; // repeaters with a position, by item order
    std::optional<LatLon> own_;
    Units units_ = Units::Metric;
    WorldPoint centre_{0.5, 0.5};
    int zoom_ = 2;
    int selected_ = -1;
    MapColours colours_;
    std::unique_ptr<MapMarkers> markers_; // in the look of colours_
    QImage baseCache_;
    QImage frame_; // the base map with the markers over it
    Viewport cachedView_;
    bool cachedDark_ = false;
    std::uint64_t cachedTiles_ = 0;
    QCache<QString, QImage> labels_{4096};
    std::vector<int> stationWidths_, repeaterWidths_; // label widths, -1 until measured
    std::vector<QRectF> drawnLabels_;
    QLabel* attribution_ = nullptr;
    bool onScreen_ = false; // painting the widget: the label shows the attribution
    std::optional<QPoint> pressAt_;
    bool dragging_ = false;
    int wheel_ = 0;
    bool placed_ = false; // the view was put somewhere; else it first shows everything
};

} // namespace tamsel
