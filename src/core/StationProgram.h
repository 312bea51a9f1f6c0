// SPDX-License-Identifier: GPL-3.0-or-later
// StationProgram: the station without a display: its log in the journal's form, the signals
// that end it or make it read its settings again, and the program after discovery.
#pragma once

#include "Station.h"
#include "adapter/Connection.h"
#include "adapter/Discovery.h"
#include "aprs/AprsIsClient.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <ostream>

namespace tamsel {

// Where the udev rule for the adapter is on this machine.
UdevRule udevRule();

// Says what the station does, one line per event worth a line (the adapter found or lost,
// a reception, a refusal, a nearer repeater), never per poll. Each line starts with the
// priority journald reads from a service's standard error: <3> an error, <4> a warning,
// <5> a notice, <6> information.
class StationLog : public QObject {
    Q_OBJECT
public:
    enum Priority { Error = 3, Warning = 4, Notice = 5, Info = 6, Debug = 7 };

    // `adapterThere`: whether the adapter was there at start (it is said once either way).
    StationLog(Station& station, std::ostream& out, bool adapterThere);

    void say(Priority priority, const QString& text);

private:
    void adapterChanged(AdapterConnection::State state);
    void reception(const StationReport& report);

    Station& station_;
    std::ostream& out_;
    AdapterConnection::State said_;
    AprsIsClient::State gateSaid_ = AprsIsClient::State::Off;
};

// The station program after discovery: without an adapter it says so and waits for one;
// runs `eventLoop` until SIGTERM or SIGINT, then stops the monitor (what is being written is
// finished) and returns 0.
// A face of the station (the web page), made once the station is there and before it
// starts; kept until the event loop ends. Sets `error` when it cannot start.
using StationFace =
    std::function<std::unique_ptr<QObject>(Station& station, StationLog& log, QString* error)>;

struct StationRun {
    Discovery discovery;
    AdapterConnection::BusFactory rescan;
    AdapterConnection::ArrivalWait arrivals;
    Station::Options options;
    UdevRule rule = udevRule();
    StationFace face = {};
};
int runStation(StationRun run, std::ostream& log, const std::function<int()>& eventLoop);

// The demo station's traffic and the like: called with the station before its loop runs.
using StationHook = std::function<void(Station&)>;
int runStation(StationRun run, std::ostream& log, const std::function<int()>& eventLoop,
               const StationHook& hook);

} // namespace tamsel
