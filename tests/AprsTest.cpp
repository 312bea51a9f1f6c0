// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the gate to APRS-IS: what is gated, in what words, and the connection to a
// server started by the test.
#include "aprs/AprsGate.h"
#include "aprs/AprsIsClient.h"
#include "aprs/AprsPacket.h"
#include "monitor/Position.h"
#include "sim/Demo.h"
#include "support/CaseName.h"
#include "support/FakeAprsIs.h"
#include "support/Receptions.h"
#include "support/TurnUntil.h"

#include <QCoreApplication>
#include <QHostInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <cstdio>
#include <fstream>

namespace tamsel {
namespace {

constexpr char kLogin[] = "T2GATE-10";

std::string gpsA(const std::string& packet) {
    return gpsASentence(packet);
}

std::string nmea(const std::string& body) {
    return nmeaSentence(body);
}

// A D-PRS identification line: the callsign in 8 characters, the GPSxyz code and overlay.
std::string dprsId(const std::string& call8, const std::string& code) {
    std::string line = call8 + "," + code + " ";
    unsigned x = 0;
    for (char c : line) {
        x ^= static_cast<unsigned char>(c);
    }
    char sum[4];
    std::snprintf(sum, sizeof sum, "*%02X", x);
    line += sum;
    line.resize(29, ' ');
    return line + "\r";
}

// The first fix of a capture in tests/data, RMC and GGA.
std::string firstFix(const char* file) {
    std::ifstream in(std::string(TAMSEL_SOURCE_DIR) + "/tests/data/" + file);
    std::string line, out;
    for (int taken = 0; taken < 2 && std::getline(in, line);) {
        if (line.rfind("$GP", 0) == 0) {
            out += line + "\r\n";
            ++taken;
        }
    }
    return out;
}

// What a gate makes of receptions, one after another, with this station as T2OWN.
std::vector<ReceptionGate::Result> gateAll(const std::vector<std::vector<StationReport>>& rs) {
    ReceptionGate gate;
    gate.setLogin(kLogin);
    gate.setOwnCall("T2OWN   ");
    std::vector<ReceptionGate::Result> out;
    for (const auto& reports : rs) {
        for (const StationReport& r : reports) {
            if (auto result = gate.take(r)) {
                out.push_back(std::move(*result));
            }
        }
    }
    return out;
}

struct GateCase {
    const char* what;
    std::string caller, suffix, message, data;
    std::string packet;               // expected packet; empty with `withheld`, or none at all
    std::optional<Withheld> withheld; // expected reason
};

class Gating : public ::testing::TestWithParam<GateCase> {};

TEST_P(Gating, OnePacketPerReceptionInTheWordsAprsIsTakes) {
    const GateCase& c = GetParam();
    const auto results = gateAll({test::receive(c.caller, c.suffix, c.message, c.data)});
    if (c.packet.empty() && !c.withheld) {
        EXPECT_TRUE(results.empty()) << results.front().outcome.packet;
        return;
    }
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].outcome.withheld, c.withheld);
    EXPECT_EQ(results[0].outcome.packet, c.packet);
    EXPECT_EQ(results[0].caller.substr(0, results[0].caller.find(' ')),
              c.caller.substr(0, c.caller.find(' ')));
}

const std::string kCapture =
    "KO6JXH-7>API52,DSTAR*:/141625z3239.47N/11657.79W[179/000/J.P. HT ID-52PLUS";

