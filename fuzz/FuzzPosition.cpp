// SPDX-License-Identifier: GPL-3.0-or-later
// The D-PRS sentence decoders (GPS-A, APRS, NMEA) on arbitrary slow-data bytes.
#include "monitor/Position.h"

#include <cmath>
#include <cstdlib>

using namespace tamsel;

namespace {

void check(const Position& p) {
    if (!std::isfinite(p.latitude) || !std::isfinite(p.longitude) || std::abs(p.latitude) > 90 ||
        std::abs(p.longitude) > 180 || (p.course && (*p.course < 0 || *p.course >= 360)) ||
        (p.speedKnots && !std::isfinite(*p.speedKnots)) ||
        maidenhead(p.latitude, p.longitude).size() != 6) {
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
