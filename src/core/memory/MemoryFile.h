// SPDX-License-Identifier: GPL-3.0-or-later
// MemoryFile: reading a memory file into lines, and searching them.
#pragma once

#include "memory/LineStore.h"

#include <optional>
#include <string>
#include <string_view>

namespace tamsel {

// The memory file's lines: the file's bytes as read, and where each line starts. Lines
// end with CR LF, LF or CR; a line break at the very end adds no empty line.
struct MemoryLines {
    ByteBuffer bytes;
    LineStarts starts;
};

MemoryLines splitLines(ByteBuffer content);

// Reads a file whole, read-only. On failure, `error` says why.
struct FileRead {
    std::optional<ByteBuffer> bytes;
    std::string error;
};
FileRead readWholeFile(const std::string& path);

// Reads a memory file whole, read-only. On failure, `error` says why.
struct MemoryFileRead {
    std::optional<MemoryLines> lines;
    std::string error;
};
MemoryFileRead readMemoryFile(const std::string& path);

// Whether `text` is valid UTF-8 holding at least one non-ASCII character: a memory line
// in UTF-8, which is shown and searched as such; any other is Shift_JIS.
bool isUtf8Text(std::string_view text);

// Whether `line` holds `key`, compared byte for byte. A match never starts on the second
// byte of a Shift_JIS character; an empty key is in no line.
bool containsKey(std::string_view line, std::string_view key);

// One press of Enter in the search dialog: looks at lines from `position` to the end.
struct SearchOutcome {
    std::optional<std::size_t> found; // the line to scroll to the top
    std::size_t position;             // where the next search starts
    bool notFound = false;            // tell the operator
};
SearchOutcome searchLines(const LineStore& lines, std::string_view key, std::size_t position);

// The searched text in both encodings a line may be in: a line that is valid UTF-8 with
// non-ASCII characters is searched for the UTF-8 form, every other line for the Shift_JIS.
struct SearchKey {
    std::string_view shiftJis;
    std::string_view utf8;
};
SearchOutcome searchLines(const LineStore& lines, const SearchKey& key, std::size_t position);

} // namespace tamsel
