// SPDX-License-Identifier: GPL-3.0-or-later
// ProcessSignals: SIGTERM, SIGINT and SIGHUP brought to the event loop.
#pragma once

#include <QObject>

namespace tamsel {

// Catches SIGTERM, SIGINT and SIGHUP from the first call of hold() (or the first
// ProcessSignals made) on: the handler only writes the signal's number into a pipe, and each
// ProcessSignals object says it on the event loop. A signal that comes before any object
// exists is kept and said by the first one.
class ProcessSignals : public QObject {
    Q_OBJECT
public:
    explicit ProcessSignals(QObject* parent = nullptr);

    static void hold();

signals:
    void received(int number);
};

} // namespace tamsel
