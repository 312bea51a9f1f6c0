// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/RowTable.h"

#include <QActionGroup>
#include <QHeaderView>
#include <QMenu>
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

QActionGroup* addSortItems(QMenu* menu, const QStringList& titles,
                           const std::function<void(int column)>& sortBy) {
    auto* columns = new QActionGroup(menu);
    for (int c = 0; c < titles.size(); ++c) {
        QAction* a = menu->addAction(titles[c]);
        a->setCheckable(true);
        a->setData(c);
        columns->addAction(a);
        QObject::connect(a, &QAction::triggered, menu, [sortBy, c] { sortBy(c); });
    }
    return columns;
}

void tickSortItem(QMenu* menu, int column) {
    for (QAction* a : menu->actions()) {
        if (a->actionGroup() != nullptr) {
            a->setChecked(a->data().toInt() == column);
        }
    }
}

} // namespace tamsel
