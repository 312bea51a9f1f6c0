// SPDX-License-Identifier: GPL-3.0-or-later
// StationProgram: the station without a display: its log in the journal's form, the signals
// that end it or make it read its settings again, and the program after discovery.
#include "StationProgram.h"

#include "aprs/AprsGate.h"

#include "CommandLine.h"
#include "alerts/AlertRules.h"
#include "base/ProcessSignals.h"
#include "repeaters/Repeater.h"
#include "settings/SettingsStore.h"
#include "station/OwnStation.h"
#include "station/Units.h"

#include <QCoreApplication>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>
#include <utility>

namespace tamsel {

namespace {

// A message of several lines (the permission advice) as one line of the journal.
QString oneLine(QString text) {
    text.replace(QLatin1String("\n\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.simplified();
}

QString trimmed(const std::string& field) {
    return QString::fromLatin1(field.data(), static_cast<qsizetype>(field.size())).trimmed();
}

} // namespace

UdevRule udevRule() {
    // A package puts the rule where udev reads it; a source build has it in its tree.
    const char* installed = TAMSEL_INSTALLED_RULE;
    if (std::filesystem::exists(installed)) {
        return {true, installed};
    }
    return {false, TAMSEL_SOURCE_RULE};
}

StationLog::StationLog(Station& station, std::ostream& out, bool adapterThere)
    : station_(station), out_(out), said_(adapterThere ? AdapterConnection::State::Connected
                                                       : AdapterConnection::State::Disconnected) {
    connect(&station, &Station::adapterChanged, this, &StationLog::adapterChanged);
    connect(&station, &Station::reception, this, &StationLog::reception);
    connect(&station, &Station::refused, this, [this](const QString& why) { say(Warning, why); });
    connect(&station, &Station::alert, this, [this](AlertKind kind, const StationReport& header) {
        say(Notice, QCoreApplication::translate("Alerting", alertSummaryText(kind))
                        .arg(trimmed(header.caller)));
    });
    connect(&station, &Station::nearerRepeater, this,
            [this](const Repeater& repeater, double metres) {
                const QString callsign = QString::fromStdString(repeater.shownCallsign());
                const QString distance = distanceText(station_.ownStation().units(), metres);
                //: In the station's log. %1: a repeater ("JR1YB B"), %2: its distance ("3.2 km")
                say(Notice, tr("%1 is nearer: %2 (%3).")
                                .arg(callsign, distance, QString::fromStdString(repeater.name)));
            });
    connect(&station, &Station::receptionLogNews, this,
            [this](bool failed, const QString& text) { say(failed ? Error : Notice, text); });
    connect(&station, &Station::settingsReloaded, this, [this] {
        say(Notice, tr("Settings read again from %1.").arg(station_.settings().path()));
    });
    // The gate to APRS-IS: how its connection stands when that changes (a count is no
    // news), the connection lost once, and each position it would not pass on, and why.
    AprsGate* gate = &station.aprs();
    connect(gate, &AprsGate::changed, this, [this, gate] {
        using S = AprsIsClient::State;
        const S state = gate->client().state();
        if (state == gateSaid_ || state == S::Connecting) {
            return;
        }
        const S before = std::exchange(gateSaid_, state);
        if (state == S::Waiting && before != S::Off) {
            return; // a loss is said by lost(); the retries are no news
        }
        // Off with the gate on, the status line says why (it names APRS-IS itself).
        const QString text = state == S::Off && gate->on()
                                 ? gate->statusLine()
                                 : QStringLiteral("APRS-IS: ") + gate->connectionText();
        say(state == AprsIsClient::State::Unverified || state == AprsIsClient::State::Waiting
                ? Warning
                : Notice,
            text);
    });
    connect(gate, &AprsGate::lost, this,
            [this] { say(Warning, tr("APRS-IS: the connection was lost; trying again.")); });
    connect(gate, &AprsGate::withheld, this, [this](const std::string& caller, Withheld why) {
        //: In the station's log. %1: a callsign, %2: why (English)
        say(Info, tr("APRS-IS: not gated from %1: %2.")
                      .arg(trimmed(caller), QString::fromLatin1(withheldText(why))));
    });
}

void StationLog::say(Priority priority, const QString& text) {
    out_ << '<' << static_cast<int>(priority) << '>' << oneLine(text).toStdString() << std::endl;
}

void StationLog::adapterChanged(AdapterConnection::State state) {
    using S = AdapterConnection::State;
    if (state == S::Reopened) {
        state = S::Connected; // told once, when it polls again
    }
    if (state == said_) {
        return;
    }
    said_ = state;
    switch (state) {
    case S::Disconnected:
        say(Warning, tr("The adapter is disconnected; it is taken again when it is plugged in."));
        break;
    case S::NotAccessible:
        say(Error, QString::fromStdString(notFoundMessage(
                       Discovery{Discovery::Outcome::CannotOpen, nullptr,
                                 tr("the system did not let the station open it").toStdString()},
                       udevRule(), [](const char* english) {
                           return QCoreApplication::translate("Discovery", english).toStdString();
                       })));
        break;
    case S::Connected:
    case S::Reopened:
        say(Notice, tr("Adapter found."));
        break;
    }
}

void StationLog::reception(const StationReport& r) {
    if (r.kind != StationReport::Kind::End) {
        return;
    }
    QString caller = trimmed(r.caller);
    if (const QString suffix = trimmed(r.suffix); !suffix.isEmpty()) {
        caller += QLatin1String(" /") + suffix;
    }
    const double seconds = static_cast<double>(r.duration.count()) / 1000.0;
    //: In the station's log. %1: caller ("JA1XYZ /ID51"), %2: called ("CQCQCQ"),
    //: %3: Repeater 1 ("JR1YB B"), %4: seconds
    QString line = tr("Heard %1 calling %2 via %3, %4 s")
                       .arg(caller, trimmed(r.called), trimmed(r.rpt1))
                       .arg(seconds, 0, 'f', 1);
    if (const QString message = trimmed(r.message); !message.isEmpty()) {
        line += QLatin1String(": ") + message;
    }
    if (!r.positions.empty()) {
        const Position& p = r.positions.back();
        //: In the station's log: the last position a reception carried
        line += QLatin1Char(' ') +
                tr("(at %1, %2)").arg(p.latitude, 0, 'f', 5).arg(p.longitude, 0, 'f', 5);
    }
    say(Info, line);
}

int runStation(StationRun run, std::ostream& log, const std::function<int()>& eventLoop) {
    return runStation(std::move(run), log, eventLoop, {});
}

int runStation(StationRun run, std::ostream& log, const std::function<int()>& eventLoop,
               const StationHook& hook) {
    // Caught from here on: a signal while the station starts ends it once it runs.
    ProcessSignals asked;
    const bool there = run.discovery.outcome == Discovery::Outcome::Found;
    const QString notFound =
        QString::fromStdString(notFoundMessage(run.discovery, run.rule, [](const char* english) {
            return QCoreApplication::translate("Discovery", english).toStdString();
        }));
    AdapterConnection connection(std::move(run.discovery.link), std::move(run.rescan),
                                 std::move(run.arrivals));
    Station station(connection, std::move(run.options));
    StationLog journal(station, log, there);
    //: In the station's log when it starts. %1: its version, %2: the settings file,
    //: %3: the folder of its logs
    journal.say(StationLog::Info,
                QCoreApplication::translate("StationProgram", "Tamsel station %1 started; settings "
                                                              "%2, logs and repeaters in %3.")
                    .arg(QString::fromLatin1(programVersion()), station.settings().path(),
                         QString::fromStdString(station.dataFolder().string())));
    if (!station.settings().startWarning().isEmpty()) {
        journal.say(StationLog::Warning, station.settings().startWarning());
    }
    if (there) {
        journal.say(StationLog::Notice, StationLog::tr("Adapter found."));
    } else {
        journal.say(StationLog::Warning, notFound);
        journal.say(StationLog::Notice,
                    QCoreApplication::translate(
                        "StationProgram",
                        "The station keeps running and takes the adapter when it is plugged in."));
    }
    // SIGHUP reads the settings again; SIGTERM and SIGINT end the station.
    QObject::connect(&asked, &ProcessSignals::received, &station, [&station](int number) {
        if (number == SIGHUP) {
            station.reloadSettings();
        } else {
            QCoreApplication::exit(0);
        }
    });
    std::unique_ptr<QObject> face;
    if (run.face) {
        QString why;
        face = run.face(station, journal, &why);
        if (!face) {
            journal.say(StationLog::Error, why);
            return 1;
        }
    }
    station.start();
    if (hook) {
        hook(station);
    }
    eventLoop();
    face.reset();   // the pages are told the station goes
    station.stop(); // a reception log line under way is finished before this returns
    // What the monitor reported before it ended is still said.
    QCoreApplication::sendPostedEvents();
    journal.say(StationLog::Info, QCoreApplication::translate("StationProgram", "Stopped."));
    return 0;
}

} // namespace tamsel