INSTANTIATE_TEST_SUITE_P(
    Aprs, Gating,
    ::testing::Values(
        // GPS-A: byte for byte, the q-construct after the path, once however often repeated.
        GateCase{"the capture of an ID-52PLUS",
                 "KO6JXH  ",
                 "    ",
                 "",
                 gpsA(kCapture),
                 "KO6JXH-7>API52,DSTAR*,qAR,T2GATE-10:/141625z3239.47N/11657.79W[179/000/J.P. "
                 "HT ID-52PLUS",
                 {}},
        GateCase{"the same sentence three times in one reception",
                 "KO6JXH  ",
                 "    ",
                 "",
                 gpsA(kCapture) + gpsA(kCapture) + gpsA(kCapture),
                 "KO6JXH-7>API52,DSTAR*,qAR,T2GATE-10:/141625z3239.47N/11657.79W[179/000/J.P. "
                 "HT ID-52PLUS",
                 {}},
        GateCase{"a CRC without the CR",
                 "KI4IFW  ",
                 "    ",
                 "",
                 "$$CRC72C9,KI4IFW-1>APRATS,DSTAR*:=3612.34N/08640.21W[ID-51\r",
                 "KI4IFW-1>APRATS,DSTAR*,qAR,T2GATE-10:=3612.34N/08640.21W[ID-51",
                 {}},
        GateCase{"a degree sign and Shift_JIS bytes go as they came",
                 "JA1ABC  ",
                 "    ",
                 "",
                 gpsA("JA1ABC>API51,DSTAR*:!3540.12N/13945.34E>\xB0 \x93\x8C\x8B\x9E"),
                 "JA1ABC>API51,DSTAR*,qAR,T2GATE-10:!3540.12N/13945.34E>\xB0 \x93\x8C\x8B\x9E",
                 {}},
        GateCase{
            "one CRC digit wrong", "KO6JXH  ", "    ", "", "$$CRC1FC1," + kCapture + "\r", "", {}},
        GateCase{"TCPIP in the path", "T2ABC   ", "    ", "",
                 gpsA("T2ABC>APRS,TCPIP*:!3540.12N/13945.34E>"), "", Withheld::NoGate},
        GateCase{"TCPXX in the path", "T2ABC   ", "    ", "",
                 gpsA("T2ABC>APRS,TCPXX*:!3540.12N/13945.34E>"), "", Withheld::NoGate},
        GateCase{"NOGATE in the path", "T2ABC   ", "    ", "",
                 gpsA("T2ABC>APRS,DSTAR*,NOGATE:!3540.12N/13945.34E>"), "", Withheld::NoGate},
        GateCase{"RFONLY in the path", "T2ABC   ", "    ", "",
                 gpsA("T2ABC>APRS,RFONLY:!3540.12N/13945.34E>"), "", Withheld::NoGate},
        GateCase{"already through a gate", "T2ABC   ", "    ", "",
                 gpsA("T2ABC>APRS,qAR,T2XYZ:!3540.12N/13945.34E>"), "", Withheld::NoGate},
        GateCase{"a source APRS-IS does not take", "T2ABC   ", "    ", "",
                 gpsA("T2ABC-123>APRS:!3540.12N/13945.34E>"), "", Withheld::Malformed},
        GateCase{"an altitude no receiver reaches", "T2ABC   ", "    ", "",
                 gpsA("T2ABC>APRS:!3540.12N/13945.34E>/A=999999"), "", Withheld::Doubtful},
        GateCase{"a NUL in the packet", "T2ABC   ", "    ", "",
                 gpsA(std::string("T2ABC>APRS:!3540.12N/13945.34E>a\0b", 34)), "",
                 Withheld::Unsendable},
        GateCase{"a position out of range",
                 "T2ABC   ",
                 "    ",
                 "",
                 gpsA("T2ABC>APRS:!9140.12N/13945.34E>"),
                 "",
                 {}},
        GateCase{"this station's own transmission", "T2OWN  B", "    ", "",
                 gpsA("T2OWN>APRS:!3540.12N/13945.34E>"), "", Withheld::OwnStation},
        // NMEA: converted, the suffix an SSID where it is one, the message the comment.
        GateCase{"RMC and GGA of one fix, suffix 9",
                 "DL1ABC  ",
                 "9   ",
                 "Unterwegs nach FS",
                 firstFix("driving-to-freising.nmea"),
                 "DL1ABC-9>APDPRS,DSTAR*,qAR,T2GATE-10:!4808.24N/01134.53E>020/060/A=001575 "
                 "Unterwegs nach FS",
                 {}},
        GateCase{"a suffix that is no SSID",
                 "DL1ABC  ",
                 "ID51",
                 "",
                 nmea("GPRMC,090000.00,A,4808.2440,N,01134.5300,E,0.0,,081226,,,A"),
                 "DL1ABC>APDPRS,DSTAR*,qAR,T2GATE-10:!4808.24N/01134.53E>000/000",
                 {}},
        GateCase{"unpadded longitude and latitude",
                 "EA1ABC  ",
                 "M   ",
                 "",
                 nmea("GPGGA,101500.00,4012.3456,N,345.6789,W,1,08,1.0,650.0,M,50.0,M,,") +
                     nmea("GPGGA,101501.00,812.3456,S,1345.6789,E,1,08,1.0,-12.0,M,50.0,M,,"),
                 "EA1ABC-M>APDPRS,DSTAR*,qAR,T2GATE-10:!0812.35S/01345.68E>/A=-00039",
                 {}},
        GateCase{"north is 360, a Shift_JIS message kept",
                 "JA1ABC  ",
                 "10  ",
                 "\x93\x8C\x8B\x9E\x82\xC9\x82\xA2\x82\xDC\x82\xB7",
                 nmea("GPRMC,120000,A,3540.1200,N,13945.3400,E,12.4,0.0,081226,,"),
                 "JA1ABC-10>APDPRS,DSTAR*,qAR,T2GATE-10:!3540.12N/13945.34E>360/012 "
                 "\x93\x8C\x8B\x9E\x82\xC9\x82\xA2\x82\xDC\x82\xB7",
                 {}},
        GateCase{"an impossible speed", "DL1ABC  ", "    ", "",
                 nmea("GPRMC,090000.00,A,4808.2440,N,01134.5300,E,5000.0,020.0,081226,,,A"), "",
                 Withheld::Doubtful},
        GateCase{"a wrong checksum",
                 "DL1ABC  ",
                 "    ",
                 "",
                 "$GPRMC,090000.00,A,4808.2440,N,01134.5300,E,60.0,020.0,081226,,,A*00\r\n",
                 "",
                 {}},
        GateCase{"the symbol of the radio's identification line",
                 "DL1ABC  ",
                 "9   ",
                 "",
                 firstFix("driving-to-freising.nmea") + dprsId("DL1ABC 9", "BN "),
                 "DL1ABC-9>APDPRS,DSTAR*,qAR,T2GATE-10:!4808.24N/01134.53E-020/060/A=001575",
                 {}},
        GateCase{"a comment that would read as course and speed",
                 "F5aad   ",
                 "    ",
                 "088/036 hello",
                 nmea("GPGGA,101018,4851.5000,N,00221.0000,E,1,08,1.0,,M,,M,,"),
                 "F5AAD>APDPRS,DSTAR*,qAR,T2GATE-10:!4851.50N/00221.00E> 088/036 hello",
                 {}},
        GateCase{"a weather symbol from the identification line: no course and speed",
                 "DL1ABC  ",
                 "9   ",
                 "",
                 firstFix("driving-to-freising.nmea") + dprsId("DL1ABC 9", "HW "),
                 "DL1ABC-9>APDPRS,DSTAR*,qAR,T2GATE-10:!4808.24N/01134.53E_/A=001575",
                 {}},
        GateCase{"a path's words in lower case", "T2ABC   ", "    ", "",
                 gpsA("T2ABC>APRS,tcpip*:!3540.12N/13945.34E>"), "", Withheld::NoGate},
        GateCase{"a radio's unset callsign", "NOCALL  ", "    ", "",
                 gpsA("NOCALL>APRS,DSTAR*:=4807.04N/01131.00E-nocall"), "", Withheld::Malformed},
        GateCase{"a callsign APRS-IS does not take", "DL/ABC  ", "    ", "",
                 nmea("GPRMC,090000.00,A,4808.2440,N,01134.5300,E,60.0,020.0,081226,,,A"), "",
                 Withheld::Malformed}),
    test::ByWhat());

