// SPDX-License-Identifier: GPL-3.0-or-later
// RepeatersModel: the repeater directory as a table, with distance and bearing from you.
#pragma once

#include "repeaters/RepeaterDirectory.h"
#include "station/Units.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <optional>
#include <vector>

namespace tamsel {

class RepeatersModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Name,
        Area,
        Callsign,
        Gateway,
        Frequency,
        Offset,
        Distance,
        Bearing,
        ColumnCount
    };
    // What a column sorts by: a number, or a text compared as the operator reads it.
    static constexpr int kSortRole = Qt::UserRole;

    explicit RepeatersModel(const RepeaterDirectory& directory, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The column titles as the header shows them ("Distance (km)").
    static QString title(int column, Units units);
    const Repeater& repeater(int row) const { return directory_.repeaters()[std::size_t(row)]; }

    // Your position (nothing: Distance and Bearing blank) and the units they are shown in.
    void setOwnPosition(const std::optional<LatLon>& position);
    void setUnits(Units units);

private:
    const Course* courseTo(int row) const;

    const RepeaterDirectory& directory_;
    std::optional<LatLon> own_;
    Units units_ = Units::Metric;
    // Measured when first shown or sorted, again after you moved.
    mutable std::vector<std::optional<Course>> courses_;
    mutable std::vector<bool> measured_;
};

// The rows whose name, area or callsign hold the filter's text, sorted by kSortRole; going
// up, a row without a distance sorts after all that have one.
class RepeatersFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setText(const QString& text);

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    QString text_;
};

} // namespace tamsel
