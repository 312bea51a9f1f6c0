// SPDX-License-Identifier: GPL-3.0-or-later
// Trace: helpers to compare request traces.
#pragma once

#include "sim/SimulatedAdapter.h"

#include <string>
#include <vector>

namespace tamsel::test {

inline std::vector<std::string> names(const std::vector<TraceEntry>& trace) {
    std::vector<std::string> out;
    for (const auto& e : trace) {
        out.push_back(e.name());
    }
    return out;
}

inline std::string bytes(const TraceEntry& e) {
    return {e.bytes.begin(), e.bytes.end()};
}

} // namespace tamsel::test
