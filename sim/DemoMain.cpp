#include "console/Startup.h"
#include "sim/SimulatedBus.h"

// The console on a simulated adapter, for trying the program without one.
int main(int argc, char* argv[]) {
    auto adapter = std::make_shared<tamsel::SimulatedAdapter>();
    adapter->setTracing(false);
    adapter->setLatency(std::chrono::milliseconds(1));
    adapter->setVersion("Tamsel demo firmware 1.0");
    tamsel::SimulatedBus bus(tamsel::SimulatedBus::oneAdapter(), adapter);
    tamsel::Discovery discovery = tamsel::discoverAdapter(bus);
    tamsel::QtNotifier notifier;
    tamsel::Application app(argc, argv, notifier);
    return tamsel::runProgram(
        std::move(discovery), notifier, [&] { return app.exec(); },
        QStringLiteral(" [demo: simulated adapter]"));
}
