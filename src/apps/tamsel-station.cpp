// SPDX-License-Identifier: GPL-3.0-or-later
// main: the tamsel-station program: the station without a display, for a service.
#include "Access.h"
#include "CommandLine.h"
#include "StationProgram.h"
#include "WebProgram.h"
#include "adapter/LibusbLink.h"
#include "language/Translations.h"
#include "log/Formats.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <iostream>
#include <memory>
#include <string_view>

int main(int argc, char* argv[]) {
    const tamsel::ProgramInfo program{
        "tamsel-station",
        QT_TRANSLATE_NOOP("CommandLine",
                          "Runs the station of a Tamsel USB D-STAR digital-voice adapter without a "
                          "display, as a service;\nit says what it does on standard error.")};
    tamsel::WebArguments web;
    if (const auto wrong = tamsel::takeWebArguments(argc, argv, web)) {
        std::cerr << "tamsel-station: " << *wrong << '\n';
        return 2;
    }
    if (const auto status = tamsel::handleCommandLine(argc, argv, program, std::cout, std::cerr)) {
        if (*status == 0 && std::string_view(argv[argc - 1]) != "--version") {
            std::cout << tamsel::webUsage();
        }
        return *status;
    }
    QCoreApplication app(argc, argv);
    const tamsel::Translations translations(tamsel::languageOfThisRun());
    if (web.setPassword) {
        return tamsel::setPasswordFrom(
            std::cin, std::cout,
            tamsel::PasswordStore::fileBeside(tamsel::SettingsStore::defaultPath()));
    }
    tamsel::StationRun run{tamsel::discoverUsbAdapter(),
                           [] { return std::make_unique<tamsel::LibusbBus>(); },
                           {},
                           {tamsel::dataFolder(), tamsel::SettingsStore::defaultPath(), nullptr,
                            QString::fromLatin1(tamsel::programVersion())}};
    // The adapter may be plugged in later, unplugged and plugged in again.
    auto hotplug = std::make_shared<tamsel::LibusbHotplug>();
    run.face = tamsel::webFace(web, QCoreApplication::applicationFilePath());
    run.arrivals = [hotplug](std::chrono::milliseconds limit) { return hotplug->wait(limit); };
    return tamsel::runStation(std::move(run), std::cerr, [&] { return app.exec(); });
}
