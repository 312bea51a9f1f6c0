// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/RowTable.h"

#include <QHeaderView>
#include <QTableView>

namespace tamsel {

QTableView* newRowTable(QWidget* parent) {
    auto* table = new QTableView(parent);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

} // namespace tamsel
