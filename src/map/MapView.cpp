// SPDX-License-Identifier: GPL-3.0-or-later
// MapView: the map widget: the base map, your position, the stations heard and the repeaters.
#include "map/MapView.h"

#include "map/Clip.h"
#include "map/MapAccessible.h"
#include "map/MapLabels.h"
#include "map/MapMarkers.h"
#include "map/Tiles.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <utility>

namespace tamsel {

namespace {

constexpr int kSprite = MapMarkers::kSide;
constexpr double kPick = 10; // how near the pointer must be to an item

QString coordinate(double degrees) {
    return QString::number(degrees, 'f', 5);
}

} // namespace

MapView::MapView(QWidget* parent) : QWidget(parent) {
    // Before anything asks for this widget's accessible interface (setting its name does).
    installMapAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    setMinimumSize(320, 240);
    setAccessibleName(tr("Map"));
    openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    attribution_ = new QLabel(this);
    attribution_->setTextFormat(Qt::RichText);
    attribution_->setText(
        QStringLiteral("<a href=\"%1\">%2</a>")
            .arg(TileLayer::copyrightPage().toString(), TileLayer::attribution().toHtmlEscaped()));
    attribution_->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                          Qt::LinksAccessibleByKeyboard);
    attribution_->setAutoFillBackground(true);
    attribution_->setContentsMargins(4, 2, 4, 2);
    attribution_->setCursor(Qt::PointingHandCursor);
    attribution_->hide();
    connect(attribution_, &QLabel::linkActivated, this,
            [this](const QString& link) { openUrl(QUrl(link)); });
    refreshLook();
}

MapView::~MapView() = default;

void MapView::setBaseMap(const BaseMap* map) {
    base_ = map;
    baseCache_ = QImage();
    update();
}

void MapView::setBaseMapSource(std::function<const BaseMap*()> source) {
    baseSource_ = std::move(source);
    base_ = nullptr;
    baseCache_ = QImage();
    update();
}

void MapView::setTileLayer(TileLayer* tiles) {
    if (tiles_ != nullptr) {
        disconnect(tiles_, nullptr, this, nullptr);
    }
    tiles_ = tiles;
    if (tiles_ != nullptr) {
        connect(tiles_, &TileLayer::updated, this, qOverload<>(&QWidget::update));
    }
    baseCache_ = QImage();
    update();
}

void MapView::noteStation(const HeardStation& station) {
    const std::size_t before = stations_.stations().size();
    const auto index = stations_.note(station);
    if (!index) {
        return;
    }
    if (stations_.stations().size() != before) {
        stationWidths_.push_back(-1);
        if (selected_ >= static_cast<int>(before)) {
            ++selected_; // repeaters come after the stations
        }
        if (QAccessible::isActive()) {
            QAccessibleEvent e(this, QAccessible::ObjectReorder);
            QAccessible::updateAccessibility(&e);
        }
    }
    changed();
    if (static_cast<int>(*index) == selected_) {
        emit selectionChanged(); // its new place, distance and time
    }
}

void MapView::setRepeaters(std::vector<MapRepeater> repeaters) {
    const std::optional<QString> was = selected_ >= static_cast<int>(stations_.stations().size())
                                           ? std::optional(itemCallsign(selected_))
                                           : std::nullopt;
    stations_.setRepeaters(std::move(repeaters));
    placedRepeaters_.clear();
    for (std::size_t i = 0; i < stations_.repeaters().size(); ++i) {
        if (stations_.repeaterPoints()[i]) {
            placedRepeaters_.push_back(i);
        }
    }
    repeaterWidths_.assign(placedRepeaters_.size(), -1);
    if (was) {
        selected_ = -1;
        selectRepeater(*was);
    }
    if (QAccessible::isActive()) {
        QAccessibleEvent e(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&e);
    }
    changed();
}

void MapView::setOwnPosition(const std::optional<LatLon>& position) {
    own_ = position && isValidPosition(*position) ? position : std::nullopt;
    changed();
    emit selectionChanged(); // its distance and bearing
}

void MapView::setUnits(Units units) {
    units_ = units;
    changed();
    emit selectionChanged();
}

