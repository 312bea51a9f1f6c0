// SPDX-License-Identifier: GPL-3.0-or-later
// main: the tamsel program: discovery, then the console.
#include "CommandLine.h"
#include "WebProgram.h"
#include "adapter/LibusbLink.h"
#include "console/Console.h"

#include <iostream>

int main(int argc, char* argv[]) {
    // --help and --version are answered before USB or the display is touched.
    const tamsel::ProgramInfo program{
        "tamsel",
        QT_TRANSLATE_NOOP("CommandLine",
                          "Configures a Tamsel USB D-STAR digital-voice adapter and shows what it "
                          "receives.")};
    if (const auto status = tamsel::handleCommandLine(argc, argv, program, std::cout, std::cerr)) {
        return *status;
    }
    // The adapter is looked for before anything else; the application object is still
    // needed for the not-found box itself.
    tamsel::Discovery discovery = tamsel::discoverUsbAdapter();
    tamsel::QtNotifier notifier;
    tamsel::Application app(argc, argv, notifier);
    // Once it has been found, the adapter may be unplugged and plugged in again.
    auto hotplug = std::make_shared<tamsel::LibusbHotplug>();
    return tamsel::runProgram(
        std::move(discovery), notifier, [&] { return app.exec(); }, {},
        [] { return std::make_unique<tamsel::LibusbBus>(); },
        [hotplug](std::chrono::milliseconds limit) { return hotplug->wait(limit); },
        tamsel::deskWebFace(QCoreApplication::applicationFilePath()));
}
