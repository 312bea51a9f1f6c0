// SPDX-License-Identifier: GPL-3.0-or-later
// HeardStations: the Heard Stations window, who was heard and where.
#pragma once

#include "heard/HeardStationsModel.h"
#include "widgets/Notifier.h"

#include <QMainWindow>
#include <QTableView>
#include <functional>

namespace tamsel {

// Every caller heard since start, newest on top, with the position its radio sent (D-PRS).
// Double-click or Enter on a row replies to that station (replyRequested); the position of
// a row opens in the desktop's map application or goes to the clipboard.
class HeardStations : public QMainWindow {
    Q_OBJECT
public:
    explicit HeardStations(Notifier& notifier);

    HeardStationsModel* model() const { return model_; }
    QTableView* table() const { return table_; }

    // Writes the table as CSV (UTF-8, RFC 4180, the header row first). False on failure,
    // which the operator is told.
    bool saveAs(const QString& path);
    static QByteArray csv(const HeardStationsModel& model);

    void SaveAs1Click();
    void Exit1Click();
    void replyToCurrent();
    void openMap(int row);
    void copyPosition(int row);

    // How Save As asks for a file name; an empty name means the operator cancelled.
    std::function<QString()> chooseFile;
    // How a geo: URI is opened; the desktop's handler by default.
    std::function<bool(const QUrl&)> openUrl;

    QAction* SaveAs1;
    QAction* Exit1;

signals:
    // The callsign padded to 8 characters, as the destination field takes it.
    void replyRequested(const QString& destination);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showContextMenu(const QPoint& at);

    Notifier& notifier_;
    HeardStationsModel* model_;
    QTableView* table_;
};

} // namespace tamsel