// The symbol a station's GPS-A gave goes with its NMEA later: by callsign and SSID, and
// never a weather station's, whose course would read as the wind.
TEST(Aprs, AnNmeaStationKeepsTheSymbolItsGpsAGaveAndEachReceptionGatesOnce) {
    const std::string rmc = nmea("GPRMC,090000.00,A,4808.2440,N,01134.5300,E,0.0,,081226,,,A");
    const auto results = gateAll({
        test::receive("DL1ABC  ", "    ", "", gpsA("DL1ABC>APRS:!4808.24N\\01134.53Ek")),
        test::receive("DL1ABC  ", "    ", "", rmc + rmc),
        test::receive("DL1ABC  ", "7   ", "", rmc),
        test::receive("DL2XYZ  ", "13  ", "",
                      gpsA("DL2XYZ-13>API51,DSTAR*:!4903.50N/07201.75W_220/004g005t077")),
        test::receive("DL2XYZ  ", "13  ", "", rmc),
        // A compressed position's overlay "a" is the digit 0 in a plain one.
        test::receive("DL3ABC  ", "    ", "", gpsA("DL3ABC>APRS:!a5L!!<*e7>7P[")),
        test::receive("DL3ABC  ", "    ", "", rmc),
    });
    ASSERT_EQ(results.size(), 7u);
    EXPECT_EQ(results[6].outcome.packet,
              "DL3ABC>APDPRS,DSTAR*,qAR,T2GATE-10:!4808.24N001134.53E>000/000");
    EXPECT_EQ(results[1].outcome.packet,
              "DL1ABC>APDPRS,DSTAR*,qAR,T2GATE-10:!4808.24N\\01134.53Ek000/000");
    EXPECT_EQ(results[2].outcome.packet,
              "DL1ABC-7>APDPRS,DSTAR*,qAR,T2GATE-10:!4808.24N/01134.53E>000/000");
    EXPECT_EQ(results[4].outcome.packet,
              "DL2XYZ-13>APDPRS,DSTAR*,qAR,T2GATE-10:!4808.24N/01134.53E>000/000");
}