Viewport MapView::viewport() const {
    const double size = worldPixels(zoom_);
    return {zoom_, centre_.x * size - width() / 2.0, centre_.y * size - height() / 2.0, width(),
            height()};
}

QPointF MapView::toScreen(const LatLon& where) const {
    const PixelPoint p = viewport().toScreen(toWorld(where));
    return {p.x, p.y};
}

void MapView::centreOn(const LatLon& where, std::optional<int> zoom) {
    centre_ = toWorld(where);
    if (zoom) {
        zoom_ = std::clamp(*zoom, kMinZoom, kMaxZoom);
    }
    viewChanged();
}

void MapView::zoomBy(int steps, const QPointF& about) {
    const int next = std::clamp(zoom_ + steps, kMinZoom, kMaxZoom);
    if (next == zoom_) {
        return;
    }
    // The world point under `about` stays under it.
    const Viewport view = viewport();
    const WorldPoint under = view.toWorld({about.x(), about.y()});
    zoom_ = next;
    const double size = worldPixels(zoom_);
    centre_ = {under.x + (width() / 2.0 - about.x()) / size,
               under.y + (height() / 2.0 - about.y()) / size};
    viewChanged();
}

void MapView::panBy(double dx, double dy) {
    const double size = worldPixels(zoom_);
    centre_ = {centre_.x + dx / size, centre_.y + dy / size};
    viewChanged();
}

void MapView::clampCentre() {
    centre_.x = std::clamp(centre_.x, 0.0, 1.0);
    centre_.y = std::clamp(centre_.y, 0.0, 1.0);
}

void MapView::showEverything() {
    double left = 2, top = 2, right = -1, bottom = -1;
    auto take = [&](const WorldPoint& w) {
        left = std::min(left, w.x);
        right = std::max(right, w.x);
        top = std::min(top, w.y);
        bottom = std::max(bottom, w.y);
    };
    if (own_) {
        take(toWorld(*own_));
    }
    for (const auto& s : stations_.stations()) {
        take(s.at);
    }
    for (const std::size_t r : placedRepeaters_) {
        take(*stations_.repeaterPoints()[r]);
    }
    if (right < left) {
        centre_ = {0.5, 0.5};
        zoom_ = kMinZoom;
        viewChanged();
        return;
    }
    centre_ = {(left + right) / 2, (top + bottom) / 2};
    // The largest zoom at which it all fits with a margin for markers and labels.
    const double w = std::max(1, width() - 80);
    const double h = std::max(1, height() - 60);
    zoom_ = kMinZoom;
    for (int z = 12; z >= kMinZoom; --z) {
        const double size = worldPixels(z);
        if ((right - left) * size <= w && (bottom - top) * size <= h) {
            zoom_ = z;
            break;
        }
    }
    viewChanged();
}

void MapView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!placed_) {
        showEverything();
    }
}

void MapView::viewChanged() {
    placed_ = true;
    clampCentre();
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent e(this, QAccessible::LocationChanged);
        QAccessible::updateAccessibility(&e);
    }
}

void MapView::changed() {
    update();
}

int MapView::itemCount() const {
    return static_cast<int>(stations_.stations().size() + placedRepeaters_.size());
}

QString MapView::itemCallsign(int item) const {
    const int n = static_cast<int>(stations_.stations().size());
    if (item < 0 || item >= itemCount()) {
        return {};
    }
    if (item < n) {
        return QString::fromLatin1(
            stations_.stations()[static_cast<std::size_t>(item)].heard.callsign.c_str());
    }
    return stations_.repeaters()[placedRepeaters_[static_cast<std::size_t>(item - n)]].callsign;
}

std::optional<WorldPoint> MapView::itemWorld(int item) const {
    const int n = static_cast<int>(stations_.stations().size());
    if (item < 0 || item >= itemCount()) {
        return std::nullopt;
    }
    if (item < n) {
        return stations_.stations()[static_cast<std::size_t>(item)].at;
    }
    return stations_.repeaterPoints()[placedRepeaters_[static_cast<std::size_t>(item - n)]];
}

std::optional<LatLon> MapView::itemPosition(int item) const {
    const int n = static_cast<int>(stations_.stations().size());
    if (item < 0 || item >= itemCount()) {
        return std::nullopt;
    }
    if (item < n) {
        const Position& p = *stations_.stations()[static_cast<std::size_t>(item)].heard.position;
        return LatLon{p.latitude, p.longitude};
    }
    return stations_.repeaters()[placedRepeaters_[static_cast<std::size_t>(item - n)]].position;
}

