// SPDX-License-Identifier: GPL-3.0-or-later
// MapView: the map widget: the base map, your position, the stations heard and the repeaters.
#include "map/MapView.h"

#include "map/MapAccessible.h"
#include "map/MapMarkers.h"
#include "map/MapViewParts.h"
#include "map/Tiles.h"

#include <QAccessible>
#include <QDesktopServices>
#include <QLabel>
#include <algorithm>
#include <cmath>
#include <utility>

namespace tamsel {

using mapview::kPick;
using mapview::kSprite;

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

std::optional<MapView::Which> MapView::which(int item) const {
    if (item < 0 || item >= itemCount()) {
        return std::nullopt;
    }
    if (isStation(item)) {
        const auto i = static_cast<std::size_t>(item);
        return Which{&stations_.stations()[i], nullptr, i};
    }
    const std::size_t r = placedRepeaters_[static_cast<std::size_t>(item - stationCount())];
    return Which{nullptr, &stations_.repeaters()[r], r};
}

QString MapView::itemCallsign(int item) const {
    const auto w = which(item);
    if (!w) {
        return {};
    }
    return w->station ? QString::fromLatin1(w->station->heard.callsign.c_str())
                      : w->repeater->callsign;
}

std::optional<WorldPoint> MapView::itemWorld(int item) const {
    const auto w = which(item);
    if (!w) {
        return std::nullopt;
    }
    return w->station ? w->station->at : stations_.repeaterPoints()[w->index];
}

std::optional<LatLon> MapView::itemPosition(int item) const {
    const auto w = which(item);
    if (!w) {
        return std::nullopt;
    }
    if (w->station) {
        const Position& p = *w->station->heard.position;
        return LatLon{p.latitude, p.longitude};
    }
    return w->repeater->position;
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
        .arg(call, distanceText(units_, c->metres, DistanceForm::FigureOnly),
             QString::fromLatin1(unit.data(), static_cast<qsizetype>(unit.size())))
        .arg(wholeDegrees(c->bearing));
}

QString MapView::itemTooltip(int item) const {
    const auto w = which(item);
    if (!w) {
        return {};
    }
    QStringList lines;
    if (w->station) {
        const HeardStation& s = w->station->heard;
        lines << QString::fromLatin1(s.callsign.c_str());
        lines << tr("Last heard: %1").arg(QString::fromLatin1(s.lastHeard.c_str()));
        if (!s.message.empty()) {
            lines << tr("Message: %1").arg(QString::fromLatin1(s.message.c_str()).trimmed());
        }
    } else {
        lines << w->repeater->callsign;
        if (!w->repeater->name.isEmpty()) {
            lines << w->repeater->name;
        }
    }
    if (const auto c = courseTo(item)) {
        const std::string_view unit = distanceUnit(units_);
        lines << tr("%1 %2, bearing %3 degrees")
                     .arg(distanceText(units_, c->metres, DistanceForm::FigureOnly),
                          QString::fromLatin1(unit.data(), static_cast<qsizetype>(unit.size())))
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
        if (isStation(item)) {
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

} // namespace tamsel
