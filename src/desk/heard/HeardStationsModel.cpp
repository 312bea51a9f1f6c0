// SPDX-License-Identifier: GPL-3.0-or-later
// HeardStationsModel: the heard stations as a table, newest first or sorted by a column.
#include "heard/HeardStationsModel.h"

#include "calls/RouteNames.h"
#include "memory/Text.h"
#include "monitor/Position.h"
#include "widgets/Contrast.h"

#include <QApplication>
#include <QDateTime>
#include <QStyle>
#include <algorithm>
#include <cmath>

namespace tamsel {

namespace {

using Mark = HeardStationsModel::Mark;

QString markText(Mark mark) {
    return mark == Mark::CallingYou ? HeardStationsModel::tr("calling you")
                                    : HeardStationsModel::tr("watched");
}

// A tint of the theme's own background, so the row stands out in a light and a dark theme
// alike.
QColor markBackground(Mark mark) {
    const QColor base = QGuiApplication::palette().color(QPalette::Active, QPalette::Base);
    const QColor tint =
        mark == Mark::CallingYou ? QColor(0xe6, 0x5c, 0x00) : QColor(0x1e, 0x88, 0xe5);
    constexpr double share = 0.3;
    auto mix = [](double a, double b) {
        return static_cast<int>(std::lround(a + (b - a) * share));
    };
    return QColor(mix(base.red(), tint.red()), mix(base.green(), tint.green()),
                  mix(base.blue(), tint.blue()));
}

} // namespace

HeardStationsModel::HeardStationsModel(QObject* parent) : QAbstractTableModel(parent) {}

QStringList HeardStationsModel::headers(Units units) {
    return HeardCells::headers(units);
}

QStringList HeardStationsModel::titles(Units units) {
    return HeardCells::titles(units);
}

void HeardStationsModel::apply(const StationReport& report) {
    if (sorted()) {
        applySorted(report);
        return;
    }
    if (report.kind == StationReport::Kind::Heard) {
        const auto row = list_.rowOf(report.caller);
        std::optional<HeardList::Change> change;
        if (!row) {
            const int at = list_.held() ? rowCount() : 0;
            beginInsertRows({}, at, at);
            change = list_.apply(report);
            endInsertRows();
        } else if (*row > 0 && !list_.held()) {
            const int from = static_cast<int>(*row);
            beginMoveRows({}, from, from, {}, 0);
            change = list_.apply(report);
            endMoveRows();
        } else {
            change = list_.apply(report);
        }
        remark(change->id);
        changed(static_cast<int>(change->row));
        return;
    }
    if (const auto change = list_.apply(report)) {
        remark(change->id);
        changed(static_cast<int>(change->row));
    }
}

void HeardStationsModel::markGated(const QString& caller,
                                   std::chrono::system_clock::time_point when) {
    if (const auto id = list_.markGated(caller.toLatin1().toStdString(), when)) {
        const int row = rowOfId(*id);
        emit dataChanged(index(row, Gated), index(row, Gated));
    }
}

void HeardStationsModel::applySorted(const StationReport& report) {
    const bool heard = report.kind == StationReport::Kind::Heard;
    const bool known = !heard || list_.rowOf(report.caller).has_value();
    const auto change = list_.apply(report);
    if (!change) {
        return;
    }
    const std::size_t id = change->id;
    remark(id);
    if (!known) {
        const int at = held() ? rowCount() : placeFor(id, -1);
        unsorted_ = unsorted_ || held();
        beginInsertRows({}, at, at);
        order_.insert(order_.begin() + at, id);
        endInsertRows();
        return;
    }
    const int from = rowOfId(id);
    if (held()) {
        unsorted_ = true;
        changed(from);
        return;
    }
    const int to = placeFor(id, from);
    if (to != from) {
        beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
        order_.erase(order_.begin() + from);
        order_.insert(order_.begin() + to, id);
        endMoveRows();
    }
    changed(to);
}

void HeardStationsModel::changed(int row) {
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

const HeardStation& HeardStationsModel::station(int row) const {
    return list_.byId(idAtRow(row));
}

std::size_t HeardStationsModel::idAtRow(int row) const {
    return sorted() ? order_.at(static_cast<std::size_t>(row))
                    : list_.idAt(static_cast<std::size_t>(row));
}

int HeardStationsModel::rowOfId(std::size_t id) const {
    if (!sorted()) {
        return static_cast<int>(list_.rowOfId(id));
    }
    const auto it = std::find(order_.begin(), order_.end(), id);
    return it == order_.end() ? -1 : static_cast<int>(it - order_.begin());
}

int HeardStationsModel::rowOf(const std::string& callsign) const {
    const auto row = list_.rowOf(callsign);
    if (!row) {
        return -1;
    }
    return sorted() ? rowOfId(list_.idAt(*row)) : static_cast<int>(*row);
}

int HeardStationsModel::newestRow() const {
    const auto id = list_.lastHeardId();
    return id ? rowOfId(*id) : -1;
}

HeardStationsModel::Key HeardStationsModel::key(std::size_t id) const {
    const HeardStation& s = list_.byId(id);
    Key k;
    if (!kColumns[static_cast<std::size_t>(sortColumn_)].numeric) {
        k.text = text(s, sortColumn_);
        k.blank = k.text.isEmpty();
        return k;
    }
    const std::optional<double> n = HeardCells(units_, own_).number(s, sortColumn_);
    k.blank = !n.has_value();
    k.number = n.value_or(0);
    return k;
}

bool HeardStationsModel::before(const Key& a, const Key& b) const {
    if (a.blank || b.blank) {
        return !a.blank && b.blank; // blanks last, whichever the direction
    }
    const bool ascending = sortOrder_ == Qt::AscendingOrder;
    if (kColumns[static_cast<std::size_t>(sortColumn_)].numeric) {
        return ascending ? a.number < b.number : b.number < a.number;
    }
    const int c = QString::compare(a.text, b.text, Qt::CaseInsensitive);
    return ascending ? c < 0 : c > 0;
}

int HeardStationsModel::placeFor(std::size_t id, int skip) const {
    // The first row not before it, so that among equals the one just heard goes first.
    const Key k = key(id);
    int low = 0;
    int high = static_cast<int>(order_.size()) - (skip >= 0 ? 1 : 0);
    while (low < high) {
        const int mid = low + (high - low) / 2;
        const int row = skip >= 0 && mid >= skip ? mid + 1 : mid;
        if (before(key(order_[static_cast<std::size_t>(row)]), k)) {
            low = mid + 1;
        } else {
            high = mid;
        }
    }
    return low;
}

void HeardStationsModel::sort(int column, Qt::SortOrder order) {
    const int wanted = column >= 0 && column < ColumnCount ? column : -1;
    reorder([&] {
        sortColumn_ = wanted;
        sortOrder_ = order;
    });
}

void HeardStationsModel::setHeld(bool held) {
    if (held) {
        list_.hold();
        return;
    }
    if (!list_.held()) {
        return;
    }
    if (sorted() && !unsorted_) {
        list_.release(); // nothing moved meanwhile; the newest-first order is not shown
        return;
    }
    reorder([this] { list_.release(); });
}

void HeardStationsModel::reorder(const std::function<void()>& change) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList was = persistentIndexList();
    std::vector<std::size_t> ids;
    ids.reserve(static_cast<std::size_t>(was.size()));
    for (const QModelIndex& i : was) {
        ids.push_back(idAtRow(i.row()));
    }
    change();
    order_.clear();
    unsorted_ = false;
    orderedFrom_ = own_;
    if (sorted()) {
        // Newest first among equals: a stable sort of the newest-first order, each key
        // worked out once.
        std::vector<std::pair<Key, std::size_t>> keyed;
        keyed.reserve(list_.size());
        for (std::size_t row = 0; row < list_.size(); ++row) {
            const std::size_t id = list_.idAt(row);
            keyed.emplace_back(key(id), id);
        }
        std::stable_sort(keyed.begin(), keyed.end(),
                         [this](const auto& a, const auto& b) { return before(a.first, b.first); });
        order_.reserve(keyed.size());
        for (const auto& k : keyed) {
            order_.push_back(k.second);
        }
    } else {
        order_.shrink_to_fit();
    }
    QModelIndexList after;
    for (qsizetype i = 0; i < was.size(); ++i) {
        after << index(rowOfId(ids[static_cast<std::size_t>(i)]), was[i].column());
    }
    changePersistentIndexList(was, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void HeardStationsModel::setOwnPosition(const std::optional<LatLon>& position) {
    if (position == own_) {
        return;
    }
    own_ = position;
    if (rowCount() > 0) {
        emit dataChanged(index(0, Distance), index(rowCount() - 1, Bearing));
    }
    // Sorted by how far or which way, the order follows you as you move.
    const bool moved =
        !own_ || !orderedFrom_ || course(*orderedFrom_, *own_).metres >= kResortMetres;
    if ((sortColumn_ == Distance || sortColumn_ == Bearing) && moved) {
        if (held()) {
            unsorted_ = true;
        } else {
            reorder([] {});
        }
    }
}

void HeardStationsModel::setUnits(Units units) {
    if (units == units_) {
        return;
    }
    units_ = units;
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    }
}

void HeardStationsModel::setMarker(Marker marker) {
    marker_ = std::move(marker);
    refreshMarks();
}

void HeardStationsModel::refreshMarks() {
    for (std::size_t id = 0; id < list_.size(); ++id) {
        remark(id);
    }
    if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    }
}

void HeardStationsModel::remark(std::size_t id) {
    if (marks_.size() <= id) {
        marks_.resize(id + 1, -1);
    }
    std::optional<Mark> m;
    if (marker_) {
        m = marker_(list_.byId(id));
    }
    marks_[id] = m ? static_cast<signed char>(*m) : static_cast<signed char>(-1);
}

std::optional<HeardStationsModel::Mark> HeardStationsModel::mark(int row) const {
    const std::size_t id = idAtRow(row);
    if (id >= marks_.size() || marks_[id] < 0) {
        return std::nullopt;
    }
    return static_cast<Mark>(marks_[id]);
}

int HeardStationsModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    return static_cast<int>(sorted() ? order_.size() : list_.size());
}

int HeardStationsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HeardStationsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const int column = index.column();
    const auto marked = role == Qt::DisplayRole ? std::nullopt : mark(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return text(station(index.row()), column);
    case Qt::AccessibleTextRole: {
        // The callsign says in words what its icon shows.
        QString shown = text(station(index.row()), column);
        return marked && column == Callsign ? shown + QStringLiteral(", ") + markText(*marked)
                                            : shown;
    }
    case Qt::AccessibleDescriptionRole:
        return marked && column != Callsign ? QVariant(markText(*marked)) : QVariant();
    case Qt::ToolTipRole:
        return vagueness(station(index.row()), column);
    case Qt::TextAlignmentRole:
        return kColumns[static_cast<std::size_t>(column)].numeric
                   ? QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant();
    case Qt::BackgroundRole:
        return marked ? QVariant(markBackground(*marked)) : QVariant();
    case Qt::ForegroundRole:
        return marked ? QVariant(readableOn(
                            QGuiApplication::palette().color(QPalette::Active, QPalette::Text),
                            markBackground(*marked)))
                      : QVariant();
    case Qt::DecorationRole: {
        if (!marked || column != Callsign) {
            return {};
        }
        QIcon& icon = icons_[static_cast<std::size_t>(*marked)];
        if (icon.isNull()) {
            const bool calling = *marked == Mark::CallingYou;
            icon = QIcon::fromTheme(
                calling ? QStringLiteral("dialog-warning") : QStringLiteral("dialog-information"),
                QApplication::style()->standardIcon(calling ? QStyle::SP_MessageBoxWarning
                                                            : QStyle::SP_MessageBoxInformation));
        }
        return icon;
    }
    default:
        return {};
    }
}

