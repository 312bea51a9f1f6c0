// SPDX-License-Identifier: GPL-3.0-or-later
// Reading back a reception log from arbitrary bytes: a damaged day file gives no impossible
// values, and what it gives is written and read again unchanged.
#include "base/LatLon.h"
#include "log/ReceptionLog.h"

#include <cmath>
#include <cstdlib>
#include <string>

using namespace tamsel;

namespace {

void check(const StationReport& r) {
    if (r.duration.count() < 0 || r.duration > std::chrono::hours(24)) {
        std::abort();
    }
    for (const Position& p : r.positions) {
        if (!isValidPosition({p.latitude, p.longitude}) ||
            (p.course && (*p.course < 0 || *p.course >= 360)) ||
            (p.speedKnots && !(*p.speedKnots >= 0 && *p.speedKnots <= 1000)) ||
            (p.altitudeFeet && !std::isfinite(*p.altitudeFeet))) {
            std::abort();
        }
    }
}

bool oneLine(const StationReport& r) {
    for (const std::string* s : {&r.caller, &r.suffix, &r.called, &r.rpt1, &r.rpt2, &r.message}) {
        if (s->find_first_of("\r\n") != std::string::npos) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const StationReport& r : parseReceptionCsv(text)) {
        check(r);
        if (!oneLine(r) || !r.positions.empty()) {
            continue; // positions are written rounded; line breaks are kept but not compared
        }
        const auto again = parseReceptionCsv(receptionCsvLine(r));
        if (again.size() != 1 || again[0].message != trimmed(r.message) ||
            again[0].caller != trimmed(r.caller) || again[0].utcStart != r.utcStart) {
            std::abort();
        }
    }
    return 0;
}
