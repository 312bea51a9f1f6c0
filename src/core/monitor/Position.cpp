// SPDX-License-Identifier: GPL-3.0-or-later
// Position: D-PRS positions in the slow-data stream (GPS-A/APRS and NMEA), and the grid locator.
#include "monitor/Position.h"

#include "base/Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tamsel {

namespace {

constexpr double kFeetPerMetre = 3.28084;
constexpr double kMaxKnots = 1000;
constexpr double kLowestMetres = -1500;
constexpr double kHighestMetres = 60000;
constexpr std::uint64_t kMinuteScale = 1'000'000'000; // NMEA minutes read to 1e-9 minute

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

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), isDigit);
}

// A plain decimal number as NMEA writes it: an optional minus sign, digits, and an
// optional fraction ("-12.5", "022.4"). No blanks, exponents, "inf" or "nan".
std::optional<double> parseDecimal(std::string_view s) {
    const std::string_view number = s.substr(!s.empty() && s[0] == '-' ? 1 : 0);
    const auto dot = number.find('.');
    const std::string_view whole = number.substr(0, dot);
    const std::string_view fraction =
        dot == std::string_view::npos ? std::string_view() : number.substr(dot + 1);
    if (whole.size() + fraction.size() == 0 || !allDigits(whole) || !allDigits(fraction)) {
        return std::nullopt;
    }
    double value = 0; // only digits, a dot and a sign are left: from_chars reads them exactly
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// Degrees and minutes as sent, the minutes an integer in units of 1/`scale` minute, as
// signed degrees. One division of exact integers, so the nearest double to what was sent.
std::optional<double> angle(std::uint64_t degrees, std::uint64_t minutes, std::uint64_t scale,
                            char hemisphere, char negative, char positive, std::uint64_t limit) {
    if (minutes >= 60 * scale || (hemisphere != negative && hemisphere != positive) ||
        degrees * 60 * scale + minutes > limit * 60 * scale) {
        return std::nullopt;
    }
    const double value =
        static_cast<double>(degrees * 60 * scale + minutes) / static_cast<double>(60 * scale);
    return hemisphere == negative ? -value : value;
}

// An APRS angle as sent: whole degrees, the minutes in hundredths, and how many of the
// minutes' digits were blanks (position ambiguity).
struct AprsAngle {
    std::uint64_t degrees = 0;
    std::uint64_t hundredths = 0;
    char hemisphere = 0;
    int blanks = 0;
};

// APRS "ddmm.hh" (or "dddmm.hh") and the hemisphere letter after it. Blanks stand for
// position ambiguity: only from the right end of the minutes leftwards.
std::optional<AprsAngle> aprsAngle(std::string_view text, std::size_t degreeDigits) {
    const std::string_view degrees = text.substr(0, degreeDigits);
    if (text.size() != degreeDigits + 6 || text[degreeDigits + 2] != '.' || !allDigits(degrees)) {
        return std::nullopt;
    }
    AprsAngle a;
    for (std::size_t i = degreeDigits; i < degreeDigits + 5; ++i) {
        const char c = text[i];
        if (i == degreeDigits + 2) {
            continue; // the dot
        }
        if (a.blanks > 0 ? c != ' ' : c != ' ' && !isDigit(c)) {
            return std::nullopt;
        }
        a.blanks += c == ' ' ? 1 : 0;
        a.hundredths = a.hundredths * 10 + (c == ' ' ? 0 : static_cast<unsigned>(c - '0'));
    }
    for (char c : degrees) {
        a.degrees = a.degrees * 10 + static_cast<unsigned>(c - '0');
    }
    a.hemisphere = text.back();
    return a;
}

// The side of the box `ambiguity` blank digits leave, in hundredths of a minute.
std::uint64_t boxHundredths(int ambiguity) {
    constexpr std::uint64_t kBoxes[] = {1, 10, 100, 1000, 6000};
    return kBoxes[std::clamp(ambiguity, 0, 4)];
}

// The angle at the centre of its box of `ambiguity` blank digits (where the APRS maps put
// it), as signed degrees. A box on the pole or the antimeridian is centred inside.
std::optional<double> ambiguousAngle(AprsAngle a, int ambiguity, char negative, char positive,
                                     std::uint64_t limit) {
    if (a.hundredths >= 6000 || a.degrees > limit) {
        return std::nullopt;
    }
    const std::uint64_t box = boxHundredths(ambiguity);
    std::uint64_t centre = a.degrees * 6000 + a.hundredths / box * box + box / 2;
    if (ambiguity > 0) {
        centre = std::min(centre, limit * 6000);
    }
    return angle(centre / 6000, centre % 6000, 100, a.hemisphere, negative, positive, limit);
}

// NMEA "ddmm.mmmm" (or "dddmm.mmmm"): digits, an optional fraction of any length. Some
// receivers leave out the degrees' leading zeros ("945.12" for 9 degrees 45.12 minutes):
// the minutes are always the two digits before the point.
std::optional<double> nmeaAngle(std::string_view text, std::size_t degreeDigits, char hemisphere,
                                char negative, char positive, std::uint64_t limit) {
    const auto dot = std::min(text.find('.'), text.size());
    if (dot < 3 || dot > degreeDigits + 2 || !allDigits(text.substr(0, dot)) ||
        !allDigits(text.substr(std::min(dot + 1, text.size())))) {
        return std::nullopt;
    }
    std::uint64_t degrees = 0, minutes = 0, scale = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == dot) {
            continue;
        }
        const auto digit = static_cast<unsigned>(text[i] - '0');
        if (i + 2 < dot) {
            degrees = degrees * 10 + digit;
        } else if (scale < kMinuteScale || i < dot) { // finer than kMinuteScale: no matter
            minutes = minutes * 10 + digit;
            scale *= i > dot ? 10 : 1;
        }
    }
    return angle(degrees, minutes, scale, hemisphere, negative, positive, limit);
}

