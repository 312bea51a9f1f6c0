// SPDX-License-Identifier: GPL-3.0-or-later
// HeardStations: the Heard Stations window, who was heard and where.
#include "heard/HeardStations.h"

#include "calls/RouteNames.h"

#include "log/Csv.h"

#include "memory/Text.h"
#include "monitor/Position.h"
#include "widgets/RowTable.h"
#include "widgets/SaveFile.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QUrl>

namespace tamsel {

namespace {

// Whether the desktop names an application for links of `scheme` ("geo", "https").
// xdg-open starts (and Qt says "opened") even when nothing takes the link, so ask first.
bool desktopHandles(const QString& scheme) {
    if (scheme != QLatin1String("geo") && !qEnvironmentVariableIsEmpty("BROWSER")) {
        return true; // xdg-open hands web links to $BROWSER
    }
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                             QStringLiteral("x-scheme-handler/") + scheme});
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished(1000);
        return false;
    }
    return query.exitCode() == 0 && !query.readAllStandardOutput().trimmed().isEmpty();
}

QString coordinate(double degrees) {
    return QString::number(degrees, 'f', 5);
}

} // namespace

HeardStations::HeardStations(Notifier& notifier) : HeardStations(notifier, new HeardStationsModel) {
    model_->setParent(this);
}

HeardStations::HeardStations(Notifier& notifier, HeardStationsModel* model)
    : notifier_(notifier), model_(model) {
    setAttribute(Qt::WA_QuitOnClose, false); // only closing the main window ends the program
    setWindowTitle(tr("Heard Stations"));
    QMenu* file = menuBar()->addMenu(tr("&File"));
    SaveAs1 = file->addAction(tr("Save &As..."));
    SaveAs1->setObjectName(QStringLiteral("SaveAs1"));
    ExportAdif1 = file->addAction(tr("Export A&DIF..."));
    ExportAdif1->setObjectName(QStringLiteral("ExportAdif1"));
    connect(ExportAdif1, &QAction::triggered, this, &HeardStations::ExportAdif1Click);
    file->addSeparator();
    LogContact1 = file->addAction(tr("&Log Contact..."));
    LogContact1->setObjectName(QStringLiteral("LogContact1"));
    LogContact1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(LogContact1, &QAction::triggered, this, &HeardStations::LogContact1Click);
    file->addSeparator();
    Exit1 = file->addAction(tr("E&xit"));
    Exit1->setObjectName(QStringLiteral("Exit1"));
    connect(SaveAs1, &QAction::triggered, this, &HeardStations::SaveAs1Click);
    connect(Exit1, &QAction::triggered, this, &HeardStations::Exit1Click);
    QMenu* view = menuBar()->addMenu(tr("&View"));
    SortByLastHeard = view->addAction(tr("Sort by &Last Heard"));
    SortByLastHeard->setObjectName(QStringLiteral("SortByLastHeard"));
    connect(SortByLastHeard, &QAction::triggered, this, &HeardStations::sortByLastHeard);
    // Every column by keyboard too, as a click on its title sorts it.
    sortBy_ = view->addMenu(tr("Sort &By"));
    sortBy_->setObjectName(QStringLiteral("SortBy"));
    // Descending, last in the menu, keeps its key: the columns take the others.
    const QString descending = tr("&Descending");
    const qsizetype mark = descending.indexOf(QLatin1Char('&'));
    QString taken = mark >= 0 && mark + 1 < descending.size()
                        ? descending.mid(mark + 1, 1).toLower()
                        : QString();
    QStringList items;
    for (int c = 0; c < HeardStationsModel::ColumnCount; ++c) {
        QString title = QCoreApplication::translate("HeardStationsModel",
                                                    HeardStationsModel::kColumns[c].title);
        // The first letter of the title that no item above it has taken is its access key;
        // a title whose letters are all taken, or that is written in other letters than
        // A to Z (Japanese), gets a free one after it, "Comment (&K)".
        bool keyed = false;
        for (int i = 0; i < title.size() && !keyed; ++i) {
            const QChar letter = title.at(i).toLower();
            if (letter >= QLatin1Char('a') && letter <= QLatin1Char('z') &&
                !taken.contains(letter)) {
                taken += letter;
                title.insert(i, QLatin1Char('&'));
                keyed = true;
            }
        }
        for (char free = 'a'; free <= 'z' && !keyed; ++free) {
            if (!taken.contains(QLatin1Char(free))) {
                taken += QLatin1Char(free);
                title += QStringLiteral(" (&%1)").arg(QChar::fromLatin1(free).toUpper());
                keyed = true;
            }
        }
        items << title;
    }
    addSortItems(sortBy_, items, [this](int column) {
        setSort(column, table_->horizontalHeader()->sortIndicatorOrder());
    });
    sortBy_->addSeparator();
    SortDescending = sortBy_->addAction(descending);
    SortDescending->setObjectName(QStringLiteral("SortDescending"));
    SortDescending->setCheckable(true);
    connect(SortDescending, &QAction::triggered, this, [this](bool down) {
        const int column = model_->sortColumn();
        if (column >= 0) {
            setSort(column, down ? Qt::DescendingOrder : Qt::AscendingOrder);
        }
    });

    table_ = newRowTable(this);
    table_->setObjectName(QStringLiteral("Stations"));
    table_->setAccessibleName(tr("Heard Stations"));
    table_->setModel(model_);
    // No column chosen yet: newest first. A third click on a title goes back to it.
    table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table_->horizontalHeader()->setSortIndicatorClearable(true);
    table_->setSortingEnabled(true);
    connect(table_->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            &HeardStations::showSort);
    showSort(-1, Qt::AscendingOrder);
    table_->setToolTip(tr("Double-click a row, or select it and press Enter, to reply to its "
                          "station\nRight-click it, or press the Menu key or Shift+F10, to open "
                          "its map or copy its position"));
    table_->setContextMenuPolicy(Qt::CustomContextMenu);
    table_->installEventFilter(this);
    table_->viewport()->installEventFilter(this);
    connect(table_, &QTableView::doubleClicked, this, &HeardStations::replyTo);
    connect(table_, &QWidget::customContextMenuRequested, this, &HeardStations::showContextMenu);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &HeardStations::updateHold);
    setCentralWidget(table_);
    // Nothing to log or export until a station is heard.
    connect(model_, &QAbstractItemModel::rowsInserted, this, &HeardStations::updateActions);
    connect(model_, &QAbstractItemModel::modelReset, this, &HeardStations::updateActions);
    updateActions();
    ownStatus_ = new QLabel(this);
    ownStatus_->setObjectName(QStringLiteral("OwnStatus"));
    statusBar()->addWidget(ownStatus_);
    sizeToFont();

    chooseFile = [this] {
        return chooseSaveFile(this, QStringLiteral("heard.csv"), tr("CSV files (*.csv)"));
    };
    chooseAdifFile = [this] {
        return chooseSaveFile(this, QStringLiteral("heard.adi"), tr("ADIF files (*.adi)"));
    };
    ownStation = [] { return MyStation{}; };
    stationFrequency = [](const HeardStation&) { return std::optional<double>(); };
    chooseFrequency = [this](std::optional<double> suggested) -> std::optional<double> {
        bool ok = false;
        const double mhz = QInputDialog::getDouble(
            this, tr("Export ADIF"), tr("The frequency you heard the stations on (MHz):"),
            suggested.value_or(145.0), 0.1, 300000.0, 4, &ok);
        return ok ? std::optional<double>(mhz) : std::nullopt;
    };
    openUrl = [](const QUrl& url) {
        return desktopHandles(url.scheme()) && QDesktopServices::openUrl(url);
    };
    offerToCopy = [this](const QString& text) {
        QMessageBox box(QMessageBox::Information, tr("Open in Map"), text, QMessageBox::NoButton,
                        this);
        QPushButton* copy = box.addButton(tr("&Copy Position"), QMessageBox::AcceptRole);
        box.addButton(QMessageBox::Close);
        box.setDefaultButton(copy);
        box.exec();
        return box.clickedButton() == copy;
    };
}

