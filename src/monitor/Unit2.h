#pragma once

#include "adapter/AdapterLink.h"
#include "monitor/ReceptionMachine.h"

#include <QByteArray>
#include <QThread>

namespace tamsel {

// The receive monitor: polls the adapter for received headers and slow-data messages and
// hands each window update to the UI thread, in order, through queued signals. Stops at
// the next pass of its loop after requestInterruption() and sends nothing after that.
class receiveRF : public QThread {
    Q_OBJECT
public:
    explicit receiveRF(AdapterLink& link, QObject* parent = nullptr);

signals:
    void received(int target, const QByteArray& text); // a ReceptionUpdate::Target
    void historyLine(const QByteArray& line);          // only while the history is open

protected:
    void run() override;

private:
    AdapterLink& link_;
};

} // namespace tamsel
