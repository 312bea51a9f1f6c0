// SPDX-License-Identifier: GPL-3.0-or-later
// HeaderWay: how a received header travelled, the one answer route names, replies and logs share.
#pragma once

#include <cstdint>
#include <string_view>

namespace tamsel {

// How a header reached us.
enum class HeaderWay {
    Simplex,     // straight from the caller's radio: DIRECT, no repeater, or none that relayed it
    Repeater,    // relayed by a repeater module
    FromGateway, // from the internet, sent out by a repeater: RPT1 is its gateway ("JR1YB  G")
    ToGateway,   // a station on a repeater calling through its gateway: RPT2 is the gateway
};

// The way of a header from its repeater fields (8 bytes; shorter ones count as padded with
// blanks) and its first flag byte. A repeater flag set means a repeater relayed it; so does
// RPT1 = RPT2 = a repeater's callsign with its module, which hotspots send with the flag clear
// when they relay their own users.
HeaderWay headerWay(std::string_view rpt1, std::string_view rpt2, std::uint8_t flag1);

// Both gateway ways: the header travelled over the internet.
inline bool throughGateway(HeaderWay way) {
    return way == HeaderWay::FromGateway || way == HeaderWay::ToGateway;
}

} // namespace tamsel