TEST(Aprs, TheIdentificationLineNamesTheSymbol) {
    const struct {
        const char* code;
        std::optional<std::string> symbol;
    } rows[] = {
        {"MV ", "/>"},         {"BN ", "/-"},         {"PB ", "/B"},  {"P5 ", "/5"},
        {"LA ", "/a"},         {"HS ", "/["},         {"J4 ", "/~"},  {"OB ", "\\!"},
        {"NV5", "5>"},         {"AA ", "\\A"},        {"SZ ", "\\z"}, {"Q1 ", "\\{"},
        {"ZZ ", std::nullopt}, {"P! ", std::nullopt},
    };
    for (const auto& r : rows) {
        std::string line = dprsId("DL1ABC 9", r.code);
        EXPECT_EQ(dprsIdentification(line), r.symbol) << r.code;
    }
    std::string wrong = dprsId("DL1ABC 9", "MV ");
    wrong[0] = 'E';
    EXPECT_EQ(dprsIdentification(wrong), std::nullopt);
}

TEST(Aprs, SourcesLengthsAndCallsigns) {
    const struct {
        const char* caller;
        const char* suffix;
        std::optional<std::string> source;
    } sources[] = {
        {"T2ABC   ", "9   ", "T2ABC-9"},    {"T2ABC  B", "10  ", "T2ABC-10"},
        {"T2ABC   ", "ID51", "T2ABC"},      {"T2ABC   ", "    ", "T2ABC"},
        {"T2ABC   ", "1 2 ", "T2ABC"},      {"T2ABCDEF", "99  ", "T2ABCDEF"},
        {"T2A/BC  ", "9   ", std::nullopt}, {"        ", "9   ", std::nullopt},
    };
    for (const auto& s : sources) {
        EXPECT_EQ(aprsSourceCall(s.caller, s.suffix), s.source) << s.caller << '|' << s.suffix;
    }
    // A packet of 510 bytes goes; one more byte and it does not.
    const std::string head = "T2ABC>APRS:!3540.12N/13945.34E>";
    const std::size_t room =
        kAprsIsMaxPacket - head.size() - std::string(",qAR,").size() - std::string(kLogin).size();
    EXPECT_EQ(gateGpsA(head + std::string(room, 'x'), kLogin).packet.size(), kAprsIsMaxPacket);
    EXPECT_EQ(gateGpsA(head + std::string(room + 1, 'x'), kLogin).withheld, Withheld::TooLong);
}

// ---- The connection, against a server started here ------------------------------------

class AprsConnection : public ::testing::Test {
protected:
    void configure(quint16 port, const char* host = "127.0.0.1", const char* passcode = "12345") {
        gate.client().setTiming({std::chrono::milliseconds(100), std::chrono::milliseconds(400),
                                 std::chrono::seconds(10)});
        AprsSettings s;
        s.gate = true;
        s.server = QStringLiteral("%1:%2").arg(QLatin1String(host)).arg(port);
        s.login = QString::fromLatin1(kLogin);
        s.passcode = QLatin1String(passcode);
        gate.configure(s, QStringLiteral("T2OWN"));
    }
    void hear(const std::string& data) {
        for (const StationReport& r : test::receive("KO6JXH  ", "    ", "", data)) {
            gate.take(r);
        }
    }

    int argc = 1;
    char name[8] = "aprs";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
    AprsGate gate{QStringLiteral("1.2.3")};
};

