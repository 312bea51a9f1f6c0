// SPDX-License-Identifier: GPL-3.0-or-later
// Console: creates every window in order and wires them together; the application object
// and the program after discovery.
#include "console/Console.h"

#include "alerts/Alerting.h"
#include "alerts/AlertsPage.h"
#include "calls/CallMenu.h"
#include "calls/RouteNames.h"
#include "console/RepeaterFeature.h"
#include "console/Signals.h"
#include "console/Unit1.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit6.h"
#include "heard/HeardStations.h"
#include "history/Unit5.h"
#include "language/LanguagePage.h"
#include "language/Translations.h"
#include "log/AppendFile.h"
#include "log/ContactLogger.h"
#include "log/LogContact.h"
#include "log/LogPage.h"
#include "log/ReceptionLog.h"
#include "map/MapPage.h"
#include "map/MapStations.h"
#include "map/MapWindow.h"
#include "map/Mercator.h"
#include "memory/Unit12.h"
#include "memory/Unit4.h"
#include "monitor/Position.h"
#include "monitor/Unit2.h"
#include "repeaters/RepeatersWindow.h"
#include "settings/AprsPage.h"
#include "settings/Preferences.h"
#include "settings/RemotePage.h"
#include "settings/SettingsStore.h"
#include "station/Geodesy.h"
#include "station/OwnStation.h"
#include "station/StationPage.h"
#include "widgets/Foreground.h"
#include "widgets/SaveFile.h"
#include "widgets/Toast.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>
#include <exception>
#include <filesystem>
#include <mutex>

