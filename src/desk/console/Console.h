// SPDX-License-Identifier: GPL-3.0-or-later
// Console: creates every window in order and wires them together; the application object
// and the program after discovery.
#pragma once

#include "Station.h"
#include "StationProgram.h"
#include "adapter/Connection.h"
#include "adapter/Discovery.h"
#include "settings/WebSettings.h"
#include "widgets/Notifier.h"

#include <QApplication>
#include <QByteArray>
#include <QObject>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace tamsel {

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm11;
class TForm12;
class HeardStations;
class Alerting;
class HeardStationsModel;
class ReceptionLog;
class ContactLogger;
struct LogSettings;
struct MyStation;
struct StationReport;
class SettingsStore;
class OwnStation;
class Preferences;
class MapWindow;
class MapStations;
class RepeaterFeature;
class Translations;

// The program's windows, one each, set while the Console lives.
extern TForm1* Form1;
extern TForm2* Form2;
extern TForm3* Form3;
extern TForm4* Form4;
extern TForm11* Form11;
extern TForm12* Form12;

// Creates the six windows once, in their fixed order, each reading what it shows from the
// adapter; only the main window is shown. This is the one place where windows meet: what
// one window's operator chose (its signals) is connected here to the window that acts on
// it, and the monitor's history lines to the history window. Destroys the windows in
// reverse order, after the receive monitor has ended, so no update ever reaches a
// destroyed window.
class Console {
public:
    Console(AdapterLink& link, Notifier& notifier, const QString& captionNote = {});
    // The same, following the adapter through unplug and replug: the caption says when it
    // is gone, and when it is back the windows read it again in start-up order before the
    // monitor polls again.
    Console(AdapterConnection& connection, Notifier& notifier, const QString& captionNote = {});
    ~Console();
    Console(const Console&) = delete;
    // The station the windows are a face of.
    Station& station() const { return *station_; }
    // Serves the station's page with `face` while Preferences' "Remote" page has it on, and
    // again whenever its settings change.
    void serveRemote(RemoteFace face);
    // The page's face while it is served.
    QObject* remote() const { return remote_.get(); }
    Console& operator=(const Console&) = delete;

    // The list of heard stations (not one of the six), collecting from the start; its
    // window, made when first needed.
    HeardStationsModel* heardModel() const { return heardModel_.get(); }
    HeardStations* heardStations();
    // The console's own settings, the own station that follows them, and the dialog that
    // edits them (Config > Preferences..., made when first needed).
    SettingsStore* settings() const { return &station_->settings(); }
    OwnStation* ownStation() const { return &station_->ownStation(); }
    Preferences* preferences();
    // Alerts for calls to the operator and watched stations.
    Alerting* alerting() const { return alerting_.get(); }
    // The map of your station, the stations heard and the repeaters (Window > Map), made
    // when first needed.
    MapWindow* map();
    // The repeater directory, its window and the nearest repeater.
    RepeaterFeature* repeaters() const { return repeaters_.get(); }

    //: Added to the main window's title
    static inline const char* const kDisconnected =
        QT_TRANSLATE_NOOP("Console", " - adapter disconnected");
    //: Added to the main window's title
    static inline const char* const kNotAccessible =
        QT_TRANSLATE_NOOP("Console", " - adapter not accessible");

private:
    Console(std::unique_ptr<Station> station, Notifier& notifier, const QString& captionNote);
    void wireWindows();
    // The reception log, the last day's stations read back, and "Log Contact..." (Ctrl+L).
    void wireLogs(Notifier& notifier);
    // Opens "Log Contact..." over `from`, prefilled from a reception (an empty form when it
    // names nobody).
    void logContact(QWidget* from, StationReport reception);
    // A history line's reception, as whole as Heard Stations still knows it; `start`, when
    // known, is when it began (the line's local time can name two moments).
    StationReport
    receptionOfHistoryLine(const QByteArray& line,
                           std::optional<std::chrono::system_clock::time_point> start) const;
    void wirePreferences(Notifier& notifier);
    void wireAlerts();
    // The map: fed by Heard Stations, its selection in step with the table's.
    void wireMap();
    // Heard Stations' window, once made: what it asks for and what it shows.
    void wireHeardStations();
    // The table's selection and the map's are one, once both windows are made.
    void wireHeardWithMap();
    void showRepeatersOnMap();
    void destroyWindows();
    void adapterChanged(AdapterConnection::State state);

    std::unique_ptr<Station> station_;
    Notifier& notifier_;
    std::unique_ptr<HeardStationsModel> heardModel_;
    std::unique_ptr<HeardStations> heard_;
    std::optional<std::pair<int, Qt::SortOrder>> heardSort_; // chosen in this run
    std::unique_ptr<Preferences> preferences_; // its Station page follows your station
    std::unique_ptr<Alerting> alerting_;
    std::unique_ptr<MapWindow> map_;
    // Until the map is made: the stations it will show, with their tracks since start.
    std::unique_ptr<MapStations> mapStations_;
    std::unique_ptr<RepeaterFeature> repeaters_;
    // The page for browsers, made by the program (it knows the web face); goes first.
    RemoteFace remoteFace_;
    std::optional<WebSettings> remoteSettings_; // as last applied
    std::unique_ptr<QObject> remote_;
};

// The application object. An exception that escapes an event handler is shown in a box
// and the event loop goes on. It speaks the language of the Preferences' "Language" page,
// else the desktop's.
class Application : public QApplication {
public:
    Application(int& argc, char** argv, Notifier& notifier);
    ~Application() override;
    bool notify(QObject* receiver, QEvent* event) override;

private:
    Notifier& notifier_;
    std::unique_ptr<Translations> translations_;
};

// The program after discovery: tells the operator when there is no adapter, otherwise
// creates the windows and runs `eventLoop` until the main window closes. An exception that
// escapes is shown in a box. Always returns exit status 0. With `rescan`, the adapter is
// followed through unplug and replug (see AdapterConnection).
int runProgram(Discovery discovery, Notifier& notifier, const std::function<int()>& eventLoop,
               const QString& captionNote = {}, AdapterConnection::BusFactory rescan = {},
               AdapterConnection::ArrivalWait arrivals = {}, RemoteFace remote = {});

} // namespace tamsel