TEST_F(AprsConnection, LogsInGatesAndSaysSo) {
    test::FakeAprsIs server(true);
    std::vector<std::string> gated;
    QObject::connect(&gate, &AprsGate::gated,
                     [&](const std::string& caller, auto) { gated.push_back(caller); });
    configure(server.port());
    ASSERT_TRUE(turnUntil([&] { return gate.client().state() == AprsIsClient::State::Verified; }));
    ASSERT_EQ(server.logins.size(), 1u);
    EXPECT_EQ(server.logins[0], "user T2GATE-10 pass 12345 vers Tamsel 1.2.3\r\n");
    EXPECT_EQ(gate.connectionText(), "Connected to T2TEST, verified");
    hear(gpsA(kCapture));
    ASSERT_TRUE(turnUntil([&] { return !server.lines.empty(); }));
    EXPECT_EQ(server.lines[0],
              "KO6JXH-7>API52,DSTAR*,qAR,T2GATE-10:/141625z3239.47N/11657.79W[179/000/J.P. HT "
              "ID-52PLUS\r\n");
    EXPECT_EQ(gated, std::vector<std::string>{"KO6JXH  "});
    EXPECT_EQ(gate.statusLine(), "APRS-IS: connected, 1 gated");
}

// The demo's made-up stations never reach the APRS network: only a server on this computer.
TEST_F(AprsConnection, TheDemoGatesToThisComputerOnly) {
    AprsGate::localOnly() = true;
    AprsSettings s;
    s.gate = true;
    s.server = QStringLiteral("rotate.aprs2.net:14580");
    s.passcode = QStringLiteral("12345");
    gate.configure(s, QStringLiteral("T2OWN"));
    EXPECT_EQ(gate.client().state(), AprsIsClient::State::Off);
    EXPECT_EQ(gate.statusLine(), "APRS-IS: the demo's stations are made up; it gates to a server "
                                 "on this computer only");
    test::FakeAprsIs server(true);
    configure(server.port());
    EXPECT_TRUE(turnUntil([&] { return gate.client().state() == AprsIsClient::State::Verified; }));
    AprsGate::localOnly() = false;
}

TEST_F(AprsConnection, WithoutAPasscodeNothingIsGated) {
    test::FakeAprsIs server(false);
    configure(server.port(), "127.0.0.1", "");
    ASSERT_TRUE(
        turnUntil([&] { return gate.client().state() == AprsIsClient::State::Unverified; }));
    EXPECT_EQ(server.logins[0], "user T2GATE-10 pass -1 vers Tamsel 1.2.3\r\n");
    EXPECT_EQ(gate.connectionText(), "Connected to T2TEST, unverified: nothing is gated");
    hear(gpsA(kCapture));
    // Whatever the client wrote is out of its hands, and then in the server's.
    ASSERT_TRUE(turnUntil([&] { return gate.client().unsent() == 0; }));
    for (QTcpSocket* s : server.clients) {
        if (s->waitForReadyRead(200)) {
            server.read(s);
        }
    }
    EXPECT_TRUE(server.lines.empty());
    EXPECT_EQ(gate.gatedCount(), 0u);
}

// A server that talks but never answers the login is left, and tried again later.
TEST_F(AprsConnection, ALoginNeverAnsweredIsTriedAgain) {
    test::FakeAprsIs server(true, false);
    gate.client().setTiming({std::chrono::milliseconds(100), std::chrono::milliseconds(400),
                             std::chrono::seconds(10), std::chrono::milliseconds(300)});
    AprsSettings s{true, QStringLiteral("127.0.0.1:%1").arg(server.port()),
                   QString::fromLatin1(kLogin), QStringLiteral("12345")};
    gate.configure(s, QStringLiteral("T2OWN"));
    ASSERT_TRUE(turnUntil([&] { return gate.client().state() == AprsIsClient::State::Waiting; }));
    EXPECT_EQ(gate.client().problem(), "The server did not answer the login.");
    EXPECT_EQ(server.logins.size(), 1u);
}