void HeardStations::sizeToFont() {
    // Each column as wide as its usual content or its title, whichever is wider.
    const QFontMetrics cells(table_->font());
    const QFontMetrics titles(table_->horizontalHeader()->font());
    const int padding = cells.horizontalAdvance(QStringLiteral("00"));
    // Titles in either units, so that switching them needs no new widths.
    const QStringList metric = HeardStationsModel::titles(Units::Metric);
    const QStringList imperial = HeardStationsModel::titles(Units::Imperial);
    // Room for the sort indicator beside a title.
    const int indicator = style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, table_);
    int total = 0;
    for (int c = 0; c < HeardStationsModel::ColumnCount; ++c) {
        const auto& column = HeardStationsModel::kColumns[static_cast<std::size_t>(c)];
        const int title =
            std::max(titles.horizontalAdvance(metric[c]), titles.horizontalAdvance(imperial[c])) +
            indicator;
        int content = cells.horizontalAdvance(QLatin1String(column.widest));
        if (c == HeardStationsModel::Route) {
            // Route names run longer in some languages than the English sample.
            for (const QString& name : widestRouteNames()) {
                content = std::max(content, cells.horizontalAdvance(name));
            }
        }
        const int width = std::max(content, title) + padding;
        table_->setColumnWidth(c, width);
        total += width;
    }
    if (sized_) {
        return;
    }
    // The window shows every column and 20 rows where the screen has room, and never more
    // than most of the screen.
    const int frame = 2 * table_->frameWidth();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, table_);
    const int rowHeight = cells.height() + cells.height() / 2;
    QSize wanted(total + frame + scrollBar,
                 menuBar()->sizeHint().height() + titles.height() * 2 + 20 * rowHeight + frame);
    if (const QScreen* s = screen()) {
        const QRect room = s->availableGeometry();
        wanted = wanted.boundedTo(QSize(room.width() * 9 / 10, room.height() * 9 / 10));
    }
    resize(wanted);
}

