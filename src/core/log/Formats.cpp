// SPDX-License-Identifier: GPL-3.0-or-later
// Formats: the small text conversions the logs share (Latin-1 to UTF-8, UTC dates, trimming).
#include "log/Formats.h"

#include "base/Folders.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace tamsel {

std::string latin1ToUtf8(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size());
    for (const char c : latin1) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (b >> 6));
            out += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return out;
}

std::string utf8ToLatin1(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        std::size_t length = b < 0x80         ? 1
                             : (b >> 5) == 6  ? 2
                             : (b >> 4) == 14 ? 3
                             : (b >> 3) == 30 ? 4
                                              : 0;
        bool valid = length > 0 && i + length <= utf8.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            valid = (static_cast<unsigned char>(utf8[i + k]) & 0xC0) == 0x80;
        }
        if (!valid) {
            out += utf8[i++];
            continue;
        }
        if (length == 1) {
            out += utf8[i];
        } else if (length == 2 && b <= 0xC3) {
            out += static_cast<char>(((b & 0x1F) << 6) | (utf8[i + 1] & 0x3F));
        } else {
            out += '?';
        }
        i += length;
    }
    return out;
}

bool isAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string utcText(UtcTime t, UtcForm form) {
    const std::time_t seconds =
        std::chrono::system_clock::to_time_t(std::chrono::floor<std::chrono::seconds>(t));
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[64];
    std::size_t n = 0;
    switch (form) {
    case UtcForm::Iso:
        n = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
        break;
    case UtcForm::Day:
        n = std::strftime(text, sizeof text, "%Y-%m-%d", &utc);
        break;
    case UtcForm::AdifDate:
        n = std::strftime(text, sizeof text, "%Y%m%d", &utc);
        break;
    case UtcForm::AdifTime:
        n = std::strftime(text, sizeof text, "%H%M%S", &utc);
        break;
    case UtcForm::AdifStamp:
        n = std::strftime(text, sizeof text, "%Y%m%d %H%M%S", &utc);
        break;
    }
    return std::string(text, n);
}

std::string localText(UtcTime t) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(t);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    return std::string(text, std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local));
}

std::optional<UtcTime> parseLocalText(std::string_view text) {
    std::tm local{};
    const std::string s(text);
    int used = 0;
    if (s.size() != 19 ||
        std::sscanf(s.c_str(), "%4d/%2d/%2d %2d:%2d:%2d%n", &local.tm_year, &local.tm_mon,
                    &local.tm_mday, &local.tm_hour, &local.tm_min, &local.tm_sec, &used) != 6 ||
        used != 19) {
        return std::nullopt;
    }
    const std::tm asked = local;
    local.tm_year -= 1900;
    local.tm_mon -= 1;
    local.tm_isdst = -1; // whatever daylight saving time the zone had then
    const std::time_t seconds = std::mktime(&local);
    // mktime moves a day or an hour that does not exist (2026/02/30, 25:00) somewhere else.
    if (seconds == -1 || local.tm_mday != asked.tm_mday || local.tm_mon != asked.tm_mon - 1 ||
        local.tm_hour != asked.tm_hour) {
        return std::nullopt;
    }
    return std::chrono::system_clock::from_time_t(seconds);
}

std::optional<UtcTime> parseUtcIso(std::string_view text) {
    std::tm utc{};
    char z = 0;
    const std::string s(text);
    if (s.size() != 20 ||
        std::sscanf(s.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &utc.tm_year, &utc.tm_mon, &utc.tm_mday,
                    &utc.tm_hour, &utc.tm_min, &utc.tm_sec, &z) != 7 ||
        z != 'Z') {
        return std::nullopt;
    }
    // A year no clock of this program writes; outside 1970 to 2200 the instant would not
    // even fit the system clock's nanoseconds.
    if (utc.tm_year < 1970 || utc.tm_year > 2200) {
        return std::nullopt;
    }
    utc.tm_year -= 1900;
    utc.tm_mon -= 1;
    const std::tm asWritten = utc;
    const std::time_t t = timegm(&utc);
    // timegm() carries month 13 or hour 99 over into the next year or day: such a time is
    // not one that was written by a clock, and is refused.
    if (utc.tm_year != asWritten.tm_year || utc.tm_mon != asWritten.tm_mon ||
        utc.tm_mday != asWritten.tm_mday || utc.tm_hour != asWritten.tm_hour ||
        utc.tm_min != asWritten.tm_min || utc.tm_sec != asWritten.tm_sec) {
        return std::nullopt;
    }
    return std::chrono::system_clock::from_time_t(t);
}

std::filesystem::path dataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        return std::filesystem::path(xdg) / folderName();
    }
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : "") / ".local/share" / folderName();
}

} // namespace tamsel
