// SPDX-License-Identifier: GPL-3.0-or-later
// RepeaterList: repeater lists (Icom CSV, CHIRP CSV) turned into memory-file lines.
#include "memory/RepeaterList.h"

#include "base/CsvReader.h"
#include "memory/MemoryFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <limits>
#include <memory>
#include <optional>
#include <unicode/translit.h>
#include <unicode/unistr.h>

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

// Calls `take(line, fields)` for each record of a CSV file that is not blank, with the line
// number it starts on, until it returns false.
template <typename Take> void forEachRecord(std::string_view text, char separator, Take take) {
    CsvReader reader(text, separator);
    while (reader.next()) {
        const std::vector<std::string_view>& fields = reader.fields();
        if ((fields.size() > 1 || !trim(fields[0]).empty()) && !take(reader.line(), fields)) {
            return;
        }
    }
}

// iconv_open's "no conversion" is (iconv_t)-1; compared as a number.
bool opened(iconv_t cd) {
    return reinterpret_cast<std::intptr_t>(cd) != -1;
}

// Text converted with iconv; nothing when it does not convert whole.
std::optional<std::string> convert(iconv_t cd, std::string_view text) {
    if (!opened(cd)) {
        return std::nullopt;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr); // a fresh start
    std::string out(text.size() * 3 + 8, '\0');    // a one-byte katakana is three in UTF-8
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

// Whether the whole text converts, without keeping what it converts to.
bool convertsWhole(iconv_t cd, std::string_view text) {
    if (!opened(cd)) {
        return false;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr); // a fresh start
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    std::array<char, 1 << 14> out;
    while (inLeft > 0) {
        char* o = out.data();
        std::size_t outLeft = out.size();
        if (iconv(cd, &in, &inLeft, &o, &outLeft) == static_cast<std::size_t>(-1) &&
            errno != E2BIG) {
            return false;
        }
    }
    return true;
}

bool isSjisLead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

std::size_t utf8Length(unsigned char c) {
    return c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
}

// `text` cut to at most `width` bytes without splitting a character.
std::string_view fitted(std::string_view text, std::size_t width, bool utf8) {
    std::size_t end = 0;
    while (end < text.size()) {
        const auto c = static_cast<unsigned char>(text[end]);
        const std::size_t n = utf8 ? utf8Length(c) : isSjisLead(c) ? 2 : 1;
        if (end + n > width) {
            break;
        }
        end = std::min(end + n, text.size()); // a lead byte at the very end stands alone
    }
    return text.substr(0, end);
}

// Eight bytes at a time: a whole list is looked at.
bool isAscii(std::string_view s) {
    std::uint64_t any = 0;
    std::size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + i, 8);
        any |= word;
    }
    for (; i < s.size(); ++i) {
        any |= static_cast<unsigned char>(s[i]);
    }
    return (any & 0x8080808080808080U) == 0;
}

// Text between UTF-8 and Shift_JIS (CP932), and in Latin letters where Shift_JIS has no
// form for it. Each converter is opened when first needed: most lists need none.
class Recoder {
public:
    Recoder() = default;
    Recoder(const Recoder&) = delete;
    Recoder& operator=(const Recoder&) = delete;
    ~Recoder() {
        for (const auto& cd : {toSjis_, fromSjis_}) {
            if (cd && opened(*cd)) {
                iconv_close(*cd);
            }
        }
    }

    // Nothing when the other encoding cannot hold all of the text.
    std::optional<std::string> toSjis(std::string_view utf8) {
        return convert(open(toSjis_, "CP932", "UTF-8"), utf8);
    }
    std::optional<std::string> fromSjis(std::string_view sjis) {
        return convert(open(fromSjis_, "UTF-8", "CP932"), sjis);
    }
    bool isSjis(std::string_view text) {
        return convertsWhole(open(fromSjis_, "UTF-8", "CP932"), text);
    }

