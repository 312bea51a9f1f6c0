// SPDX-License-Identifier: GPL-3.0-or-later
// HeardStationsModel: the heard stations as a table, newest first.
#pragma once

#include "monitor/HeardList.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace tamsel {

// One row per caller callsign, the most recently heard on top. A reception costs the same
// with a hundred thousand stations as with a hundred: the list finds a station by callsign
// and moves it to the top in O(log n).
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
    static QStringList headers();

    explicit HeardStationsModel(QObject* parent = nullptr);

    void apply(const StationReport& report);
    const HeardStation& station(int row) const { return list_.at(static_cast<std::size_t>(row)); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // A cell as shown, also for the CSV file.
    static QString text(const HeardStation& station, int column);

private:
    HeardList list_;
};

} // namespace tamsel
