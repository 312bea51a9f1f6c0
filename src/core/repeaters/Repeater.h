// SPDX-License-Identifier: GPL-3.0-or-later
// Repeater: one repeater of a repeater list, and a list's repeaters read from its file.
#pragma once

#include "memory/RepeaterList.h"
#include "station/Geodesy.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamsel {

struct Repeater {
    std::string name;        // UTF-8, as the list writes it
    std::string area;        // the list's group (Icom) or comment (CHIRP)
    std::string callsign;    // the D-STAR field, module letter in the 8th place; empty if none
    std::string gateway;     // its gateway's field, `G` in the 8th place; empty if none
    double frequencyMHz = 0; // the repeater's output; 0 when the list gives none
    char duplex = 0;         // '+', '-', 's' (split: the offset is the input), 0 simplex
    double offsetMHz = 0;
    bool dv = false; // a D-STAR repeater; only these carry routes
    std::optional<LatLon> position;
    bool approximate = false; // the list marks the position as approximate
    std::optional<int> utcOffsetMinutes;
    std::uint32_t list = 0; // which kept list it comes from

    // A repeater that a route can go through: D-STAR, with a module letter.
    bool routable() const;
    // "JR1YB B": the callsign as operators write it.
    std::string shownCallsign() const;
};

// The repeaters of a list file (Icom CSV or CHIRP CSV, in UTF-8 or Shift_JIS). A row
// without a usable position (none written, the Icom "None", out of range, or 0,0) is kept
// with none. Nothing when the file is no repeater list.
std::optional<std::vector<Repeater>> readRepeaters(std::string_view file, std::uint32_t list = 0);

// A list read once for both its uses: the memory window's lines, and the directory's
// repeaters (of list 0). `lines.format` is None for a file that is no repeater list.
struct RepeaterListRead {
    RepeaterImport lines;
    std::vector<Repeater> repeaters;
};
RepeaterListRead readRepeaterList(std::string_view file);

// A callsign as the D-STAR field holds it ("jr1yb b" is "JR1YB  B"); empty when it does
// not fit.
std::string repeaterField(std::string_view written);

// "JR1YB  B" as "JR1YB B"; "JR1YB   " as "JR1YB".
std::string shownCallsign(std::string_view field);

} // namespace tamsel
