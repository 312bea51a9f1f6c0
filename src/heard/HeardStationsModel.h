// SPDX-License-Identifier: GPL-3.0-or-later
// HeardStationsModel: the heard stations as a table, newest first.
#pragma once

#include "monitor/HeardList.h"
#include "station/Units.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <array>

namespace tamsel {

// One row per caller callsign, the most recently heard on top. A reception costs the same
// with a hundred thousand stations as with a hundred: the list finds a station by callsign
// and moves it to the top in O(log n).
//
// While held (someone is aiming at a row) rows stay where they are: cells change in place
// and new stations are added at the end; releasing moves them to the top.
class HeardStationsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Callsign,
        Suffix,
        LastHeard,
        Count,
        Called,
        Message,
        Locator,
        Latitude,
        Longitude,
        Course,
        Speed,
        Altitude,
        Comment,
        ColumnCount
    };

    // What a column is: its title, the unit its numbers are in, how it lines up, and a text
    // as wide as its usual content.
    struct ColumnInfo {
        const char* title;
        enum class Unit { None, Speed, Height } unit;
        bool numeric; // right-aligned
        const char* widest;
    };
    static const std::array<ColumnInfo, ColumnCount> kColumns;

    // The titles with their units, as the table and the CSV file show them.
    static QStringList headers();

    explicit HeardStationsModel(QObject* parent = nullptr);

    void apply(const StationReport& report);
    const HeardStation& station(int row) const { return list_.at(static_cast<std::size_t>(row)); }
    // The row of a station by callsign, or -1.
    int rowOf(const std::string& callsign) const;

    // Holding keeps the rows in place; releasing puts them in order again, the rows of
    // persistent indexes (selection, current row) following their stations.
    void setHeld(bool held);
    bool held() const { return list_.held(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // A cell as shown.
    static QString text(const HeardStation& station, int column);
    // A cell for a file: as shown, but the time in ISO 8601 with its offset from UTC.
    static QString exportText(const HeardStation& station, int column);

private:
    HeardList list_;
};

} // namespace tamsel
