// SPDX-License-Identifier: GPL-3.0-or-later
// Retry: the three retry rules of a failed request.
#pragma once

#include <functional>

namespace tamsel {

// How a caller repeats a request that failed (a negative result). Only one repeat is made.
void sleepMs(int ms);

enum class Retry { None, AtOnce, After50ms };

// Runs `attempt`, and once more under `rule` when it fails. Returns the last result, so a
// caller can tell a value that was read from one that never arrived.
// `pause` is how the 50 ms wait is taken; tests pass their own to watch it.
int withRetry(Retry rule, const std::function<int()>& attempt,
              const std::function<void(int ms)>& pause = sleepMs);

} // namespace tamsel
