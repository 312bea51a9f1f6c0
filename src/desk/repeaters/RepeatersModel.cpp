// SPDX-License-Identifier: GPL-3.0-or-later
// RepeatersModel: the repeater directory as a table, with distance and bearing from you.
#include "repeaters/RepeatersModel.h"

#include "language/Numbers.h"

#include <QCollator>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace tamsel {

namespace {

QString unitName(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QString megahertz(double mhz) {
    return shownNumber(mhz, 4, 4); // as Log Contact's frequency field writes it
}

} // namespace

// What the thread that orders the rows reads: a copy, as the directory may change meanwhile.
struct RepeatersModel::Snapshot {
    std::vector<LatLon> positions; // NaN where a repeater has none
    std::vector<double> frequency, offset;
    std::vector<std::string> texts[Gateway + 1]; // Name .. Gateway, as shown
    // The filter's haystacks: each repeater's name, area and callsigns case-folded, one line
    // each; and its callsigns without blanks ("JR1YB B" is found as "jr1ybb" too).
    std::string folded, compact;
    std::vector<std::uint32_t> foldedAt, compactAt; // where each repeater's starts; one more
};

namespace {

void appendFolded(std::string& out, const std::string& text) {
    if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; })) {
        for (const char c : text) {
            out += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        }
    } else {
        out += QString::fromStdString(text).toCaseFolded().toStdString();
    }
    out += '\n';
}

std::string withoutBlanks(std::string text) {
    std::erase(text, ' ');
    return text;
}

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

} // namespace

RepeatersModel::RepeatersModel(const RepeaterDirectory& directory, QObject* parent)
    : QAbstractTableModel(parent), directory_(directory) {
    connect(&directory_, &RepeaterDirectory::changed, this, &RepeatersModel::directoryChanged);
    connect(this, &RepeatersModel::orderArranged, this, &RepeatersModel::takeOrder,
            Qt::QueuedConnection);
    directoryChanged();
}

RepeatersModel::~RepeatersModel() {
    stop_ = true;
    if (running_.valid()) {
        running_.wait();
    }
}

void RepeatersModel::directoryChanged() {
    auto s = std::make_shared<Snapshot>();
    const std::vector<Repeater>& all = directory_.repeaters();
    const std::size_t n = all.size();
    s->positions.reserve(n);
    s->frequency.reserve(n);
    s->offset.reserve(n);
    for (auto& t : s->texts) {
        t.reserve(n);
    }
    s->foldedAt.reserve(n + 1);
    s->compactAt.reserve(n + 1);
    for (const Repeater& r : all) {
        s->positions.push_back(r.position ? *r.position : LatLon{kNone, kNone});
        s->frequency.push_back(r.frequencyMHz);
        s->offset.push_back(r.duplex == '-' ? -r.offsetMHz : r.offsetMHz);
        s->texts[Name].push_back(r.name);
        s->texts[Area].push_back(r.area);
        s->texts[Callsign].push_back(r.shownCallsign());
        s->texts[Gateway].push_back(shownCallsign(r.gateway));
        s->foldedAt.push_back(static_cast<std::uint32_t>(s->folded.size()));
        s->compactAt.push_back(static_cast<std::uint32_t>(s->compact.size()));
        for (int c = Name; c <= Gateway; ++c) {
            appendFolded(s->folded, s->texts[c].back());
        }
        appendFolded(s->compact, withoutBlanks(s->texts[Callsign].back()));
        appendFolded(s->compact, withoutBlanks(s->texts[Gateway].back()));
    }
    s->foldedAt.push_back(static_cast<std::uint32_t>(s->folded.size()));
    s->compactAt.push_back(static_cast<std::uint32_t>(s->compact.size()));

    beginResetModel();
    snapshot_ = std::move(s);
    sorted_.resize(n);
    std::iota(sorted_.begin(), sorted_.end(), 0u); // as the lists have them, until ordered
    refilter();
    endResetModel();
    emit rowsArranged();
    requestOrder();
}

