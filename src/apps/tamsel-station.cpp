// SPDX-License-Identifier: GPL-3.0-or-later
// main: the tamsel-station program: the station without a display, for a service.
#include "CommandLine.h"
#include "StationProgram.h"
#include "adapter/LibusbLink.h"
#include "language/Translations.h"
#include "log/Formats.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <iostream>
#include <memory>

int main(int argc, char* argv[]) {
    const tamsel::ProgramInfo program{
        "tamsel-station",
        QT_TRANSLATE_NOOP("CommandLine",
                          "Runs the station of a Tamsel USB D-STAR digital-voice adapter without a "
                          "display, as a service;\nit says what it does on standard error.")};
    if (const auto status = tamsel::handleCommandLine(argc, argv, program, std::cout, std::cerr)) {
        return *status;
    }
    QCoreApplication app(argc, argv);
    const tamsel::Translations translations(tamsel::languageOfThisRun());
    tamsel::StationRun run{tamsel::discoverUsbAdapter(),
                           [] { return std::make_unique<tamsel::LibusbBus>(); },
                           {},
                           {tamsel::dataFolder(), tamsel::SettingsStore::defaultPath(), nullptr,
                            QString::fromLatin1(tamsel::programVersion())}};
    // The adapter may be plugged in later, unplugged and plugged in again.
    auto hotplug = std::make_shared<tamsel::LibusbHotplug>();
    run.arrivals = [hotplug](std::chrono::milliseconds limit) { return hotplug->wait(limit); };
    return tamsel::runStation(std::move(run), std::cerr, [&] { return app.exec(); });
}
