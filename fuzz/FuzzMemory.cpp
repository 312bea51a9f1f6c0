// SPDX-License-Identifier: GPL-3.0-or-later
// The memory-file reader, column extraction, search and the repeater-list import over
// arbitrary file contents.
#include "base/Columns.h"
#include "memory/MemoryFile.h"
#include "memory/RepeaterList.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

using namespace tamsel;

namespace {

// The same split, written the plain way.
std::vector<std::string> reference(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t j = i;
        while (j < text.size() && text[j] != '\n' && text[j] != '\r') {
            ++j;
        }
        lines.emplace_back(text.substr(i, j - i));
        if (j < text.size() && text[j] == '\r' && j + 1 < text.size() && text[j + 1] == '\n') {
            ++j;
        }
        i = j + 1;
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // The first bytes are also used as a search key and a start position.
    const std::string_view key =
        text.substr(0, std::min<std::size_t>(size, size ? data[0] % 5 : 0));
    MemoryLines split = splitLines(ByteBuffer(text.begin(), text.end()));
    LineStore lines;
    lines.assign(std::move(split.bytes), std::move(split.starts), true);
    const std::vector<std::string> expected = reference(text);
    if (lines.size() != expected.size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines.line(i);
        if (line != expected[i]) {
            std::abort();
        }
        for (std::size_t c : {10u, 19u, 28u}) {
            const std::string_view field = column(line, c);
            if (field.size() > 8 || (c <= line.size() && field != line.substr(c - 1, 8))) {
                std::abort();
            }
        }
    }
    std::size_t position = size ? data[size - 1] % (lines.size() + 3) : 0;
    for (int press = 0; press < 4; ++press) {
        const SearchOutcome o = searchLines(lines, key, position);
        // A UTF-8 line is searched byte for byte; any other as Shift_JIS characters.
        const auto holds = [&](std::string_view line) {
            return isUtf8Text(line) ? !key.empty() && line.find(key) != line.npos
                                    : containsKey(line, key);
        };
        if (o.found && (*o.found >= lines.size() || !holds(lines.line(*o.found)))) {
            std::abort();
        }
        if (o.position > lines.size()) {
            std::abort();
        }
        position = o.position;
    }
    // As a repeater list: every line it makes keeps the memory file's columns.
    const RepeaterImport imported = importRepeaterList(text);
    if (imported.format == RepeaterListFormat::None && imported.size() != 0) {
        std::abort();
    }
    for (std::size_t i = 0; i < imported.size(); ++i) {
        const std::string_view line = imported.line(i);
        if (line.size() < 35 || line[17] != ' ' || line[26] != ' ' ||
            line.find_first_of("\r\n", 9) < 35) {
            std::abort();
        }
        // A line shown as UTF-8 has a name whose bytes are as wide as its characters.
        if (isUtf8Text(line) && std::any_of(line.begin(), line.begin() + 9, [](char c) {
                return static_cast<unsigned char>(c) >= 0x80;
            })) {
            std::abort();
        }
    }
    return 0;
}
