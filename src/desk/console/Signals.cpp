// SPDX-License-Identifier: GPL-3.0-or-later
// Signals: SIGTERM, SIGINT and SIGHUP close the main window through the event loop.
#include "console/Signals.h"

#include "base/ProcessSignals.h"

#include <QWidget>

namespace tamsel {

void holdTerminationSignals() {
    ProcessSignals::hold();
}

void closeOnTerminationSignals(QWidget* window) {
    auto* caught = new ProcessSignals(window);
    QObject::connect(caught, &ProcessSignals::received, window, [window] { window->close(); });
}

} // namespace tamsel