void HeardStations::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        sizeToFont();
    }
    QMainWindow::changeEvent(event);
}

void HeardStations::showEvent(QShowEvent* event) {
    sized_ = true; // from now on the operator's size stands
    QMainWindow::showEvent(event);
    updateHold();
}

void HeardStations::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    // Nothing aims at rows nobody sees; the pointer may leave without a word.
    pointerOver_ = false;
    model_->setHeld(false);
}

bool HeardStations::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ || watched == table_->viewport()) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                replyTo(table_->currentIndex());
                return true;
            }
            if (key->key() == Qt::Key_Menu ||
                (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
                openMenuOnCurrent();
                return true;
            }
            break;
        }
        case QEvent::ContextMenu:
            // From the keyboard (or assistive technology) the menu is for the current row,
            // wherever the pointer is.
            if (static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
                openMenuOnCurrent();
                return true;
            }
            break;
        case QEvent::Enter:
        case QEvent::Leave:
            if (watched == table_) {
                pointerOver_ = event->type() == QEvent::Enter;
                updateHold();
            }
            break;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void HeardStations::updateHold() {
    const bool aimed = pointerOver_ || menuOpen_ || table_->selectionModel()->hasSelection();
    model_->setHeld(isVisible() && aimed);
}

void HeardStations::replyTo(const QModelIndex& index) {
    if (!index.isValid()) {
        return;
    }
    emit replyRequested(lastReception(model_->station(index.row())));
}

void HeardStations::showContextMenu(const QPoint& at) {
    openMenu(table_->indexAt(at), table_->viewport()->mapToGlobal(at));
}

void HeardStations::openMenuOnCurrent() {
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid()) {
        return;
    }
    table_->scrollTo(current);
    const QRect cell = table_->visualRect(current);
    openMenu(current, table_->viewport()->mapToGlobal(cell.bottomLeft()));
}

void HeardStations::openMenu(const QModelIndex& index, const QPoint& globalAt) {
    if (!index.isValid()) {
        return;
    }
    // The station itself, not its row: receptions go on while the menu is open.
    const HeardStation station = model_->station(index.row());
    QMenu menu(this);
    QAction* show = menu.addAction(tr("Show on &Map"), this, [this, station] {
        emit showOnMapRequested(QString::fromLatin1(station.callsign.c_str()));
    });
    QAction* map =
        menu.addAction(tr("Open in Map &Program"), this, [this, station] { openMap(station); });
    QAction* copy =
        menu.addAction(tr("&Copy Position"), this, [this, station] { copyPosition(station); });
    show->setEnabled(station.position.has_value());
    map->setEnabled(station.position.has_value());
    copy->setEnabled(station.position.has_value());
    menu.addSeparator();
    menu.addAction(tr("&Log Contact..."), this, [this, station] { logContact(station); });
    menuOpen_ = true;
    updateHold();
    const QPointer<HeardStations> alive(this);
    menu.exec(globalAt);
    if (alive) {
        menuOpen_ = false;
        updateHold();
    }
}

void HeardStations::openMap(const HeardStation& station) {
    const auto& p = station.position;
    if (!p) {
        return;
    }
    const QString lat = coordinate(p->latitude);
    const QString lon = coordinate(p->longitude);
    if (openUrl(QUrl(QStringLiteral("geo:%1,%2").arg(lat, lon)))) {
        return;
    }
    // No map application: the same place on OpenStreetMap in the web browser.
    const QUrl web(QStringLiteral("https://www.openstreetmap.org/?mlat=%1&mlon=%2#map=14/%1/%2")
                       .arg(lat, lon));
    if (!openUrl(web)) {
        // Nothing on this desktop shows maps: say so, and the position can still go elsewhere.
        const QString text = tr("No program could show the map: this desktop has no "
                                "map application and no web browser for %1.\n\n"
                                "Copy the position (%2, %3) instead?")
                                 .arg(web.toString(), lat, lon);
        if (offerToCopy(text)) {
            copyPosition(station);
        }
    }
}

void HeardStations::copyPosition(const HeardStation& station) {
    const auto& p = station.position;
    if (!p) {
        return;
    }
    QApplication::clipboard()->setText(
        QString::fromStdString(copiedPosition(p->latitude, p->longitude)));
}

