// SPDX-License-Identifier: GPL-3.0-or-later
// RepeaterList: repeater lists (Icom CSV, CHIRP CSV) turned into memory-file lines.
#pragma once

#include "memory/HugePages.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamsel {

// The repeater lists operators already have, recognised by their header row.
enum class RepeaterListFormat { None, Icom, Chirp };

struct RepeaterImport {
    RepeaterListFormat format = RepeaterListFormat::None;
    // One memory-file line per repeater: name in columns 1 to 9, destination in 10 to 17,
    // repeater 1 in 19 to 26, repeater 2 in 28 to 35, then a blank and free text. The
    // name's bytes are as wide as its characters: a UTF-8 list's lines go to Shift_JIS
    // where they can; a name Shift_JIS cannot hold, or whose Shift_JIS bytes would read
    // as UTF-8, is written in Latin letters and kept as written at the end of the text.
    ByteBuffer bytes;  // the lines back to back
    LineStarts starts; // where each line starts
    // The D-STAR rows that give no line (no repeater callsign, or a callsign longer than 8
    // characters): their line numbers in the file, from 1.
    std::vector<std::size_t> skipped;

    std::size_t size() const { return starts.size(); }
    std::string_view line(std::size_t i) const;
};

// Reads a whole CSV file (UTF-8 with or without BOM, or Shift_JIS; fields parted by commas,
// semicolons or tabs, numbers with a decimal point or comma). Columns are found by their
// header names, so added or reordered columns do not matter.
RepeaterImport importRepeaterList(std::string_view file);

// For readers that want more of a list than its memory lines: finds the list's format and
// separator as importRepeaterList() does and calls `row(line, fields)` for every record after
// the header row, with the format, `fields[i]` being the column titled `titles[i]` (found whatever
// the case, blanks trimmed; empty where the list has no such column), in UTF-8 (a Shift_JIS list
// converted, any other one's bytes taken as Latin-1). Returns the format; None (and no row) for a
// file of neither kind.
using ListRow = std::function<void(RepeaterListFormat format, std::size_t line,
                                   const std::vector<std::string_view>& fields)>;
RepeaterListFormat forEachListRow(std::string_view file,
                                  const std::vector<std::string_view>& titles, const ListRow& row);
// Both in one pass over the file: its memory lines, and `row` for every record.
RepeaterImport importRepeaterList(std::string_view file,
                                  const std::vector<std::string_view>& titles, const ListRow& row);

// Shift_JIS (Windows code page 932) text as UTF-8; nothing when it is not such text.
std::optional<std::string> shiftJisToUtf8(std::string_view text);

// A callsign as the D-STAR field holds it, upper case, module letter in the 8th character
// ("JR1YB B" becomes "JR1YB  B"); nothing when it does not fit 8 characters.
bool layOutCallsign(std::string_view written, std::string& field);

} // namespace tamsel
