#include "monitor/Unit2.h"

#include "adapter/Discovery.h"
#include "monitor/HistoryFlag.h"
#include "monitor/LocalTime.h"

#include <array>

namespace tamsel {

receiveRF::receiveRF(AdapterLink& link, QObject* parent) : QThread(parent), link_(link) {}

void receiveRF::run() {
    poll();
    ended_.store(true, std::memory_order_release);
}

void receiveRF::poll() {
    while (adapterFound == 0) {
        if (isInterruptionRequested()) {
            return;
        }
        msleep(500);
    }
    ReceptionMachine machine(localDateTime);
    std::array<std::uint8_t, 8> buffer{};
    std::vector<ReceptionUpdate> updates;
    updates.reserve(8);
    while (!isInterruptionRequested()) {
        const ReceptionMachine::Step step = machine.next();
        const int result = readBytes(link_, step.request, buffer, step.timeoutMs);
        if (isInterruptionRequested()) {
            return; // a reception cut short is not recorded
        }
        updates.clear();
        const int pause = machine.feed(result, buffer, updates);
        for (const ReceptionUpdate& u : updates) {
            const QByteArray text(u.text.data(), static_cast<qsizetype>(u.text.size()));
            if (u.target != ReceptionUpdate::Target::HistoryLine) {
                emit received(static_cast<int>(u.target), text);
            } else if (historyOpen != 0) {
                emit historyLine(text);
            }
        }
        if (pause > 0) {
            msleep(static_cast<unsigned long>(pause));
        }
    }
}

} // namespace tamsel