namespace tamsel {

TForm1* Form1 = nullptr;
TForm2* Form2 = nullptr;
TForm3* Form3 = nullptr;
TForm4* Form4 = nullptr;
TForm11* Form11 = nullptr;
TForm12* Form12 = nullptr;

namespace {

void addCallMenu(CallMenu* calls) {
    // Between Config and Window; its routes become the main window's header fields, whose
    // change handlers send what changed, and the Repeater option goes through its own.
    calls->setParent(Form1, calls->windowFlags());
    Form1->menuBar()->insertMenu(Form1->menuWindow->menuAction(), calls);
    calls->setStation([] { return RouteStart{Form1->repeater1(), Form1->myCall()}; });
    QObject::connect(calls, &CallMenu::routeChosen, Form1, &TForm1::setRoute);
    QObject::connect(calls, &CallMenu::repeaterFlagChosen, Form1, &TForm1::setRepeaterFlag);
    // A repeater typed with one blank ("JR1YB B") takes the form it is sent in once the
    // operator leaves the field: its module in the 8th place.
    QObject::connect(Form1->RPT1CALL, &QLineEdit::editingFinished, calls, [] {
        const QString typed = Form1->repeater1();
        if (const auto repeater = repeaterOf(typed); repeater && field8(typed) != *repeater) {
            Form1->RPT1CALL->setText(*repeater);
        }
    });
}

} // namespace

namespace {

Station::Options stationOptions() {
    return {dataFolder(), SettingsStore::defaultPath(), &historyOpen, TAMSEL_VERSION};
}

} // namespace

Console::Console(AdapterLink& link, Notifier& notifier, const QString& captionNote)
    : Console(std::make_unique<Station>(link, stationOptions()), notifier, captionNote) {}

Console::Console(AdapterConnection& connection, Notifier& notifier, const QString& captionNote)
    : Console(std::make_unique<Station>(connection, stationOptions()), notifier, captionNote) {}

Console::Console(std::unique_ptr<Station> station, Notifier& notifier, const QString& captionNote)
    : station_(std::move(station)), notifier_(notifier) {
    trackActiveWindows();
    historyOpen = 0;
    searchPosition = 0;
    try {
        // Made first so that it hears every reception the monitor reports.
        heardModel_ = std::make_unique<HeardStationsModel>();
        HeardStationsModel* heard = heardModel_.get();
        for (const StationReport& end : station_->restored()) {
            for (const StationReport& r : liveReports(end)) {
                heard->apply(r);
            }
        }
        // Made before the main window too, so that Reply knows the first reception; the
        // main window owns it once it is in the menu bar.
        auto calls = std::make_unique<CallMenu>(notifier);
        CallMenu* callMenu = calls.get();
        alerting_ = std::make_unique<Alerting>();
        Alerting* alerting = alerting_.get();
        Station* core = station_.get();
        QObject::connect(core, &Station::reception, heard, &HeardStationsModel::apply);
        QObject::connect(core, &Station::stationGated, heard, &HeardStationsModel::markGated);
        QObject::connect(core, &Station::reception, callMenu, &CallMenu::noteReception);
        // After the heard list, so it knows the station's position.
        QObject::connect(core, &Station::reception, alerting, &Alerting::noteReception);
        Form1 = new TForm1(*core, notifier, captionNote);
        addCallMenu(calls.release());
        keepUncovered(Form1);
        Form2 = new TForm2(*core);
        Form3 = new TForm3(notifier);
        Form4 = new TForm4(notifier);
        Form11 = new TForm11(core->link(), notifier);
        Form12 = new TForm12(notifier);
        QObject::connect(core, &Station::adapterChanged, Form1,
                         [this](AdapterConnection::State state) { adapterChanged(state); });
        QObject::connect(core, &Station::adapterReopened, Form1, [] {
            // After the header, the rest of start-up's requests in the same order.
            Form1->clearReception();
            Form2->readValues();
            Form11->refresh();
        });
        wireWindows();
        wirePreferences(notifier);
        wireAlerts();
        wireMap();
        wireLogs(notifier);
        repeaters_ = std::make_unique<RepeaterFeature>(*core, notifier);
        showRepeatersOnMap();
        Form1->show();
    } catch (...) {
        repeaters_.reset();
        destroyWindows();
        map_.reset();
        heard_.reset();
        heardModel_.reset();
        throw;
    }
}

void Console::wireWindows() {
    // The main window's menu opens the others, beside it the first time.
    QObject::connect(Form1, &TForm1::stationCallsignRequested, Form2, [] {
        placeBeside(Form2, Form1);
        Form2->openModal();
    });
    QObject::connect(Form1, &TForm1::defaultSettingRequested, Form11, [] {
        placeBeside(Form11, Form1);
        showWindow(Form11);
    });
    QObject::connect(Form1, &TForm1::historyRequested, Form4, [] {
        placeBeside(Form4, Form1);
        Form4->openHistory();
    });
    QObject::connect(Form1, &TForm1::memoryRequested, Form3, [] {
        placeBeside(Form3, Form1);
        showWindow(Form3);
    });
    QObject::connect(Form1, &TForm1::heardStationsRequested, Form1, [this] {
        HeardStations* heard = heardStations();
        placeBeside(heard, Form1);
        showWindow(heard);
    });
    // Escape hides every window but the main one (the station dialog's own Escape cancels).
    for (QWidget* w : std::initializer_list<QWidget*>{Form3, Form4, Form11, Form12}) {
        closeOnEscape(w);
    }

    // What the operator chose elsewhere becomes the main window's header fields; their
    // change handlers send it to the adapter.
    QObject::connect(Form3, &TForm3::memoryRowChosen, Form1, &TForm1::setRoute);
    QObject::connect(Form4, &TForm4::callerChosen, Form1, &TForm1::setDestination);
    // The memory search looks through the memory list, scrolls it to what it found and
    // marks that line.
    Form12->setSearchedLines(&Form3->Memory->lines());
    QObject::connect(Form3, &TForm3::searchRequested, Form12, [] {
        placeBeside(Form12, Form3);
        showWindow(Form12);
    });
    QObject::connect(Form12, &TForm12::searchHit, Form3, &TForm3::showRow);

    // Received lines go straight from the monitor to the history, in order.
    QObject::connect(
        station_.get(), &Station::historyLine, Form4,
        [](const QByteArray& line, TForm4::Instant start) { Form4->appendLine(line, start); });
}

void Console::wireLogs(Notifier& notifier) {
    Station* core = station_.get();
    const std::filesystem::path folder = core->dataFolder();
    // No window's save replaces a log, which only ever grows.
    guardSaves(Form1, [core, folder](const QString& path) {
        const std::filesystem::path chosen = QFile::encodeName(path).toStdString();
        const QString shown = QDir::toNativeSeparators(path);
        if (sameFile(chosen, QFile::encodeName(core->logSettings().adifPath()).toStdString())) {
            return QCoreApplication::translate("Console",
                                               "%1 is your ADIF log, which is only ever added to. "
                                               "Choose another file.")
                .arg(shown);
        }
        if (isReceptionFile(chosen, folder)) {
            return QCoreApplication::translate("Console",
                                               "%1 is a file of your reception log, which is only "
                                               "ever added to. Choose another file.")
                .arg(shown);
        }
        return QString();
    });
    // What the reception log has to tell (a failure, once; that it works again).
    QObject::connect(core, &Station::receptionLogNews, Form1,
                     [&notifier](bool failed, const QString& text) {
                         if (failed) {
                             notifier.failure(text);
                         } else {
                             notifier.information(text);
                         }
                     });

    // "Log Contact..." everywhere a reception is shown: the main window's last caller, the
    // history's chosen line and Heard Stations' chosen station.
    auto* action = new QAction(QCoreApplication::translate("Console", "Log Contact..."), Form1);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    Form1->menuFile->insertAction(Form1->Exit1, action);
    QObject::connect(action, &QAction::triggered, Form1,
                     [this] { logContact(Form1, station_->stationBeingWorked()); });
    QObject::connect(Form4, &TForm4::logContactRequested, Form4,
                     [this](const QByteArray& line, std::optional<TForm4::Instant> start) {
                         logContact(Form4, receptionOfHistoryLine(line, start));
                     });
}

StationReport
Console::receptionOfHistoryLine(const QByteArray& line,
                                std::optional<std::chrono::system_clock::time_point> start) const {
    auto reception =
        historyReception(std::string_view(line.constData(), static_cast<std::size_t>(line.size())));
    if (!reception) {
        return {};
    }
    if (start) {
        reception->utcStart = *start;
    }
    // The line shows only part of the header; Heard Stations knows the rest (route, flags,
    // position, duration) while this is still its station's last reception.
    const HeardStationsModel* heard = heardModel_.get();
    const int row = heard->rowOf(reception->caller);
    if (row >= 0 && (start ? heard->station(row).utcStart == *start
                           : heard->station(row).lastHeard == reception->time)) {
        return lastReception(heard->station(row));
    }
    return *reception;
}

void Console::logContact(QWidget* from, StationReport reception) {
    if (reception.caller.empty()) {
        reception.utcStart = std::chrono::system_clock::now(); // nobody heard yet: an empty form
    }
    Contact prefill = station_->contactLogger().prefill(reception, station_->myStation());
    // Through a repeater the directory knows: on its output frequency.
    if (const auto frequency = station_->repeater1Frequency()) {
        prefill.frequencyMHz = *frequency;
    }
    // A Call changed by hand takes that station's own last reception.
    LogContactDialog* dialog =
        openLogContact(from, prefill, station_->contactLogger(), [this](const std::string& call) {
            const auto r = station_->lastReceptionOf(call);
            return r ? std::optional(contactFromReception(*r)) : std::nullopt;
        });
    // The form closes once the contact is logged; where it went is shown by the window it
    // was opened from: in its status bar, or (the main window has none) in a note over it.
    QPointer<QWidget> opener(from);
    QObject::connect(dialog, &LogContactDialog::logged, Form1, [opener](const QString& status) {
        if (auto* window = qobject_cast<QMainWindow*>(opener.data());
            window != nullptr && window != Form1) {
            window->statusBar()->showMessage(status);
            return;
        }
        if (opener != nullptr) {
            Toast::show(opener, status); // the main window has a fixed size and no status bar
        }
    });
    // The frequency of the last contact is offered next time, also after a restart.
    QObject::connect(dialog, &QDialog::finished, Form1, [this] {
        SettingsStore* store = &station_->settings();
        const double last = station_->logSettings().lastFrequencyMHz;
        if (last != loadLogSettings(*store).lastFrequencyMHz) {
            // That key alone: the rest of [log] may have been changed meanwhile elsewhere.
            saveLastFrequency(*store, last);
            store->commit();
        }
    });
}

void Console::wirePreferences(Notifier& notifier) {
    SettingsStore* store = &station_->settings();
    if (!store->startWarning().isEmpty()) {
        notifier.failure(store->startWarning());
    }
    OwnStation* station = &station_->ownStation();

    // Heard Stations' distances, bearings and units follow your station; its window's
    // status bar too, once it is made.
    HeardStationsModel* heard = heardModel_.get();
    auto showPosition = [this, heard, station] {
        heard->setOwnPosition(station->position());
        if (heard_ != nullptr) {
            heard_->setOwnPosition(station->position(), station->status());
        }
    };
    QObject::connect(station, &OwnStation::positionChanged, heard, showPosition);
    QObject::connect(station, &OwnStation::unitsChanged, heard, &HeardStationsModel::setUnits);
    showPosition();
    heard->setUnits(station->units());

    // The reflectors linked recently, kept between runs ("REF030 C,XLX307 B").
    if (CallMenu* calls = Form1->findChild<CallMenu*>(); calls != nullptr) {
        const QString kRecent = QStringLiteral("calls/recent");
        calls->setRecentReflectors(
            store->text(kRecent, {}).value.split(QLatin1Char(','), Qt::SkipEmptyParts));
        QObject::connect(calls, &CallMenu::recentReflectorsChanged, store,
                         [store, kRecent](const QStringList& names) {
                             store->set(kRecent, names.join(QLatin1Char(',')));
                             store->commit();
                         });
        // The repeater Repeater 1 held last, kept between runs ("JR1YB  B"); the adapter's
        // own Repeater 1 is newer than the kept one.
        const QString kRepeater = QStringLiteral("calls/repeater");
        calls->setLastRepeater(store->text(kRepeater, {}).value);
        QObject::connect(calls, &CallMenu::lastRepeaterChanged, store,
                         [store, kRepeater](const QString& repeater) {
                             store->set(kRepeater, repeater);
                             store->commit();
                         });
        calls->noteRepeater1(Form1->repeater1());
        QObject::connect(Form1->RPT1CALL, &QLineEdit::textChanged, calls, &CallMenu::noteRepeater1);
    }

    QAction* open =
        Form1->menuConfig->addAction(QCoreApplication::translate("Console", "&Preferences..."));
    QObject::connect(open, &QAction::triggered, Form1,
                     [this] { preferences()->openPreferences(Form1); });
}

Preferences* Console::preferences() {
    if (preferences_ == nullptr) {
        preferences_ = std::make_unique<Preferences>(station_->settings(), notifier_);
        preferences_->addPage(new StationPage(station_->ownStation()));
        preferences_->addPage(new AlertsPage);
        preferences_->addPage(new MapPage);
        preferences_->addPage(new LogPage);
        preferences_->addPage(new RemotePage);
        preferences_->addPage(new AprsPage(
            station_->aprs(), [this] { return station_->header()[HeaderField::MyCall]; }));
        // Kept in the settings file, read when the console starts (Application).
        preferences_->addPage(new LanguagePage);
    }
    return preferences_.get();
}

HeardStations* Console::heardStations() {
    if (heard_ == nullptr) {
        heard_ = std::make_unique<HeardStations>(notifier_, heardModel_.get());
        wireHeardStations();
        if (map_ != nullptr) {
            wireHeardWithMap();
        }
    }
    return heard_.get();
}

void Console::wireHeardStations() {
    HeardStations* heard = heard_.get();
    closeOnEscape(heard);
    const OwnStation* station = &station_->ownStation();
    heard->setOwnPosition(station->position(), station->status());
    heard->setUnits(station->units());

    // Its sort, kept between runs ([heard] sort_column, -1 for newest first).
    SettingsStore* store = &station_->settings();
    const int column = store
                           ->integer(QStringLiteral("heard/sort_column"), -1, -1,
                                     HeardStationsModel::ColumnCount - 1)
                           .value;
    const bool down = store->integer(QStringLiteral("heard/sort_order"), 0, 0, 1).value == 1;
    heard->setSort(column, down ? Qt::DescendingOrder : Qt::AscendingOrder);
    // Kept when the console ends (a write at every click would also re-read every setting).
    QObject::connect(heard, &HeardStations::sortChanged, store,
                     [this](int column, Qt::SortOrder order) {
                         heardSort_ = {column, order};
                     });

    // A station's last reception answered as the Call menu's Reply would; its notification
    // has then done its work.
    CallMenu* calls = Form1->findChild<CallMenu*>();
    Alerting* alerting = alerting_.get();
    QObject::connect(heard, &HeardStations::replyRequested, Form1,
                     [calls, alerting](const StationReport& reception) {
                         if (calls != nullptr) {
                             calls->replyTo(receivedRoute(reception));
                         }
                         alerting->answered(QString::fromStdString(reception.caller));
                     });
    QObject::connect(heard, &HeardStations::logContactRequested, heard,
                     [this, heard](const StationReport& r) { logContact(heard, r); });
    heard->ownStation = [this] { return station_->myStation(); };
    heard->logSettings = &station_->logSettings();
    QObject::connect(heard, &HeardStations::showOnMapRequested, Form1,
                     [this, heard](const QString& c) {
                         MapWindow* map = this->map();
                         placeBeside(map, heard);
                         showWindow(map);
                         map->view()->showStation(c.toLatin1().toStdString());
                     });
}

void Console::wireAlerts() {
    Alerting* alerting = alerting_.get();
    SettingsStore* store = &station_->settings();
    alerting->setSettings(loadAlertSettings(*store));

    // Heard Stations marks the stations that called you or are watched, by the same rules.
    HeardStationsModel* marked = heardModel_.get();
    marked->setMarker([alerting](const HeardStation& s) -> std::optional<HeardStationsModel::Mark> {
        const auto kind =
            alerting->rules().classify(s.callsign, s.called, Form1->myCall().toStdString());
        if (!kind) {
            return std::nullopt;
        }
        return *kind == AlertKind::CallingYou ? HeardStationsModel::Mark::CallingYou
                                              : HeardStationsModel::Mark::Watched;
    });
    QObject::connect(store, &SettingsStore::changed, alerting, [store, alerting, marked] {
        alerting->setSettings(loadAlertSettings(*store));
        marked->refreshMarks();
    });
    QObject::connect(Form1->MyCALL, &QLineEdit::textChanged, marked,
                     [marked] { marked->refreshMarks(); });

    OwnStation* station = &station_->ownStation();
    HeardStationsModel* heard = heardModel_.get();
    alerting->setContext({
        [] { return Form1->myCall(); },
        [](const StationReport& header) { return routeName(receivedRoute(header)); },
        [station, heard](const std::string& caller) {
            const int row = heard->rowOf(caller);
            const auto from = station->position();
            if (row < 0 || !from || !heard->station(row).position) {
                return QString();
            }
            const Position& p = *heard->station(row).position;
            const Course c = course(*from, {p.latitude, p.longitude});
            const Units units = station->units();
            const std::string_view unit = distanceUnit(units);
            //: Distance, its unit and bearing of a heard station: "123.4 km, bearing 45°"
            return QCoreApplication::translate("Console", "%1 %2, bearing %3°")
                .arg(distanceText(units, c.metres, DistanceForm::FigureOnly),
                     QString::fromLatin1(unit.data(), static_cast<qsizetype>(unit.size())))
                .arg(wholeDegrees(c.bearing));
        },
    });
    alerting->setWindow(Form1);
    // Reply answers that station's last reception as the Call menu's Reply would, and brings
    // the console to the front.
    CallMenu* calls = Form1->findChild<CallMenu*>();
    QObject::connect(alerting, &Alerting::replyRequested, Form1,
                     [calls, alerting](const StationReport& h) {
                         if (calls != nullptr) {
                             calls->replyTo(receivedRoute(h));
                         }
                         alerting->answered(QString::fromStdString(h.caller));
                         showWindow(Form1);
                     });
    // A station answered has no more need of its notification: a call made to it (Station
    // Call names it, however it got there), or a Reply to it that answers elsewhere (a CQ
    // over the gateway is answered there).
    QObject::connect(Form1->YourCALL, &QLineEdit::textChanged, alerting, &Alerting::answered);
    if (calls != nullptr) {
        QObject::connect(calls->Reply1, &QAction::triggered, alerting, [this, alerting] {
            alerting->answered(QString::fromStdString(station_->shownReception().caller));
        });
    }
}

void Console::wireMap() {
    // Until the map is made its stations, with their tracks, are kept here.
    mapStations_ = std::make_unique<MapStations>();
    HeardStationsModel* model = heardModel_.get();
    auto note = [this, model](int first, int last) {
        for (int row = first; row <= last && mapStations_ != nullptr; ++row) {
            mapStations_->note(model->station(row));
        }
    };
    QObject::connect(model, &QAbstractItemModel::rowsInserted, model,
                     [note](const QModelIndex&, int first, int last) { note(first, last); });
    QObject::connect(model, &QAbstractItemModel::dataChanged, model,
                     [note](const QModelIndex& from, const QModelIndex& to) {
                         if (from.column() == 0) {
                             note(from.row(), to.row());
                         }
                     });

    // Window > Map; the window itself is made when first opened.
    QAction* open = Form1->menuWindow->addAction(QObject::tr("Ma&p"));
    QObject::connect(open, &QAction::triggered, Form1, [this] {
        MapWindow* map = this->map();
        placeBeside(map, Form1);
        showWindow(map);
    });
}

MapWindow* Console::map() {
    if (map_ != nullptr) {
        return map_.get();
    }
    map_ = std::make_unique<MapWindow>(notifier_, TileLayer::userAgentFor(TAMSEL_VERSION));
    MapWindow* map = map_.get();
    MapView* view = map->view();
    HeardStationsModel* model = heardModel_.get();
    closeOnEscape(map);

    // What was heard before, each station's track first (oldest heard first), then every
    // station as Heard Stations knows it, at once (a row changed whole: its station).
    for (const std::uint32_t i : mapStations_->byHearing()) {
        const MapStations::Station& s = mapStations_->stations()[i];
        for (std::size_t p = 0; p + 1 < s.track.size(); ++p) {
            HeardStation then = s.heard;
            const LatLon at = fromWorld(s.track[p].at);
            then.utcStart = s.track[p].when;
            then.position->latitude = at.latitude;
            then.position->longitude = at.longitude;
            view->noteStation(then);
        }
        view->noteStation(s.heard);
    }
    mapStations_.reset();
    auto note = [model, view](int first, int last) {
        for (int row = first; row <= last; ++row) {
            view->noteStation(model->station(row));
        }
    };
    QObject::connect(model, &QAbstractItemModel::rowsInserted, view,
                     [note](const QModelIndex&, int first, int last) { note(first, last); });
    QObject::connect(model, &QAbstractItemModel::dataChanged, view,
                     [note](const QModelIndex& from, const QModelIndex& to) {
                         if (from.column() == 0) {
                             note(from.row(), to.row());
                         }
                     });
    note(0, model->rowCount() - 1);

    // Your position and units, as Heard Stations has them.
    OwnStation* station = &station_->ownStation();
    auto own = [view, station] { view->setOwnPosition(station->position()); };
    QObject::connect(station, &OwnStation::positionChanged, view, own);
    QObject::connect(station, &OwnStation::unitsChanged, view, &MapView::setUnits);
    own();
    view->setUnits(station->units());

    auto rowOf = [model](const QString& callsign) {
        return model->rowOf(callsign.toLatin1().toStdString());
    };
    QObject::connect(view, &MapView::stationActivated, map, [this, rowOf](const QString& c) {
        const int row = rowOf(c);
        if (row < 0) {
            return;
        }
        HeardStations* heard = heardStations();
        if (heard->table()->currentIndex().row() != row) {
            heard->table()->selectRow(row);
        }
        placeBeside(heard, map_.get());
        showWindow(heard);
        heard->table()->setFocus();
    });
    QObject::connect(view, &MapView::replyRequested, map, [this, model, rowOf](const QString& c) {
        if (const int row = rowOf(c); row >= 0) {
            heardStations()->replyTo(model->index(row, 0));
        }
    });
    QObject::connect(view, &MapView::logContactRequested, map,
                     [this, map, model, rowOf](const QString& c) {
                         if (const int row = rowOf(c); row >= 0) {
                             logContact(map, lastReception(model->station(row)));
                         }
                     });

    // Preferences, page "Map": the tiles follow it at once.
    SettingsStore* store = &station_->settings();
    auto tiles = [store, map] {
        const MapSettings s = loadMapSettings(*store);
        map->tiles()->setServer(s.tileServer);
        map->tiles()->setEnabled(s.tiles);
    };
    QObject::connect(store, &SettingsStore::changed, map, tiles);
    tiles();

    // The directory's D-STAR repeaters, again after every change (an import, Remove List).
    RepeaterFeature* repeaters = repeaters_.get();
    auto feed = [repeaters, map] {
        std::vector<MapRepeater> shown;
        for (const Repeater& r : repeaters->directory().repeaters()) {
            if (r.dv && r.position) {
                shown.push_back({QString::fromStdString(r.shownCallsign()),
                                 QString::fromStdString(r.name), r.position});
            }
        }
        map->setRepeaters(std::move(shown));
    };
    QObject::connect(&repeaters->directory(), &RepeaterDirectory::changed, map, feed);
    feed();
    QObject::connect(view, &MapView::repeaterSelected, map, [repeaters](const QString& callsign) {
        if (RepeatersWindow* window = repeaters->windowIfMade()) {
            window->selectRepeater(callsign);
        }
    });
    if (heard_ != nullptr) {
        wireHeardWithMap();
    }
    return map;
}

void Console::wireHeardWithMap() {
    // One selection for both: a row chosen in the table is the station selected on the map,
    // and the other way round.
    HeardStations* heard = heard_.get();
    HeardStationsModel* model = heardModel_.get();
    MapView* view = map_->view();
    QObject::connect(heard->table()->selectionModel(), &QItemSelectionModel::currentRowChanged,
                     view, [model, view](const QModelIndex& current) {
                         if (current.isValid()) {
                             view->selectStation(model->station(current.row()).callsign);
                         }
                     });
    QObject::connect(view, &MapView::stationSelected, heard, [heard, model](const QString& c) {
        const int row = model->rowOf(c.toLatin1().toStdString());
        if (row >= 0 && heard->table()->currentIndex().row() != row) {
            heard->table()->selectRow(row);
        }
    });
    // What was chosen in the one made first.
    if (const QModelIndex current = heard->table()->currentIndex(); current.isValid()) {
        view->selectStation(model->station(current.row()).callsign);
    } else if (const auto selected = view->selectedStation()) {
        if (const int row = model->rowOf(*selected); row >= 0) {
            heard->table()->selectRow(row);
        }
    }
}

void Console::showRepeatersOnMap() {
    // The Repeaters window's row and the repeater selected on the map are one selection.
    RepeaterFeature* repeaters = repeaters_.get();
    QObject::connect(repeaters, &RepeaterFeature::windowMade, Form1,
                     [this](RepeatersWindow* window) {
                         QObject::connect(window, &RepeatersWindow::repeaterChosen, window,
                                          [this](const QString& callsign) {
                                              if (map_ != nullptr) {
                                                  map_->view()->selectRepeater(callsign);
                                              }
                                          });
                         QObject::connect(window, &RepeatersWindow::showOnMapRequested, window,
                                          [this, window](const QString& callsign) {
                                              MapWindow* map = this->map();
                                              placeBeside(map, window);
                                              showWindow(map);
                                              map->view()->showRepeater(callsign);
                                          });
                     });
}

Console::~Console() {
    if (heardSort_) {
        SettingsStore& store = station_->settings();
        const int down = heardSort_->second == Qt::DescendingOrder ? 1 : 0;
        store.set(QStringLiteral("heard/sort_column"), heardSort_->first);
        store.set(QStringLiteral("heard/sort_order"), down);
        store.commit();
    }
    repeaters_.reset();
    destroyWindows();
    map_.reset();
    heard_.reset();
    heardModel_.reset(); // after the monitor has ended
}

void Console::adapterChanged(AdapterConnection::State state) {
    using S = AdapterConnection::State;
    switch (state) {
    case S::Disconnected:
        Form1->showAdapterState(QCoreApplication::translate("Console", kDisconnected));
        break;
    case S::NotAccessible:
        Form1->showAdapterState(QCoreApplication::translate("Console", kNotAccessible));
        break;
    case S::Reopened:
        break; // read again already (adapterReopened); the monitor follows
    case S::Connected:
        Form1->showAdapterState({});
        break;
    }
}

void Console::destroyWindows() {
    station_->stop(); // no update reaches a window from here on
    // A window whose constructor threw was never stored; the rest go newest first.
    delete Form12;
    Form12 = nullptr;
    delete Form11;
    Form11 = nullptr;
    delete Form4;
    Form4 = nullptr;
    delete Form3;
    Form3 = nullptr;
    delete Form2;
    Form2 = nullptr;
    delete Form1;
    Form1 = nullptr;
}

Application::Application(int& argc, char** argv, Notifier& notifier)
    : QApplication(argc, argv), notifier_(notifier),
      translations_(std::make_unique<Translations>(languageOfThisRun())) {}

Application::~Application() = default;

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        notifier_.exception(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        notifier_.exception(QString());
    }
    return false;
}

