// SPDX-License-Identifier: GPL-3.0-or-later
// Position: D-PRS positions in the slow-data stream (GPS-A/APRS and NMEA), and the grid locator.
#include "monitor/Position.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tamsel {

namespace {

constexpr double kFeetPerMetre = 3.28084;

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// `digits` hex digits as a number, or nothing.
std::optional<unsigned> parseHex(std::string_view digits) {
    unsigned value = 0;
    for (char c : digits) {
        const int d = hexDigit(c);
        if (d < 0) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<unsigned>(d);
    }
    return value;
}

bool allDigits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<double> parseNumber(std::string_view s) {
    if (s.empty()) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// "ddmm.mm" (or "dddmm.mm") with its hemisphere letter as signed degrees. APRS allows
// blanks for position ambiguity; they count as zeros.
std::optional<double> parseAngle(std::string_view text, std::size_t degreeDigits, char hemisphere,
                                 char negative, char positive, double limit) {
    std::string t(text);
    std::replace(t.begin(), t.end(), ' ', '0');
    if (t.size() < degreeDigits + 2 || !allDigits(t.substr(0, degreeDigits + 2))) {
        return std::nullopt;
    }
    const auto degrees = parseNumber(std::string_view(t).substr(0, degreeDigits));
    const auto minutes = parseNumber(std::string_view(t).substr(degreeDigits));
    if (!degrees || !minutes || *minutes >= 60 ||
        (hemisphere != negative && hemisphere != positive)) {
        return std::nullopt;
    }
    const double value = *degrees + *minutes / 60.0;
    if (value > limit) {
        return std::nullopt;
    }
    return hemisphere == negative ? -value : value;
}

// "/A=nnnnnn" in a comment: the altitude in feet, taken out of the comment.
void takeAltitude(Position& p) {
    const auto at = p.comment.find("/A=");
    if (at == std::string::npos || at + 9 > p.comment.size()) {
        return;
    }
    const std::string_view digits = std::string_view(p.comment).substr(at + 3, 6);
    const bool negative = digits[0] == '-';
    if (!allDigits(digits.substr(negative ? 1 : 0))) {
        return;
    }
    const double feet = *parseNumber(digits.substr(negative ? 1 : 0));
    p.altitudeFeet = negative ? -feet : feet;
    p.comment.erase(at, 9);
}

std::optional<Position> uncompressed(std::string_view s) {
    // ddmm.mmN T dddmm.mmW C [ccc/sss] comment
    if (s.size() < 19) {
        return std::nullopt;
    }
    Position p;
    const auto lat = parseAngle(s.substr(0, 7), 2, s[7], 'S', 'N', 90);
    const auto lon = parseAngle(s.substr(9, 8), 3, s[17], 'W', 'E', 180);
    if (!lat || !lon || s[4] != '.' || s[14] != '.') {
        return std::nullopt;
    }
    p.latitude = *lat;
    p.longitude = *lon;
    p.symbol = {s[8], s[18]};
    std::string_view rest = s.substr(19);
    if (rest.size() >= 7 && rest[3] == '/' && allDigits(rest.substr(0, 3)) &&
        allDigits(rest.substr(4, 3))) {
        const int course = (rest[0] - '0') * 100 + (rest[1] - '0') * 10 + (rest[2] - '0');
        if (course <= 360) {
            p.course = course % 360;
            p.speedKnots = *parseNumber(rest.substr(4, 3));
        }
        rest.remove_prefix(7);
        if (!rest.empty() && rest[0] == '/') {
            rest.remove_prefix(1); // the separator some radios put before the comment
        }
    }
    p.comment = std::string(rest);
    takeAltitude(p);
    return p;
}

std::optional<std::uint32_t> base91(std::string_view four) {
    std::uint32_t value = 0;
    for (char c : four) {
        if (c < 33 || c > 123) {
            return std::nullopt;
        }
        value = value * 91 + static_cast<std::uint32_t>(c - 33);
    }
    return value;
}

std::optional<Position> compressed(std::string_view s) {
    // T YYYY XXXX C cs t comment
    if (s.size() < 13) {
        return std::nullopt;
    }
    const auto y = base91(s.substr(1, 4));
    const auto x = base91(s.substr(5, 4));
    if (!y || !x) {
        return std::nullopt;
    }
    Position p;
    p.latitude = 90.0 - *y / 380926.0;
    p.longitude = -180.0 + *x / 190463.0;
    if (std::abs(p.latitude) > 90 || std::abs(p.longitude) > 180) {
        return std::nullopt;
    }
    p.symbol = {s[0], s[9]};
    const char c = s[10], spd = s[11], type = s[12];
    if (c != ' ' && c >= '!' && c <= 'z' && spd >= '!' && spd <= 'z') {
        const int cv = c - 33, sv = spd - 33;
        if (((type - 33) >> 3 & 3) == 2) {
            p.altitudeFeet = std::pow(1.002, cv * 91 + sv);
        } else if (cv <= 89) {
            p.course = cv * 4 % 360;
            p.speedKnots = std::pow(1.08, sv) - 1;
        }
    }
    p.comment = std::string(s.substr(13));
    takeAltitude(p);
    return p;
}

bool symbolTable(char c) {
    return c == '/' || c == '\\' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'j');
}

// The NMEA sentence's fields between '$' and '*', or nothing when the checksum is wrong.
std::optional<std::vector<std::string_view>> nmeaFields(std::string_view s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n')) {
        s.remove_suffix(1);
    }
    const auto star = s.rfind('*');
    if (s.empty() || s[0] != '$' || star == std::string_view::npos || star + 3 != s.size()) {
        return std::nullopt;
    }
    const auto sum = parseHex(s.substr(star + 1, 2));
    std::uint8_t x = 0;
    for (char c : s.substr(1, star - 1)) {
        x ^= static_cast<std::uint8_t>(c);
    }
    if (!sum || *sum != x) {
        return std::nullopt;
    }
    std::vector<std::string_view> fields;
    std::string_view body = s.substr(1, star - 1);
    for (std::size_t start = 0;;) {
        const auto comma = body.find(',', start);
        fields.push_back(
            body.substr(start, comma == std::string_view::npos ? body.npos : comma - start));
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    return fields;
}

std::optional<Position> nmeaPosition(std::string_view lat, std::string_view ns,
                                     std::string_view lon, std::string_view ew) {
    if (ns.size() != 1 || ew.size() != 1 || lat.size() < 4 || lon.size() < 5) {
        return std::nullopt;
    }
    const auto la = parseAngle(lat, 2, ns[0], 'S', 'N', 90);
    const auto lo = parseAngle(lon, 3, ew[0], 'W', 'E', 180);
    if (!la || !lo) {
        return std::nullopt;
    }
    Position p;
    p.latitude = *la;
    p.longitude = *lo;
    return p;
}

} // namespace

