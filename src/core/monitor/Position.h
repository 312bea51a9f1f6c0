// SPDX-License-Identifier: GPL-3.0-or-later
// Position: D-PRS positions in the slow-data stream (GPS-A/APRS and NMEA), and the grid locator.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamsel {

// A station's position as it reported it. Latitude and longitude in degrees, negative
// south and west; course in degrees, speed in knots, altitude in feet, as the formats give
// them.
struct Position {
    double latitude = 0;
    double longitude = 0;
    std::optional<int> course;
    std::optional<double> speedKnots;
    std::optional<double> altitudeFeet;
    std::string symbol;  // APRS symbol table and code, e.g. "/["
    std::string comment; // APRS comment, without the altitude
    // APRS position ambiguity: how many digits of the minutes the station left blank (0 to
    // 4); the position is then the centre of the box they leave.
    int ambiguity = 0;
    // The sentence carried a value the checks left out (a speed or an altitude no receiver
    // sends): the position is shown, but it is not passed on to other networks.
    bool doubtful = false;
};

// Where a position came from in the slow data: what a gate to APRS-IS needs besides it.
struct PositionOrigin {
    enum class Form { GpsA, NmeaRmc, NmeaGga };
    Form form = Form::GpsA;
    std::string packet; // GPS-A: the APRS packet as it came, without "$$CRCxxxx," and the CR
    // NMEA (and a reception's end): the APRS symbol the radio's D-PRS identification line
    // names, empty when it sent none.
    std::string symbol;
};

// A D-PRS identification line, which radios sending NMEA add to say who they are and with
// which symbol: the callsign in 8 characters, a comma, the symbol's two-character GPSxyz code
// and its overlay (or blanks), "*" and an XOR checksum of all before it, blanks to 29
// characters ("DL1ABC 9,MV  *56"). The APRS symbol (table and code) it names, or nothing.
std::optional<std::string> dprsIdentification(std::string_view line);

// A position with its origin.
struct SentPosition {
    Position position;
    PositionOrigin origin;
};

// The side of the box an ambiguity leaves, in degrees of latitude (0.1' for one blank digit,
// 1', 10', 1 degree for four); 0 for an exact position.
double ambiguityDegrees(int ambiguity);

// CRC-16/X-25 (reflected polynomial 0x8408, initial 0xFFFF, result inverted).
std::uint16_t crcX25(std::string_view bytes);

// A GPS-A sentence: "$$CRC" (or "$CRC") + 4 hex digits + "," + APRS packet + CR, the CRC
// over the packet with its CR or without it. Nothing unless the CRC matches and the packet
// holds a position.
std::optional<Position> decodeGpsA(std::string_view sentence);

// The information field of an APRS packet ("SRC>DST,PATH:info" or just "info"): the
// uncompressed and compressed position forms. Blanks at the right of the minutes (position
// ambiguity) give the centre of the box they leave, in latitude and longitude alike. Course
// 000 is unknown (no course), 360 north. The weather symbol's course/speed fields are the wind: no
// course or speed for it. The first "/A=" altitude is taken out of the comment.
std::optional<Position> decodeAprs(std::string_view packet);

// An NMEA sentence ($GPRMC/$GNRMC, $GPGGA/$GNGGA) with a matching *XX checksum. RMC gives
// position, course and speed; GGA its position and the altitude (in altitudeFeet). Speeds
// over 1,000 knots or negative and altitudes outside -1,500 to 60,000 m are left out.
struct NmeaFix {
    enum class Kind { Rmc, Gga } kind;
    Position position;
    std::string time; // hhmmss.ss of the fix, as sent
};
std::optional<NmeaFix> decodeNmea(std::string_view sentence);

// The checks every position passes, live or read back from a log: the value when it is a
// finite number in range, else nothing. Speeds from 0 to 1,000 knots, altitudes from -1,500
// to 60,000 m (in feet), courses 0 to 360 degrees (360 read as 0).
std::optional<double> within(std::optional<double> value, double low, double high);
std::optional<double> plausibleSpeed(std::optional<double> knots);
std::optional<double> plausibleAltitude(std::optional<double> feet);
std::optional<int> plausibleCourse(std::optional<double> degrees);

// The 6-character Maidenhead locator of a position ("DM12mp"); a position on an edge is in
// the square that the edge starts.
std::string maidenhead(double latitude, double longitude);

// A position as the windows copy it for other programs: "35.68120, 139.76710 (PM95vq)",
// decimal degrees with a point whatever the language.
std::string copiedPosition(double latitude, double longitude);

// The data bytes of one reception's slow data, split into sentences at CR or LF and
// decoded. A sentence longer than kMaxSentence bytes is dropped whole.
class PositionStream {
public:
    static constexpr std::size_t kMaxSentence = 256;

    // Takes the next data bytes; returns the positions that complete sentences gave.
    std::vector<Position> append(std::string_view bytes);
    // The same, each with where it came from.
    std::vector<SentPosition> take(std::string_view bytes);
    // The symbol the reception's D-PRS identification line named so far; empty for none.
    const std::string& dprsSymbol() const { return dprsSymbol_; }

private:
    std::optional<SentPosition> finish(std::string_view sentence);

    std::string sentence_;
    bool overlong_ = false;
    NmeaFix other_{NmeaFix::Kind::Rmc, {}, {}}; // the last NMEA fix of this reception
    std::string dprsSymbol_;
};

} // namespace tamsel
