// SPDX-License-Identifier: GPL-3.0-or-later
// RowTable: the read-only table of rows the console's lists are shown in.
#pragma once

#include <QStringList>
#include <functional>

class QActionGroup;
class QMenu;
class QTableView;
class QWidget;

namespace tamsel {

// A table that selects one whole row at a time, edits nothing, keeps each row one line
// high without row numbers, and stretches its last column.
QTableView* newRowTable(QWidget* parent);

// Adds to a "Sort By" menu one item a column, with the titles given, ticked one at a time;
// choosing one calls `sortBy` with its column. Returns their group (the menu owns it).
QActionGroup* addSortItems(QMenu* menu, const QStringList& titles,
                           const std::function<void(int column)>& sortBy);
// Ticks the menu's item of `column`; none when no item is that column's.
void tickSortItem(QMenu* menu, int column);

} // namespace tamsel
