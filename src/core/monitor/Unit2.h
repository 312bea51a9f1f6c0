// SPDX-License-Identifier: GPL-3.0-or-later
// Unit2: receiveRF, the receive monitor thread.
#pragma once

#include "adapter/AdapterLink.h"
#include "monitor/ReceptionMachine.h"

#include <QByteArray>
#include <QThread>
#include <atomic>

namespace tamsel {

// The receive monitor: polls the adapter for received headers and slow-data messages and
// hands each window update to the UI thread, in order, through queued signals. Stops at
// the next pass of its loop after requestInterruption() and sends nothing after that.
class receiveRF : public QThread {
    Q_OBJECT
public:
    // A history line goes out at the end of a reception only while `historyGate` is not 0.
    receiveRF(AdapterLink& link, const std::atomic<int>& historyGate, QObject* parent = nullptr);

    // True once the thread body has returned. Read after wait(): the flag carries the
    // thread's last writes over to the reader in a way race detectors can see, which
    // QThread::wait() inside the uninstrumented Qt library does not show them.
    bool ended() const { return ended_.load(std::memory_order_acquire); }

signals:
    void fieldReceived(tamsel::ReceptionField field, const QByteArray& text);
    // A finished reception's line, and when the reception began.
    void historyLine(const QByteArray& line, std::chrono::system_clock::time_point start);
    // Every reception, from the start, for the list of heard stations.
    void stationReport(const tamsel::StationReport& report);

protected:
    void run() override;

private:
    void poll();

    AdapterLink& link_;
    const std::atomic<int>& historyGate_;
    std::atomic<bool> ended_{false};
};

} // namespace tamsel