std::optional<MapView::Course> MapView::courseTo(int item) const {
    const auto there = itemPosition(item);
    if (!own_ || !there) {
        return std::nullopt;
    }
    const tamsel::Course c = course(*own_, *there);
    return Course{c.metres, c.bearing};
}

QString MapView::itemName(int item) const {
    QString call = itemCallsign(item);
    const auto c = courseTo(item);
    if (!c) {
        return call;
    }
    const std::string_view unit = distanceUnit(units_);
    //: A station on the map for screen readers: callsign, distance and unit, bearing.
    return tr("%1, %2 %3, %4 degrees")
        .arg(call)
        .arg(std::lround(distanceIn(units_, c->metres)))
        .arg(QString::fromLatin1(unit.data(), static_cast<qsizetype>(unit.size())))
        .arg(wholeDegrees(c->bearing));
}

QString MapView::itemTooltip(int item) const {
    const int n = static_cast<int>(stations_.stations().size());
    if (item < 0 || item >= itemCount()) {
        return {};
    }
    QStringList lines;
    if (item < n) {
        const HeardStation& s = stations_.stations()[static_cast<std::size_t>(item)].heard;
        lines << QString::fromLatin1(s.callsign.c_str());
        lines << tr("Last heard: %1").arg(QString::fromLatin1(s.lastHeard.c_str()));
        if (!s.message.empty()) {
            lines << tr("Message: %1").arg(QString::fromLatin1(s.message.c_str()).trimmed());
        }
    } else {
        const MapRepeater& r =
            stations_.repeaters()[placedRepeaters_[static_cast<std::size_t>(item - n)]];
        lines << r.callsign;
        if (!r.name.isEmpty()) {
            lines << r.name;
        }
    }
    if (const auto c = courseTo(item)) {
        const std::string_view unit = distanceUnit(units_);
        lines << tr("%1 %2, bearing %3 degrees")
                     .arg(distanceIn(units_, c->metres), 0, 'f', 1)
                     .arg(QString::fromLatin1(unit.data(), static_cast<qsizetype>(unit.size())))
                     .arg(wholeDegrees(c->bearing));
    }
    return lines.join(QLatin1Char('\n'));
}

QRect MapView::itemRect(int item) const {
    const auto w = itemWorld(item);
    if (!w) {
        return {};
    }
    const PixelPoint p = viewport().toScreen(*w);
    return {static_cast<int>(std::floor(p.x)) - kSprite / 2,
            static_cast<int>(std::floor(p.y)) - kSprite / 2, kSprite, kSprite};
}

