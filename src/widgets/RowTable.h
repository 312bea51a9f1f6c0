// SPDX-License-Identifier: GPL-3.0-or-later
// RowTable: the read-only table of rows the console's lists are shown in.
#pragma once

class QTableView;
class QWidget;

namespace tamsel {

// A table that selects one whole row at a time, edits nothing, keeps each row one line
// high without row numbers, and stretches its last column.
QTableView* newRowTable(QWidget* parent);

} // namespace tamsel