// A new passcode logs in again straight away, never passing through "off"; turned on in the
// middle of a reception, the gate knows whose it is.
TEST_F(AprsConnection, SettingsChangedWhileOnAndTheGateTurnedOnMidReception) {
    test::FakeAprsIs server(true);
    configure(server.port());
    ASSERT_TRUE(turnUntil([&] { return gate.client().state() == AprsIsClient::State::Verified; }));
    std::vector<AprsIsClient::State> states;
    QObject::connect(&gate.client(), &AprsIsClient::stateChanged,
                     [&] { states.push_back(gate.client().state()); });
    configure(server.port(), "127.0.0.1", "23456");
    ASSERT_TRUE(turnUntil([&] { return server.logins.size() == 2; }));
    ASSERT_TRUE(turnUntil([&] { return gate.client().state() == AprsIsClient::State::Verified; }));
    EXPECT_EQ(std::count(states.begin(), states.end(), AprsIsClient::State::Off), 0);

    const std::string rmc = nmea("GPRMC,090000.00,A,4808.2440,N,01134.5300,E,0.0,,081226,,,A");
    const auto aaa = test::receive("T2AAA   ", "    ", "", rmc);
    const auto bbb = test::receive(
        "T2BBB   ", "    ", "", nmea("GPRMC,090000.00,A,3540.1200,N,13945.3400,E,0.0,,081226,,,A"));
    AprsSettings off{false, QStringLiteral("127.0.0.1:%1").arg(server.port()),
                     QString::fromLatin1(kLogin), QStringLiteral("23456")};
    for (const StationReport& r : aaa) {
        if (r.kind == StationReport::Kind::End) {
            gate.configure(off, QStringLiteral("T2OWN")); // off before T2AAA's over ends
        }
        gate.take(r);
    }
    for (const StationReport& r : bbb) {
        if (r.kind == StationReport::Kind::End) {
            configure(server.port(), "127.0.0.1", "23456"); // on again before T2BBB's ends
            ASSERT_TRUE(
                turnUntil([&] { return gate.client().state() == AprsIsClient::State::Verified; }));
        }
        gate.take(r);
    }
    ASSERT_TRUE(turnUntil([&] { return !server.lines.empty(); }));
    EXPECT_EQ(server.lines,
              std::vector<QByteArray>{
                  "T2BBB>APDPRS,DSTAR*,qAR,T2GATE-10:!3540.12N/13945.34E>000/000\r\n"});
}

TEST_F(AprsConnection, ALostConnectionIsSaidOnceRetriedLaterAndNothingWaitsForIt) {
    test::FakeAprsIs server(true);
    int lost = 0;
    QObject::connect(&gate, &AprsGate::lost, [&] { ++lost; });
    configure(server.port(), "localhost");
    ASSERT_TRUE(turnUntil([&] { return gate.client().state() == AprsIsClient::State::Verified; }));
    // Each try, its delay and the address it used.
    std::vector<std::chrono::milliseconds> delays;
    std::vector<QHostAddress> tried;
    QObject::connect(&gate.client(), &AprsIsClient::stateChanged, [&] {
        if (gate.client().state() == AprsIsClient::State::Waiting) {
            delays.push_back(gate.client().retryIn());
            tried.push_back(gate.client().address());
        }
    });
    // The server goes away: retries after 100, 200, 400, 400 ms, none of them news.
    const quint16 port = server.port();
    server.server.close();
    server.dropAll();
    ASSERT_TRUE(turnUntil([&] { return gate.client().state() == AprsIsClient::State::Waiting; }));
    hear(gpsA(kCapture)); // heard while disconnected: dropped, never sent late
    ASSERT_TRUE(turnUntil([&] { return delays.size() >= 4; }));
    using std::chrono::milliseconds;
    EXPECT_EQ(delays[0], milliseconds(100));
    EXPECT_EQ(delays[1], milliseconds(200));
    EXPECT_EQ(delays[2], milliseconds(400));
    EXPECT_EQ(delays[3], milliseconds(400));
    EXPECT_EQ(lost, 1);
    // Another address of the name each time, where it has more than one.
    if (QHostInfo::fromName(QStringLiteral("localhost")).addresses().size() > 1) {
        EXPECT_NE(tried[1], tried[2]);
    }
    // The server is back on the same port: logged in again, and only what is heard now goes.
    ASSERT_TRUE(server.server.listen(QHostAddress::Any, port));
    ASSERT_TRUE(turnUntil([&] { return gate.client().state() == AprsIsClient::State::Verified; }));
    hear(gpsA("T2NEW>APRS:!3540.12N/13945.34E>"));
    ASSERT_TRUE(turnUntil([&] { return !server.lines.empty(); }));
    EXPECT_EQ(server.lines,
              std::vector<QByteArray>{"T2NEW>APRS,qAR,T2GATE-10:!3540.12N/13945.34E>\r\n"});
    EXPECT_EQ(lost, 1);
}

} // namespace
} // namespace tamsel