int MapView::itemAt(const QPoint& at) const {
    // The nearest within reach; stations before repeaters when equally near.
    const Viewport view = viewport();
    int best = -1;
    double bestDistance = kPick * kPick;
    for (int i = 0; i < itemCount(); ++i) {
        const PixelPoint p = view.toScreen(*itemWorld(i));
        const double dx = p.x - at.x(), dy = p.y - at.y();
        const double d = dx * dx + dy * dy;
        if (d <= bestDistance) {
            // Among stations on top of each other, the one heard last is drawn on top.
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

std::optional<std::string> MapView::selectedStation() const {
    if (selected_ < 0 || selected_ >= static_cast<int>(stations_.stations().size())) {
        return std::nullopt;
    }
    return stations_.stations()[static_cast<std::size_t>(selected_)].heard.callsign;
}

void MapView::selectItem(int item, bool byOperator) {
    if (item < -1 || item >= itemCount()) {
        item = -1;
    }
    if (item == selected_) {
        return;
    }
    selected_ = item;
    update();
    emit selectionChanged();
    if (item < 0) {
        return;
    }
    if (QAccessible::isActive()) {
        if (hasFocus()) {
            QAccessibleEvent focus(this, QAccessible::Focus);
            focus.setChild(item);
            QAccessible::updateAccessibility(&focus);
        }
        QAccessibleEvent e(this, QAccessible::Selection);
        e.setChild(item);
        QAccessible::updateAccessibility(&e);
    }
    if (byOperator) {
        ensureVisible(item);
        if (item < static_cast<int>(stations_.stations().size())) {
            emit stationSelected(itemCallsign(item));
        } else {
            emit repeaterSelected(itemCallsign(item));
        }
    }
}

void MapView::selectStation(const std::string& callsign) {
    const auto i = stations_.indexOf(callsign);
    selectItem(i ? static_cast<int>(*i) : -1, false);
}

void MapView::selectRepeater(const QString& callsign) {
    const auto r = stations_.repeaterIndexOf(callsign);
    if (!r) {
        selectItem(-1, false);
        return;
    }
    const auto at = std::find(placedRepeaters_.begin(), placedRepeaters_.end(), *r);
    selectItem(at == placedRepeaters_.end()
                   ? -1
                   : static_cast<int>(stations_.stations().size() +
                                      static_cast<std::size_t>(at - placedRepeaters_.begin())),
               false);
}

bool MapView::showStation(const std::string& callsign) {
    selectStation(callsign);
    if (!selectedStation() || *selectedStation() != callsign) {
        return false;
    }
    centreOn(*itemPosition(selected_), zoomApart(selected_, std::max(zoom_, 8)));
    return true;
}

int MapView::zoomApart(int item, int from) const {
    // The least zoom from `from` on at which the item's marker and label stand clear of your
    // own marker; where none does (the same place), `from`.
    const auto w = itemWorld(item);
    if (!own_ || !w) {
        return from;
    }
    const WorldPoint home = toWorld(*own_);
    for (int z = from; z <= kMaxZoom; ++z) {
        const double size = worldPixels(z);
        if (std::hypot(w->x - home.x, w->y - home.y) * size >= 2.5 * kSprite) {
            return z;
        }
    }
    return from;
}

bool MapView::showRepeater(const QString& callsign) {
    selectRepeater(callsign);
    if (selected_ < 0 || itemCallsign(selected_) != callsign) {
        return false;
    }
    centreOn(*itemPosition(selected_), zoomApart(selected_, std::max(zoom_, 8)));
    return true;
}

void MapView::ensureVisible(int item) {
    const QRect r = itemRect(item);
    if (!rect().adjusted(20, 20, -20, -20).contains(r.center())) {
        centre_ = *itemWorld(item);
        viewChanged();
    }
}

void MapView::moveSelection(int step) {
    const int n = itemCount();
    if (n == 0) {
        return;
    }
    const int from = selected_ < 0 ? (step > 0 ? -1 : n) : selected_;
    selectItem(((from + step) % n + n) % n, true);
}

bool MapView::dark() const {
    return palette().color(QPalette::Window).lightness() < 128;
}

void MapView::refreshLook() {
    colours_ = dark() ? MapColours::dark() : MapColours::light();
    if (attribution_ != nullptr) {
        QPalette look = attribution_->palette();
        look.setColor(QPalette::Window, QColor(colours_.halo.red(), colours_.halo.green(),
                                               colours_.halo.blue(), 200));
        look.setColor(QPalette::WindowText, colours_.text);
        attribution_->setPalette(look);
    }
    markers_.reset(); // drawn again in this look when a frame needs them
    labels_.clear();
    std::fill(stationWidths_.begin(), stationWidths_.end(), -1);
    std::fill(repeaterWidths_.begin(), repeaterWidths_.end(), -1);
    baseCache_ = QImage();
    update();
}

void MapView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange ||
        event->type() == QEvent::StyleChange) {
        refreshLook();
    }
    QWidget::changeEvent(event);
}

void MapView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeAttribution();
    viewChanged();
}

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
    const double size = worldPixels(zoom_);
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
        const QPointF at(w.x * size - view.left, w.y * size - view.top);
        if (area.contains(at)) {
            shown.emplace_back(i, at);
        }
    }
    const std::size_t stationsShown = shown.size();
    for (std::size_t r = 0; r < placedRepeaters_.size(); ++r) {
        const WorldPoint& w = *stations_.repeaterPoints()[placedRepeaters_[r]];
        const QPointF at(w.x * size - view.left, w.y * size - view.top);
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
    const int n = static_cast<int>(stations_.stations().size());
    int& w = item < n ? stationWidths_[static_cast<std::size_t>(item)]
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

bool MapView::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            moveSelection(1);
            return true;
        }
        if (key->key() == Qt::Key_Backtab) {
            moveSelection(-1);
            return true;
        }
    }
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int item = itemAt(help->pos());
        if (item >= 0) {
            QToolTip::showText(help->globalPos(), itemTooltip(item), this, itemRect(item));
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void MapView::keyPressEvent(QKeyEvent* event) {
    const double step = std::max(32, std::min(width(), height()) / 4);
    switch (event->key()) {
    case Qt::Key_Left:
        panBy(-step, 0);
        break;
    case Qt::Key_Right:
        panBy(step, 0);
        break;
    case Qt::Key_Up:
        panBy(0, -step);
        break;
    case Qt::Key_Down:
        panBy(0, step);
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomBy(1);
        break;
    case Qt::Key_Minus:
        zoomBy(-1);
        break;
    case Qt::Key_Home:
        showEverything();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (const auto call = selectedStation()) {
            emit stationActivated(QString::fromLatin1(call->c_str()));
        }
        break;
    case Qt::Key_F10:
        if (event->modifiers() != Qt::ShiftModifier) {
            QWidget::keyPressEvent(event);
            return;
        }
        [[fallthrough]]; // Shift+F10 is the menu key where the keyboard has none
    case Qt::Key_Menu:
        if (selected_ >= 0) {
            openMenu(selected_, mapToGlobal(itemRect(selected_).bottomRight()));
        }
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void MapView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressAt_ = event->position().toPoint();
        dragging_ = false;
    }
    QWidget::mousePressEvent(event);
}

void MapView::mouseMoveEvent(QMouseEvent* event) {
    if (!pressAt_ || !(event->buttons() & Qt::LeftButton)) {
        return;
    }
    const QPoint at = event->position().toPoint();
    const QPoint moved = at - *pressAt_;
    if (!dragging_ && moved.manhattanLength() < QApplication::startDragDistance()) {
        return;
    }
    dragging_ = true;
    setCursor(Qt::ClosedHandCursor);
    panBy(-moved.x(), -moved.y());
    pressAt_ = at;
}

void MapView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && pressAt_) {
        if (!dragging_) {
            selectItem(itemAt(event->position().toPoint()), true);
        }
        unsetCursor();
        pressAt_.reset();
        dragging_ = false;
    }
}

