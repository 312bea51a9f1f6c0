// SPDX-License-Identifier: GPL-3.0-or-later
// ProcessSignals: SIGTERM, SIGINT and SIGHUP brought to the event loop.
#include "base/ProcessSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace tamsel {

namespace {

int wakeFds[2] = {-1, -1};

// Only async-signal-safe work here: the signal's number into the pipe.
void onSignal(int number) {
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const ssize_t n = ::write(wakeFds[1], &byte, 1);
}

} // namespace

void ProcessSignals::hold() {
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

ProcessSignals::ProcessSignals(QObject* parent) : QObject(parent) {
    hold();
    if (wakeFds[0] < 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(wakeFds[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char number = 0;
        while (::read(wakeFds[0], &number, 1) > 0) {
            emit received(number);
        }
    });
}

} // namespace tamsel
