// SPDX-License-Identifier: GPL-3.0-or-later
// HeardStationsModel: the heard stations as a table, newest first.
#include "heard/HeardStationsModel.h"

#include "monitor/Position.h"
#include "widgets/Text.h"

#include <QDateTime>
#include <cmath>

namespace tamsel {

namespace {

QString trimmed(const std::string& bytes) {
    return fromBytes(bytes).trimmed();
}

QString unitText(HeardStationsModel::ColumnInfo::Unit unit, Units units) {
    using U = HeardStationsModel::ColumnInfo::Unit;
    const std::string_view name = unit == U::Speed ? speedUnit(units) : altitudeUnit(units);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

} // namespace

const std::array<HeardStationsModel::ColumnInfo, HeardStationsModel::ColumnCount>
    HeardStationsModel::kColumns{{
        {"Callsign", ColumnInfo::Unit::None, false, "JA1ABC-7"},
        {"Suffix", ColumnInfo::Unit::None, false, "IC92"},
        {"Last Heard", ColumnInfo::Unit::None, false, "2026/12/08 10:00:00"},
        {"Count", ColumnInfo::Unit::None, true, "00000"},
        {"Called", ColumnInfo::Unit::None, false, "JA1YKX G"},
        {"Message", ColumnInfo::Unit::None, false, "MMMMMMMMMMMMMMMMMMMM"},
        {"Locator", ColumnInfo::Unit::None, false, "PM95vr"},
        {"Latitude", ColumnInfo::Unit::None, true, "-00.00000"},
        {"Longitude", ColumnInfo::Unit::None, true, "-000.00000"},
        {"Course", ColumnInfo::Unit::None, true, "000"},
        {"Speed", ColumnInfo::Unit::Speed, true, "000"},
        {"Altitude", ColumnInfo::Unit::Height, true, "00000"},
        {"Comment", ColumnInfo::Unit::None, false, "ID-52PLUS on the air"},
    }};

QStringList HeardStationsModel::headers() {
    QStringList out;
    for (const ColumnInfo& c : kColumns) {
        QString title = QString::fromLatin1(c.title);
        if (c.unit != ColumnInfo::Unit::None) {
            title += QStringLiteral(" (%1)").arg(unitText(c.unit, Units::Metric));
        }
        out << title;
    }
    return out;
}

HeardStationsModel::HeardStationsModel(QObject* parent) : QAbstractTableModel(parent) {}

void HeardStationsModel::apply(const StationReport& report) {
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
        const int now = static_cast<int>(change->row);
        emit dataChanged(index(now, 0), index(now, ColumnCount - 1));
        return;
    }
    if (const auto change = list_.apply(report)) {
        const int row = static_cast<int>(change->row);
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    }
}

int HeardStationsModel::rowOf(const std::string& callsign) const {
    const auto row = list_.rowOf(callsign);
    return row ? static_cast<int>(*row) : -1;
}

void HeardStationsModel::setHeld(bool held) {
    if (held) {
        list_.hold();
        return;
    }
    if (!list_.held()) {
        return;
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<std::string> calls;
    calls.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& i : before) {
        calls.push_back(station(i.row()).callsign);
    }
    list_.release();
    QModelIndexList after;
    for (qsizetype i = 0; i < before.size(); ++i) {
        after << index(rowOf(calls[static_cast<std::size_t>(i)]), before[i].column());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int HeardStationsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(list_.size());
}

int HeardStationsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HeardStationsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
        return text(station(index.row()), index.column());
    }
    if (role == Qt::TextAlignmentRole &&
        kColumns[static_cast<std::size_t>(index.column())].numeric) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

QVariant HeardStationsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount) {
        return headers().at(section);
    }
    return {};
}

QString HeardStationsModel::text(const HeardStation& s, int column) {
    const auto& p = s.position;
    switch (column) {
    case Callsign:
        return trimmed(s.callsign);
    case Suffix:
        return trimmed(s.suffix);
    case LastHeard:
        return fromBytes(s.lastHeard);
    case Count:
        return QString::number(s.count);
    case Called:
        return trimmed(s.called);
    case Message:
        return fromBytes(s.message);
    case Locator:
        return p ? QString::fromStdString(maidenhead(p->latitude, p->longitude)) : QString();
    case Latitude:
        return p ? QString::number(p->latitude, 'f', 5) : QString();
    case Longitude:
        return p ? QString::number(p->longitude, 'f', 5) : QString();
    case Course:
        return p && p->course ? QString::number(*p->course) : QString();
    case Speed:
        return p && p->speedKnots
                   ? QString::number(std::lround(speedIn(Units::Metric, *p->speedKnots)))
                   : QString();
    case Altitude:
        return p && p->altitudeFeet
                   ? QString::number(std::lround(altitudeIn(Units::Metric, *p->altitudeFeet)))
                   : QString();
    case Comment:
        return p ? fromBytes(p->comment) : QString();
    default:
        return {};
    }
}

QString HeardStationsModel::exportText(const HeardStation& s, int column) {
    if (column != LastHeard) {
        return text(s, column);
    }
    // The time the monitor took is local; with its offset a file read elsewhere or later
    // still names the same moment.
    const QString shown = fromBytes(s.lastHeard);
    const QDateTime local = QDateTime::fromString(shown, QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    if (!local.isValid()) {
        return shown;
    }
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate);
}

} // namespace tamsel
