// SPDX-License-Identifier: GPL-3.0-or-later
// HistoryFlag: historyOpen, whether the received history collects lines.
#pragma once

#include <atomic>

namespace tamsel {

// While 1, the receive monitor hands a history line to the history window at the end of
// each reception. Set and cleared by the history window on the UI thread; the monitor
// reads it once per reception (it is handed to the monitor as its history gate).
extern std::atomic<int> historyOpen;

} // namespace tamsel
