// SPDX-License-Identifier: GPL-3.0-or-later
// Console: creates every window in order and wires them together; the application object
// and the program after discovery.
#include "console/Console.h"

#include "calls/CallMenu.h"
#include "console/Signals.h"
#include "console/Unit1.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit6.h"
#include "heard/HeardStations.h"
#include "history/Unit5.h"
#include "memory/Unit12.h"
#include "memory/Unit4.h"
#include "monitor/Unit2.h"
#include "settings/Preferences.h"
#include "settings/SettingsStore.h"
#include "station/OwnStation.h"
#include "station/StationPage.h"
#include "widgets/Foreground.h"

#include <exception>
#include <filesystem>

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
    calls->setStation([] { return Station{Form1->repeater1(), Form1->myCall()}; });
    QObject::connect(calls, &CallMenu::routeChosen, Form1, &TForm1::setRoute);
    QObject::connect(calls, &CallMenu::repeaterFlagChosen, Form1, &TForm1::setRepeaterFlag);
}

} // namespace

Console::Console(AdapterLink& link, Notifier& notifier, const QString& captionNote) {
    trackActiveWindows();
    historyOpen = 0;
    searchPosition = 0;
    try {
        // Made first so that it hears every reception the monitor reports.
        heard_ = std::make_unique<HeardStations>(notifier);
        HeardStationsModel* heard = heard_->model();
        // Made before the main window too, so that Reply knows the first reception; the
        // main window owns it once it is in the menu bar.
        auto calls = std::make_unique<CallMenu>(notifier);
        CallMenu* callMenu = calls.get();
        Form1 = new TForm1(link, notifier, historyOpen, captionNote,
                           [heard, callMenu](receiveRF& monitor) {
                               QObject::connect(&monitor, &receiveRF::stationReport, heard,
                                                &HeardStationsModel::apply, Qt::QueuedConnection);
                               QObject::connect(&monitor, &receiveRF::stationReport, callMenu,
                                                &CallMenu::noteReception, Qt::QueuedConnection);
                           });
        addCallMenu(calls.release());
        Form2 = new TForm2(link);
        Form3 = new TForm3(notifier);
        Form4 = new TForm4(notifier);
        Form11 = new TForm11(link, notifier);
        Form12 = new TForm12(notifier);
        wireWindows();
        wirePreferences(notifier);
        Form1->show();
    } catch (...) {
        destroyWindows();
        heard_.reset();
        throw;
    }
}

void Console::wireWindows() {
    // The main window's menu opens the others, beside it the first time.
    HeardStations* heard = heard_.get();
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
    QObject::connect(Form1, &TForm1::heardStationsRequested, heard, [heard] {
        placeBeside(heard, Form1);
        showWindow(heard);
    });
    // Escape hides every window but the main one (the station dialog's own Escape cancels).
    for (QWidget* w : std::initializer_list<QWidget*>{Form3, Form4, Form11, Form12, heard}) {
        closeOnEscape(w);
    }

    // What the operator chose elsewhere becomes the main window's header fields; their
    // change handlers send it to the adapter.
    QObject::connect(Form2, &TForm2::stationCallsignShown, Form1, &TForm1::showStationCallsign);
    QObject::connect(Form2, &TForm2::stationSuffixShown, Form1, &TForm1::showStationSuffix);
    QObject::connect(Form3, &TForm3::memoryRowChosen, Form1, &TForm1::setRoute);
    QObject::connect(Form4, &TForm4::callerChosen, Form1, &TForm1::setDestination);
    QObject::connect(heard, &HeardStations::replyRequested, Form1, &TForm1::setDestination);

    // The memory search looks through the memory list, scrolls it to what it found and
    // marks that line.
    Form12->setSearchedLines(&Form3->Memory->lines());
    QObject::connect(Form3, &TForm3::searchRequested, Form12, [] {
        placeBeside(Form12, Form3);
        showWindow(Form12);
    });
    QObject::connect(Form12, &TForm12::searchHit, Form3, &TForm3::showRow);

    // Received lines go straight from the monitor to the history, in order.
    QObject::connect(Form1->monitor(), &receiveRF::historyLine, Form4, &TForm4::appendLine,
                     Qt::QueuedConnection);
}

