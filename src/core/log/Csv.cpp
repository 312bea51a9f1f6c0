// SPDX-License-Identifier: GPL-3.0-or-later
// Csv: the one writer of CSV cells (quoting, and text a spreadsheet must never run) and its reader.
#include "log/Csv.h"

#include "base/CsvReader.h"

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
    CsvReader reader(text, ',', startsRecord);
    while (reader.next()) {
        CsvRecord& record = records.emplace_back();
        record.complete = reader.complete();
        for (const std::string_view field : reader.fields()) {
            record.fields.push_back(csvFieldText(field));
        }
    }
    return records;
}

} // namespace tamsel
