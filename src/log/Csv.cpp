// SPDX-License-Identifier: GPL-3.0-or-later
// Csv: the one writer of CSV cells (quoting, and text a spreadsheet must never run) and its reader.
#include "log/Csv.h"

#include <cctype>

namespace tamsel {

namespace {

bool plainNumber(std::string_view s) {
    std::size_t i = !s.empty() && (s[0] == '-' || s[0] == '+') ? 1 : 0;
    const std::size_t digitsFrom = i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])) != 0) {
        ++i;
    }
    if (i == digitsFrom) {
        return false;
    }
    if (i < s.size() && s[i] == '.') {
        const std::size_t fractionFrom = ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])) != 0) {
            ++i;
        }
        if (i == fractionFrom) {
            return false;
        }
    }
    return i == s.size();
}

} // namespace

bool csvGuardNeeded(std::string_view utf8) {
    const std::size_t from = utf8.find_first_not_of('\'');
    if (from == std::string_view::npos) {
        return false;
    }
    const std::string_view rest = utf8.substr(from);
    return std::string_view("=+-@\t\r").find(rest.front()) != std::string_view::npos &&
           !plainNumber(rest);
}

std::string csvField(std::string_view utf8) {
    std::string cell = csvGuardNeeded(utf8) ? "'" + std::string(utf8) : std::string(utf8);
    if (cell.find_first_of(",\"\r\n") == std::string::npos) {
        return cell;
    }
    std::string out = "\"";
    for (const char c : cell) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + '"';
}

std::string csvFieldText(std::string_view cell) {
    if (!cell.empty() && cell.front() == '\'' && csvGuardNeeded(cell.substr(1))) {
        cell.remove_prefix(1);
    }
    return std::string(cell);
}

std::vector<CsvRecord> splitCsv(std::string_view text, RecordStart startsRecord) {
    std::vector<CsvRecord> records;
    CsvRecord record;
    std::string field;
    bool quoted = false;
    bool any = false;
    const auto endField = [&] {
        record.fields.push_back(csvFieldText(field));
        field.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        any = true;
        const bool lineBreak = c == '\n' || c == '\r';
        std::size_t next = i + 1;
        if (lineBreak && c == '\r' && next < text.size() && text[next] == '\n') {
            ++next;
        }
        if (quoted && lineBreak && startsRecord != nullptr && startsRecord(text.substr(next))) {
            // A quoted field left open by a crash: the record is torn, the next one starts here.
            records.push_back({});
            record = {};
            field.clear();
            quoted = false;
            any = false;
            i = next - 1;
        } else if (quoted) {
            if (c != '"') {
                field += c;
            } else if (next < text.size() && text[next] == '"') {
                field += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            endField();
        } else if (lineBreak) {
            i = next - 1;
            endField();
            record.complete = true;
            records.push_back(std::move(record));
            record = {};
            any = false;
        } else {
            field += c;
        }
    }
    if (any) {
        endField();
        records.push_back(std::move(record));
    }
    return records;
}

} // namespace tamsel
