// SPDX-License-Identifier: GPL-3.0-or-later
// RepeaterList: repeater lists (Icom CSV, CHIRP CSV) turned into memory-file lines.
#include "memory/RepeaterList.h"

#include "memory/MemoryFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <deque>
#include <iconv.h>
#include <optional>

namespace tamsel {

namespace {

constexpr std::size_t kNameWidth = 9;
constexpr std::size_t kCallWidth = 8;

char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

// Calls `take(line, fields)` for each record of a CSV file (RFC 4180: quoted fields may
// hold commas, doubled quotes and line breaks), with the line number it starts on. The
// fields point into the text, or into `unquoted` for a field that had doubled quotes.
template <typename Take> void forEachRecord(std::string_view text, Take take) {
    std::vector<std::string_view> fields;
    std::deque<std::string> unquoted; // a deque: the views into it stay valid as it grows
    std::size_t line = 1;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        fields.clear();
        unquoted.clear();
        const std::size_t first = line;
        for (;;) {
            std::size_t start = i;
            if (i < n && text[i] == '"') {
                // Quoted: up to the closing quote; a doubled quote is one quote.
                std::string value;
                bool copied = false;
                std::size_t from = ++i;
                for (;;) {
                    const std::size_t q = text.find('"', i);
                    const std::size_t end = q == text.npos ? n : q;
                    line += static_cast<std::size_t>(
                        std::count(text.begin() + static_cast<std::ptrdiff_t>(i),
                                   text.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
                    if (q != text.npos && q + 1 < n && text[q + 1] == '"') {
                        value.append(text.substr(from, q + 1 - from));
                        copied = true;
                        i = from = q + 2;
                        continue;
                    }
                    if (copied) {
                        value.append(text.substr(from, end - from));
                        unquoted.push_back(std::move(value));
                        fields.emplace_back(unquoted.back());
                    } else {
                        fields.push_back(text.substr(from, end - from));
                    }
                    i = q == text.npos ? n : q + 1;
                    break;
                }
                // Anything between the closing quote and the separator is dropped.
                while (i < n && text[i] != ',' && text[i] != '\n' && text[i] != '\r') {
                    ++i;
                }
            } else {
                while (i < n && text[i] != ',' && text[i] != '\n' && text[i] != '\r') {
                    ++i;
                }
                fields.push_back(text.substr(start, i - start));
            }
            if (i < n && text[i] == ',') {
                ++i;
                continue;
            }
            break; // the end of the record
        }
        if (i < n && text[i] == '\r') {
            ++i;
        }
        if (i < n && text[i] == '\n') {
            ++i;
        }
        ++line;
        if (fields.size() > 1 || !trim(fields[0]).empty()) {
            take(first, fields);
        }
    }
}

// Text converted with iconv; nothing when it does not convert whole.
// iconv_open's "no conversion" is (iconv_t)-1; compared as a number.
bool opened(iconv_t cd) {
    return reinterpret_cast<std::intptr_t>(cd) != -1;
}

std::optional<std::string> convert(iconv_t cd, std::string_view text) {
    if (!opened(cd)) {
        return std::nullopt;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr); // a fresh start
    std::string out(text.size() * 2 + 8, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* o = out.data();
    std::size_t outLeft = out.size();
    const std::size_t rc = iconv(cd, &in, &inLeft, &o, &outLeft);
    if (rc == static_cast<std::size_t>(-1) || inLeft != 0) {
        return std::nullopt;
    }
    out.resize(out.size() - outLeft);
    return out;
}

bool isSjisLead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Appends `text` cut to at most `width` bytes without splitting a character, padded with
// blanks.
void appendFitted(std::string& out, std::string_view text, std::size_t width, bool utf8) {
    std::size_t end = 0;
    while (end < text.size()) {
        const auto c = static_cast<unsigned char>(text[end]);
        std::size_t n = 1;
        if (utf8) {
            n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        } else if (isSjisLead(c)) {
            n = 2;
        }
        if (end + n > width) {
            break;
        }
        end = std::min(end + n, text.size()); // a lead byte at the very end stands alone
    }
    out.append(text.substr(0, end));
    out.append(width - end, ' ');
}

// The columns a list is read by, found in its header row.
struct Columns {
    static constexpr std::size_t kMissing = static_cast<std::size_t>(-1);
    std::size_t name = kMissing, mode = kMissing, frequency = kMissing, offset = kMissing;
    std::size_t repeater = kMissing, gateway = kMissing, dup = kMissing, group = kMissing,
                subName = kMissing; // Icom
    std::size_t urcall = kMissing, rpt1call = kMissing, rpt2call = kMissing, duplex = kMissing,
                comment = kMissing; // CHIRP
};

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view rawField(const std::vector<std::string_view>& r, std::size_t column) {
    return column < r.size() ? r[column] : std::string_view();
}

std::string_view field(const std::vector<std::string_view>& r, std::size_t column) {
    return trim(rawField(r, column));
}

bool isAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

bool layOutCallsign(std::string_view written, std::string& out) {
    // Leading blanks are part of a field ("       E", the echo server); trailing ones not.
    while (!written.empty() && (written.back() == ' ' || written.back() == '\t')) {
        written.remove_suffix(1);
    }
    // "JR1YB B": one space before the module letter; the letter goes to the 8th place.
    const auto space = written.find(' ');
    const bool module = space != std::string_view::npos && space + 2 == written.size() &&
                        space > 0 && written[space - 1] != ' ' && space < kCallWidth - 1;
    if (written.size() > kCallWidth) {
        return false;
    }
    out.assign(kCallWidth, ' ');
    std::transform(written.begin(), written.end() - (module ? 2 : 0), out.begin(), asciiUpper);
    if (module) {
        out[kCallWidth - 1] = asciiUpper(written.back());
    }
    return true;
}

std::string_view RepeaterImport::line(std::size_t i) const {
    const std::size_t end = i + 1 < starts.size() ? starts[i + 1] : bytes.size();
    return {bytes.data() + starts[i], end - starts[i]};
}

RepeaterImport importRepeaterList(std::string_view file) {
    RepeaterImport result;
    if (file.substr(0, 3) == "\xEF\xBB\xBF") {
        file.remove_prefix(3);
    }
    const bool utf8 = isAscii(file) || isUtf8Text(file);
    Columns c;
    bool header = true, icom = false;
    std::string name, text, your, rpt1, rpt2, out;
    std::optional<iconv_t> toSjis; // opened at the first row that needs it
    forEachRecord(file, [&](std::size_t line, const std::vector<std::string_view>& r) {
        if (header) {
            header = false;
            const std::pair<std::size_t*, const char*> names[] = {
                {&c.name, "Name"},
                {&c.mode, "Mode"},
                {&c.frequency, "Frequency"},
                {&c.offset, "Offset"},
                {&c.repeater, "Repeater Call Sign"},
                {&c.gateway, "Gateway Call Sign"},
                {&c.dup, "Dup"},
                {&c.group, "Group Name"},
                {&c.subName, "Sub Name"},
                {&c.urcall, "URCALL"},
                {&c.rpt1call, "RPT1CALL"},
                {&c.rpt2call, "RPT2CALL"},
                {&c.duplex, "Duplex"},
                {&c.comment, "Comment"}};
            for (std::size_t i = 0; i < r.size(); ++i) {
                for (const auto& [column, title] : names) {
                    if (*column == Columns::kMissing && sameName(trim(r[i]), title)) {
                        *column = i;
                    }
                }
            }
            const auto has = [](std::initializer_list<std::size_t> columns) {
                return std::none_of(columns.begin(), columns.end(),
                                    [](std::size_t x) { return x == Columns::kMissing; });
            };
            if (has({c.name, c.repeater, c.gateway, c.frequency, c.dup, c.offset, c.mode})) {
                result.format = RepeaterListFormat::Icom;
            } else if (has({c.name, c.frequency, c.mode, c.urcall, c.rpt1call, c.rpt2call})) {
                result.format = RepeaterListFormat::Chirp;
            }
            icom = result.format == RepeaterListFormat::Icom;
            return;
        }
        if (result.format == RepeaterListFormat::None || !sameName(field(r, c.mode), "DV")) {
            return; // analogue channels have no D-STAR route
        }
        bool fits = true;
        text.clear();
        const auto add = [&](std::string_view part) {
            if (!part.empty()) {
                text += text.empty() ? "" : " ";
                text += part;
            }
        };
        if (icom) {
            if (field(r, c.repeater).empty()) {
                return;
            }
            fits = layOutCallsign("CQCQCQ", your) &&
                   layOutCallsign(rawField(r, c.repeater), rpt1) &&
                   layOutCallsign(rawField(r, c.gateway), rpt2);
            const std::string_view group = field(r, c.group);
            if (!field(r, c.frequency).empty()) {
                add(field(r, c.frequency));
                text += " MHz";
            }
            add(field(r, c.dup));
            add(field(r, c.offset));
            add(group.empty() ? field(r, c.subName) : group);
        } else {
            fits = layOutCallsign(rawField(r, c.urcall), your) &&
                   layOutCallsign(rawField(r, c.rpt1call), rpt1) &&
                   layOutCallsign(rawField(r, c.rpt2call), rpt2);
            if (!field(r, c.frequency).empty()) {
                add(field(r, c.frequency));
                text += " MHz";
            }
            add(field(r, c.duplex));
            add(field(r, c.offset));
            add(field(r, c.comment));
        }
        if (!fits) {
            result.skipped.push_back(line);
            return;
        }
        name.assign(field(r, c.name));
        bool utf8Line = utf8;
        if (utf8 && !(isAscii(name) && isAscii(text))) {
            // Shift_JIS bytes are as wide as their characters, so the columns line up.
            if (!toSjis) {
                toSjis = iconv_open("CP932", "UTF-8");
            }
            const auto sjisName = convert(*toSjis, name);
            const auto sjisText = convert(*toSjis, text);
            if (sjisName && sjisText) {
                name = *sjisName;
                text = *sjisText;
                utf8Line = false;
            }
        }
        out.clear();
        // A blank always parts the name from the destination.
        appendFitted(out, name, kNameWidth - 1, utf8Line);
        out += ' ';
        out += your;
        out += ' ';
        out += rpt1;
        out += ' ';
        out += rpt2;
        if (!text.empty()) {
            out += ' ';
            out += text;
        }
        for (char& ch : out) {
            ch = static_cast<unsigned char>(ch) < 0x20 ? ' ' : ch; // a memory line is one line
        }
        result.starts.push_back(result.bytes.size());
        result.bytes.insert(result.bytes.end(), out.begin(), out.end());
    });
    if (toSjis && opened(*toSjis)) {
        iconv_close(*toSjis);
    }
    return result;
}

} // namespace tamsel
