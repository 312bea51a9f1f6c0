// SPDX-License-Identifier: GPL-3.0-or-later
// HeardStations: the Heard Stations window, who was heard and where.
#include "heard/HeardStations.h"

#include "monitor/Position.h"
#include "widgets/SaveFile.h"
#include "widgets/Text.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QUrl>

namespace tamsel {

namespace {

// One CSV field: quoted when it holds a comma, a quote or a line break; quotes doubled.
QString csvField(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'))) {
        return text;
    }
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

HeardStations::HeardStations(Notifier& notifier)
    : notifier_(notifier), model_(new HeardStationsModel(this)) {
    setAttribute(Qt::WA_QuitOnClose, false); // only closing the main window ends the program
    setWindowTitle(QStringLiteral("Heard Stations"));
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    SaveAs1 = file->addAction(QStringLiteral("Save &As..."));
    SaveAs1->setObjectName(QStringLiteral("SaveAs1"));
    Exit1 = file->addAction(QStringLiteral("E&xit"));
    Exit1->setObjectName(QStringLiteral("Exit1"));
    connect(SaveAs1, &QAction::triggered, this, &HeardStations::SaveAs1Click);
    connect(Exit1, &QAction::triggered, this, &HeardStations::Exit1Click);

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("Stations"));
    table_->setAccessibleName(QStringLiteral("Heard Stations"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setContextMenuPolicy(Qt::CustomContextMenu);
    table_->installEventFilter(this);
    const QFontMetrics metrics(table_->font());
    const int widths[] = {10, 6, 20, 6, 10, 22, 8, 11, 12, 7, 6, 8, 20};
    for (int c = 0; c < HeardStationsModel::ColumnCount; ++c) {
        table_->setColumnWidth(c, metrics.horizontalAdvance(QString(widths[c], QLatin1Char('0'))));
    }
    connect(table_, &QTableView::doubleClicked, this, &HeardStations::replyToCurrent);
    connect(table_, &QWidget::customContextMenuRequested, this, &HeardStations::showContextMenu);
    setCentralWidget(table_);
    resize(metrics.horizontalAdvance(QString(150, QLatin1Char('0'))), 20 * metrics.height());

    chooseFile = [this] {
        return QFileDialog::getSaveFileName(this, QString(), QStringLiteral("heard.csv"),
                                            QStringLiteral("CSV files (*.csv)"));
    };
    openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

bool HeardStations::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            replyToCurrent();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void HeardStations::replyToCurrent() {
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid()) {
        return;
    }
    const QString call = fromBytes(model_->station(current.row()).callsign);
    emit replyRequested(call.leftJustified(8, QLatin1Char(' ')));
}

void HeardStations::showContextMenu(const QPoint& at) {
    const QModelIndex index = table_->indexAt(at);
    if (!index.isValid()) {
        return;
    }
    const int row = index.row();
    const bool located = model_->station(row).position.has_value();
    QMenu menu(this);
    QAction* map =
        menu.addAction(QStringLiteral("Open in &Map"), this, [this, row] { openMap(row); });
    QAction* copy =
        menu.addAction(QStringLiteral("&Copy Position"), this, [this, row] { copyPosition(row); });
    map->setEnabled(located);
    copy->setEnabled(located);
    menu.exec(table_->viewport()->mapToGlobal(at));
}

void HeardStations::openMap(int row) {
    const auto& p = model_->station(row).position;
    if (!p) {
        return;
    }
    const QUrl url(
        QStringLiteral("geo:%1,%2")
            .arg(QString::number(p->latitude, 'f', 5), QString::number(p->longitude, 'f', 5)));
    if (!openUrl(url)) {
        notifier_.failure(QStringLiteral("No map application opened %1.").arg(url.toString()));
    }
}

void HeardStations::copyPosition(int row) {
    const auto& p = model_->station(row).position;
    if (!p) {
        return;
    }
    QApplication::clipboard()->setText(
        QStringLiteral("%1, %2 (%3)")
            .arg(QString::number(p->latitude, 'f', 5), QString::number(p->longitude, 'f', 5),
                 QString::fromStdString(maidenhead(p->latitude, p->longitude))));
}

QByteArray HeardStations::csv(const HeardStationsModel& model) {
    QByteArray out;
    auto line = [&out](const QStringList& fields) {
        QStringList quoted;
        for (const QString& f : fields) {
            quoted << csvField(f);
        }
        out += quoted.join(QLatin1Char(',')).toUtf8() + "\r\n";
    };
    line(HeardStationsModel::headers());
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList fields;
        for (int c = 0; c < HeardStationsModel::ColumnCount; ++c) {
            fields << HeardStationsModel::text(model.station(row), c);
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

void HeardStations::Exit1Click() {
    hide();
}

} // namespace tamsel