    // Shift_JIS, with Latin letters for each run of characters it has no form for.
    std::string toSjisOrLatin(std::string_view utf8) {
        std::string out;
        std::size_t run = 0; // where the characters with no Shift_JIS form began
        const auto latin = [&](std::size_t end) {
            if (run < end) {
                out += toAscii(utf8.substr(run, end - run));
            }
        };
        std::size_t i = 0;
        while (i < utf8.size()) {
            const std::size_t n =
                std::min(utf8Length(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
            if (const auto sjis = toSjis(utf8.substr(i, n))) {
                latin(i);
                out += *sjis;
                run = i + n;
            }
            i += n;
        }
        latin(i);
        return out;
    }

    // In ASCII: "Chenôves" is "Chenoves", "ﾋｶﾞｼ" is "higashi", "Москва" "Moskva"; a
    // character with no Latin form is a '?'.
    std::string toAscii(std::string_view utf8) {
        if (!latinOpened_) {
            latinOpened_ = true;
            UErrorCode status = U_ZERO_ERROR;
            latin_.reset(icu::Transliterator::createInstance("NFKC; Any-Latin; Latin-ASCII",
                                                             UTRANS_FORWARD, status));
            if (U_FAILURE(status)) {
                latin_.reset();
            }
        }
        utf8 = fitted(utf8, std::numeric_limits<std::int32_t>::max(), true); // ICU's lengths
        icu::UnicodeString text = icu::UnicodeString::fromUTF8(
            icu::StringPiece(utf8.data(), static_cast<std::int32_t>(utf8.size())));
        if (latin_) {
            latin_->transliterate(text);
        }
        std::string latin;
        text.toUTF8String(latin);
        std::string out;
        for (const char ch : latin) {
            const auto c = static_cast<unsigned char>(ch);
            if (c < 0x80 || c >= 0xC0) {
                out += c < 0x80 ? ch : '?'; // one '?' for each character left over
            }
        }
        return out;
    }

private:
    static iconv_t open(std::optional<iconv_t>& cd, const char* to, const char* from) {
        if (!cd) {
            cd = iconv_open(to, from);
        }
        return *cd;
    }
    std::optional<iconv_t> toSjis_, fromSjis_;
    std::unique_ptr<icu::Transliterator> latin_;
    bool latinOpened_ = false;
};

// A UTF-8 row's name and free text laid out so that the name columns' bytes are as wide
// as their characters. A line is shown as UTF-8 when it is valid UTF-8 holding non-ASCII
// characters, otherwise as Shift_JIS; so the name columns of a UTF-8 line are ASCII, and
// a Shift_JIS line must not read as UTF-8. Returns whether the line is UTF-8.
bool recode(Recoder& recoder, std::string& name, std::string& text) {
    if (isAscii(name)) {
        auto sjis = recoder.toSjis(text);
        if (sjis && !isUtf8Text(*sjis)) {
            text = std::move(*sjis);
            return false;
        }
        return true; // the free text stays UTF-8
    }
    auto sjisName = recoder.toSjis(name);
    if (sjisName && !isUtf8Text(fitted(*sjisName, kNameWidth - 1, false))) {
        auto sjisText = recoder.toSjis(text);
        text = sjisText ? std::move(*sjisText) : recoder.toSjisOrLatin(text);
        name = std::move(*sjisName);
        return false;
    }
    // Shift_JIS cannot hold the name, or its bytes would read as UTF-8 ("ﾋｶﾞｼ"): the name
    // columns hold it in Latin letters, and the free text ends with it as written.
    text += text.empty() ? "" : " ";
    text += name;
    name = recoder.toAscii(fitted(name, 4 * kNameWidth, true));
    return true;
}

std::string latin1ToUtf8(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size() * 2);
    for (const char ch : latin1) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// A number written under a locale whose decimal mark is the comma ("439,900000").
bool hasDecimalComma(std::string_view s) {
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        s.remove_prefix(1);
    }
    const std::size_t comma = s.find(',');
    const auto digits = [](std::string_view d) {
        return !d.empty() &&
               std::all_of(d.begin(), d.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    return comma != s.npos && digits(s.substr(0, comma)) && digits(s.substr(comma + 1));
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

// Finds the columns by their names in the header row; the list's format, or None.
RepeaterListFormat readHeader(const std::vector<std::string_view>& r, Columns& c) {
    c = Columns{};
    const std::pair<std::size_t*, const char*> names[] = {{&c.name, "Name"},
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
        return RepeaterListFormat::Icom;
    }
    if (has({c.name, c.frequency, c.mode, c.urcall, c.rpt1call, c.rpt2call})) {
        return RepeaterListFormat::Chirp;
    }
    return RepeaterListFormat::None;
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

namespace {
// The header row decides the separator: the comma, the semicolon that software writes
// where the comma is the decimal mark, or the tab of tab-separated text.
RepeaterListFormat findFormat(std::string_view file, Columns& c, char& separator) {
    RepeaterListFormat format = RepeaterListFormat::None;
    for (const char s : {',', ';', '\t'}) {
        forEachRecord(file, s, [&](std::size_t, const std::vector<std::string_view>& r) {
            format = readHeader(r, c);
            return false;
        });
        if (format != RepeaterListFormat::None) {
            separator = s;
            break;
        }
    }
    return format;
}

// The one pass over a list: its memory lines when `lines`, and `row` for every record.
RepeaterImport readList(std::string_view file, bool lines,
                        const std::vector<std::string_view>& titles, const ListRow& row) {
    RepeaterImport result;
    if (file.substr(0, 3) == "\xEF\xBB\xBF") {
        file.remove_prefix(3);
    }
    Columns c;
    char separator = ',';
    result.format = findFormat(file, c, separator);
    if (result.format == RepeaterListFormat::None) {
        return result;
    }
    const bool icom = result.format == RepeaterListFormat::Icom;
    const bool utf8 = isAscii(file) || isUtf8Text(file);
    bool header = true;
    std::string name, text, your, rpt1, rpt2, out;
    Recoder recoder;
    const auto layOut = [&](bool utf8Line) {
        out.clear();
        // A blank always parts the name from the destination.
        out.append(fitted(name, kNameWidth - 1, utf8Line));
        out.append(kNameWidth - out.size(), ' ');
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
    };
    // The fields handed to `row`, in UTF-8: a Shift_JIS list's converted, any other one's
    // bytes taken as Latin-1. Which one the list is, is decided once for the whole file.
    enum class Encoding { Utf8, ShiftJis, Latin1 };
    const Encoding encoding = !row || utf8           ? Encoding::Utf8
                              : recoder.isSjis(file) ? Encoding::ShiftJis
                                                     : Encoding::Latin1;
    std::vector<std::size_t> at(titles.size(), Columns::kMissing);
    std::vector<std::string_view> fields(titles.size());
    std::vector<std::string> converted(titles.size());
    const auto inUtf8 = [&](std::string_view f, std::string& into) -> std::string_view {
        if (encoding == Encoding::Utf8 || isAscii(f)) {
            return f;
        }
        auto sjis = encoding == Encoding::ShiftJis ? recoder.fromSjis(f) : std::nullopt;
        into = sjis ? std::move(*sjis) : latin1ToUtf8(f);
        return into;
    };
    forEachRecord(file, separator, [&](std::size_t line, const std::vector<std::string_view>& r) {
        if (header) {
            header = false;
            for (std::size_t i = 0; i < r.size(); ++i) {
                for (std::size_t t = 0; t < titles.size(); ++t) {
                    if (at[t] == Columns::kMissing && sameName(trim(r[i]), titles[t])) {
                        at[t] = i;
                    }
                }
            }
            return true;
        }
        if (row) {
            for (std::size_t t = 0; t < titles.size(); ++t) {
                fields[t] = inUtf8(field(r, at[t]), converted[t]);
            }
            row(result.format, line, fields);
        }
        if (!lines || !sameName(field(r, c.mode), "DV")) {
            return true; // analogue channels have no D-STAR route
        }
        bool fits = true;
        text.clear();
        const auto add = [&](std::string_view part) {
            if (!part.empty()) {
                text += text.empty() ? "" : " ";
                text += part;
            }
        };
        const auto addNumber = [&](std::string_view part) {
            add(part);
            if (hasDecimalComma(part)) {
                text[text.size() - part.size() + part.find(',')] = '.';
            }
        };
        if (icom) {
            fits = !field(r, c.repeater).empty() && layOutCallsign("CQCQCQ", your) &&
                   layOutCallsign(rawField(r, c.repeater), rpt1) &&
                   layOutCallsign(rawField(r, c.gateway), rpt2);
            const std::string_view group = field(r, c.group);
            if (!field(r, c.frequency).empty()) {
                addNumber(field(r, c.frequency));
                text += " MHz";
            }
            add(field(r, c.dup));
            addNumber(field(r, c.offset));
            add(group.empty() ? field(r, c.subName) : group);
        } else {
            fits = layOutCallsign(rawField(r, c.urcall), your) &&
                   layOutCallsign(rawField(r, c.rpt1call), rpt1) &&
                   layOutCallsign(rawField(r, c.rpt2call), rpt2);
            if (!field(r, c.frequency).empty()) {
                addNumber(field(r, c.frequency));
                text += " MHz";
            }
            add(field(r, c.duplex));
            addNumber(field(r, c.offset));
            add(field(r, c.comment));
        }
        if (!fits) {
            result.skipped.push_back(line);
            return true;
        }
        name.assign(field(r, c.name));
        bool utf8Line = utf8;
        if (utf8 && !(isAscii(name) && isAscii(text))) {
            utf8Line = recode(recoder, name, text);
        }
        layOut(utf8Line);
        if (!utf8 && isUtf8Text(out)) {
            // A Shift_JIS list's line whose bytes would read as UTF-8: as a UTF-8 list's.
            auto utf8Name = recoder.fromSjis(name);
            auto utf8Text = recoder.fromSjis(text);
            if (utf8Name && utf8Text) {
                name = std::move(*utf8Name);
                text = std::move(*utf8Text);
                utf8Line = recode(recoder, name, text);
            } else {
                std::replace_if(
                    name.begin(), name.end(),
                    [](char ch) { return static_cast<unsigned char>(ch) >= 0x80; }, '?');
            }
            layOut(utf8Line);
        }
        result.starts.push_back(result.bytes.size());
        result.bytes.insert(result.bytes.end(), out.begin(), out.end());
        return true;
    });
    return result;
}
} // namespace

RepeaterListFormat forEachListRow(std::string_view file,
                                  const std::vector<std::string_view>& titles, const ListRow& row) {
    return readList(file, false, titles, row).format;
}

std::optional<std::string> shiftJisToUtf8(std::string_view text) {
    Recoder recoder;
    return recoder.fromSjis(text);
}

std::string_view RepeaterImport::line(std::size_t i) const {
    const std::size_t end = i + 1 < starts.size() ? starts[i + 1] : bytes.size();
    return {bytes.data() + starts[i], end - starts[i]};
}

RepeaterImport importRepeaterList(std::string_view file) {
    return readList(file, true, {}, {});
}

RepeaterImport importRepeaterList(std::string_view file,
                                  const std::vector<std::string_view>& titles, const ListRow& row) {
    return readList(file, true, titles, row);
}

} // namespace tamsel
