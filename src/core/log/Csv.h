// SPDX-License-Identifier: GPL-3.0-or-later
// Csv: the one writer of CSV cells (quoting, and text a spreadsheet must never run) and its reader.
#pragma once

#include "base/CsvReader.h"

#include <string>
#include <string_view>
#include <vector>

namespace tamsel {

// Whether a spreadsheet would run the text as a formula: it opens with = + - @, or with a
// tab or a carriage return that some of them skip first. A plain number (a negative
// longitude) is data. Apostrophes in front do not count: "'=1" is guarded as well, so that
// reading back can tell a guard from the text.
bool csvGuardNeeded(std::string_view utf8);

// One CSV cell: a leading ' in front of text a spreadsheet would run, then quoted when it
// holds a comma, a quote or a line break.
std::string csvField(std::string_view utf8);
// The text of a cell as read back: the guard csvField() put in front is taken off again.
std::string csvFieldText(std::string_view cell);

// RFC 4180 text split into records of fields (cells as csvFieldText() gives them). A line
// that a crash cut short inside a quoted field does not swallow what follows: a line break
// that is followed by the start of a record (`startsRecord`) ends the torn one there.
struct CsvRecord {
    std::vector<std::string> fields;
    bool complete = false; // its line ended; a torn or unfinished last line is not complete
};
using RecordStart = CsvReader::RecordStart;
std::vector<CsvRecord> splitCsv(std::string_view text, RecordStart startsRecord = nullptr);

} // namespace tamsel