// The comment without blanks at its ends.
void trimComment(Position& p) {
    const auto first = p.comment.find_first_not_of(' ');
    if (first == std::string::npos) {
        p.comment.clear();
        return;
    }
    p.comment.erase(p.comment.find_last_not_of(' ') + 1);
    p.comment.erase(0, first);
}

// The first "/A=nnnnnn" in a comment: the altitude in feet, taken out of the comment. One
// that no receiver sends leaves no altitude.
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
    p.altitudeFeet = plausibleAltitude(parseDecimal(digits));
    p.doubtful = p.doubtful || !p.altitudeFeet;
    p.comment.erase(at, 9);
}

// The weather symbol: its course/speed fields are the wind.
bool weather(const Position& p) {
    return p.symbol.size() == 2 && p.symbol[1] == '_';
}

std::optional<Position> uncompressed(std::string_view s) {
    // ddmm.mmN T dddmm.mmW C [ccc/sss] comment
    if (s.size() < 19) {
        return std::nullopt;
    }
    Position p;
    const auto latText = aprsAngle(s.substr(0, 8), 2);
    const auto lonText = aprsAngle(s.substr(9, 9), 3);
    if (!latText || !lonText) {
        return std::nullopt;
    }
    // The latitude's blanks make the longitude as vague; a sender that blanks only the
    // longitude gets the same box.
    p.ambiguity = std::max(latText->blanks, lonText->blanks);
    const auto lat = ambiguousAngle(*latText, p.ambiguity, 'S', 'N', 90);
    const auto lon = ambiguousAngle(*lonText, p.ambiguity, 'W', 'E', 180);
    if (!lat || !lon) {
        return std::nullopt;
    }
    p.latitude = *lat;
    p.longitude = *lon;
    p.symbol = {s[8], s[18]};
    std::string_view rest = s.substr(19);
    const bool extension = !weather(p) && rest.size() >= 7 && rest[3] == '/' &&
                           allDigits(rest.substr(0, 3)) && allDigits(rest.substr(4, 3));
    if (extension) {
        const int course = (rest[0] - '0') * 100 + (rest[1] - '0') * 10 + (rest[2] - '0');
        if (course <= 360) {
            // 000 is an unknown course, 360 is north.
            if (course > 0) {
                p.course = course % 360;
            }
            p.speedKnots = (rest[4] - '0') * 100 + (rest[5] - '0') * 10 + (rest[6] - '0');
        }
        rest.remove_prefix(7);
    }
    p.comment = std::string(rest);
    takeAltitude(p);
    if (extension && !p.comment.empty() && p.comment[0] == '/') {
        p.comment.erase(0, 1); // the separator some radios put before the comment
    }
    trimComment(p);
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
    // Overlay digits come as "a" to "j" here (a digit would start an uncompressed position).
    const char table = s[0] >= 'a' && s[0] <= 'j' ? static_cast<char>('0' + (s[0] - 'a')) : s[0];
    p.symbol = {table, s[9]};
    const char c = s[10], spd = s[11], type = s[12];
    if (c != ' ' && c >= '!' && c <= 'z' && spd >= '!' && spd <= 'z') {
        const int cv = c - 33, sv = spd - 33;
        if (((type - 33) >> 3 & 3) == 2) {
            p.altitudeFeet = plausibleAltitude(std::pow(1.002, cv * 91 + sv));
            p.doubtful = !p.altitudeFeet;
        } else if (cv <= 89 && !weather(p)) {
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
    if (ns.size() != 1 || ew.size() != 1 || lat.size() < 3 || lon.size() < 3) {
        return std::nullopt;
    }
    const auto la = nmeaAngle(lat, 2, ns[0], 'S', 'N', 90);
    const auto lo = nmeaAngle(lon, 3, ew[0], 'W', 'E', 180);
    if (!la || !lo) {
        return std::nullopt;
    }
    Position p;
    p.latitude = *la;
    p.longitude = *lo;
    return p;
}

} // namespace

double ambiguityDegrees(int ambiguity) {
    return ambiguity > 0 ? static_cast<double>(boxHundredths(ambiguity)) / 6000 : 0;
}

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
    if (s.substr(0, 2) == "$$") {
        s.remove_prefix(1);
    }
    if (s.size() < 10 || s.substr(0, 4) != "$CRC" || s[8] != ',') {
        return std::nullopt;
    }
    const auto crc = parseHex(s.substr(4, 4));
    std::string_view packet = s.substr(9);
    const bool cr = packet.back() == '\r';
    if (cr) {
        packet.remove_suffix(1);
    }
    // Most radios cover the closing CR, some do not.
    if (!crc || (*crc != crcX25(s.substr(9)) && (!cr || *crc != crcX25(packet)))) {
        return std::nullopt;
    }
    return decodeAprs(packet);
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
        p->speedKnots = plausibleSpeed(parseDecimal(f[7]));
        p->course = plausibleCourse(parseDecimal(f[8]));
        p->doubtful = (!f[7].empty() && !p->speedKnots) || (!f[8].empty() && !p->course);
        return NmeaFix{NmeaFix::Kind::Rmc, *p, std::string(f[1])};
    }
    if ((f[0] == "GPGGA" || f[0] == "GNGGA") && f.size() >= 11 && !f[6].empty() && f[6] != "0") {
        auto p = nmeaPosition(f[2], f[3], f[4], f[5]);
        if (!p) {
            return std::nullopt;
        }
        if (const auto metres = within(parseDecimal(f[9]), kLowestMetres, kHighestMetres);
            metres && f[10] == "M") {
            p->altitudeFeet = *metres * kFeetPerMetre;
        } else {
            p->doubtful = !f[9].empty();
        }
        return NmeaFix{NmeaFix::Kind::Gga, *p, std::string(f[1])};
    }
    return std::nullopt;
}