std::uint16_t crcX25(std::string_view bytes) {
    std::uint16_t crc = 0xFFFF;
    for (char ch : bytes) {
        crc ^= static_cast<std::uint8_t>(ch);
        for (int i = 0; i < 8; ++i) {
            crc = (crc & 1) != 0 ? static_cast<std::uint16_t>((crc >> 1) ^ 0x8408)
                                 : static_cast<std::uint16_t>(crc >> 1);
        }
    }
    return static_cast<std::uint16_t>(~crc);
}

std::optional<Position> decodeGpsA(std::string_view s) {
    if (s.size() < 11 || s.substr(0, 5) != "$$CRC" || s[9] != ',' || s.back() != '\r') {
        return std::nullopt;
    }
    const auto crc = parseHex(s.substr(5, 4));
    const std::string_view covered = s.substr(10);
    if (!crc || *crc != crcX25(covered)) {
        return std::nullopt;
    }
    return decodeAprs(covered.substr(0, covered.size() - 1));
}

std::optional<Position> decodeAprs(std::string_view packet) {
    if (const auto colon = packet.find(':');
        colon != std::string_view::npos && packet.find('>') < colon) {
        packet.remove_prefix(colon + 1);
    }
    if (packet.empty()) {
        return std::nullopt;
    }
    std::string_view s = packet.substr(1);
    switch (packet[0]) {
    case '!':
    case '=':
        break;
    case '/':
    case '@':
        if (s.size() < 7) {
            return std::nullopt;
        }
        s.remove_prefix(7); // the time stamp
        break;
    default:
        return std::nullopt;
    }
    if (s.empty()) {
        return std::nullopt;
    }
    if (s[0] >= '0' && s[0] <= '9') {
        return uncompressed(s);
    }
    return symbolTable(s[0]) ? compressed(s) : std::nullopt;
}