QString HeardStations::csvCell(const QString& text) {
    return QString::fromStdString(csvField(text.toStdString())); // the reception log's rule
}

QByteArray HeardStations::csv(const HeardStationsModel& model) {
    QByteArray out;
    auto line = [&out](const QStringList& fields) {
        QStringList cells;
        for (const QString& f : fields) {
            cells << csvCell(f);
        }
        out += cells.join(QLatin1Char(',')).toUtf8() + "\r\n";
    };
    line(model.headers());
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList fields;
        for (int c = 0; c < HeardStationsModel::ColumnCount; ++c) {
            fields << model.exportText(model.station(row), c);
        }
        line(fields);
    }
    return out;
}

bool HeardStations::saveAs(const QString& path) {
    return saveFile(path, csv(*model_), notifier_);
}

void HeardStations::SaveAs1Click() {
    const QString path = chooseFile();
    if (!path.isEmpty()) {
        saveAs(path);
    }
}

QByteArray HeardStations::adif(const HeardStationsModel& model, const MyStation& own,
                               const FrequencyOf& frequencyOf, UtcTime now) {
    std::vector<Contact> rows;
    rows.reserve(static_cast<std::size_t>(model.rowCount()));
    for (int row = 0; row < model.rowCount(); ++row) {
        const HeardStation& station = model.station(row);
        Contact c = contactFromReception(lastReception(station));
        c.stationCallsign = own.callsign;
        c.myGridsquare = own.locator;
        c.frequencyMHz = frequencyOf(station);
        rows.push_back(std::move(c));
    }
    return QByteArray::fromStdString(adifListeningReports(rows, now, TAMSEL_VERSION));
}

bool HeardStations::exportAdif(const QString& path) {
    if (!maySaveTo(path, notifier_)) {
        return false; // before asking anything
    }
    std::optional<double> lastFrequency;
    if (logSettings != nullptr && logSettings->lastFrequencyMHz > 0) {
        lastFrequency = logSettings->lastFrequencyMHz;
    }
    // Each station on the frequency it was heard on where the console knows it; the others
    // on the one the operator names (loggers take no report without a band), offered the
    // last contact's.
    bool anyUnknown = false;
    for (int row = 0; row < model_->rowCount() && !anyUnknown; ++row) {
        anyUnknown = !stationFrequency(model_->station(row));
    }
    std::optional<double> heardOn;
    if (anyUnknown) {
        heardOn = chooseFrequency(lastFrequency);
        if (!heardOn) {
            return false;
        }
    }
    const FrequencyOf frequencyOf = [this, heardOn](const HeardStation& s) {
        const auto known = stationFrequency(s);
        return known ? known : heardOn;
    };
    return saveFile(path,
                    adif(*model_, ownStation(), frequencyOf, std::chrono::system_clock::now()),
                    notifier_);
}

void HeardStations::ExportAdif1Click() {
    const QString path = chooseAdifFile();
    if (!path.isEmpty()) {
        exportAdif(path);
    }
}

void HeardStations::LogContact1Click() {
    const QModelIndexList chosen = table_->selectionModel()->selectedRows();
    const int row = chosen.isEmpty() ? model_->newestRow() : chosen.front().row();
    if (row >= 0) {
        logContact(model_->station(row));
    }
}

void HeardStations::logContact(const HeardStation& station) {
    emit logContactRequested(lastReception(station));
}

void HeardStations::updateActions() {
    const bool any = model_->rowCount() > 0;
    ExportAdif1->setEnabled(any);
    LogContact1->setEnabled(any);
}

void HeardStations::setSort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= HeardStationsModel::ColumnCount) {
        sortByLastHeard();
        return;
    }
    table_->horizontalHeader()->setSortIndicator(column, order); // the table sorts the model
}

void HeardStations::showSort(int column, Qt::SortOrder order) {
    const bool any = column >= 0 && column < HeardStationsModel::ColumnCount;
    tickSortItem(sortBy_, any ? column : -1);
    SortDescending->setEnabled(any);
    SortDescending->setChecked(any && order == Qt::DescendingOrder);
    emit sortChanged(any ? column : -1, order);
}

void HeardStations::sortByLastHeard() {
    // The header tells the table, which tells the model.
    table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    if (model_->sortColumn() >= 0) {
        model_->sort(-1);
    }
}

void HeardStations::setOwnPosition(const std::optional<LatLon>& position, const QString& status) {
    model_->setOwnPosition(position);
    ownStatus_->setText(status);
}

void HeardStations::setUnits(Units units) {
    model_->setUnits(units);
}

void HeardStations::Exit1Click() {
    hide();
}

} // namespace tamsel
