// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the D-PRS position decoding and of the heard-stations list.
#include "monitor/Position.h"
#include "monitor/HeardList.h"
#include "monitor/ReceptionMachine.h"
#include "support/CaseName.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>

namespace tamsel {
namespace {

// The GPS-A sentence of a real ID-52PLUS reception.
const std::string kCapture =
    "$$CRC1FC0,KO6JXH-7>API52,DSTAR*:/141625z3239.47N/11657.79W[179/000/J.P. HT ID-52PLUS\r";

struct StreamCase {
    const char* what;
    std::string stream;
    std::size_t positions;
    double latitude, longitude;
    std::optional<int> course;
    std::optional<double> speedKnots, altitudeFeet;
    std::string comment;
    std::string locator;
};

class Stream : public ::testing::TestWithParam<StreamCase> {};

TEST_P(Stream, DecodesWhatChecksAndNothingElse) {
    const StreamCase& c = GetParam();
    PositionStream stream;
    std::vector<Position> got;
    // Fed in slow-data sized pieces, as the blocks deliver it.
    for (std::size_t at = 0; at < c.stream.size(); at += 5) {
        for (Position& p : stream.append(std::string_view(c.stream).substr(at, 5))) {
            got.push_back(std::move(p));
        }
    }
    ASSERT_EQ(got.size(), c.positions);
    if (got.empty()) {
        return;
    }
    const Position& p = got.back();
    EXPECT_NEAR(p.latitude, c.latitude, 5e-6);
    EXPECT_NEAR(p.longitude, c.longitude, 5e-6);
    EXPECT_EQ(p.course, c.course);
    ASSERT_EQ(p.speedKnots.has_value(), c.speedKnots.has_value());
    if (c.speedKnots) {
        EXPECT_NEAR(*p.speedKnots, *c.speedKnots, 0.05);
    }
    ASSERT_EQ(p.altitudeFeet.has_value(), c.altitudeFeet.has_value());
    if (c.altitudeFeet) {
        EXPECT_NEAR(*p.altitudeFeet, *c.altitudeFeet, 0.5);
    }
    EXPECT_EQ(p.comment, c.comment);
    EXPECT_EQ(maidenhead(p.latitude, p.longitude), c.locator);
}

// An APRS packet in a GPS-A sentence with its CRC.
std::string gpsA(const std::string& packet) {
    const std::string covered = "X>Y,DSTAR*:" + packet + "\r";
    char crc[5];
    std::snprintf(crc, sizeof crc, "%04X", crcX25(covered));
    return "$$CRC" + std::string(crc) + "," + covered;
}

// An NMEA sentence with its checksum.
std::string nmea(const std::string& body) {
    unsigned sum = 0;
    for (char c : body) {
        sum ^= static_cast<unsigned char>(c);
    }
    char star[4];
    std::snprintf(star, sizeof star, "*%02X", sum);
    return "$" + body + star + "\r\n";
}

std::string wrongCrc() {
    std::string s = kCapture;
    s[8] = 'D'; // 1FC0 -> 1FD0
    return s;
}

const std::string kRmc = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n";
const std::string kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";

INSTANTIATE_TEST_SUITE_P(
    Dprs, Stream,
    ::testing::Values(
        StreamCase{"the real capture",
                   kCapture,
                   1,
                   32.65783,
                   -116.96317,
                   179,
                   0.0,
                   {},
                   "J.P. HT ID-52PLUS",
                   "DM12mp"},
        StreamCase{"the capture after other data, lower-case CRC digits",
                   "junk\r" + std::string("xx") + "$$CRC1fc0" + kCapture.substr(9),
                   1,
                   32.65783,
                   -116.96317,
                   179,
                   0.0,
                   {},
                   "J.P. HT ID-52PLUS",
                   "DM12mp"},
        StreamCase{"one CRC digit wrong", wrongCrc(), 0, 0, 0, {}, {}, {}, "", ""},
        StreamCase{"compressed, with course and speed",
                   "$$CRC8604,X>Y:!/5L!!<*e7>7P[\r",
                   1,
                   49.5,
                   -72.75,
                   88,
                   36.2,
                   {},
                   "",
                   "FN39om"},
        StreamCase{"RMC then GGA", kRmc + kGga, 2, 48.1173, 11.516667, 84, 22.4, 545.4 * 3.28084,
                   "", "JN58sc"},
        StreamCase{"GGA then RMC of the same fix, the RMC with the altitude", kGga + kRmc, 2,
                   48.1173, 11.516667, 84, 22.4, 545.4 * 3.28084, "", "JN58sc"},
        StreamCase{"ambiguity: blanks at the right of the minutes, the box's centre",
                   gpsA("!4903.  N/07201.  W-"),
                   1,
                   49.058333,
                   -72.025,
                   {},
                   {},
                   {},
                   "",
                   "FN39xb"},
        StreamCase{"one dollar, wrong CRC",
                   "$CRCDF41,WA8CLT>API510,DSTAR*:=3930.50N/08355.20W-QTH\r",
                   0,
                   0,
                   0,
                   {},
                   {},
                   {},
                   "",
                   ""},
        StreamCase{"NMEA with a wrong checksum",
                   kRmc.substr(0, kRmc.size() - 4) + "6B\r\n",
                   0,
                   0,
                   0,
                   {},
                   {},
                   {},
                   "",
                   ""},
        StreamCase{"RMC without a fix",
                   "$GNRMC,010203.00,V,,,,,,,010101,,,N*62\r",
                   0,
                   0,
                   0,
                   {},
                   {},
                   {},
                   "",
                   ""},
        StreamCase{
            "truncated sentence, never ended", kCapture.substr(0, 40), 0, 0, 0, {}, {}, {}, "", ""},
        StreamCase{"truncated sentence, ended early",
                   kCapture.substr(0, 40) + "\r",
                   0,
                   0,
                   0,
                   {},
                   {},
                   {},
                   "",
                   ""},
        StreamCase{"a sentence over 256 bytes is dropped, the next one read",
                   "$$CRC1FC0," + std::string(300, 'A') + "\r" + kCapture,
                   1,
                   32.65783,
                   -116.96317,
                   179,
                   0.0,
                   {},
                   "J.P. HT ID-52PLUS",
                   "DM12mp"}),
    test::ByWhat());

const std::string kRmcFix = "GPRMC,123519,A,4807.038,N,01131.000,E,";
const std::string kRmcRest = ",084.4,230394,003.1,W";
const std::string kRmcWhole = kRmcFix + "022.4" + kRmcRest;
constexpr double kFeet = 3.28084;

StreamCase refused(const char* what, const std::string& stream) {
    return {what, stream, 0, 0, 0, {}, {}, {}, "", ""};
}

// RMC then GGA of the same fix, the GGA's altitude field as given.
std::string withAltitude(const std::string& metres) {
    return nmea(kRmcWhole) +
           nmea("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9," + metres + ",M,46.9,M,,");
}

// Decoder faults found by comparing with other decoders; every row failed before its mend.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Reviewed, Stream,
    ::testing::Values(
        // Altitude after course and speed; the first "/A=" wins.
        StreamCase{"altitude after course/speed", gpsA("!4903.50N/07201.75W>088/036/A=001234 hello"),
                   1, 49.058333, -72.029167, 88, 36.0, 1234.0, "hello", "FN39xb"},
        StreamCase{"negative altitude", gpsA("!4903.50N/07201.75W>088/036/A=-00123"),
                   1, 49.058333, -72.029167, 88, 36.0, -123.0, "", "FN39xb"},
        StreamCase{"altitude, then a slash comment", gpsA("!4903.50N/07201.75W>088/036/A=005280/comment"),
                   1, 49.058333, -72.029167, 88, 36.0, 5280.0, "comment", "FN39xb"},
        StreamCase{"the first altitude wins", gpsA("!4903.50N/07201.75W>088/036/A=001234 /A=000999"),
                   1, 49.058333, -72.029167, 88, 36.0, 1234.0, "/A=000999", "FN39xb"},
        // An exact subsquare edge is in the square it starts.
        StreamCase{"locator on a west edge", gpsA("=3230.00N/11655.00W>"),
                   1, 32.5, -116.916667, {}, {}, {}, "", "DM12nm"},
        StreamCase{"locator on an east edge", gpsA("=3232.50N/11650.00E>"),
                   1, 32.541667, 116.833333, {}, {}, {}, "", "OM82kn"},
        // Blanks only as ambiguity, from the right of the minutes; digits only.
        refused("blank inside the latitude", gpsA("!3 39.47N/11657.79W[")),
        refused("exponent in the latitude", gpsA("!3201.e1N/11657.79W[")),
        refused("blank inside the longitude", gpsA("!4903.50N/0 201.75W>")),
        refused("NMEA blank", nmea("GPRMC,123519,A,48 7.038,N,01131.000,E,022.4" + kRmcRest)),
        refused("NMEA exponent", nmea("GPRMC,123519,A,4807e-1,N,01131.000,E,022.4" + kRmcRest)),
        // Values no receiver sends are left out.
        StreamCase{"RMC speed 1e300", nmea(kRmcFix + "1e300" + kRmcRest),
                   1, 48.1173, 11.516667, 84, {}, {}, "", "JN58sc"},
        StreamCase{"RMC speed negative", nmea(kRmcFix + "-5.0" + kRmcRest),
                   1, 48.1173, 11.516667, 84, {}, {}, "", "JN58sc"},
        StreamCase{"RMC speed over 1000 knots", nmea(kRmcFix + "1000.1" + kRmcRest),
                   1, 48.1173, 11.516667, 84, {}, {}, "", "JN58sc"},
        StreamCase{"GGA altitude 1e308", withAltitude("1e308"),
                   2, 48.1173, 11.516667, 84, 22.4, {}, "", "JN58sc"},
        StreamCase{"GGA altitude over 60000 m", withAltitude("60000.1"),
                   2, 48.1173, 11.516667, 84, 22.4, {}, "", "JN58sc"},
        StreamCase{"GGA altitude under -1500 m", withAltitude("-1500.1"),
                   2, 48.1173, 11.516667, 84, 22.4, {}, "", "JN58sc"},
        StreamCase{"APRS altitude 999999 ft", gpsA("=4903.50N/07201.75W-/A=999999"),
                   1, 49.058333, -72.029167, {}, {}, {}, "", "FN39xb"},
        StreamCase{"compressed altitude 12,700,000 ft", gpsA("!/5L!!<*e7>zz1"),
                   1, 49.5, -72.75, {}, {}, {}, "", "FN39om"},
        // A weather station's ccc/sss is the wind.
        StreamCase{"weather station", gpsA("!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900"),
                   1, 49.058333, -72.029167, {}, {}, {}, "220/004g005t077r000p000P000h50b09900", "FN39xb"},
        StreamCase{"compressed weather station", gpsA("!/5L!!<*e7_7P["),
                   1, 49.5, -72.75, {}, {}, {}, "", "FN39om"},
        // GGA on its own; a later GGA reports its own coordinates.
        StreamCase{"GGA only", kGga, 1, 48.1173, 11.516667, {}, {}, 545.4 * kFeet, "", "JN58sc"},
        StreamCase{"RMC, then a later GGA elsewhere",
                   kRmc + nmea("GPGGA,123520,4807.100,N,01131.100,E,1,08,0.9,546.0,M,46.9,M,,"),
                   2, 48.118333, 11.518333, {}, {}, 546.0 * kFeet, "", "JN58sc"},
        // GPS-A with one '$', or with its CRC computed without the closing CR.
        StreamCase{"GPS-A with one dollar", "$CRCDF40,WA8CLT>API510,DSTAR*:=3930.50N/08355.20W-QTH\r",
                   1, 39.508333, -83.92, {}, {}, {}, "QTH", "EM89am"},
        StreamCase{"GPS-A CRC without the CR", "$$CRC72C9,KI4IFW-1>APRATS,DSTAR*:=3612.34N/08640.21W[ID-51\r",
                   1, 36.205667, -86.670167, {}, {}, {}, "ID-51", "EM66pe"}),
    test::ByWhat());
// clang-format on

TEST(Dprs, AltitudeComesOutOfTheComment) {
    const auto p = decodeAprs("=4903.50N/07201.75W-Test /A=001234 rig");
    ASSERT_TRUE(p);
    EXPECT_NEAR(p->latitude, 49.058333, 1e-6);
    EXPECT_NEAR(p->longitude, -72.029167, 1e-6);
    EXPECT_EQ(p->altitudeFeet, 1234.0);
    EXPECT_EQ(p->comment, "Test  rig");
}

// Positions on subsquare edges (latitude minutes a multiple of 2.5, longitude minutes of 5)
// in all four quarters of the globe: each lies in the subsquare it starts.
TEST(Dprs, LocatorEdgesStartTheirSubsquare) {
    // Field, square and subsquare from whole units counted from the south pole or 180 W,
    // 120 units a square (half-minutes of latitude, minutes of longitude).
    const auto letters = [](int u) {
        return std::string{static_cast<char>('A' + u / 1200), static_cast<char>('0' + u / 120 % 10),
                           static_cast<char>('a' + u % 120 / 5)};
    };
    for (const int degrees : {0, 1, 32, 49, 89}) {
        for (int step = 0; step < 24; ++step) {
            for (const int sign : {1, -1}) {
                const int lonDegrees = degrees * 2 + 1, lonMinutes = step % 12 * 5;
                const int east = step % 2 == 0 ? sign : -sign; // all four quarters
                char packet[32];
                std::snprintf(packet, sizeof packet, "=%02d%05.2f%c/%03d%05.2f%c-", degrees,
                              step * 2.5, sign > 0 ? 'N' : 'S', lonDegrees, lonMinutes * 1.0,
                              east > 0 ? 'E' : 'W');
                const int halfMinutes = 90 * 120 + sign * (degrees * 120 + step * 5);
                const int minutes = 180 * 60 + east * (lonDegrees * 60 + lonMinutes);
                const std::string lon = letters(minutes), lat = letters(halfMinutes);
                const std::string expected{lon[0], lat[0], lon[1], lat[1], lon[2], lat[2]};
                const auto p = decodeAprs(packet);
                ASSERT_TRUE(p) << packet;
                EXPECT_EQ(maidenhead(p->latitude, p->longitude), expected) << packet;
            }
        }
    }
}

// The data blocks of a reception reach the decoder through the reception machine.
TEST(Dprs, DataBlocksOfAReceptionGiveThePosition) {
    ReceptionMachine machine([] { return std::string("2026/12/08 10:00:00"); });
    std::vector<ReceptionUpdate> updates;
    std::vector<StationReport> reports;
    std::vector<std::uint8_t> header(kHeaderSize, ' ');
    header[0] = 0;
    for (std::size_t at = 0; at < kHeaderSize; at += 8) {
        const std::size_t n = std::min<std::size_t>(8, kHeaderSize - at);
        machine.feed(static_cast<int>(n), std::span(header).subspan(at, n), updates, reports);
    }
    std::vector<std::uint8_t> slow;
    for (std::size_t at = 0; at < kCapture.size(); at += 5) {
        const std::size_t n = std::min<std::size_t>(5, kCapture.size() - at);
        slow.push_back(static_cast<std::uint8_t>(0x30 + n));
        slow.insert(slow.end(), kCapture.begin() + static_cast<std::ptrdiff_t>(at),
                    kCapture.begin() + static_cast<std::ptrdiff_t>(at + n));
        slow.resize(slow.size() + 5 - n, 0x66); // filler past the valid bytes
    }
    for (std::size_t at = 0; at < slow.size(); at += 8) {
        ASSERT_EQ(machine.next().request, Request::GetSlowData);
        const std::size_t n = std::min<std::size_t>(8, slow.size() - at);
        machine.feed(static_cast<int>(n), std::span(slow).subspan(at, n), updates, reports);
        const std::uint8_t active = 0x02;
        machine.feed(1, std::span(&active, 1), updates, reports);
    }
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].kind, StationReport::Kind::Heard);
    ASSERT_EQ(reports[1].kind, StationReport::Kind::Position);
    EXPECT_NEAR(reports[1].position.latitude, 32.65783, 5e-6);
}

