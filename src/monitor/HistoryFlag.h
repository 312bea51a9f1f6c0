#pragma once

#include <atomic>

namespace tamsel {

// While 1, the receive monitor hands a history line to the history window at the end of
// each reception. Set and cleared by the history window on the UI thread, read by the
// monitor once per reception.
extern std::atomic<int> historyOpen;

} // namespace tamsel