void Console::serveRemote(RemoteFace face) {
    remoteFace_ = std::move(face);
    const auto apply = [this] {
        const WebSettings wanted = loadWebSettings(station_->settings());
        if (remoteSettings_ && wanted == *remoteSettings_) {
            return; // another page's change, or the same that failed already
        }
        remote_.reset(); // the port is free again before it is taken anew
        remoteSettings_ = wanted;
        if (!wanted.enabled) {
            return;
        }
        QString why;
        remote_ = remoteFace_(*station_, wanted, &why);
        if (!remote_) {
            //: %1: why the page could not be served
            notifier_.failure(QCoreApplication::translate("Console", "The station's page for "
                                                                     "browsers is not served: %1")
                                  .arg(why));
        }
    };
    QObject::connect(&station_->settings(), &SettingsStore::changed, Form1, apply);
    apply();
}

int runProgram(Discovery discovery, Notifier& notifier, const std::function<int()>& eventLoop,
               const QString& captionNote, AdapterConnection::BusFactory rescan,
               AdapterConnection::ArrivalWait arrivals, RemoteFace remote) {
    if (discovery.outcome != Discovery::Outcome::Found) {
        notifier.error(
            QString::fromStdString(notFoundMessage(discovery, udevRule(), [](const char* english) {
                return QCoreApplication::translate("Discovery", english).toStdString();
            })));
        return 0;
    }
    // Asked to end while the windows are being made, the program still ends cleanly.
    holdTerminationSignals();
    try {
        std::unique_ptr<AdapterConnection> connection;
        std::unique_ptr<Console> console;
        if (rescan) {
            connection = std::make_unique<AdapterConnection>(
                std::move(discovery.link), std::move(rescan), std::move(arrivals));
            console = std::make_unique<Console>(*connection, notifier, captionNote);
        } else {
            console = std::make_unique<Console>(*discovery.link, notifier, captionNote);
        }
        if (remote) {
            console->serveRemote(std::move(remote));
        }
        closeOnTerminationSignals(Form1);
        // Not left to the last window closed: any other window still open would keep the
        // program running without its monitor.
        QObject::connect(Form1, &TForm1::closed, qApp, [] { QCoreApplication::exit(0); });
        eventLoop();
        console.reset(); // the windows and the monitor go before the connection
    } catch (const std::exception& e) {
        notifier.exception(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        notifier.exception(QString());
    }
    return 0;
}

} // namespace tamsel