// The value that lies in [low, high], or nothing: what no receiver sends is not shown.
std::optional<double> within(std::optional<double> value, double low, double high) {
    return value && std::isfinite(*value) && *value >= low && *value <= high ? value : std::nullopt;
}

std::optional<double> plausibleSpeed(std::optional<double> knots) {
    return within(knots, 0, kMaxKnots);
}

std::optional<double> plausibleAltitude(std::optional<double> feet) {
    return within(feet, kLowestMetres * kFeetPerMetre, kHighestMetres * kFeetPerMetre);
}

std::optional<int> plausibleCourse(std::optional<double> degrees) {
    if (const auto c = within(degrees, 0, 360)) {
        return static_cast<int>(std::lround(*c)) % 360;
    }
    return std::nullopt;
}

std::string copiedPosition(double latitude, double longitude) {
    return pointDecimal(latitude, 5) + ", " + pointDecimal(longitude, 5) + " (" +
           maidenhead(latitude, longitude) + ")";
}

std::string maidenhead(double latitude, double longitude) {
    // Whole units of 1e-7 minute (about 2 mm) from the south pole and the antimeridian.
    // Positions are sent in decimal minutes, so rounding to that unit gives back the minutes
    // as sent, and an exact edge starts its square instead of ending the one before.
    constexpr double kPerDegree = 60 * 1e7;
    constexpr std::int64_t kMinute = 10'000'000;
    const auto units = [](double degrees, double span) {
        const double inside = degrees >= 0 ? std::min(degrees, span) : 0.0; // NaN too
        const double u = std::round(inside * kPerDegree);
        return std::min(static_cast<std::int64_t>(u),
                        static_cast<std::int64_t>(span) * 60 * kMinute - 1);
    };
    const std::int64_t lon = units(longitude + 180.0, 360);
    const std::int64_t lat = units(latitude + 90.0, 180);
    std::string grid(6, ' ');
    grid[0] = static_cast<char>('A' + lon / (20 * 60 * kMinute));
    grid[1] = static_cast<char>('A' + lat / (10 * 60 * kMinute));
    grid[2] = static_cast<char>('0' + lon / (2 * 60 * kMinute) % 10);
    grid[3] = static_cast<char>('0' + lat / (60 * kMinute) % 10);
    grid[4] = static_cast<char>('a' + lon % (2 * 60 * kMinute) / (5 * kMinute));
    grid[5] = static_cast<char>('a' + lat % (60 * kMinute) * 2 / (5 * kMinute));
    return grid;
}

