// SPDX-License-Identifier: GPL-3.0-or-later
// Repeater: one repeater of a repeater list, and a list's repeaters read from its file.
#include "repeaters/Repeater.h"

#include "memory/RepeaterList.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tamsel {

namespace {

constexpr std::size_t kField = 8;

std::optional<double> number(std::string_view s) {
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
    }
    std::string text(s);
    // A list written where the comma is the decimal mark ("439,010000").
    std::replace(text.begin(), text.end(), ',', '.');
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

bool same(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// "+9:00", "-3:30", "9": minutes east of UTC.
std::optional<int> utcOffset(std::string_view s) {
    if (s.empty()) {
        return std::nullopt;
    }
    int sign = 1;
    if (s.front() == '+' || s.front() == '-') {
        sign = s.front() == '-' ? -1 : 1;
        s.remove_prefix(1);
    }
    int hours = 0;
    int minutes = 0;
    const auto colon = s.find(':');
    const std::string_view h = s.substr(0, colon);
    if (std::from_chars(h.data(), h.data() + h.size(), hours).ptr != h.data() + h.size() ||
        h.empty()) {
        return std::nullopt;
    }
    if (colon != s.npos) {
        const std::string_view m = s.substr(colon + 1);
        if (m.empty() ||
            std::from_chars(m.data(), m.data() + m.size(), minutes).ptr != m.data() + m.size()) {
            return std::nullopt;
        }
    }
    if (hours > 14 || minutes >= 60 || minutes < 0) {
        return std::nullopt;
    }
    return sign * (hours * 60 + minutes);
}

std::optional<LatLon> position(std::string_view lat, std::string_view lon) {
    const auto la = number(lat);
    const auto lo = number(lon);
    if (!la || !lo) {
        return std::nullopt;
    }
    const LatLon p{*la, *lo};
    // 0,0 is what a list writes for "unknown": no repeater stands in the Gulf of Guinea.
    if (!isValidPosition(p) || (p.latitude == 0 && p.longitude == 0)) {
        return std::nullopt;
    }
    return p;
}

enum Column {
    Name,
    Group,
    SubName,
    RepeaterCall,
    GatewayCall,
    Frequency,
    Dup,
    Offset,
    Mode,
    PositionKind,
    Latitude,
    Longitude,
    Utc,
    Duplex,
    Comment,
    Rpt1,
    Rpt2,
};
const std::vector<std::string_view>& titles() {
    static const std::vector<std::string_view> kTitles{"Name",
                                                       "Group Name",
                                                       "Sub Name",
                                                       "Repeater Call Sign",
                                                       "Gateway Call Sign",
                                                       "Frequency",
                                                       "Dup",
                                                       "Offset",
                                                       "Mode",
                                                       "Position",
                                                       "Latitude",
                                                       "Longitude",
                                                       "UTC Offset",
                                                       "Duplex",
                                                       "Comment",
                                                       "RPT1CALL",
                                                       "RPT2CALL"};
    return kTitles;
}

} // namespace

bool Repeater::routable() const {
    return dv && callsign.size() == kField && callsign[kField - 1] >= 'A' &&
           callsign[kField - 1] <= 'Z';
}

std::string Repeater::shownCallsign() const {
    return tamsel::shownCallsign(callsign);
}

std::string repeaterField(std::string_view written) {
    std::string field;
    if (written.find_first_not_of(" \t") == written.npos || !layOutCallsign(written, field)) {
        return {};
    }
    return field;
}

std::string shownCallsign(std::string_view field) {
    std::string base(field.substr(0, std::min(field.size(), kField - 1)));
    while (!base.empty() && base.back() == ' ') {
        base.pop_back();
    }
    if (field.size() == kField && field[kField - 1] != ' ') {
        base += ' ';
        base += field[kField - 1];
    }
    return base;
}

namespace {
// A list's row as a repeater, added to `out` unless the row is empty.
void addRepeater(std::vector<Repeater>& out, std::uint32_t list, RepeaterListFormat kind,
                 const std::vector<std::string_view>& f) {
    const bool icom = kind == RepeaterListFormat::Icom;
    Repeater r;
    r.list = list;
    r.name = f[Name];
    r.frequencyMHz = number(f[Frequency]).value_or(0);
    r.offsetMHz = std::abs(number(f[Offset]).value_or(0));
    r.dv = same(f[Mode], "DV");
    if (icom) {
        r.area = f[Group].empty() ? f[SubName] : f[Group];
        r.callsign = repeaterField(f[RepeaterCall]);
        r.gateway = repeaterField(f[GatewayCall]);
        r.duplex = same(f[Dup], "DUP-") ? '-' : same(f[Dup], "DUP+") ? '+' : '\0';
        if (!same(f[PositionKind], "None")) {
            r.position = position(f[Latitude], f[Longitude]);
            r.approximate = r.position && same(f[PositionKind], "Approximate");
        }
        r.utcOffsetMinutes = utcOffset(f[Utc]);
    } else {
        r.area = f[Comment];
        r.callsign = repeaterField(f[Rpt1]);
        r.gateway = repeaterField(f[Rpt2]);
        r.duplex = f[Duplex] == "-"           ? '-'
                   : f[Duplex] == "+"         ? '+'
                   : same(f[Duplex], "split") ? 's'
                                              : '\0';
    }
    if (r.duplex == 0) {
        r.offsetMHz = 0;
    }
    // A repeater's gateway is its callsign with `G` in the 8th place.
    if (r.gateway.size() != kField || r.gateway[kField - 1] != 'G') {
        r.gateway = r.callsign.empty() ? std::string() : r.callsign.substr(0, 7) + 'G';
    }
    if (r.name.empty() && r.callsign.empty() && r.frequencyMHz == 0) {
        return; // an empty row
    }
    out.push_back(std::move(r));
}
} // namespace

std::optional<std::vector<Repeater>> readRepeaters(std::string_view file, std::uint32_t list) {
    std::vector<Repeater> out;
    const auto format = forEachListRow(
        file, titles(),
        [&](RepeaterListFormat kind, std::size_t, const std::vector<std::string_view>& f) {
            addRepeater(out, list, kind, f);
        });
    if (format == RepeaterListFormat::None) {
        return std::nullopt;
    }
    return out;
}

RepeaterListRead readRepeaterList(std::string_view file) {
    RepeaterListRead read;
    read.lines = importRepeaterList(
        file, titles(),
        [&](RepeaterListFormat kind, std::size_t, const std::vector<std::string_view>& f) {
            addRepeater(read.repeaters, 0, kind, f);
        });
    return read;
}

} // namespace tamsel
