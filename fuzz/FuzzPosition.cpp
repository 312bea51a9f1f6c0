// SPDX-License-Identifier: GPL-3.0-or-later
// The D-PRS sentence decoders (GPS-A, APRS, NMEA) on arbitrary slow-data bytes.
#include "monitor/Position.h"

#include <cmath>
#include <cstdlib>
#include <string>

using namespace tamsel;

namespace {

bool locator(const std::string& g) {
    return g.size() == 6 && g[0] >= 'A' && g[0] <= 'R' && g[1] >= 'A' && g[1] <= 'R' &&
           g[2] >= '0' && g[2] <= '9' && g[3] >= '0' && g[3] <= '9' && g[4] >= 'a' && g[4] <= 'x' &&
           g[5] >= 'a' && g[5] <= 'x';
}

// What no receiver sends never comes out: speeds 0 to 1,000 knots, altitudes -1,500 to
// 60,000 m, no course or speed for a weather station.
void check(const Position& p) {
    const bool weather = p.symbol.size() == 2 && p.symbol[1] == '_';
    if (!std::isfinite(p.latitude) || !std::isfinite(p.longitude) || std::abs(p.latitude) > 90 ||
        std::abs(p.longitude) > 180 || (p.course && (*p.course < 0 || *p.course >= 360)) ||
        (p.speedKnots && !(*p.speedKnots >= 0 && *p.speedKnots <= 1000)) ||
        (p.altitudeFeet && !(*p.altitudeFeet >= -1500 * 3.28084 - 1e-6 &&
                             *p.altitudeFeet <= 60000 * 3.28084 + 1e-6)) ||
        (weather && (p.course || p.speedKnots)) || !locator(maidenhead(p.latitude, p.longitude))) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // As a stream in data-block pieces, and each decoder on the whole input.
    PositionStream stream;
    for (std::size_t at = 0; at < size; at += 5) {
        for (const Position& p : stream.append(bytes.substr(at, 5))) {
            check(p);
        }
    }
    if (const auto p = decodeGpsA(bytes)) {
        check(*p);
    }
    if (const auto p = decodeAprs(bytes)) {
        check(*p);
    }
    if (const auto fix = decodeNmea(bytes)) {
        check(fix->position);
    }
    return 0;
}
