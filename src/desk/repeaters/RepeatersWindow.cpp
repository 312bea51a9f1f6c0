// SPDX-License-Identifier: GPL-3.0-or-later
// RepeatersWindow: the window "Repeaters", the imported repeater lists as one directory.
#include "repeaters/RepeatersWindow.h"

#include "widgets/RowTable.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QVBoxLayout>

namespace tamsel {

RepeatersWindow::RepeatersWindow(RepeaterDirectory& directory, Notifier& notifier)
    : directory_(directory), notifier_(notifier), model_(new RepeatersModel(directory, this)) {
    setAttribute(Qt::WA_QuitOnClose, false); // only closing the main window ends the program
    setObjectName(QStringLiteral("Repeaters"));
    setWindowTitle(tr("Repeaters"));

    QMenu* file = menuBar()->addMenu(tr("&File"));
    ImportRepeaterList = file->addAction(tr("&Import Repeater List..."));
    ImportRepeaterList->setObjectName(QStringLiteral("ImportRepeaterList"));
    ImportRepeaterList->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    connect(ImportRepeaterList, &QAction::triggered, this, [this] {
        if (const QString path = chooseList(); !path.isEmpty()) {
            emit importRequested(path);
        }
    });
    removeList = file->addMenu(tr("&Remove List"));
    removeList->setObjectName(QStringLiteral("RemoveList"));
    connect(removeList, &QMenu::aboutToShow, this, &RepeatersWindow::fillRemoveMenu);
    file->addSeparator();
    QAction* exit = file->addAction(tr("E&xit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    // Every column by keyboard too, as a click on its title sorts it.
    QMenu* view = menuBar()->addMenu(tr("&View"));
    sortBy = view->addMenu(tr("Sort &By"));
    sortBy->setObjectName(QStringLiteral("SortBy"));
    addSortItems(
        sortBy,
        {tr("&Name"), tr("&Area"), tr("&Repeater"), tr("&Gateway"), tr("&Frequency"), tr("&Offset"),
         tr("&Distance"), tr("&Bearing")},
        [this](int column) { setSort(column, table_->horizontalHeader()->sortIndicatorOrder()); });
    sortBy->addSeparator();
    SortDescending = sortBy->addAction(tr("D&escending"));
    SortDescending->setCheckable(true);
    connect(SortDescending, &QAction::triggered, this, [this](bool down) {
        setSort(table_->horizontalHeader()->sortIndicatorSection(),
                down ? Qt::DescendingOrder : Qt::AscendingOrder);
    });

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    field_ = new QLineEdit(central);
    field_->setObjectName(QStringLiteral("Filter"));
    field_->setAccessibleName(tr("Filter"));
    field_->setPlaceholderText(tr("Filter by name, area or callsign"));
    field_->setClearButtonEnabled(true);
    connect(field_, &QLineEdit::textChanged, model_, &RepeatersModel::setFilter);
    connect(model_, &RepeatersModel::rowsArranged, this, &RepeatersWindow::showCount);
    layout->addWidget(field_);

    table_ = newRowTable(central);
    table_->setObjectName(QStringLiteral("RepeaterTable"));
    table_->setAccessibleName(tr("Repeaters"));
    table_->setModel(model_);
    table_->setSortingEnabled(true);
    connect(table_->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            &RepeatersWindow::showSort);
    table_->setToolTip(tr("Double-click a row, or select it and press Enter, to use its "
                          "repeater as Repeater 1 and its gateway as Repeater 2"));
    table_->setContextMenuPolicy(Qt::CustomContextMenu);
    table_->installEventFilter(this);
    layout->addWidget(table_);
    setCentralWidget(central);
    // Down from the filter goes to the rows; Ctrl+F back to the filter.
    field_->installEventFilter(this);
    auto* find = new QAction(this);
    find->setShortcut(QKeySequence::Find);
    find->setShortcutContext(Qt::WindowShortcut);
    connect(find, &QAction::triggered, field_, [this] {
        field_->setFocus();
        field_->selectAll();
    });
    addAction(find);

    context_ = new QMenu(this);
    UseAsMyRepeater = context_->addAction(tr("&Use as My Repeater"));
    UseAsMyRepeater->setObjectName(QStringLiteral("UseAsMyRepeater"));
    connect(UseAsMyRepeater, &QAction::triggered, this, [this] { use(table_->currentIndex()); });
    ShowOnMap = context_->addAction(tr("Show on &Map"));
    ShowOnMap->setObjectName(QStringLiteral("ShowOnMap"));
    connect(ShowOnMap, &QAction::triggered, this, [this] {
        if (const Repeater* r = repeaterAt(table_->currentIndex().row())) {
            emit showOnMapRequested(QString::fromStdString(r->shownCallsign()));
        }
    });
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (const Repeater* r = current.isValid() ? repeaterAt(current.row()) : nullptr) {
                    emit repeaterChosen(QString::fromStdString(r->shownCallsign()));
                }
            });
    connect(table_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex index = table_->indexAt(at);
        if (index.isValid()) {
            table_->setCurrentIndex(index);
            context_->popup(table_->viewport()->mapToGlobal(at));
        }
    });
    connect(table_, &QTableView::doubleClicked, this, &RepeatersWindow::use);

    count_ = new QLabel(this);
    ownStatus_ = new QLabel(this);
    statusBar()->addWidget(count_);
    statusBar()->addPermanentWidget(ownStatus_);
    showCount();