void MapView::mouseDoubleClickEvent(QMouseEvent* event) {
    const int item = itemAt(event->position().toPoint());
    if (item >= 0 && item < static_cast<int>(stations_.stations().size())) {
        selectItem(item, true);
        emit replyRequested(itemCallsign(item));
    }
}

void MapView::wheelEvent(QWheelEvent* event) {
    wheel_ += event->angleDelta().y();
    const int steps = wheel_ / 120;
    if (steps != 0) {
        wheel_ -= steps * 120;
        zoomBy(steps, event->position());
    }
    event->accept();
}

void MapView::contextMenuEvent(QContextMenuEvent* event) {
    const int item =
        event->reason() == QContextMenuEvent::Keyboard ? selected_ : itemAt(event->pos());
    if (item < 0) {
        return;
    }
    selectItem(item, true);
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard
                          ? mapToGlobal(itemRect(item).bottomRight())
                          : event->globalPos();
    openMenu(item, at);
}

void MapView::openMenu(int item, const QPoint& globalAt) {
    QMenu menu(this);
    const QString call = itemCallsign(item);
    if (item < static_cast<int>(stations_.stations().size())) {
        menu.addAction(tr("&Reply"), this, [this, call] { emit replyRequested(call); });
        menu.addAction(tr("&Log Contact..."), this,
                       [this, call] { emit logContactRequested(call); });
    }
    menu.addAction(tr("&Copy Position"), this, [this, item] { copyPosition(item); });
    menu.exec(globalAt);
}

void MapView::copyPosition(int item) {
    const auto p = itemPosition(item);
    if (!p) {
        return;
    }
    QApplication::clipboard()->setText(
        QStringLiteral("%1, %2 (%3)")
            .arg(coordinate(p->latitude), coordinate(p->longitude),
                 QString::fromStdString(maidenhead(p->latitude, p->longitude))));
}

} // namespace tamsel
