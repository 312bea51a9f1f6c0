// SPDX-License-Identifier: GPL-3.0-or-later
// tamsel-demo: the console on the built-in simulated adapter.
#include "Access.h"
#include "CommandLine.h"
#include "StationProgram.h"
#include "WebProgram.h"
#include "aprs/AprsGate.h"
#include "base/Folders.h"
#include "console/Console.h"
#include "language/Translations.h"
#include "log/Formats.h"
#include "memory/MemoryFile.h"
#include "repeaters/RepeaterDirectory.h"
#include "settings/SettingsStore.h"
#include "sim/Demo.h"
#include "sim/SimulatedBus.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <iostream>
#include <random>

// The demo's repeater directory starts with the example Icom list (Tokyo, Yokohama, Osaka,
// Kobe), so that the Repeaters window and Use Nearest Repeater have something to show. A
// directory the operator has filled or emptied is left as it is.
static void seedRepeaterDirectory() {
    const std::filesystem::path folder = tamsel::dataFolder() / "repeaters";
    std::error_code ec;
    if (std::filesystem::exists(folder, ec)) {
        return;
    }
    for (const char* examples : {TAMSEL_EXAMPLES_INSTALLED, TAMSEL_EXAMPLES_SOURCE}) {
        const auto read = tamsel::readWholeFile(std::string(examples) + "/icom-repeaters.csv");
        if (read.bytes) {
            tamsel::RepeaterDirectory directory(folder);
            directory.load();
            directory.keep("icom-repeaters.csv",
                           std::string_view(read.bytes->data(), read.bytes->size()));
            return;
        }
    }
}

// Hears a made-up station every few seconds.
class DemoTraffic {
public:
    explicit DemoTraffic(tamsel::SimulatedAdapter& adapter) : adapter_(adapter) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { next(); });
        timer_.setSingleShot(true);
        timer_.start(1500);
    }

private:
    void next() {
        if (!adapter_.receptionsPending()) {
            adapter_.queueReception(
                tamsel::demoReception(rng_, std::uniform_real_distribution(1.5, 5.0)(rng_),
                                      adapter_.text(0x60))
                    .script);
        }
        timer_.start(std::uniform_int_distribution(3000, 8000)(rng_));
    }

    tamsel::SimulatedAdapter& adapter_;
    std::mt19937 rng_{std::random_device{}()};
    QTimer timer_;
};

// The console on a simulated adapter that hears a station every few seconds, for trying
// the program without an adapter; with --station, the station program on it instead.
int main(int argc, char* argv[]) {
    const tamsel::ProgramInfo program{
        "tamsel-demo",
        QT_TRANSLATE_NOOP(
            "CommandLine",
            "Runs the Tamsel Console on a built-in simulated adapter that hears a "
            "station every few\nseconds, for trying the console without an adapter. With "
            "--station, runs the station\nwithout a display instead (as tamsel-station does), "
            "saying what it does on standard error.")};
    // --station is the demo's own; the rest is read as every program reads it.
    const auto last = std::remove_if(argv + 1, argv + argc, [](const char* arg) {
        return std::string_view(arg) == "--station";
    });
    const bool station = last != argv + argc;
    argc = static_cast<int>(last - argv);
    argv[argc] = nullptr;
    tamsel::WebArguments web;
    if (station) {
        if (const auto wrong = tamsel::takeWebArguments(argc, argv, web)) {
            std::cerr << "tamsel-demo: " << *wrong << '\n';
            return 2;
        }
    }
    if (const auto status = tamsel::handleCommandLine(argc, argv, program, std::cout, std::cerr)) {
        return *status;
    }
    // Its made-up stations and contacts stay out of the operator's own logs and settings.
    tamsel::folderName() = "tamsel-demo";
    // Nor do they reach the APRS network: its gate sends to a server on this computer only.
    tamsel::AprsGate::localOnly() = true;
    seedRepeaterDirectory();
    auto adapter = std::make_shared<tamsel::SimulatedAdapter>();
    adapter->setTracing(false);
    tamsel::configureDemoAdapter(*adapter);
    // What File, Save stores stays for the next run, as in an adapter.
    adapter->keepStoredIn(tamsel::dataFolder() / tamsel::kDemoAdapterFile);
    tamsel::SimulatedBus bus(tamsel::SimulatedBus::oneAdapter(), adapter);
    tamsel::Discovery discovery = tamsel::discoverAdapter(bus);
    if (station) {
        QCoreApplication app(argc, argv);
        const tamsel::Translations translations(tamsel::languageOfThisRun());
        if (web.setPassword) {
            return tamsel::setPasswordFrom(
                std::cin, std::cout,
                tamsel::PasswordStore::fileBeside(tamsel::SettingsStore::defaultPath()));
        }
        const DemoTraffic traffic(*adapter);
        tamsel::StationRun run{std::move(discovery),
                               {},
                               {},
                               {tamsel::dataFolder(), tamsel::SettingsStore::defaultPath(), nullptr,
                                QString::fromLatin1(tamsel::programVersion())}};
        run.face = tamsel::webFace(web, QCoreApplication::applicationFilePath());
        return tamsel::runStation(std::move(run), std::cerr, [&] { return app.exec(); });
    }
    tamsel::QtNotifier notifier;
    tamsel::Application app(argc, argv, notifier);
    const DemoTraffic traffic(*adapter);

    return tamsel::runProgram(
        std::move(discovery), notifier, [&] { return app.exec(); },
        //: Added to the main window's title of the demo program
        QCoreApplication::translate("DemoMain", " [demo: simulated adapter]"), {}, {},
        tamsel::deskWebFace(QCoreApplication::applicationFilePath()));
}