void Console::wirePreferences(Notifier& notifier) {
    settings_ = std::make_unique<SettingsStore>();
    if (!settings_->startWarning().isEmpty()) {
        notifier.failure(settings_->startWarning());
    }
    station_ = std::make_unique<OwnStation>();
    station_->configure(StationSettings::load(*settings_));
    preferences_ = std::make_unique<Preferences>(*settings_, notifier);
    preferences_->addPage(new StationPage(*station_));
    SettingsStore* store = settings_.get();
    OwnStation* station = station_.get();
    QObject::connect(store, &SettingsStore::changed, station,
                     [store, station] { station->configure(StationSettings::load(*store)); });

    // Heard Stations' distances, bearings and units follow your station.
    HeardStations* heard = heard_.get();
    auto showPosition = [heard, station] {
        heard->setOwnPosition(station->position(), station->status());
    };
    QObject::connect(station, &OwnStation::positionChanged, heard, showPosition);
    QObject::connect(station, &OwnStation::unitsChanged, heard, &HeardStations::setUnits);
    showPosition();
    heard->setUnits(station->units());

    Preferences* preferences = preferences_.get();
    QAction* open = Form1->menuConfig->addAction(QStringLiteral("&Preferences..."));
    QObject::connect(open, &QAction::triggered, preferences, [preferences] {
        placeBeside(preferences, Form1);
        preferences->openPreferences();
    });
}

Console::Console(AdapterConnection& connection, Notifier& notifier, const QString& captionNote)
    : Console(static_cast<AdapterLink&>(connection), notifier, captionNote) {
    follow(connection);
}

Console::~Console() {
    if (connection_ != nullptr) {
        connection_->setListener({}); // waits for a report under way; none follows
    }
    relay_.reset(); // reports already queued go with it
    destroyWindows();
    heard_.reset(); // after the monitor has ended
}

void Console::follow(AdapterConnection& connection) {
    connection_ = &connection;
    relay_ = std::make_unique<AdapterNews>();
    AdapterNews* relay = relay_.get();
    QObject::connect(
        relay, &AdapterNews::changed, relay, [this] { adapterChanged(*connection_); },
        Qt::QueuedConnection);
    connection.setListener([relay] { emit relay->changed(); });
    // It may have gone between discovery and now.
    if (connection.state() != AdapterConnection::State::Connected) {
        adapterChanged(connection);
    }
}

void Console::adapterChanged(AdapterConnection& connection) {
    // The state as it is now, not as some notice said: notices of two threads can cross.
    using S = AdapterConnection::State;
    const auto [state, generation] = connection.status();
    switch (state) {
    case S::Disconnected:
        Form1->showAdapterState(QString::fromLatin1(kDisconnected));
        break;
    case S::NotAccessible:
        Form1->showAdapterState(QString::fromLatin1(kNotAccessible));
        break;
    case S::Reopened:
        // The requests of start-up after InitModem, in the same order; then the monitor.
        Form1->populate();
        Form2->readValues();
        Form11->refresh();
        connection.resume(generation);
        break;
    case S::Connected:
        Form1->showAdapterState({});
        break;
    }
}

void Console::destroyWindows() {
    if (Form1 != nullptr) {
        Form1->stopMonitor();
    }
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
    : QApplication(argc, argv), notifier_(notifier) {}

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

UdevRule udevRule() {
    // A package puts the rule where udev reads it; a source build has it in its tree.
    const char* installed = TAMSEL_INSTALLED_RULE;
    if (std::filesystem::exists(installed)) {
        return {true, installed};
    }
    return {false, TAMSEL_SOURCE_RULE};
}

int runProgram(Discovery discovery, Notifier& notifier, const std::function<int()>& eventLoop,
               const QString& captionNote, AdapterConnection::BusFactory rescan,
               AdapterConnection::ArrivalWait arrivals) {
    if (discovery.outcome != Discovery::Outcome::Found) {
        notifier.error(QString::fromStdString(notFoundMessage(discovery, udevRule())));
        return 0;
    }
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
        closeOnTerminationSignals(Form1);
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
