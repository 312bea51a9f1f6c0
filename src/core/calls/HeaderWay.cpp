// SPDX-License-Identifier: GPL-3.0-or-later
// HeaderWay: how a received header travelled, the one answer route names, replies and logs share.
#include "calls/HeaderWay.h"

#include <string>

namespace tamsel {

namespace {

constexpr std::uint8_t kRepeaterFlag = 0x40;

// A callsign field as its 8 places: cut, or padded with blanks.
std::string places(std::string_view field) {
    std::string f(field.substr(0, 8));
    f.resize(8, ' ');
    return f;
}

bool blank(std::string_view f) {
    return f.find_first_not_of(' ') == std::string_view::npos;
}

bool direct(std::string_view f) {
    const auto first = f.find_first_not_of(' ');
    const auto last = f.find_last_not_of(' ');
    return first != std::string_view::npos && f.substr(first, last - first + 1) == "DIRECT";
}

// "JR1YB  B": a callsign in the first 7 places and a module letter in the 8th.
bool repeaterModule(std::string_view f) {
    return f[7] >= 'A' && f[7] <= 'Z' && !blank(f.substr(0, 7));
}

} // namespace

HeaderWay headerWay(std::string_view rpt1, std::string_view rpt2, std::uint8_t flag1) {
    const std::string r1 = places(rpt1), r2 = places(rpt2);
    if (direct(r1) || direct(r2) || (blank(r1) && blank(r2))) {
        return HeaderWay::Simplex;
    }
    if (r1[7] == 'G') {
        return HeaderWay::FromGateway;
    }
    if (r2[7] == 'G') {
        return HeaderWay::ToGateway;
    }
    if ((flag1 & kRepeaterFlag) != 0 || (r1 == r2 && repeaterModule(r1))) {
        return HeaderWay::Repeater;
    }
    return HeaderWay::Simplex;
}

} // namespace tamsel
