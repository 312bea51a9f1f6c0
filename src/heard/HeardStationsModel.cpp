// SPDX-License-Identifier: GPL-3.0-or-later
// HeardStationsModel: the heard stations as a table, newest first.
#include "heard/HeardStationsModel.h"

#include "monitor/Position.h"
#include "widgets/Text.h"

#include <cmath>

namespace tamsel {

namespace {

constexpr double kKilometresPerNauticalMile = 1.852;
constexpr double kMetresPerFoot = 0.3048;

QString trimmed(const std::string& bytes) {
    std::string_view s(bytes);
    while (!s.empty() && s.back() == ' ') {
        s.remove_suffix(1);
    }
    return fromBytes(s);
}

} // namespace

QStringList HeardStationsModel::headers() {
    return {QStringLiteral("Callsign"), QStringLiteral("Suffix"),   QStringLiteral("Last Heard"),
            QStringLiteral("Count"),    QStringLiteral("Called"),   QStringLiteral("Message"),
            QStringLiteral("Locator"),  QStringLiteral("Latitude"), QStringLiteral("Longitude"),
            QStringLiteral("Course"),   QStringLiteral("Speed"),    QStringLiteral("Altitude"),
            QStringLiteral("Comment")};
}

HeardStationsModel::HeardStationsModel(QObject* parent) : QAbstractTableModel(parent) {}

void HeardStationsModel::apply(const StationReport& report) {
    if (report.kind == StationReport::Kind::Heard) {
        const auto row = list_.rowOf(report.caller);
        if (!row) {
            beginInsertRows({}, 0, 0);
            list_.apply(report);
            endInsertRows();
        } else if (*row > 0) {
            const int from = static_cast<int>(*row);
            beginMoveRows({}, from, from, {}, 0);
            list_.apply(report);
            endMoveRows();
        } else {
            list_.apply(report);
        }
        emit dataChanged(index(0, 0), index(0, ColumnCount - 1));
        return;
    }
    if (const auto change = list_.apply(report)) {
        const int row = static_cast<int>(change->row);
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    }
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
    if (role == Qt::TextAlignmentRole && index.column() >= Count && index.column() != Message &&
        index.column() != Locator && index.column() != Comment && index.column() != Called) {
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
        return fromBytes(s.callsign);
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
                   ? QString::number(std::lround(*p->speedKnots * kKilometresPerNauticalMile))
                   : QString();
    case Altitude:
        return p && p->altitudeFeet
                   ? QString::number(std::lround(*p->altitudeFeet * kMetresPerFoot))
                   : QString();
    case Comment:
        return p ? fromBytes(p->comment) : QString();
    default:
        return {};
    }
}

} // namespace tamsel