void RepeatersModel::refilter() {
    const Snapshot& s = *snapshot_;
    const std::size_t n = s.positions.size();
    matches_.assign(n, 1);
    if (!filter_.isEmpty()) {
        const std::string needle = filter_.toStdString();
        const std::string compact = withoutBlanks(needle);
        for (std::size_t i = 0; i < n; ++i) {
            const std::string_view folded(s.folded.data() + s.foldedAt[i],
                                          s.foldedAt[i + 1] - s.foldedAt[i]);
            const std::string_view squeezed(s.compact.data() + s.compactAt[i],
                                            s.compactAt[i + 1] - s.compactAt[i]);
            const bool found =
                folded.find(needle) != std::string_view::npos ||
                (!compact.empty() && squeezed.find(compact) != std::string_view::npos);
            matches_[i] = found ? 1 : 0;
        }
    }
    rows_.clear();
    for (const std::uint32_t i : sorted_) {
        if (matches_[i] != 0) {
            rows_.push_back(i);
        }
    }
}

void RepeatersModel::setFilter(const QString& text) {
    const QString folded = text.trimmed().toCaseFolded();
    if (folded == filter_) {
        return;
    }
    filter_ = folded;
    beginResetModel();
    refilter();
    endResetModel();
    emit rowsArranged();
}

void RepeatersModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= ColumnCount || (column == column_ && order == order_)) {
        return;
    }
    column_ = column;
    order_ = order;
    requestOrder();
}

void RepeatersModel::requestOrder() {
    if (running_.valid()) {
        again_ = true; // the one running is out of date; its order is not taken
        return;
    }
    startJob();
}

void RepeatersModel::startJob() {
    again_ = false;
    Job job{snapshot_, own_, column_, order_};
    running_ = std::async(std::launch::async, [this, job = std::move(job)] {
        auto order = arrange(job, stop_);
        emit orderArranged(); // queued to takeOrder
        return order;
    });
}

std::vector<std::uint32_t> RepeatersModel::arrange(const Job& job, const std::atomic<bool>& stop) {
    const Snapshot& s = *job.snapshot;
    const std::size_t n = s.positions.size();
    std::vector<std::uint32_t> order(n);
    std::iota(order.begin(), order.end(), 0u);
    // Numbers to sort by (unknown: last going up), or the texts' collation keys.
    std::vector<double> number;
    std::vector<QCollatorSortKey> keys;
    if (job.column == Distance || job.column == Bearing) {
        number.assign(n, std::numeric_limits<double>::max());
        for (std::size_t i = 0; i < n && job.own && !stop; ++i) {
            if (!std::isnan(s.positions[i].latitude)) {
                const Course c = course(*job.own, s.positions[i]);
                number[i] = job.column == Distance ? c.metres : c.bearing;
            }
        }
    } else if (job.column == Frequency || job.column == Offset) {
        number = job.column == Frequency ? s.frequency : s.offset;
    } else {
        QCollator collator;
        collator.setNumericMode(true);
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        keys.reserve(n);
        for (std::size_t i = 0; i < n && !stop; ++i) {
            keys.push_back(collator.sortKey(QString::fromStdString(s.texts[job.column][i])));
        }
    }
    if (stop) {
        return order;
    }
    const auto less = [&](std::uint32_t a, std::uint32_t b) {
        return keys.empty() ? number[a] < number[b] : keys[a].compare(keys[b]) < 0;
    };
    if (job.order == Qt::AscendingOrder) {
        std::stable_sort(order.begin(), order.end(), less);
    } else {
        std::stable_sort(order.begin(), order.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return less(b, a); });
    }
    return order;
}

