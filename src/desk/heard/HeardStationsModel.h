// SPDX-License-Identifier: GPL-3.0-or-later
// HeardStationsModel: the heard stations as a table, newest first or sorted by a column.
#pragma once

#include "monitor/HeardCells.h"
#include "monitor/HeardList.h"
#include "station/Geodesy.h"
#include "station/Units.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QLocale>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace tamsel {

// One row per caller callsign, the most recently heard on top. A reception costs the same
// with a hundred thousand stations as with a hundred: the list finds a station by callsign
// and moves it to the top in O(log n).
//
// Sorted by a column (sort()), a station takes its place by that column as it is heard;
// sort(-1) goes back to newest first. Blank cells sort last either way.
//
// While held (someone is aiming at a row) rows stay where they are: cells change in place
// and new stations are added at the end; releasing puts them in order.
class HeardStationsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using Column = HeardCells::Column;
    static constexpr int Callsign = HeardCells::Callsign, Suffix = HeardCells::Suffix,
                         LastHeard = HeardCells::LastHeard, Count = HeardCells::Count,
                         Called = HeardCells::Called, Route = HeardCells::Route,
                         Message = HeardCells::Message, Locator = HeardCells::Locator,
                         Latitude = HeardCells::Latitude, Longitude = HeardCells::Longitude,
                         Distance = HeardCells::Distance, Bearing = HeardCells::Bearing,
                         Course = HeardCells::Course, Speed = HeardCells::Speed,
                         Altitude = HeardCells::Altitude, Comment = HeardCells::Comment,
                         Gated = HeardCells::Gated, ColumnCount = HeardCells::ColumnCount;
    using ColumnInfo = HeardColumnInfo;
    static constexpr const auto& kColumns = HeardCells::kColumns;

    // Why a row stands out: its station called you, or is one you watch.
    enum class Mark { CallingYou, Watched };
    using Marker = std::function<std::optional<Mark>(const HeardStation&)>;

    explicit HeardStationsModel(QObject* parent = nullptr);

    // The titles with the units in use, as the CSV file has them: English in every language,
    // for the programs that read it.
    QStringList headers() const { return headers(units_); }
    static QStringList headers(Units units);
    // The same titles as the table shows them, in the operator's language.
    QStringList titles() const { return titles(units_); }
    static QStringList titles(Units units);

    void apply(const StationReport& report);
    // A position of `caller` went out to APRS-IS at `when` (its Gated cell).
    void markGated(const QString& caller, std::chrono::system_clock::time_point when);
    const HeardStation& station(int row) const;
    // The row of a station by callsign, or -1.
    int rowOf(const std::string& callsign) const;
    // The row of the station heard last, or -1 when none is.
    int newestRow() const;

    // Holding keeps the rows in place; releasing puts them in order again, the rows of
    // persistent indexes (selection, current row) following their stations.
    void setHeld(bool held);
    bool held() const { return list_.held(); }

    // Your own position (for Distance and Bearing) and units. Units move no row; when the
    // table is sorted by Distance or Bearing, your moving puts the rows in their new order
    // (after a move of kResortMetres, and once nothing holds them).
    void setOwnPosition(const std::optional<LatLon>& position);
    // How far you move before a table sorted by Distance or Bearing is put in order again:
    // a receiver's jitter costs no sort of every station at each fix.
    static constexpr double kResortMetres = 100;
    void setUnits(Units units);
    Units units() const { return units_; }

    // Which stations are marked: asked again whenever a station changes, and for every
    // station by refreshMarks() (when what the marker decides by has changed).
    void setMarker(Marker marker);
    void refreshMarks();
    std::optional<Mark> mark(int row) const;

    // Column -1 (or any outside the table) is newest first.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    int sortColumn() const { return sortColumn_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // A cell as shown, its numbers as the interface language writes them (or as `numbers`
    // does: files take the C locale).
    QString text(const HeardStation& station, int column, const QLocale& numbers = QLocale()) const;
    // A cell for a file: as shown, but numbers with a point and the time in ISO 8601 with its
    // offset from UTC.
    QString exportText(const HeardStation& station, int column) const;
    // For a position cell of a station that sent an ambiguous position: how vague it is.
    QString vagueness(const HeardStation& station, int column) const;

private:
    struct Key {
        bool blank = true;
        double number = 0;
        QString text;
    };
    Key key(std::size_t id) const;
    bool before(const Key& a, const Key& b) const;
    bool sorted() const { return sortColumn_ >= 0; }
    std::size_t idAtRow(int row) const;
    int rowOfId(std::size_t id) const;
    // The sorted row a station belongs in, counted without the one at `skip`.
    int placeFor(std::size_t id, int skip) const;
    void applySorted(const StationReport& report);
    void changed(int row);
    // Makes `change` to the order and rebuilds the rows (newest first, or sorted), the
    // persistent indexes following their stations.
    void reorder(const std::function<void()>& change);
    void remark(std::size_t id);
    std::optional<std::pair<double, double>> courseTo(const HeardStation& s) const;

    HeardList list_;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    std::vector<std::size_t> order_; // sorted: station ids, row by row
    bool unsorted_ = false;          // sorted and held: receptions changed cells in place
    std::optional<LatLon> own_;
    std::optional<LatLon> orderedFrom_; // your position when the rows were last put in order
    Units units_ = Units::Metric;
    Marker marker_;
    std::vector<signed char> marks_; // by station id: -1 or a Mark
    mutable std::array<QIcon, 2> icons_;
};

} // namespace tamsel
