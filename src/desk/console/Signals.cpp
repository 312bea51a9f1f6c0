// SPDX-License-Identifier: GPL-3.0-or-later
// Signals: SIGTERM, SIGINT and SIGHUP close the main window through the event loop.
#include "console/Signals.h"

#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace tamsel {

namespace {

int wakeFds[2] = {-1, -1};

// Only async-signal-safe work here: one byte into the pipe.
void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakeFds[1], &byte, 1);
}

} // namespace

void holdTerminationSignals() {
    if (wakeFds[0] >= 0) {
        return;
    }
    if (::pipe2(wakeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        wakeFds[0] = wakeFds[1] = -1;
        return;
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(sig, &action, nullptr);
    }
}

void closeOnTerminationSignals(QWidget* window) {
    holdTerminationSignals();
    if (wakeFds[0] < 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(wakeFds[0], QSocketNotifier::Read, window);
    QObject::connect(notifier, &QSocketNotifier::activated, window, [window] {
        char buffer[16];
        while (::read(wakeFds[0], buffer, sizeof buffer) > 0) {
        }
        window->close();
    });
}

} // namespace tamsel
