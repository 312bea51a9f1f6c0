// SPDX-License-Identifier: GPL-3.0-or-later
// ReceptionLog: every reception as one CSV line in a file per UTC day, kept for a number of days.
#include "log/ReceptionLog.h"

#include "base/LatLon.h"
#include "base/Numbers.h"
#include "base/WholeFile.h"
#include "monitor/Position.h"
#include "monitor/RadioHeader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace tamsel {

const char* const kReceptionCsvHeader =
    "start_utc,duration_s,caller,suffix,called,rpt1,rpt2,flags,control,message,"
    "latitude,longitude,locator,course,speed_kn,altitude_ft,symbol,comment\r\n";

namespace {

constexpr std::size_t kColumns = 18;
constexpr std::string_view kPrefix = "receptions-";
constexpr std::string_view kSuffix = ".csv";

// `value` with `decimals` digits after the point (at most 5), under any locale.
std::string number(double value, int decimals) {
    return pointDecimal(value, decimals);
}

std::string flagsText(const std::array<std::uint8_t, 3>& flags) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X %02X %02X", flags[0], flags[1], flags[2]);
    return text;
}

std::vector<std::string> positionColumns(const StationReport& end) {
    if (end.positions.empty()) {
        return std::vector<std::string>(8);
    }
    const Position& p = end.positions.back(); // the latest the reception carried
    return {number(p.latitude, 5),
            number(p.longitude, 5),
            maidenhead(p.latitude, p.longitude),
            p.course ? std::to_string(*p.course) : std::string(),
            p.speedKnots ? number(*p.speedKnots, 1) : std::string(),
            p.altitudeFeet ? number(*p.altitudeFeet, 0) : std::string(),
            latin1ToUtf8(p.symbol),
            latin1ToUtf8(p.comment)};
}

// Whether `rest` opens with a reception's first cell ("2026-12-08T09:27:41Z,").
bool startsReception(std::string_view rest) {
    constexpr std::string_view kShape = "dddd-dd-ddTdd:dd:ddZ,";
    if (rest.size() < kShape.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(rest[i])) != 0;
        if (kShape[i] == 'd' ? !digit : rest[i] != kShape[i]) {
            return false;
        }
    }
    return true;
}

std::optional<double> toDouble(std::string s) {
    // Earlier versions wrote the decimal comma of a German or French locale ("34,70250"):
    // their days are read back too.
    if (const auto comma = s.find(','); comma != std::string::npos &&
                                        s.find_first_of(",.", comma + 1) == std::string::npos &&
                                        s.find('.') == std::string::npos) {
        s[comma] = '.';
    }
    return parsePointDecimal(s);
}

// The longest a reception can have lasted: the adapter ends one long before.
constexpr double kLongestSeconds = 24 * 3600;

std::optional<std::array<std::uint8_t, 3>> parseFlags(const std::string& s) {
    unsigned a = 0, b = 0, c = 0;
    if (s.size() != 8 || std::sscanf(s.c_str(), "%2x %2x %2x", &a, &b, &c) != 3) {
        return std::nullopt;
    }
    return std::array<std::uint8_t, 3>{static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b),
                                       static_cast<std::uint8_t>(c)};
}

int controlCodeOf(const std::string& text) {
    for (int code = 0; code < 8; ++code) {
        if (controlCodeText(code) == text) {
            return code;
        }
    }
    return 0;
}

std::optional<StationReport> fromColumns(const std::vector<std::string>& c) {
    if (c.size() != kColumns) {
        return std::nullopt;
    }
    // The checks of the live decoder: a damaged line gives no impossible values. A line
    // without a real time or duration is dropped; a bad position field is left out.
    const auto start = parseUtcIso(c[0]);
    const auto seconds = within(toDouble(c[1]), 0, kLongestSeconds);
    const auto flags = parseFlags(c[7]);
    if (!start || !seconds || !flags) {
        return std::nullopt;
    }
    StationReport end;
    end.kind = StationReport::Kind::End;
    end.utcStart = *start;
    end.duration = std::chrono::milliseconds(std::llround(*seconds * 1000));
    end.caller = utf8ToLatin1(c[2]);
    end.suffix = utf8ToLatin1(c[3]);
    end.called = utf8ToLatin1(c[4]);
    end.rpt1 = utf8ToLatin1(c[5]);
    end.rpt2 = utf8ToLatin1(c[6]);
    end.flags = *flags;
    end.controlCode = controlCodeOf(c[8]);
    end.message = utf8ToLatin1(c[9]);
    const auto lat = toDouble(c[10]);
    const auto lon = toDouble(c[11]);
    if (lat && lon && isValidPosition({*lat, *lon})) {
        Position p;
        p.latitude = *lat;
        p.longitude = *lon;
        p.course = plausibleCourse(toDouble(c[13]));
        p.speedKnots = plausibleSpeed(toDouble(c[14]));
        p.altitudeFeet = plausibleAltitude(toDouble(c[15]));
        p.symbol = utf8ToLatin1(c[16]);
        p.comment = utf8ToLatin1(c[17]);
        end.positions.push_back(std::move(p));
    }
    return end;
}