void RepeatersModel::takeOrder() {
    if (!running_.valid()) {
        return;
    }
    std::vector<std::uint32_t> order = running_.get();
    running_ = {};
    if (again_) {
        startJob(); // asked for another meanwhile: only that one counts
        return;
    }
    if (order == sorted_) {
        emit rowsArranged(); // a move that changes nothing the operator sees
        return;
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<std::uint32_t> before = rows_;
    sorted_ = std::move(order);
    refilter();
    // The rows held (the current one, the selection) follow their repeaters.
    std::vector<int> rowOf(sorted_.size(), -1);
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        rowOf[rows_[r]] = static_cast<int>(r);
    }
    const QModelIndexList held = persistentIndexList();
    QModelIndexList moved;
    moved.reserve(held.size());
    for (const QModelIndex& i : held) {
        const int row = rowOf[before[static_cast<std::size_t>(i.row())]];
        moved << (row < 0 ? QModelIndex() : index(row, i.column()));
    }
    changePersistentIndexList(held, moved);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    emit rowsArranged();
}

int RepeatersModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RepeatersModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString RepeatersModel::title(int column, Units units) {
    switch (column) {
    case Name:
        return tr("Name");
    case Area:
        //: The region or group a repeater list puts the repeater in.
        return tr("Area");
    case Callsign:
        //: The repeater's callsign with its module letter.
        return tr("Repeater");
    case Gateway:
        return tr("Gateway");
    case Frequency:
        //: %1: the unit, MHz.
        return tr("Frequency (%1)").arg(QStringLiteral("MHz"));
    case Offset:
        return tr("Offset (%1)").arg(QStringLiteral("MHz"));
    case Distance:
        //: %1: the unit, km or mi.
        return tr("Distance (%1)").arg(unitName(distanceUnit(units)));
    case Bearing:
        return tr("Bearing");
    default:
        return {};
    }
}

QVariant RepeatersModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    return title(section, units_);
}

std::optional<Course> RepeatersModel::courseTo(const Repeater& r) const {
    // Measured as the row is shown: a move costs the rows in view, not every row.
    if (!own_ || !r.position) {
        return std::nullopt;
    }
    return course(*own_, *r.position);
}

QVariant RepeatersModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const Repeater& r = repeater(index.row());
    if (role == Qt::TextAlignmentRole) {
        return index.column() >= Frequency ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                           : QVariant();
    }
    if (role == Qt::ToolTipRole && index.column() == Distance && r.approximate) {
        return tr("The list gives this repeater's position as approximate.");
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    switch (index.column()) {
    case Name:
        return QString::fromStdString(r.name);
    case Area:
        return QString::fromStdString(r.area);
    case Callsign:
        return QString::fromStdString(r.shownCallsign());
    case Gateway:
        return QString::fromStdString(shownCallsign(r.gateway));
    case Frequency:
        return r.frequencyMHz > 0 ? megahertz(r.frequencyMHz) : QString();
    case Offset:
        switch (r.duplex) {
        case '+':
        case '-':
            return QLatin1Char(r.duplex) + megahertz(r.offsetMHz);
        case 's':
            //: A repeater whose input is on another band; %1: the input frequency.
            return tr("split %1").arg(megahertz(r.offsetMHz));
        default:
            return QString();
        }
    case Distance: {
        const auto c = courseTo(r);
        if (!c) {
            return QString();
        }
        const QString figure = distanceText(units_, c->metres, DistanceForm::FigureOnly);
        //: A distance from a position the repeater list marks as approximate.
        return r.approximate ? tr("~%1").arg(figure) : figure;
    }
    case Bearing: {
        const auto c = courseTo(r);
        return c ? QString::number(wholeDegrees(c->bearing)) : QString();
    }
    default:
        return {};
    }
}

void RepeatersModel::setOwnPosition(const std::optional<LatLon>& position) {
    if (position == own_) {
        return;
    }
    own_ = position;
    if (rowCount() > 0) {
        // The view repaints the rows it shows; nothing is measured for the others.
        emit dataChanged(index(0, Distance), index(rowCount() - 1, Bearing));
    }
    if (column_ == Distance || column_ == Bearing) {
        requestOrder();
    }
}

void RepeatersModel::setUnits(Units units) {
    if (units == units_) {
        return;
    }
    units_ = units;
    emit headerDataChanged(Qt::Horizontal, Distance, Distance);
    if (rowCount() > 0) {
        emit dataChanged(index(0, Distance), index(rowCount() - 1, Distance));
    }
}

} // namespace tamsel