StationReport heard(const std::string& call) {
    StationReport r;
    r.caller = call;
    r.time = "2026/12/08 10:00:00";
    return r;
}

// Ambiguous positions stand at the centre of their box (the latitude's blanks make the
// longitude as vague); course 000 is unknown, 360 north.
TEST(Dprs, AmbiguityAndCourseAsAprsMeansThem) {
    const struct {
        const char* packet;
        double latitude, longitude;
        int ambiguity;
        std::optional<int> course;
        std::optional<double> speedKnots;
    } cases[] = {
        {"!35  .  N/139  .  E>", 35.5, 139.5, 4, {}, {}},
        {"!352 .  N/1394 .  W>", 35 + 25 / 60.0, -(139 + 45 / 60.0), 3, {}, {}},
        {"!3521.  S/13941.  E>", -(35 + 21.5 / 60), 139 + 41.5 / 60, 2, {}, {}},
        {"!3521.5 N/13941.57E>", 35 + 21.55 / 60, 139 + 41.55 / 60, 1, {}, {}},
        {"!3521.50N/13941.5 E>", 35 + 21.55 / 60, 139 + 41.55 / 60, 1, {}, {}},
        {"!90  .  N/179  .  W>", 90, -179.5, 4, {}, {}}, // the box's centre stays on the globe
        {"!3521.50N/13941.50E>000/010", 35 + 21.5 / 60, 139 + 41.5 / 60, 0, {}, 10.0},
        {"!3521.50N/13941.50E>360/010", 35 + 21.5 / 60, 139 + 41.5 / 60, 0, 0, 10.0},
        {"!3521.50N/13941.50E>001/000", 35 + 21.5 / 60, 139 + 41.5 / 60, 0, 1, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.packet);
        const auto p = decodeAprs(c.packet);
        ASSERT_TRUE(p.has_value());
        EXPECT_NEAR(p->latitude, c.latitude, 1e-9);
        EXPECT_NEAR(p->longitude, c.longitude, 1e-9);
        EXPECT_EQ(p->ambiguity, c.ambiguity);
        EXPECT_EQ(p->course, c.course);
        EXPECT_EQ(p->speedKnots, c.speedKnots);
    }
}

