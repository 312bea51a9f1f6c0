// SPDX-License-Identifier: GPL-3.0-or-later
// HeardStations: the Heard Stations window, who was heard and where.
#pragma once

#include "heard/HeardStationsModel.h"
#include "log/ContactLogger.h"
#include "widgets/Notifier.h"

#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QTableView>
#include <functional>

namespace tamsel {

// Every caller heard since start, newest on top, with the position its radio sent (D-PRS).
// Double-click or Enter on a row replies to that station (replyRequested); the position of
// a row opens in the desktop's map application (or on OpenStreetMap in the web browser) or
// goes to the clipboard. While the pointer is over the table, a row is selected or the
// context menu is open, rows stay where they are, so what is aimed at stays put. A click on a
// column's title sorts by it (again: descending; a third time, or View > Sort by Last Heard:
// newest first again); replies and menus act on the station shown whatever the order.
// "Log Contact..." (Ctrl+L, and in the context menu) offers the chosen station's last
// reception for the log; "Export ADIF..." writes the table as listening reports.
class HeardStations : public QMainWindow {
    Q_OBJECT
public:
    explicit HeardStations(Notifier& notifier);
    // The window over a list that lives apart from it (and outlives it): the list collects
    // before the window is first opened.
    HeardStations(Notifier& notifier, HeardStationsModel* model);

    HeardStationsModel* model() const { return model_; }
    QTableView* table() const { return table_; }

    // Writes the table as CSV (UTF-8, RFC 4180, the header row first). False on failure,
    // which the operator is told.
    bool saveAs(const QString& path);
    static QByteArray csv(const HeardStationsModel& model);
    static inline constexpr QLatin1String kReplyHint{
        "Double-click a row, or select it and press Enter, to reply to its station"};
    // One CSV cell: a text a spreadsheet would take for a formula gets a leading ', then
    // quoted where RFC 4180 asks.
    static QString csvCell(const QString& text);
    // The table in its order as ADIF listening reports (SWL = Y), one per station from its
    // last reception, with your station's callsign and locator and the frequency each
    // station was heard on.
    using FrequencyOf = std::function<std::optional<double>(const HeardStation&)>;
    static QByteArray adif(const HeardStationsModel& model, const MyStation& own,
                           const FrequencyOf& frequencyOf, UtcTime now);
    // Writes adif() to `path`; refuses the ADIF log itself (also through a link), which only
    // ever grows. Stations whose frequency the console does not know get the one the
    // operator is asked for; nothing is written when that is cancelled. False on failure,
    // which the operator is told.
    bool exportAdif(const QString& path);
    void ExportAdif1Click();
    // Asks to log the chosen station's last reception (the selected row, else the station
    // heard last).
    void LogContact1Click();

    void SaveAs1Click();
    void Exit1Click();
    void replyTo(const QModelIndex& index);
    void openMap(const HeardStation& station);
    void copyPosition(const HeardStation& station);
    // Back to the newest on top.
    void sortByLastHeard();
    // Sorts by `column` (a HeardStationsModel column; -1: newest on top), as a click on
    // its title would.
    void setSort(int column, Qt::SortOrder order);

    // Your position for Distance and Bearing, and what stands in for it when there is none
    // ("no fix", "gpsd not reachable"; empty when nothing is wrong), shown in the status bar.
    void setOwnPosition(const std::optional<LatLon>& position, const QString& status);
    void setUnits(Units units);
    QString ownStatus() const { return ownStatus_->text(); }

    // How Save As asks for a file name; an empty name means the operator cancelled.
    std::function<QString()> chooseFile;
    // The same for Export ADIF.
    std::function<QString()> chooseAdifFile;
    // Your station as the listening reports name it; nobody by default.
    std::function<MyStation()> ownStation;
    // The frequency (MHz) a station was heard on, when the console knows it; nothing by default.
    FrequencyOf stationFrequency;
    // Asks for the frequency of the stations whose own is not known, offering `suggested`;
    // nothing when the operator cancels.
    std::function<std::optional<double>(std::optional<double> suggested)> chooseFrequency;
    // The log's settings (the ADIF log's path, its frequency), when the console has them.
    const LogSettings* logSettings = nullptr;
    // How a URL (geo: or the web map) is opened; the desktop's handler by default. False
    // when nothing opened it.
    std::function<bool(const QUrl&)> openUrl;
    // When nothing could show the map: tells the operator and asks whether to copy the
    // position instead; true copies it.
    std::function<bool(const QString& text)> offerToCopy;

    QAction* SaveAs1;
    QAction* ExportAdif1;
    QAction* LogContact1;
    QAction* Exit1;
    QAction* SortByLastHeard;
    QAction* SortDescending;

signals:
    // A reply to a station: its last reception, answered the way that came.
    void replyRequested(const tamsel::StationReport& reception);
    // "Log Contact..." on a station: its last reception, as the report of its end.
    void logContactRequested(const StationReport& reception);
    // "Show on Map" on a station: the map should show it, selected.
    void showOnMapRequested(const QString& callsign);
    // The table's sort changed (column -1: newest on top), by a title, the menu or setSort().
    void sortChanged(int column, Qt::SortOrder order);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showSort(int column, Qt::SortOrder order);
    void showContextMenu(const QPoint& at);
    void openMenu(const QModelIndex& index, const QPoint& globalAt);
    void openMenuOnCurrent();
    void logContact(const HeardStation& station);
    void updateActions();
    // Holds the rows still while anything aims at them, releases them otherwise.
    void updateHold();
    void sizeToFont();

    Notifier& notifier_;
    HeardStationsModel* model_;
    QTableView* table_;
    QLabel* ownStatus_;
    QMenu* sortBy_;
    bool pointerOver_ = false;
    bool menuOpen_ = false;
    bool sized_ = false; // by the operator once shown; the font then sets the columns only
};

} // namespace tamsel