std::optional<NmeaFix> decodeNmea(std::string_view sentence) {
    const auto fields = nmeaFields(sentence);
    if (!fields || fields->empty()) {
        return std::nullopt;
    }
    const auto& f = *fields;
    if ((f[0] == "GPRMC" || f[0] == "GNRMC") && f.size() >= 9 && f[2] == "A") {
        auto p = nmeaPosition(f[3], f[4], f[5], f[6]);
        if (!p) {
            return std::nullopt;
        }
        p->speedKnots = parseNumber(f[7]);
        if (const auto course = parseNumber(f[8]); course && *course >= 0 && *course <= 360) {
            p->course = static_cast<int>(std::lround(*course)) % 360;
        }
        return NmeaFix{NmeaFix::Kind::Rmc, *p};
    }
    if ((f[0] == "GPGGA" || f[0] == "GNGGA") && f.size() >= 11 && !f[6].empty() && f[6] != "0") {
        auto p = nmeaPosition(f[2], f[3], f[4], f[5]);
        if (!p) {
            return std::nullopt;
        }
        if (const auto metres = parseNumber(f[9]); metres && f[10] == "M") {
            p->altitudeFeet = *metres * kFeetPerMetre;
        }
        return NmeaFix{NmeaFix::Kind::Gga, *p};
    }
    return std::nullopt;
}

std::string maidenhead(double latitude, double longitude) {
    double lon = std::clamp(longitude + 180.0, 0.0, 359.999999);
    double lat = std::clamp(latitude + 90.0, 0.0, 179.999999);
    std::string grid(6, ' ');
    grid[0] = static_cast<char>('A' + static_cast<int>(lon / 20));
    grid[1] = static_cast<char>('A' + static_cast<int>(lat / 10));
    lon = std::fmod(lon, 20.0);
    lat = std::fmod(lat, 10.0);
    grid[2] = static_cast<char>('0' + static_cast<int>(lon / 2));
    grid[3] = static_cast<char>('0' + static_cast<int>(lat));
    lon = std::fmod(lon, 2.0);
    lat = std::fmod(lat, 1.0);
    grid[4] = static_cast<char>('a' + static_cast<int>(lon * 12));
    grid[5] = static_cast<char>('a' + static_cast<int>(lat * 24));
    return grid;
}

std::vector<Position> PositionStream::append(std::string_view bytes) {
    std::vector<Position> out;
    for (char c : bytes) {
        if (c == '\r' || c == '\n') {
            if (c == '\r') {
                sentence_ += c; // the GPS-A check covers it
            }
            if (!overlong_ && sentence_.size() > (c == '\r' ? 1u : 0u)) {
                if (auto p = finish(sentence_)) {
                    out.push_back(std::move(*p));
                }
            }
            sentence_.clear();
            overlong_ = false;
            continue;
        }
        if (sentence_.size() >= kMaxSentence) {
            overlong_ = true; // dropped whole at its end
            continue;
        }
        sentence_ += c;
    }
    return out;
}

std::optional<Position> PositionStream::finish(std::string_view sentence) {
    // A sentence may follow other data in the stream; it starts at its own marker.
    if (const auto at = sentence.find("$$CRC"); at != std::string_view::npos) {
        return decodeGpsA(sentence.substr(at));
    }
    const auto at = sentence.find('$');
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const auto fix = decodeNmea(sentence.substr(at));
    if (!fix) {
        return std::nullopt;
    }
    if (fix->kind == NmeaFix::Kind::Rmc) {
        rmc_ = fix->position;
        rmc_->altitudeFeet = pendingAltitude_;
        return rmc_;
    }
    if (!fix->position.altitudeFeet) {
        return std::nullopt;
    }
    if (!rmc_) {
        pendingAltitude_ = fix->position.altitudeFeet;
        return std::nullopt;
    }
    rmc_->altitudeFeet = fix->position.altitudeFeet;
    return rmc_;
}

} // namespace tamsel
