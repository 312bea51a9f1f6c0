// SPDX-License-Identifier: GPL-3.0-or-later
// Unit2: receiveRF, the receive monitor thread.
#include "monitor/Unit2.h"

#include "adapter/Discovery.h"
#include "monitor/LocalTime.h"

#include <array>
#include <optional>

namespace tamsel {

receiveRF::receiveRF(AdapterLink& link, const std::atomic<int>& historyGate, QObject* parent)
    : QThread(parent), link_(link), historyGate_(historyGate) {
    qRegisterMetaType<ReceptionField>();
    qRegisterMetaType<StationReport>();
}

void receiveRF::run() {
    poll();
    ended_.store(true, std::memory_order_release);
}

void receiveRF::poll() {
    while (adapterFound == 0) {
        if (isInterruptionRequested()) {
            return;
        }
        QThread::msleep(static_cast<unsigned long>(kAdapterWaitPause.count()));
    }
    std::optional<ReceptionMachine> machine(std::in_place, localDateTime);
    unsigned generation = link_.generation();
    std::array<std::uint8_t, 8> buffer{};
    std::vector<ReceptionUpdate> updates;
    updates.reserve(8);
    std::vector<StationReport> reports;
    // While the adapter is gone the link holds the monitor here: no requests, no spinning.
    while (link_.waitForPolling([this] { return isInterruptionRequested(); })) {
        if (link_.generation() != generation) {
            // The adapter came back; a reception it was delivering went with it.
            generation = link_.generation();
            machine.emplace(localDateTime);
        }
        const ReceptionMachine::Step step = machine->next();
        const int result = readBytes(link_, step.request, buffer, step.timeoutMs);
        if (isInterruptionRequested()) {
            return; // a reception cut short is not recorded
        }
        updates.clear();
        reports.clear();
        const std::chrono::milliseconds pause = machine->feed(result, buffer, updates, reports);
        for (const ReceptionUpdate& u : updates) {
            const QByteArray text(u.text.data(), static_cast<qsizetype>(u.text.size()));
            if (u.field != ReceptionField::HistoryLine) {
                emit fieldReceived(u.field, text);
            } else if (historyGate_ != 0) {
                emit historyLine(text, u.start);
            }
        }
        for (const StationReport& r : reports) {
            emit stationReport(r);
        }
        if (pause > kNoPause) {
            QThread::msleep(static_cast<unsigned long>(pause.count()));
        }
    }
}

} // namespace tamsel