// The UTC day of a file name, as the instant it starts; nothing for other names.
std::optional<UtcTime> dayOf(const std::string& name) {
    if (name.size() != kPrefix.size() + 10 + kSuffix.size() || !name.starts_with(kPrefix) ||
        !name.ends_with(kSuffix)) {
        return std::nullopt;
    }
    return parseUtcIso(name.substr(kPrefix.size(), 10) + "T00:00:00Z");
}

} // namespace

std::string receptionCsvLine(const StationReport& end) {
    std::vector<std::string> columns{
        utcText(end.utcStart, UtcForm::Iso),
        number(static_cast<double>(end.duration.count()) / 1000.0, 1),
        latin1ToUtf8(trimmed(end.caller)),
        latin1ToUtf8(trimmed(end.suffix)),
        latin1ToUtf8(trimmed(end.called)),
        latin1ToUtf8(trimmed(end.rpt1)),
        latin1ToUtf8(trimmed(end.rpt2)),
        flagsText(end.flags),
        std::string(controlCodeText(end.controlCode)),
        latin1ToUtf8(trimmed(end.message)),
    };
    for (std::string& p : positionColumns(end)) {
        columns.push_back(std::move(p));
    }
    std::string line;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        line += (i == 0 ? "" : ",") + csvField(columns[i]);
    }
    return line + "\r\n";
}

std::vector<StationReport> parseReceptionCsv(std::string_view text) {
    std::vector<StationReport> out;
    for (const CsvRecord& r : splitCsv(text, startsReception)) {
        if (r.complete) {
            if (auto end = fromColumns(r.fields)) {
                out.push_back(std::move(*end));
            }
        }
    }
    return out;
}

std::string receptionFileName(UtcTime t) {
    return std::string(kPrefix) + utcText(t, UtcForm::Day) + std::string(kSuffix);
}

bool isReceptionFile(const std::filesystem::path& path, const std::filesystem::path& folder) {
    std::error_code ec;
    const std::filesystem::path chosen = std::filesystem::absolute(path, ec);
    if (dayOf(chosen.filename().string()) && sameFile(chosen.parent_path(), folder)) {
        return true;
    }
    if (!std::filesystem::exists(chosen, ec)) {
        return false;
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (dayOf(entry.path().filename().string()) && sameFile(entry.path(), chosen)) {
            return true;
        }
    }
    return false;
}

std::vector<std::filesystem::path> removeExpiredReceptionFiles(const std::filesystem::path& folder,
                                                               UtcTime now, int days) {
    std::vector<std::filesystem::path> removed;
    std::error_code ec;
    const UtcTime oldest = now - std::chrono::hours(24) * days;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const auto day = dayOf(entry.path().filename().string());
        if (day && *day + std::chrono::hours(24) <= oldest && entry.is_regular_file(ec) &&
            std::filesystem::remove(entry.path(), ec)) {
            removed.push_back(entry.path());
        }
    }
    std::sort(removed.begin(), removed.end());
    return removed;
}

std::vector<StationReport> readRecentReceptions(const std::filesystem::path& folder, UtcTime now,
                                                std::chrono::hours hours) {
    const UtcTime from = now - hours;
    std::vector<std::string> names;
    for (UtcTime day = from; day < now + std::chrono::hours(24); day += std::chrono::hours(24)) {
        const std::string name = receptionFileName(day);
        if (names.empty() || names.back() != name) {
            names.push_back(name);
        }
    }
    std::vector<StationReport> out;
    for (const std::string& name : names) {
        std::string text;
        readWhole((folder / name).c_str(), text); // a day with no file holds nothing
        for (StationReport& end : parseReceptionCsv(text)) {
            if (end.utcStart >= from && end.utcStart <= now) {
                end.time = localText(end.utcStart);
                out.push_back(std::move(end));
            }
        }
    }
    return out;
}

std::vector<StationReport> liveReports(const StationReport& end) {
    std::vector<StationReport> out;
    StationReport heard = end;
    heard.kind = StationReport::Kind::Heard;
    heard.message.clear();
    heard.positions.clear();
    heard.duration = {};
    out.push_back(std::move(heard));
    if (!end.message.empty()) {
        StationReport message;
        message.kind = StationReport::Kind::Message;
        message.message = end.message;
        out.push_back(std::move(message));
    }
    for (const Position& p : end.positions) {
        StationReport position;
        position.kind = StationReport::Kind::Position;
        position.position = p;
        out.push_back(std::move(position));
    }
    out.push_back(end);
    return out;
}

std::optional<ReceptionLog::News> ReceptionLog::append(const StationReport& end) {
    if (!enabled_) {
        return std::nullopt;
    }
    std::string error = write(end);
    if (error.empty() == !failing_) {
        return std::nullopt; // as it was: working, or failing and already told
    }
    failing_ = !error.empty();
    return News{failing_, std::move(error)};
}

std::string ReceptionLog::write(const StationReport& end) {
    const std::string name = receptionFileName(end.utcStart);
    if (!file_.isCurrent() || name != day_) {
        if (std::string error = file_.open(folder_ / name); !error.empty()) {
            return error;
        }
        if (name != day_) {
            // A new day: the days past the retention go, also in a console that runs for weeks.
            removeExpiredReceptionFiles(folder_, end.utcStart, retentionDays_);
        }
        day_ = name;
    }
    std::string error = file_.append(receptionCsvLine(end), kReceptionCsvHeader);
    if (!error.empty()) {
        file_.close(); // opened again next time
    }
    return error;
}

} // namespace tamsel
