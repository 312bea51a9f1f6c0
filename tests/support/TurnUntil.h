// SPDX-License-Identifier: GPL-3.0-or-later
// TurnUntil: the event loop turned until a condition holds, for tests without windows.
#pragma once

#include <QCoreApplication>
#include <QThread>
#include <chrono>

namespace tamsel {

// Turns the event loop until `done` holds; false after ten seconds.
template <typename F> bool turnUntil(F done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

} // namespace tamsel
