// SPDX-License-Identifier: GPL-3.0-or-later
// RepeatersModel: the repeater directory as a table, with distance and bearing from you,
// filtered and sorted.
#pragma once

#include "repeaters/RepeaterDirectory.h"
#include "station/Units.h"

#include <QAbstractTableModel>
#include <atomic>
#include <future>
#include <memory>
#include <optional>
#include <vector>

namespace tamsel {

// The rows are the repeaters whose name, area or callsign hold the filter's text, in the
// order of the column sorted by; going up, a row without a distance sorts after all that
// have one. With 100,000 repeaters neither a move nor a key may hold up the window: the
// filter runs over one folded text of every repeater, made when the directory changes, and
// the order is worked out on a thread of its own from a copy of what it sorts by. A new
// order takes the place of the old one only when it differs.
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

    explicit RepeatersModel(const RepeaterDirectory& directory, QObject* parent = nullptr);
    ~RepeatersModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // The column titles as the header shows them ("Distance (km)").
    static QString title(int column, Units units);
    // The repeater of a row as the table shows it.
    const Repeater& repeater(int row) const {
        return directory_.repeaters()[rows_[static_cast<std::size_t>(row)]];
    }
    // How many repeaters the directory holds, whatever the filter leaves.
    int total() const { return static_cast<int>(directory_.repeaters().size()); }

    // Your position (nothing: Distance and Bearing blank) and the units they are shown in.
    void setOwnPosition(const std::optional<LatLon>& position);
    void setUnits(Units units);
    void setFilter(const QString& text);
    // Whether a new order is still being worked out.
    bool sorting() const { return running_.valid(); }

signals:
    // The rows are in their new order (or filtered anew).
    void rowsArranged();
    // From the sorting thread, queued to takeOrder: a new order is ready.
    void orderArranged();

private:
    struct Snapshot;
    struct Job {
        std::shared_ptr<const Snapshot> snapshot;
        std::optional<LatLon> own;
        int column = Distance;
        Qt::SortOrder order = Qt::AscendingOrder;
    };
    static std::vector<std::uint32_t> arrange(const Job& job, const std::atomic<bool>& stop);
    void directoryChanged();
    void requestOrder();
    void startJob();
    void takeOrder();
    void refilter();
    std::optional<Course> courseTo(const Repeater& r) const;

    const RepeaterDirectory& directory_;
    std::optional<LatLon> own_;
    Units units_ = Units::Metric;
    int column_ = Distance;
    Qt::SortOrder order_ = Qt::AscendingOrder;
    QString filter_; // case-folded

    std::shared_ptr<const Snapshot> snapshot_;
    std::vector<std::uint32_t> sorted_; // every repeater, in order
    std::vector<std::uint32_t> rows_;   // those the filter leaves, in order
    std::vector<char> matches_;         // by repeater: whether the filter leaves it

    std::future<std::vector<std::uint32_t>> running_;
    std::atomic<bool> stop_{false};
    bool again_ = false; // asked again while a job ran
};

} // namespace tamsel
