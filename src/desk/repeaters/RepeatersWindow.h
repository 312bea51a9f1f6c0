// SPDX-License-Identifier: GPL-3.0-or-later
// RepeatersWindow: the window "Repeaters", the imported repeater lists as one directory.
#pragma once

#include "repeaters/RepeatersModel.h"
#include "widgets/Notifier.h"

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QTableView>
#include <functional>

namespace tamsel {

// Every repeater of the kept lists, nearest first when your position is known. The filter
// narrows the rows as you type; a click on a column's title, or View > Sort By, sorts by
// it. File > Import Repeater List asks for a list to import (importRequested). Enter or a
// double-click on a row, or "Use as My Repeater" in its context menu, asks
// for the repeater as Repeater 1 with its gateway as Repeater 2 (useRequested). File >
// Remove List takes a kept list out of the directory.
class RepeatersWindow : public QMainWindow {
    Q_OBJECT
public:
    RepeatersWindow(RepeaterDirectory& directory, Notifier& notifier);

    RepeatersModel* model() const { return model_; }
    QTableView* table() const { return table_; }
    QLineEdit* filterField() const { return field_; }

    void setOwnPosition(const std::optional<LatLon>& position, const QString& status);
    void setUnits(Units units);
    // Sorts by `column`, as a click on its title would.
    void setSort(int column, Qt::SortOrder order);
    // The repeater of a row as the table shows it (after filter and sort).
    const Repeater* repeaterAt(int row) const;
    // Asks to use the repeater of a table row.
    void use(const QModelIndex& index);
    // Makes the row of the repeater shown as `callsign` ("JR1YB B") the current one, when the
    // table shows it.
    void selectRepeater(const QString& callsign);

    // The repeater list to import; empty when none was chosen. A file dialog by default.
    std::function<QString()> chooseList;
    // Asks before a list is removed; true removes it. A question box by default.
    std::function<bool(const QString& list)> confirmRemove;

    QAction* ImportRepeaterList;
    QAction* UseAsMyRepeater;
    QAction* ShowOnMap;
    QAction* SortDescending;
    QMenu* removeList;
    QMenu* sortBy;

signals:
    void useRequested(const tamsel::Repeater& repeater);
    // File > Import Repeater List chose this file.
    void importRequested(const QString& path);
    // The map is asked to show the repeater (its callsign as shown, "JR1YB B").
    void showOnMapRequested(const QString& callsign);
    // The current row became this repeater.
    void repeaterChosen(const QString& callsign);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void showSort(int column, Qt::SortOrder order);
    void fillRemoveMenu();
    void showCount();
    void sizeColumns();

    RepeaterDirectory& directory_;
    Notifier& notifier_;
    RepeatersModel* model_;
    QLineEdit* field_;
    QTableView* table_;
    QLabel* count_;
    QLabel* ownStatus_;
    QMenu* context_;
    // Your position while the window is hidden: taken when it is shown, nothing before.
    std::optional<std::optional<LatLon>> pending_;
    QString pendingStatus_;
};

} // namespace tamsel
