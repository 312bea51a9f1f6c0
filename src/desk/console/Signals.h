// SPDX-License-Identifier: GPL-3.0-or-later
// Signals: SIGTERM, SIGINT and SIGHUP close the main window through the event loop.
#pragma once

class QWidget;

namespace tamsel {

// Closes `window` when the process is asked to end (SIGTERM, SIGINT, SIGHUP), through the
// event loop, so the program ends the way the close button ends it: the monitor stops,
// the windows go, exit status 0.
void closeOnTerminationSignals(QWidget* window);

// Catches those signals from now on and keeps them until closeOnTerminationSignals() is
// called: a signal that comes while the windows are still being made closes them once
// they are, instead of killing the process half-way.
void holdTerminationSignals();

} // namespace tamsel