QVariant HeardStationsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount) {
        return titles().at(section);
    }
    return {};
}

std::optional<std::pair<double, double>> HeardStationsModel::courseTo(const HeardStation& s) const {
    return HeardCells(units_, own_).courseTo(s);
}

QString HeardStationsModel::text(const HeardStation& s, int column, const QLocale& numbers) const {
    return HeardCells(units_, own_).text(s, column, numbers);
}

QString HeardStationsModel::vagueness(const HeardStation& s, int column) const {
    const auto& p = s.position;
    const bool placed = column == Locator || column == Latitude || column == Longitude ||
                        column == Distance || column == Bearing;
    if (!placed || !p || p->ambiguity <= 0) {
        return {};
    }
    constexpr double kMetresPerDegree = 111195; // of latitude, on the mean Earth
    const std::string_view unit = distanceUnit(units_);
    return tr("Approximate position: the station sent only a box %1 %2 from north to south; "
              "shown at its centre.")
        .arg(distanceText(units_, ambiguityDegrees(p->ambiguity) * kMetresPerDegree,
                          DistanceForm::FigureOnly),
             QString::fromLatin1(unit.data(), static_cast<qsizetype>(unit.size())));
}

QString HeardStationsModel::exportText(const HeardStation& s, int column) const {
    if (column == Route) {
        // Files are read by other programs: English in every language.
        return routeName(receivedRoute(HeardCells::routeHeader(s)), RouteText::English);
    }
    if (column != LastHeard && (column != Gated || s.gatedAt == decltype(s.gatedAt){})) {
        return text(s, column, QLocale::c());
    }
    // From the instant, not the local time shown, which names two moments in the hour that
    // comes twice in autumn; with its offset a file read elsewhere or later still names the
    // same moment.
    const auto instant = column == LastHeard ? s.utcStart : s.gatedAt;
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(instant.time_since_epoch()).count();
    const QDateTime local = QDateTime::fromSecsSinceEpoch(seconds, Qt::LocalTime);
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate);
}

} // namespace tamsel
