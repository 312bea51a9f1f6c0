// SPDX-License-Identifier: GPL-3.0-or-later
// tamsel-demo: the console on the built-in simulated adapter.
#include "base/Folders.h"
#include "console/CommandLine.h"
#include "console/Console.h"
#include "log/Formats.h"
#include "memory/MemoryFile.h"
#include "repeaters/RepeaterDirectory.h"
#include "sim/Demo.h"
#include "sim/SimulatedBus.h"

#include <QTimer>
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

// The console on a simulated adapter that hears a station every few seconds, for trying
// the program without an adapter.
int main(int argc, char* argv[]) {
    const tamsel::ProgramInfo program{
        "tamsel-demo",
        QT_TRANSLATE_NOOP(
            "CommandLine",
            "Runs the Tamsel Console on a built-in simulated adapter that hears a "
            "station every few\nseconds, for trying the console without an adapter.")};
    if (const auto status = tamsel::handleCommandLine(argc, argv, program, std::cout, std::cerr)) {
        return *status;
    }
    // Its made-up stations and contacts stay out of the operator's own logs and settings.
    tamsel::folderName() = "tamsel-demo";
    seedRepeaterDirectory();
    auto adapter = std::make_shared<tamsel::SimulatedAdapter>();
    adapter->setTracing(false);
    tamsel::configureDemoAdapter(*adapter);
    // What File, Save stores stays for the next run, as in an adapter.
    adapter->keepStoredIn(tamsel::dataFolder() / tamsel::kDemoAdapterFile);
    tamsel::SimulatedBus bus(tamsel::SimulatedBus::oneAdapter(), adapter);
    tamsel::Discovery discovery = tamsel::discoverAdapter(bus);
    tamsel::QtNotifier notifier;
    tamsel::Application app(argc, argv, notifier);

    std::mt19937 rng(std::random_device{}());
    QTimer traffic;
    auto next = [&] {
        if (!adapter->receptionsPending()) {
            adapter->queueReception(
                tamsel::demoReception(rng, std::uniform_real_distribution(1.5, 5.0)(rng),
                                      adapter->text(0x60))
                    .script);
        }
        traffic.start(std::uniform_int_distribution(3000, 8000)(rng));
    };
    QObject::connect(&traffic, &QTimer::timeout, next);
    traffic.setSingleShot(true);
    traffic.start(1500);

    return tamsel::runProgram(
        std::move(discovery), notifier, [&] { return app.exec(); },
        //: Added to the main window's title of the demo program
        QCoreApplication::translate("DemoMain", " [demo: simulated adapter]"));
}