    chooseList = [this] {
        return QFileDialog::getOpenFileName(this, tr("Import Repeater List"), QString(),
                                            tr("Repeater lists (*.csv *.CSV);;All files (*)"));
    };
    confirmRemove = [this](const QString& list) {
        return QMessageBox::question(
                   this, tr("Remove List"),
                   tr("Remove the repeater list %1 from the directory?").arg(list)) ==
               QMessageBox::Yes;
    };

    // Nearest first; without your position, as the lists have them.
    setSort(RepeatersModel::Distance, Qt::AscendingOrder);
    sizeColumns();
    resize(table_->horizontalHeader()->length() + 24, QFontMetrics(table_->font()).height() * 30);
}

void RepeatersWindow::setOwnPosition(const std::optional<LatLon>& position, const QString& status) {
    if (!isVisible()) {
        pending_ = position; // a gpsd fix a second costs nothing while nobody looks
        pendingStatus_ = status;
        return;
    }
    pending_.reset();
    model_->setOwnPosition(position);
    ownStatus_->setText(position ? QString() : status);
}

void RepeatersWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (pending_) {
        const auto position = *pending_;
        setOwnPosition(position, pendingStatus_);
    }
}

void RepeatersWindow::setUnits(Units units) {
    model_->setUnits(units);
    sizeColumns();
}

void RepeatersWindow::sizeColumns() {
    // Room for the title with its sort mark, and for what the column shows mostly; the rows
    // are not measured, there may be 100,000 of them.
    const QFontMetrics data(table_->font());
    const QFontMetrics title(table_->horizontalHeader()->font());
    const int mark = 2 * title.height() + 8;
    const char* const widest[RepeatersModel::ColumnCount] = {
        "MMMMMMMMMMMM", "MMMMMMMMMM", "JR1YBX B",  "JR1YBX G",
        "1293.0000",    "-20.0000",   "~00,000.0", "000"};
    for (int c = 0; c < RepeatersModel::ColumnCount; ++c) {
        const int text = title.horizontalAdvance(model_->headerData(c, Qt::Horizontal).toString());
        table_->setColumnWidth(
            c, std::max(text + mark, data.horizontalAdvance(QLatin1String(widest[c])) + 12));
    }
}

void RepeatersWindow::setSort(int column, Qt::SortOrder order) {
    table_->horizontalHeader()->setSortIndicator(column, order); // the table sorts the model
}

void RepeatersWindow::showSort(int column, Qt::SortOrder order) {
    tickSortItem(sortBy, column);
    SortDescending->setChecked(order == Qt::DescendingOrder);
}

const Repeater* RepeatersWindow::repeaterAt(int row) const {
    return row >= 0 && row < model_->rowCount() ? &model_->repeater(row) : nullptr;
}

void RepeatersWindow::use(const QModelIndex& index) {
    if (!index.isValid()) {
        return;
    }
    const Repeater* r = repeaterAt(index.row());
    if (r == nullptr) {
        return;
    }
    if (!r->routable()) {
        //: %1: the repeater's name.
        notifier_.information(
            tr("%1 is no D-STAR repeater with a module letter: no route goes through it.")
                .arg(QString::fromStdString(r->name)));
        return;
    }
    emit useRequested(*r);
}

void RepeatersWindow::selectRepeater(const QString& callsign) {
    const std::string wanted = callsign.toStdString();
    if (const Repeater* r = repeaterAt(table_->currentIndex().row());
        r != nullptr && r->shownCallsign() == wanted) {
        return;
    }
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (const Repeater* r = repeaterAt(row); r != nullptr && r->shownCallsign() == wanted) {
            table_->selectRow(row);
            table_->scrollTo(model_->index(row, 0));
            return;
        }
    }
}

void RepeatersWindow::fillRemoveMenu() {
    removeList->clear();
    for (const RepeaterDirectory::List& l : directory_.lists()) {
        const QString name = QString::fromStdString(l.name);
        //: %1: the list's file name, %2: how many repeaters it holds.
        QAction* a = removeList->addAction(
            tr("%1 (%n repeaters)", nullptr, static_cast<int>(l.repeaters)).arg(name));
        connect(a, &QAction::triggered, this, [this, name] {
            if (!confirmRemove || !confirmRemove(name)) {
                return;
            }
            if (const QString why = directory_.remove(name.toStdString()); !why.isEmpty()) {
                notifier_.failure(why);
            }
        });
    }
    if (removeList->isEmpty()) {
        removeList->addAction(tr("No lists kept"))->setEnabled(false);
    }
}

void RepeatersWindow::showCount() {
    const int all = model_->total();
    const int shown = model_->rowCount();
    if (all == 0) {
        count_->setText(tr("No repeater lists yet: import one (File, Import Repeater List)."));
    } else if (shown == all) {
        count_->setText(tr("%n repeaters", nullptr, all));
    } else {
        //: %1: how many repeaters the filter leaves, of %n.
        count_->setText(tr("%1 of %n repeaters", nullptr, all).arg(shown));
    }
}

bool RepeatersWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched == table_ && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            use(table_->currentIndex());
            return true;
        }
        if (watched == table_ &&
            (key->key() == Qt::Key_Menu ||
             (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier))) {
            const QModelIndex index = table_->currentIndex();
            if (index.isValid()) {
                context_->popup(
                    table_->viewport()->mapToGlobal(table_->visualRect(index).center()));
            }
            return true;
        }
        if (watched == field_ && key->key() == Qt::Key_Down && model_->rowCount() > 0) {
            table_->setFocus();
            table_->setCurrentIndex(model_->index(0, 0));
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tamsel
