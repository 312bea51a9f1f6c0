// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the D-PRS position decoding and of the heard-stations list.
#include "monitor/Position.h"
#include "monitor/HeardList.h"
#include "monitor/ReceptionMachine.h"
#include "support/CaseName.h"

#include <cmath>
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
        StreamCase{"GGA before RMC waits for it", kGga + kRmc, 1, 48.1173, 11.516667, 84, 22.4,
                   545.4 * 3.28084, "", "JN58sc"},
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

TEST(Dprs, AltitudeComesOutOfTheComment) {
    const auto p = decodeAprs("=4903.50N/07201.75W-Test /A=001234 rig");
    ASSERT_TRUE(p);
    EXPECT_NEAR(p->latitude, 49.058333, 1e-6);
    EXPECT_NEAR(p->longitude, -72.029167, 1e-6);
    EXPECT_EQ(p->altitudeFeet, 1234.0);
    EXPECT_EQ(p->comment, "Test  rig");
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