TEST(HeardList, NewestOnTopFoundByCallsignAcrossManyStations) {
    HeardList list;
    for (int i = 0; i < 5000; ++i) {
        list.apply(heard("S" + std::to_string(i) + "  "));
    }
    ASSERT_EQ(list.size(), 5000u);
    EXPECT_EQ(list.at(0).callsign, "S4999");
    EXPECT_EQ(list.at(4999).callsign, "S0");
    // Heard again: moves from its row to the top, everything above it one down.
    const auto change = list.apply(heard("S1234"));
    ASSERT_TRUE(change);
    EXPECT_EQ(change->was, 5000u - 1 - 1234);
    EXPECT_EQ(list.at(0).callsign, "S1234");
    EXPECT_EQ(list.at(0).count, 2u);
    EXPECT_EQ(list.at(1).callsign, "S4999");
    EXPECT_EQ(list.at(4999).callsign, "S0");
    for (int round = 0; round < 3; ++round) { // past several renumberings
        for (int i = 0; i < 5000; i += 7) {
            list.apply(heard("S" + std::to_string(i)));
        }
    }
    EXPECT_EQ(list.size(), 5000u);
    EXPECT_EQ(list.at(0).callsign, "S4998");
    EXPECT_EQ(list.at(0).count, 4u);
    StationReport message;
    message.kind = StationReport::Kind::Message;
    message.message = "hello               ";
    EXPECT_EQ(list.apply(message)->row, 0u);
    EXPECT_EQ(list.at(0).message, "hello");
}

} // namespace
} // namespace tamsel
