// SPDX-License-Identifier: GPL-3.0-or-later
// RepeatersModel: the repeater directory as a table, with distance and bearing from you.
#include "repeaters/RepeatersModel.h"

#include <QCollator>
#include <cmath>
#include <limits>

namespace tamsel {

namespace {

QString unitName(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QString megahertz(double mhz) {
    return QString::number(mhz, 'f', 4);
}

} // namespace

RepeatersModel::RepeatersModel(const RepeaterDirectory& directory, QObject* parent)
    : QAbstractTableModel(parent), directory_(directory) {
    connect(&directory_, &RepeaterDirectory::changed, this, [this] {
        beginResetModel();
        courses_.clear();
        measured_.clear();
        endResetModel();
    });
}

int RepeatersModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(directory_.repeaters().size());
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

const Course* RepeatersModel::courseTo(int row) const {
    if (!own_) {
        return nullptr;
    }
    const auto i = static_cast<std::size_t>(row);
    if (courses_.size() != directory_.repeaters().size()) {
        courses_.assign(directory_.repeaters().size(), std::nullopt);
        measured_.assign(directory_.repeaters().size(), false);
    }
    if (!measured_[i]) {
        measured_[i] = true;
        const Repeater& r = directory_.repeaters()[i];
        if (r.position) {
            courses_[i] = course(*own_, *r.position);
        }
    }
    return courses_[i] ? &*courses_[i] : nullptr;
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
    if (role == kSortRole) {
        constexpr double kUnknown = std::numeric_limits<double>::max(); // sorts last
        switch (index.column()) {
        case Frequency:
            return r.frequencyMHz;
        case Offset:
            return r.duplex == '-' ? -r.offsetMHz : r.offsetMHz;
        case Distance: {
            const Course* c = courseTo(index.row());
            return c != nullptr ? c->metres : kUnknown;
        }
        case Bearing: {
            const Course* c = courseTo(index.row());
            return c != nullptr ? c->bearing : kUnknown;
        }
        default:
            return data(index, Qt::DisplayRole);
        }
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
        const Course* c = courseTo(index.row());
        if (c == nullptr) {
            return QString();
        }
        const QString figure = distanceText(units_, c->metres, DistanceForm::FigureOnly);
        //: A distance from a position the repeater list marks as approximate.
        return r.approximate ? tr("~%1").arg(figure) : figure;
    }
    case Bearing: {
        const Course* c = courseTo(index.row());
        return c != nullptr ? QString::number(wholeDegrees(c->bearing)) : QString();
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
    measured_.assign(measured_.size(), false);
    if (rowCount() > 0) {
        emit dataChanged(index(0, Distance), index(rowCount() - 1, Bearing));
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

void RepeatersFilter::setText(const QString& text) {
    const QString t = text.trimmed();
    if (t == text_) {
        return;
    }
    text_ = t;
    invalidateFilter();
}

bool RepeatersFilter::filterAcceptsRow(int row, const QModelIndex& parent) const {
    if (text_.isEmpty()) {
        return true;
    }
    const QAbstractItemModel* m = sourceModel();
    for (const int column : {RepeatersModel::Name, RepeatersModel::Area, RepeatersModel::Callsign,
                             RepeatersModel::Gateway}) {
        QString cell = m->data(m->index(row, column, parent)).toString();
        if (cell.contains(text_, Qt::CaseInsensitive)) {
            return true;
        }
        // "JR1YB B" is found as typed with either spacing.
        if (column >= RepeatersModel::Callsign &&
            cell.remove(QLatin1Char(' '))
                .contains(QString(text_).remove(QLatin1Char(' ')), Qt::CaseInsensitive)) {
            return true;
        }
    }
    return false;
}

bool RepeatersFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const QVariant a = left.data(RepeatersModel::kSortRole);
    const QVariant b = right.data(RepeatersModel::kSortRole);
    if (a.typeId() == QMetaType::Double && b.typeId() == QMetaType::Double) {
        return a.toDouble() < b.toDouble();
    }
    static const QCollator collator = [] {
        QCollator c;
        c.setNumericMode(true);
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator.compare(a.toString(), b.toString()) < 0;
}

} // namespace tamsel
