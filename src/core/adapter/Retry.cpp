// SPDX-License-Identifier: GPL-3.0-or-later
// Retry: the three retry rules of a failed request.
#include "Retry.h"

#include <chrono>
#include <thread>

namespace tamsel {

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

int withRetry(Retry rule, const std::function<int()>& attempt,
              const std::function<void(int ms)>& pause) {
    const int first = attempt();
    if (first >= 0 || rule == Retry::None) {
        return first;
    }
    if (rule == Retry::After50ms) {
        pause(50);
    }
    return attempt();
}

} // namespace tamsel