std::optional<std::string> dprsIdentification(std::string_view line) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) {
        line.remove_suffix(1);
    }
    // "CALLSIGN,xyz *HH": the checksum's two digits end it.
    if (line.size() < 14 || line.size() > 29 || line[8] != ',' || line[line.size() - 3] != '*') {
        return std::nullopt;
    }
    const auto sum = parseHex(line.substr(line.size() - 2));
    std::uint8_t x = 0;
    for (char c : line.substr(0, line.size() - 3)) {
        x ^= static_cast<std::uint8_t>(c);
    }
    if (!sum || *sum != x) {
        return std::nullopt;
    }
    const std::string_view code = line.substr(9, 2);
    const char overlay = line.size() > 14 ? line[11] : ' ';
    // The GPSxyz codes: a letter for the group of symbols, then the symbol's place in it.
    struct Group {
        char primary, alternate; // the code's first letter in the two tables
        char first, last;        // the symbols of the group
        char start;              // the code's second character for `first`
    };
    constexpr Group kGroups[] = {
        {'B', 'O', '!', '/', 'B'}, {'P', 'A', '0', '9', '0'}, {'M', 'N', ':', '@', 'R'},
        {'P', 'A', 'A', 'Z', 'A'}, {'H', 'D', '[', '`', 'S'}, {'L', 'S', 'a', 'z', 'A'},
        {'J', 'Q', '{', '~', '1'},
    };
    for (const Group& g : kGroups) {
        const int offset = code[1] - g.start;
        if ((code[0] != g.primary && code[0] != g.alternate) || offset < 0 ||
            offset > g.last - g.first) {
            continue;
        }
        const bool alternate = code[0] == g.alternate;
        const bool overlaid =
            alternate && ((overlay >= '0' && overlay <= '9') || (overlay >= 'A' && overlay <= 'Z'));
        return std::string{overlaid ? overlay : (alternate ? '\\' : '/'),
                           static_cast<char>(g.first + offset)};
    }
    return std::nullopt;
}

std::vector<Position> PositionStream::append(std::string_view bytes) {
    std::vector<Position> out;
    for (SentPosition& p : take(bytes)) {
        out.push_back(std::move(p.position));
    }
    return out;
}

std::vector<SentPosition> PositionStream::take(std::string_view bytes) {
    std::vector<SentPosition> out;
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

std::optional<SentPosition> PositionStream::finish(std::string_view sentence) {
    // A sentence may follow other data in the stream; it starts at its own marker.
    if (const auto at = sentence.find("$CRC"); at != std::string_view::npos) {
        auto p = decodeGpsA(sentence.substr(at > 0 && sentence[at - 1] == '$' ? at - 1 : at));
        if (!p) {
            return std::nullopt;
        }
        std::string_view packet = sentence.substr(at + 9); // after "$CRCxxxx,"
        if (!packet.empty() && packet.back() == '\r') {
            packet.remove_suffix(1);
        }
        return SentPosition{std::move(*p), {PositionOrigin::Form::GpsA, std::string(packet), {}}};
    }
    const auto at = sentence.find('$');
    if (at == std::string_view::npos) {
        if (auto symbol = dprsIdentification(sentence)) {
            dprsSymbol_ = std::move(*symbol);
        }
        return std::nullopt;
    }
    const auto fix = decodeNmea(sentence.substr(at));
    if (!fix) {
        return std::nullopt;
    }
    // RMC and GGA of the same fix (the same time) complete each other; each reports its
    // own coordinates.
    Position p = fix->position;
    const bool sameFix = !fix->time.empty() && fix->time == other_.time;
    if (fix->kind == NmeaFix::Kind::Rmc) {
        if (sameFix && other_.kind == NmeaFix::Kind::Gga) {
            p.altitudeFeet = other_.position.altitudeFeet;
            p.doubtful = p.doubtful || other_.position.doubtful;
        }
    } else if (sameFix && other_.kind == NmeaFix::Kind::Rmc) {
        p.course = other_.position.course;
        p.doubtful = p.doubtful || other_.position.doubtful;
        p.speedKnots = other_.position.speedKnots;
    }
    other_ = *fix;
    return SentPosition{std::move(p),
                        {fix->kind == NmeaFix::Kind::Rmc ? PositionOrigin::Form::NmeaRmc
                                                         : PositionOrigin::Form::NmeaGga,
                         {},
                         dprsSymbol_}};
}

} // namespace tamsel
