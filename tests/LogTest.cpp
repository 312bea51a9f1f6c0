// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the reception log, the ADIF writer and the WSJT-X datagrams.
#include "log/Adif.h"
#include "log/LogSettings.h"
#include "log/ReceptionLog.h"
#include "log/Wsjtx.h"
#include "monitor/HeardList.h"
#include "monitor/HistoryLine.h"
#include "monitor/RadioHeader.h"
#include "station/Units.h"
#include "support/TimeZone.h"

#include <QDataStream>
#include <QDateTime>
#include <QIODevice>
#include <clocale>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <variant>

namespace tamsel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

UtcTime at(const char* iso) {
    return *parseUtcIso(iso);
}

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct TempFolder {
    TempFolder() {
        char name[] = "/tmp/tamsel-log-XXXXXX";
        path = mkdtemp(name);
    }
    ~TempFolder() { fs::remove_all(path); }
    fs::path path;
};

StationReport reception(const char* start, const std::string& caller) {
    StationReport r;
    r.kind = StationReport::Kind::End;
    r.utcStart = at(start);
    r.duration = 12500ms;
    r.caller = caller;
    r.suffix = "ID51";
    r.called = "CQCQCQ  ";
    r.rpt1 = "JR1WN  B";
    r.rpt2 = "JR1WN  G";
    r.flags = {0x41, 0x00, 0x01};
    r.controlCode = 1;
    r.message = "Hello, \"world\"      ";
    return r;
}

// The machine's end-of-reception report carries the whole header, the time and the positions.
TEST(ReceptionEnd, TheMonitorReportsTheWholeReceptionOnceAtItsEnd) {
    UtcTime clock = at("2026-12-08T09:00:00Z");
    ReceptionMachine machine([] { return std::string("2026/12/08 18:00:00"); },
                             [&clock] { return clock; });
    std::vector<ReceptionUpdate> updates;
    std::vector<StationReport> reports;
    std::vector<std::uint8_t> h(kHeaderSize, ' ');
    h[0] = 0x41;
    h[2] = 0x07;
    const std::string routes = "JR1WN  GJR1WN  BCQCQCQ  JA1ABC  ID51";
    std::copy(routes.begin(), routes.end(), h.begin() + kRpt2Offset);
    machine.feed(41, h, updates, reports);
    clock += 3200ms;
    const std::string nmea = [] {
        std::string body = "GPRMC,092751,A,3539.0000,N,13945.0000,E,0.0,0.0,081226,,";
        unsigned sum = 0;
        for (char c : body) {
            sum ^= static_cast<unsigned char>(c);
        }
        char tail[8];
        std::snprintf(tail, sizeof tail, "*%02X\r", sum);
        return "$" + body + tail;
    }();
    std::vector<std::uint8_t> slow = {'@', 'H', 'i', ' ', 't', 'h'};
    for (std::size_t i = 0; i < nmea.size(); i += 5) {
        const std::size_t n = std::min<std::size_t>(5, nmea.size() - i);
        slow.push_back(static_cast<std::uint8_t>(0x30 + n));
        slow.insert(slow.end(), nmea.begin() + static_cast<long>(i),
                    nmea.begin() + static_cast<long>(i + n));
        slow.resize(slow.size() + 5 - n, 0x66);
    }
    const std::uint8_t active = 0x02, ended = 0x00;
    for (std::size_t i = 0; i < slow.size(); i += 6) {
        machine.feed(6, std::span(slow).subspan(i, 6), updates, reports);
        machine.feed(1, std::span(&active, 1), updates, reports);
    }
    reports.clear();
    machine.feed(0, {}, updates, reports); // a slow-data read with nothing
    machine.feed(1, std::span(&ended, 1), updates, reports);
    ASSERT_EQ(reports.size(), 1u);
    const StationReport& end = reports[0];
    EXPECT_EQ(end.kind, StationReport::Kind::End);
    EXPECT_EQ(end.caller, "JA1ABC  ");
    EXPECT_EQ(end.rpt1, "JR1WN  B");
    EXPECT_EQ(end.rpt2, "JR1WN  G");
    EXPECT_EQ(end.called, "CQCQCQ  ");
    EXPECT_EQ(end.flags, (std::array<std::uint8_t, 3>{0x41, 0x20, 0x07}));
    EXPECT_EQ(end.controlCode, 1);
    EXPECT_EQ(end.utcStart, at("2026-12-08T09:00:00Z"));
    EXPECT_EQ(end.duration, 3200ms);
    EXPECT_EQ(end.time, "2026/12/08 18:00:00");
    EXPECT_EQ(end.message.substr(0, 5), "Hi th");
    ASSERT_EQ(end.positions.size(), 1u);
    EXPECT_NEAR(end.positions[0].latitude, 35.65, 1e-9);
}

TEST(ReceptionCsv, LinesQuoteWhatNeedsItAndReadBack) {
    StationReport r = reception("2026-12-08T09:27:41Z", "JA1ABC  ");
    EXPECT_EQ(receptionCsvLine(r),
              "2026-12-08T09:27:41Z,12.5,JA1ABC,ID51,CQCQCQ,JR1WN  B,JR1WN  G,"
              "41 00 01,Relay Unavailable,\"Hello, \"\"world\"\"\",,,,,,,,\r\n");
    r.caller = "DL\xC4\xD6K"; // Latin-1 from the air, UTF-8 in the file
    r.message = "line\r\nbreak";
    Position p;
    p.latitude = -33.5;
    p.longitude = 151.25;
    p.course = 90;
    p.speedKnots = 12.25;
    p.comment = "a,b";
    r.positions = {p};
    const std::string line = receptionCsvLine(r);
    EXPECT_NE(line.find(",DL\xC3\x84\xC3\x96K,"), std::string::npos) << line;
    EXPECT_NE(line.find(",-33.50000,151.25000,QF56pm,90,12.2,,,\"a,b\"\r\n"), std::string::npos)
        << line;
    const auto back = parseReceptionCsv(kReceptionCsvHeader + line);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].caller, "DL\xC4\xD6K");
    EXPECT_EQ(back[0].message, "line\r\nbreak");
    EXPECT_EQ(back[0].utcStart, r.utcStart);
    EXPECT_EQ(back[0].duration, 12500ms);
    EXPECT_EQ(back[0].flags, r.flags);
    EXPECT_EQ(back[0].controlCode, 1);
    ASSERT_EQ(back[0].positions.size(), 1u);
    EXPECT_EQ(back[0].positions[0].comment, "a,b");
    EXPECT_EQ(back[0].positions[0].course, 90);
}

TEST(ReceptionCsv, ALineAPowerLossCutShortIsPassedOverAndTheNextStartsClean) {
    TempFolder dir;
    const fs::path file = dir.path / receptionFileName(at("2026-12-08T10:00:00Z"));
    const std::string whole = receptionCsvLine(reception("2026-12-08T10:00:00Z", "JA1ABC"));
    std::ofstream(file, std::ios::binary)
        << kReceptionCsvHeader << whole << whole.substr(0, whole.size() / 2);
    ReceptionLog log(dir.path);
    EXPECT_FALSE(log.append(reception("2026-12-08T10:05:00Z", "JA2XYZ")));
    const auto back = parseReceptionCsv(slurp(file));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].caller, "JA1ABC");
    EXPECT_EQ(back[1].caller, "JA2XYZ");
}

TEST(ReceptionLogFiles, OneFilePerUtcDayEachWithOneHeader) {
    TempFolder dir;
    ReceptionLog log(dir.path);
    for (const char* t : {"2026-12-07T23:59:58Z", "2026-12-08T00:00:01Z", "2026-12-08T13:00:00Z"}) {
        EXPECT_FALSE(log.append(reception(t, "JA1ABC")));
    }
    const std::string first = slurp(dir.path / "receptions-2026-12-07.csv");
    const std::string second = slurp(dir.path / "receptions-2026-12-08.csv");
    EXPECT_EQ(first.find(kReceptionCsvHeader), 0u);
    EXPECT_EQ(second.find(kReceptionCsvHeader), 0u);
    EXPECT_EQ(second.find(kReceptionCsvHeader, 1), std::string::npos);
    EXPECT_EQ(parseReceptionCsv(first).size(), 1u);
    EXPECT_EQ(parseReceptionCsv(second).size(), 2u);
}

TEST(ReceptionLogFiles, RetentionRemovesOnlyDayFilesPastIt) {
    TempFolder dir;
    for (const char* name : {"receptions-2026-09-08.csv", "receptions-2026-09-09.csv",
                             "receptions-2026-12-08.csv", "receptions-notes.csv", "tamsel.adi"}) {
        std::ofstream(dir.path / name) << "x";
    }
    // 90 days before 2026-12-08 is 2026-09-09: that day is still kept.
    const auto removed = removeExpiredReceptionFiles(dir.path, at("2026-12-08T12:00:00Z"), 90);
    EXPECT_EQ(removed, std::vector<fs::path>{dir.path / "receptions-2026-09-08.csv"});
    for (const char* kept : {"receptions-2026-09-09.csv", "receptions-2026-12-08.csv",
                             "receptions-notes.csv", "tamsel.adi"}) {
        EXPECT_TRUE(fs::exists(dir.path / kept)) << kept;
    }
}

TEST(ReceptionLogFiles, TheLastDayIsReadBackAcrossMidnight) {
    TempFolder dir;
    ReceptionLog log(dir.path);
    for (const auto& [t, call] :
         std::vector<std::pair<const char*, const char*>>{{"2026-12-07T08:00:00Z", "OLD"},
                                                          {"2026-12-07T10:00:00Z", "JA1ABC"},
                                                          {"2026-12-08T09:00:00Z", "JA2XYZ"}}) {
        log.append(reception(t, call));
    }
    const auto recent = readRecentReceptions(dir.path, at("2026-12-08T09:30:00Z"));
    ASSERT_EQ(recent.size(), 2u);
    EXPECT_EQ(recent[0].caller, "JA1ABC");
    EXPECT_EQ(recent[1].caller, "JA2XYZ");
    EXPECT_EQ(recent[1].time, localText(at("2026-12-08T09:00:00Z")));
    const auto live = liveReports(recent[1]);
    ASSERT_EQ(live.size(), 3u);
    EXPECT_EQ(live[0].kind, StationReport::Kind::Heard);
    EXPECT_EQ(live[1].kind, StationReport::Kind::Message);
    EXPECT_EQ(live[2].kind, StationReport::Kind::End);
    EXPECT_EQ(live[2].duration, recent[1].duration);
}

// Each run of failures is told once, and so is the log working again; a log switched off
// writes nothing and tells nothing.
TEST(ReceptionLogFiles, EachNewFailureIsToldOnceAndSoIsTheRecovery) {
    TempFolder dir;
    const fs::path folder = dir.path / "log";
    std::ofstream(folder) << "a file where the folder should be";
    ReceptionLog log(folder);
    const auto append = [&log](const char* t) { return log.append(reception(t, "JA1ABC")); };
    const auto first = append("2026-12-08T10:00:00Z");
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->failed);
    EXPECT_NE(first->reason.find("log"), std::string::npos) << first->reason;
    EXPECT_FALSE(append("2026-12-08T10:01:00Z")); // the same failure: told already

    fs::remove(folder);
    const auto recovered = append("2026-12-08T10:02:00Z");
    ASSERT_TRUE(recovered);
    EXPECT_FALSE(recovered->failed);
    EXPECT_FALSE(append("2026-12-08T10:03:00Z"));

    fs::remove_all(folder);
    std::ofstream(folder) << "in the way again";
    const auto again = append("2026-12-08T10:04:00Z");
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->failed);

    log.setEnabled(false);
    fs::remove(folder);
    EXPECT_FALSE(append("2026-12-08T10:05:00Z"));
    EXPECT_FALSE(fs::exists(folder));
    log.setEnabled(true);
    EXPECT_TRUE(append("2026-12-08T10:06:00Z")); // works again after the failure: told
    EXPECT_EQ(parseReceptionCsv(slurp(folder / "receptions-2026-12-08.csv")).size(), 1u);
}

// A console left running keeps only the days the retention allows, as it is set now.
TEST(ReceptionLogFiles, ANewDayRemovesTheDaysPastTheRetention) {
    TempFolder dir;
    std::ofstream(dir.path / "receptions-2026-12-01.csv") << "x";
    std::ofstream(dir.path / "receptions-2026-12-05.csv") << "x";
    ReceptionLog log(dir.path, 90);
    log.append(reception("2026-12-08T23:00:00Z", "JA1ABC"));
    EXPECT_TRUE(fs::exists(dir.path / "receptions-2026-12-01.csv"));
    log.setRetentionDays(3);
    log.append(reception("2026-12-09T00:01:00Z", "JA1ABC"));
    EXPECT_FALSE(fs::exists(dir.path / "receptions-2026-12-01.csv"));
    EXPECT_FALSE(fs::exists(dir.path / "receptions-2026-12-05.csv"));
    EXPECT_TRUE(fs::exists(dir.path / "receptions-2026-12-08.csv"));
}

// Text from the air that a spreadsheet would run is written as text, and read back as it came.
TEST(ReceptionCsv, FormulasFromTheAirNeverRunAndReadBackAsSent) {
    const struct {
        std::string message;
        std::string cell; // as it stands in the line
    } rows[] = {
        {"=HYPERLINK(\"http://x\")", "\"'=HYPERLINK(\"\"http://x\"\")\""},
        {"@SUM(1+1)*cmd|' /C calc'!A0", "'@SUM(1+1)*cmd|' /C calc'!A0"},
        {"+4912345", "+4912345"}, // a plain number is data
        {"-1+1", "'-1+1"},
        {"\tx", "'\tx"},
        {"'=1", "''=1"}, // a guard of its own is kept apart from ours
        {"'hello", "'hello"},
        {"Hi", "Hi"},
    };
    for (const auto& r : rows) {
        StationReport end = reception("2026-12-08T09:27:41Z", "JA1ABC");
        end.message = r.message;
        const std::string line = receptionCsvLine(end);
        EXPECT_NE(line.find(",Relay Unavailable," + r.cell + ","), std::string::npos) << line;
        const auto back = parseReceptionCsv(line);
        ASSERT_EQ(back.size(), 1u) << r.message;
        EXPECT_EQ(back[0].message, r.message);
    }
}

// A line a crash cut anywhere, also inside a quoted field, hides none of the lines after it.
TEST(ReceptionCsv, ATornLineHidesNothingAfterIt) {
    StationReport quoted = reception("2026-12-08T10:00:00Z", "JA1ABC");
    quoted.message = "hello, \"world\"";
    const std::string whole = receptionCsvLine(quoted);
    for (const std::size_t cut :
         {whole.find("\"hel") + 4, whole.find("world") + 2, std::size_t{5}, whole.size() - 3}) {
        TempFolder dir;
        const fs::path file = dir.path / receptionFileName(at("2026-12-08T10:00:00Z"));
        std::ofstream(file, std::ios::binary) << kReceptionCsvHeader << whole.substr(0, cut);
        ReceptionLog log(dir.path);
        for (const char* call : {"JA2XYZ", "JA3XYZ", "JA4XYZ"}) {
            log.append(reception("2026-12-08T10:05:00Z", call));
        }
        const auto back = parseReceptionCsv(slurp(file));
        std::vector<std::string> calls;
        for (const auto& r : back) {
            calls.push_back(r.caller);
        }
        EXPECT_EQ(calls, (std::vector<std::string>{"JA2XYZ", "JA3XYZ", "JA4XYZ"})) << "cut " << cut;
    }
}

// Damaged lines give no impossible values: the line or the field is left out.
TEST(ReceptionCsv, DamagedValuesAreDroppedOnReadingBack) {
    StationReport good = reception("2026-12-08T10:00:00Z", "JA1ABC");
    Position p;
    p.latitude = 35.5;
    p.longitude = 139.5;
    p.course = 90;
    p.speedKnots = 10;
    p.altitudeFeet = 100;
    good.positions = {p};
    const std::string line = receptionCsvLine(good);
    const auto replace = [&line](std::size_t column, const std::string& value) {
        const auto cells = splitCsv(line).front().fields;
        std::string out;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            out += (i == 0 ? "" : ",") + (i == column ? value : csvField(cells[i]));
        }
        return out + "\r\n";
    };
    enum class Left { NoPosition, Nothing, Position, Course, Speed, Altitude, Whole };
    const struct {
        std::size_t column;
        std::string value;
        Left left;
    } rows[] = {
        {0, "2026-13-45T99:99:99Z", Left::Nothing},
        {0, "2026-02-30T10:00:00Z", Left::Nothing},
        {0, "1013-12-08T09:27:41Z", Left::Nothing}, // beyond the clock's range
        {0, "9999-12-08T09:27:41Z", Left::Nothing},
        {1, "1e300", Left::Nothing},
        {1, "-5", Left::Nothing},
        {1, "nan", Left::Nothing},
        {10, "nan", Left::NoPosition},
        {11, "inf", Left::NoPosition},
        {10, "91", Left::NoPosition},
        {11, "-180.5", Left::NoPosition},
        {13, "-2147483648", Left::Course},
        {13, "400", Left::Course},
        {14, "-5", Left::Speed},
        {14, "nan", Left::Speed},
        {15, "1e300", Left::Altitude},
        {13, "359", Left::Whole},
    };
    for (const auto& r : rows) {
        const auto back = parseReceptionCsv(replace(r.column, r.value));
        const std::string what = std::to_string(r.column) + " = " + r.value;
        if (r.left == Left::Nothing) {
            EXPECT_TRUE(back.empty()) << what;
            continue;
        }
        ASSERT_EQ(back.size(), 1u) << what;
        if (r.left == Left::NoPosition) {
            EXPECT_TRUE(back[0].positions.empty()) << what;
            continue;
        }
        ASSERT_EQ(back[0].positions.size(), 1u) << what;
        const Position& q = back[0].positions[0];
        EXPECT_EQ(q.course.has_value(), r.left != Left::Course) << what;
        EXPECT_EQ(q.speedKnots.has_value(), r.left != Left::Speed) << what;
        EXPECT_EQ(q.altitudeFeet.has_value(), r.left != Left::Altitude) << what;
    }
}

// Appends hold the file's lock while they write, so another console waits its turn; a
// write the disk cut short is taken back whole and the next record starts clean.
TEST(ReceptionLogFiles, AppendsTakeTurnsAndAShortWriteIsTakenBack) {
    TempFolder dir;
    const fs::path path = dir.path / "x.csv";
    AppendFile file;
    ASSERT_EQ(file.open(path), "");
    bool othersLockedOut = false;
    file.whileLocked = [&] {
        const int other = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        othersLockedOut = flock(other, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        ::close(other);
    };
    EXPECT_EQ(file.append("one\r\n", "head\r\n"), "");
    EXPECT_TRUE(othersLockedOut);
    file.whileLocked = nullptr;

    // A full disk, as far as this process sees it: the file may not grow past 16 bytes.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16, 16};
        setrlimit(RLIMIT_FSIZE, &limit);
        const std::string error = file.append("a record too long to fit\r\n");
        _exit(error.find("No space") != std::string::npos ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(slurp(path), "head\r\none\r\n");
    EXPECT_EQ(file.append("two\r\n"), "");
    EXPECT_EQ(slurp(path), "head\r\none\r\ntwo\r\n");
}

// A writer killed in the middle of its work leaves every line before it whole.
TEST(ReceptionLogFiles, KillNineLeavesEveryEarlierLineWhole) {
    TempFolder dir;
    const fs::path file = dir.path / receptionFileName(at("2026-12-08T10:00:00Z"));
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ReceptionLog log(dir.path);
        StationReport r = reception("2026-12-08T10:00:00Z", "JA1ABC");
        r.message = std::string(20, 'M');
        for (int i = 0;; ++i) {
            r.duration = std::chrono::milliseconds(i * 100);
            log.append(r);
            if (i == 50) {
                (void)!write(ready[1], "x", 1);
            }
        }
    }
    close(ready[1]);
    char x = 0;
    ASSERT_EQ(read(ready[0], &x, 1), 1); // fifty lines are written
    close(ready[0]);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    const std::string text = slurp(file);
    const std::size_t lastBreak = text.rfind('\n');
    const auto lines = parseReceptionCsv(text.substr(0, lastBreak + 1));
    ASSERT_GT(lines.size(), 50u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i].duration, std::chrono::milliseconds(i * 100)) << "line " << i;
        ASSERT_EQ(lines[i].message, std::string(20, 'M'));
    }
    // Whatever follows the last line break is the one line under way, never more.
    EXPECT_LT(text.size() - lastBreak - 1,
              receptionCsvLine(reception("2026-12-08T10:00:00Z", "JA1ABC")).size() + 40);
}

TEST(Adif, BandsFromTheBandTable) {
    const std::vector<std::pair<double, std::string>> cases{
        {145.375, "2m"},  {144.0, "2m"},    {148.0, "2m"}, {148.001, ""}, {439.01, "70cm"},
        {1297.5, "23cm"}, {29.68, "10m"},   {51.0, "6m"},  {3.7, "80m"},  {0.1360, "2190m"},
        {223.5, "1.25m"}, {10368.0, "3cm"}, {7.05, "40m"}, {100.0, ""},   {0.0, ""}};
    for (const auto& [mhz, band] : cases) {
        EXPECT_EQ(adifBand(mhz), band) << mhz;
    }
}

TEST(Adif, LocationsAsDegreesAndMinutes) {
    const std::vector<std::tuple<double, bool, std::string>> cases{
        {35.65, true, "N035 39.000"},          {-33.5, true, "S033 30.000"},
        {139.75, false, "E139 45.000"},        {-0.0083333, false, "W000 00.500"},
        {-122.99999999, false, "W123 00.000"}, {0.0, true, "N000 00.000"}};
    for (const auto& [deg, lat, text] : cases) {
        EXPECT_EQ(adifLocation(deg, lat), text) << deg;
    }
}

TEST(Adif, ARecordCarriesEveryFieldTheContactHas) {
    Contact c;
    c.call = "JA1ABC";
    c.on = at("2026-12-08T09:27:41Z");
    c.off = at("2026-12-08T09:31:02Z");
    c.frequencyMHz = 439.41;
    c.rstSent = "59";
    c.gridsquare = "PM95vq";
    c.latitude = 35.65;
    c.longitude = 139.75;
    c.name = "Jürgen";
    c.comment = "Hi";
    c.stationCallsign = "DL1XYZ";
    c.myGridsquare = "JO62";
    c.propagation = Propagation::Internet;
    c.ur = "CQCQCQ";
    c.rpt1 = "JR1WN  B";
    c.rpt2 = "JR1WN  G";
    c.suffix = "ID51";
    EXPECT_EQ(adifRecord(c),
              "<CALL:6>JA1ABC<QSO_DATE:8>20261208<TIME_ON:6>092741<QSO_DATE_OFF:8>20261208"
              "<TIME_OFF:6>093102<MODE:12>DIGITALVOICE<SUBMODE:5>DSTAR<BAND:4>70cm"
              "<FREQ:6>439.41<RST_SENT:2>59<GRIDSQUARE:6>PM95vq<LAT:11>N035 39.000"
              "<LON:11>E139 45.000<NAME:6>Jurgen<COMMENT:2>Hi"
              "<STATION_CALLSIGN:6>DL1XYZ<MY_GRIDSQUARE:4>JO62<PROP_MODE:8>INTERNET"
              "<APP_TAMSEL_UR:6>CQCQCQ<APP_TAMSEL_RPT1:8>JR1WN  B<APP_TAMSEL_RPT2:8>JR1WN  G"
              "<APP_TAMSEL_SUFFIX:4>ID51<EOR>\n");
    Contact swl;
    swl.call = "JA2XYZ";
    const std::string report = adifListeningReports({swl}, at("2026-12-08T10:00:00Z"), "3.5.0");
    EXPECT_NE(report.find("<ADIF_VER:5>3.1.4"), std::string::npos);
    EXPECT_NE(report.find("<CREATED_TIMESTAMP:15>20261208 100000"), std::string::npos);
    EXPECT_NE(report.find("<SWL:1>Y<EOR>"), std::string::npos);
    EXPECT_EQ(report.find("<FREQ:"), std::string::npos); // no frequency, no band
}

// What reaches an ADI file is ASCII from 32 to 126, with no _INTL field; locators as ADIF
// has them; the program's own fields named after the header's PROGRAMID.
TEST(Adif, RecordsHoldOnlyWhatAdiAllows) {
    StationReport r = reception("2026-12-08T09:00:00Z", "JA1ABC");
    r.message = "a\rb\x07"
                "c\x1b[31md\x7f";
    Contact c = contactFromReception(r);
    EXPECT_EQ(c.comment, "a b c [31md");
    c.name = "Jürgen 日本";
    c.comment = "tab\there";
    const struct {
        std::string typed;
        std::string written;  // empty: left out
        std::string ext = {}; // a 10-character locator's last two, in the _EXT field
    } grids[] = {{"JN", "JN"},
                 {"jn58", "JN58"},
                 {"jn58TD", "JN58td"},
                 {"JN58td25", "JN58td25"},
                 {"JN58td25mk", "JN58td25", "mk"},
                 {"jn58TD25MK", "JN58td25", "mk"},
                 {"JN58td25my", "JN58td25"},
                 {"JN58td25m", "JN58td25"},
                 {"JN58td2", ""},
                 {"JN5", ""},
                 {"JN58t", ""},
                 {"SN58", ""},
                 {"JN58ty", ""},
                 {"12AB", ""}};
    for (const auto& g : grids) {
        c.gridsquare = g.typed;
        c.myGridsquare = g.typed;
        const std::string record = adifRecord(c);
        SCOPED_TRACE(g.typed + ": " + record);
        EXPECT_EQ(record.find("_INTL"), std::string::npos);
        EXPECT_NE(record.find("<NAME:9>Jurgen ?"
                              "?<COMMENT:8>tab here"),
                  std::string::npos);
        for (const char ch : record) {
            EXPECT_TRUE(ch == '\n' || (ch >= 32 && ch <= 126)) << int(ch);
        }
        for (const std::string field : {"GRIDSQUARE", "MY_GRIDSQUARE"}) {
            EXPECT_EQ(record.find("<" + field + ":"),
                      record.find("<" + field + ":" + std::to_string(g.written.size()) + ">" +
                                  g.written));
            EXPECT_EQ(record.find("<" + field + ":") == std::string::npos, g.written.empty());
            const std::string ext = g.ext.empty() ? "_EXT:" : "_EXT:2>" + g.ext;
            EXPECT_EQ(record.find("<" + field + ext) == std::string::npos, g.ext.empty());
        }
    }
    const std::string header = adifHeader(at("2026-12-08T10:00:00Z"), "3.5.0");
    const std::string id = header.substr(header.find("<PROGRAMID:") + 11);
    const std::string programId = id.substr(id.find('>') + 1, std::stoul(id));
    c.ur = "CQCQCQ";
    const std::string record = adifRecord(c);
    for (std::size_t at = record.find("<APP_"); at != std::string::npos;
         at = record.find("<APP_", at + 1)) {
        EXPECT_EQ(record.compare(at, 6 + programId.size(), "<APP_" + programId + "_"), 0)
            << record.substr(at);
    }
    EXPECT_NE(record.find("<APP_"), std::string::npos);
}

// A file reached through a link is the file itself.
TEST(Adif, TheSameFileThroughAnyLink) {
    TempFolder dir;
    const fs::path log = dir.path / "tamsel.adi";
    std::ofstream(log) << "x";
    std::ofstream(dir.path / "other.adi") << "x";
    fs::create_symlink(log, dir.path / "symlink.adi");
    fs::create_hard_link(log, dir.path / "hardlink.adi");
    fs::create_directory(dir.path / "sub");
    const struct {
        fs::path chosen;
        bool same;
    } rows[] = {{log, true},
                {dir.path / "symlink.adi", true},
                {dir.path / "hardlink.adi", true},
                {dir.path / "sub" / ".." / "tamsel.adi", true},
                {dir.path / "other.adi", false},
                {dir.path / "new.adi", false}};
    for (const auto& r : rows) {
        EXPECT_EQ(sameFile(r.chosen, log), r.same) << r.chosen;
    }
    EXPECT_TRUE(sameFile(dir.path / "sub" / ".." / "none.adi", dir.path / "none.adi"));
}

// A name alone is kept in the data folder and ~ is the home folder, wherever the console
// was started.
TEST(Adif, TheLogsPathIsNeverTheWorkingFolders) {
    const QByteArray home = qgetenv("HOME");
    const QByteArray data = qgetenv("XDG_DATA_HOME");
    qputenv("HOME", "/home/op");
    qputenv("XDG_DATA_HOME", "/home/op/.local/share");
    const struct {
        const char* chosen;
        const char* path;
    } rows[] = {
        {"", "/home/op/.local/share/tamsel/tamsel.adi"},
        {"log.adi", "/home/op/.local/share/tamsel/log.adi"},
        {"logs/../log.adi", "/home/op/.local/share/tamsel/log.adi"},
        {"~/log.adi", "/home/op/log.adi"},
        {"/srv/radio/log.adi", "/srv/radio/log.adi"},
    };
    for (const auto& r : rows) {
        LogSettings s;
        s.adifFile = QString::fromUtf8(r.chosen);
        EXPECT_EQ(s.adifPath().toStdString(), r.path) << r.chosen;
    }
    qputenv("HOME", home);
    data.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", data);
}

TEST(Adif, ReceptionsBecomeContacts) {
    const std::vector<std::tuple<std::string, std::string, std::uint8_t, std::string, Propagation>>
        cases{{"JA1ABC  ", "JR1WN  G", 0x40, "JA1ABC", Propagation::Internet},
              {"JA1ABC B", "JR1WN  A", 0x40, "JA1ABC", Propagation::Repeater},
              {"JA1ABC/P", "DIRECT  ", 0x00, "JA1ABC/P", Propagation::Direct},
              {"  ", "", 0x00, "", Propagation::Direct}};
    for (const auto& [caller, rpt2, flag, call, propagation] : cases) {
        StationReport r = reception("2026-12-08T09:00:00Z", caller);
        r.rpt1 = "JR1WN  B";
        r.rpt2 = rpt2;
        r.flags[0] = flag;
        const Contact c = contactFromReception(r);
        EXPECT_EQ(c.call, call) << caller;
        EXPECT_EQ(c.propagation, propagation) << caller;
        EXPECT_EQ(c.off - c.on, 12500ms);
        EXPECT_EQ(c.comment, "Hello, \"world\"");
    }
}

// A history line gives its reception back (its local time in a zone with daylight saving
// time); a line it cannot read gives nothing rather than a contact at a wrong time.
TEST(Adif, HistoryLinesGiveTheirReception) {
    const test::TimeZone berlin("Europe/Berlin");
    namespace hl = historyline;
    const auto line = [](const std::string& date, const std::string& caller) {
        std::string l(hl::kWidth, ' ');
        l.replace(hl::kDate.index(), date.size(), date);
        l.replace(hl::kCaller.index(), caller.size(), caller);
        l.replace(hl::kSuffix.index(), 4, "ID51");
        l.replace(hl::kCalled.index(), 8, "CQCQCQ  ");
        l.replace(hl::kMessage.index(), 9, "Hello all");
        return l;
    };
    // (The hour that comes twice when daylight saving time ends reads as one of the two.)
    for (const char* iso :
         {"2026-12-08T09:00:00Z", "2026-03-29T01:30:00Z", "2026-06-30T22:59:59Z"}) {
        const auto r = historyReception(line(localText(at(iso)), "JA1ABC B"));
        ASSERT_TRUE(r) << iso;
        EXPECT_EQ(r->utcStart, at(iso)) << r->time;
        EXPECT_EQ(r->time, localText(at(iso)));
        const Contact c = contactFromReception(*r);
        EXPECT_EQ(c.call, "JA1ABC");
        EXPECT_EQ(c.comment, "Hello all");
        EXPECT_EQ(c.ur, "CQCQCQ");
        EXPECT_EQ(c.suffix, "ID51");
    }
    for (const auto& [date, caller] : std::vector<std::pair<std::string, std::string>>{
             {"2026/12/08 10:00:00", "        "},
             {"2026/02/30 10:00:00", "JA1ABC  "},
             {"2026/03/29 02:30:00", "JA1ABC  "}, // the hour daylight saving time skips
             {"2026/12/08 10:00", "JA1ABC  "},
             {"yyyy/mm/dd hh:nn:ss", "JA1ABC  "}}) {
        EXPECT_FALSE(historyReception(line(date, caller))) << date << " " << caller;
    }
    EXPECT_FALSE(historyReception("2026/12/08 10:00:00"));
}

// A heard station keeps what its last reception was, for logging it from Heard Stations.
TEST(Adif, AHeardStationGivesItsLastReception) {
    HeardList list;
    StationReport r = reception("2026-12-08T09:00:00Z", "JA1ABC  ");
    r.kind = StationReport::Kind::Heard;
    list.apply(r);
    StationReport position;
    position.kind = StationReport::Kind::Position;
    position.position.latitude = 35.0;
    position.position.longitude = 139.0;
    list.apply(position);
    EXPECT_EQ(lastReception(list.at(0)).duration, 0ms) << "still going on";
    list.apply(reception("2026-12-08T09:00:00Z", "JA1ABC  ")); // its end
    const Contact c = contactFromReception(lastReception(list.at(0)));
    EXPECT_EQ(c.call, "JA1ABC");
    EXPECT_EQ(c.on, at("2026-12-08T09:00:00Z"));
    EXPECT_EQ(c.off - c.on, 12500ms);
    EXPECT_EQ(c.propagation, Propagation::Internet);
    EXPECT_EQ(c.rpt1, "JR1WN  B");
    EXPECT_EQ(c.gridsquare, "PM95ma");
}

TEST(Adif, TheLogGetsItsHeaderOnceAndAnUnwritableFileSaysWhy) {
    TempFolder dir;
    AdifLog log;
    Contact c;
    c.call = "JA1ABC";
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(log.append(dir.path / "sub" / "log.adi", c, at("2026-12-08T10:00:00Z"), "3.5.0"),
                  "");
    }
    AdifLog again; // the next run appends to the same file
    EXPECT_EQ(again.append(dir.path / "sub" / "log.adi", c, at("2026-12-08T10:00:00Z"), "3.5.0"),
              "");
    const std::string text = slurp(dir.path / "sub" / "log.adi");
    EXPECT_EQ(text.find("<EOH>"), text.rfind("<EOH>"));
    EXPECT_EQ(text.find("<PROGRAMVERSION:5>3.5.0"), text.find("<PROGRAMVERSION"));
    std::size_t records = 0;
    for (std::size_t p = text.find("<EOR>"); p != std::string::npos;
         p = text.find("<EOR>", p + 1)) {
        ++records;
    }
    EXPECT_EQ(records, 3u);
    std::ofstream(dir.path / "file") << "x";
    const std::string error = log.append(dir.path / "file" / "log.adi", c, {}, "3.5.0");
    EXPECT_NE(error.find("file"), std::string::npos) << error;
}

// The log file saved over, moved away or removed while the console runs: the next contact
// goes to the file its path names (with a header when new), never into the old one.
TEST(Adif, AReplacedOrRemovedLogIsOpenedAgain) {
    TempFolder dir;
    const fs::path path = dir.path / "log.adi";
    for (const char* how : {"saved over", "moved away", "removed"}) {
        AdifLog log;
        Contact c;
        c.call = "JA1ABC";
        ASSERT_EQ(log.append(path, c, at("2026-12-08T10:00:00Z"), "3.5.0"), "");
        const std::string_view h(how);
        if (h == "saved over") {
            std::ofstream(dir.path / "new") << "Listening reports\n<EOH>\n";
            fs::rename(dir.path / "new", path);
        } else if (h == "moved away") {
            fs::rename(path, dir.path / "old.adi");
        } else {
            fs::remove(path);
        }
        c.call = "JA2XYZ";
        ASSERT_EQ(log.append(path, c, at("2026-12-08T10:05:00Z"), "3.5.0"), "");
        const std::string text = slurp(path);
        EXPECT_NE(text.find("<CALL:6>JA2XYZ"), std::string::npos) << how << ": " << text;
        EXPECT_EQ(text.find("<EOH>"), text.rfind("<EOH>")) << how;
        fs::remove(path);
    }
}

// Reads a datagram back as a WSJT-X server does.
struct Reader {
    explicit Reader(const QByteArray& bytes) : in(bytes) { in.setVersion(QDataStream::Qt_5_2); }
    QByteArray text() {
        QByteArray b;
        in >> b;
        return b;
    }
    QDateTime time() {
        QDateTime t;
        in >> t;
        return t;
    }
    template <typename N> N number() {
        N n{};
        in >> n;
        return n;
    }
    QDataStream in;
};

TEST(Wsjtx, QsoLoggedAsWsjtxWritesIt) {
    Contact c;
    c.call = "JA1ABC";
    c.on = at("2026-12-08T09:27:41Z");
    c.off = at("2026-12-08T09:31:02Z");
    c.frequencyMHz = 145.375;
    c.gridsquare = "PM95";
    c.rstSent = "59";
    c.comment = "Hi";
    c.stationCallsign = "DL1XYZ";
    c.myGridsquare = "JO62";
    c.propagation = Propagation::Repeater;
    const QByteArray bytes = wsjtxQsoLogged(c);
    // Magic, schema 2, type 5, then the client name as a length-prefixed UTF-8 string.
    EXPECT_EQ(bytes.left(16).toHex(), "adbccbda0000000200000005"
                                      "0000000e");
    // The off time: Julian day 2461383 (2026-12-08), 34262000 ms, UTC (1).
    EXPECT_EQ(bytes.mid(30, 13).toHex(), "0000000000258ec7"
                                         "020acbf0"
                                         "01");
    Reader r(bytes);
    EXPECT_EQ(r.number<quint32>(), kWsjtxMagic);
    EXPECT_EQ(r.number<quint32>(), 2u);
    EXPECT_EQ(r.number<quint32>(), 5u);
    EXPECT_EQ(r.text(), "Tamsel Console");
    EXPECT_EQ(r.time(), QDateTime(QDate(2026, 12, 8), QTime(9, 31, 2), Qt::UTC));
    EXPECT_EQ(r.text(), "JA1ABC");
    EXPECT_EQ(r.text(), "PM95");
    EXPECT_EQ(r.number<quint64>(), 145375000u);
    EXPECT_EQ(r.text(), "DIGITALVOICE"); // ADIF's mode; the Logged ADIF adds SUBMODE DSTAR
    EXPECT_EQ(r.text(), "59");
    EXPECT_EQ(r.text(), "");
    EXPECT_EQ(r.text(), ""); // power
    EXPECT_EQ(r.text(), "Hi");
    EXPECT_EQ(r.text(), ""); // name
    EXPECT_EQ(r.time(), QDateTime(QDate(2026, 12, 8), QTime(9, 27, 41), Qt::UTC));
    EXPECT_EQ(r.text(), "DL1XYZ"); // operator
    EXPECT_EQ(r.text(), "DL1XYZ");
    EXPECT_EQ(r.text(), "JO62");
    EXPECT_EQ(r.text(), "");
    EXPECT_EQ(r.text(), "");
    EXPECT_EQ(r.text(), "RPT");
    EXPECT_EQ(r.in.status(), QDataStream::Ok);
    EXPECT_TRUE(r.in.atEnd());

    Reader adif(wsjtxLoggedAdif(c, at("2026-12-08T10:00:00Z"), "3.5.0"));
    EXPECT_EQ(adif.number<quint32>(), kWsjtxMagic);
    EXPECT_EQ(adif.number<quint32>(), 2u);
    EXPECT_EQ(adif.number<quint32>(), 12u);
    EXPECT_EQ(adif.text(), "Tamsel Console");
    const QByteArray text = adif.text();
    EXPECT_TRUE(text.contains("<EOH>"));
    EXPECT_TRUE(text.endsWith(QByteArray::fromStdString(adifRecord(c))));
    EXPECT_TRUE(adif.in.atEnd());
}

// The client's own messages, read back field by field with the type each field has.
TEST(Wsjtx, HeartbeatStatusAndCloseAsWsjtxWritesThem) {
    using Field = std::variant<bool, quint8, quint32, quint64, QByteArray>;
    const auto header = [](quint32 type) {
        return std::vector<Field>{kWsjtxMagic, quint32{2}, type, QByteArray("Tamsel Console")};
    };
    const auto with = [](std::vector<Field> fields, std::initializer_list<Field> more) {
        fields.insert(fields.end(), more);
        return fields;
    };
    Contact c;
    c.call = "JA1ABC";
    c.frequencyMHz = 439.41;
    c.gridsquare = "PM95";
    c.rstSent = "59";
    c.stationCallsign = "DL1XYZ";
    c.myGridsquare = "JO62";
    Contact unknown; // no frequency: 0 Hz
    const auto status = [&](quint64 hz, const Contact& k) {
        return with(header(1), {hz,
                                QByteArray("DSTAR"),
                                QByteArray::fromStdString(k.call),
                                QByteArray::fromStdString(k.rstSent),
                                QByteArray("DSTAR"),
                                false, // Tx enabled
                                false, // transmitting
                                false, // decoding
                                quint32{0},
                                quint32{0},
                                QByteArray::fromStdString(k.stationCallsign),
                                QByteArray::fromStdString(k.myGridsquare),
                                QByteArray::fromStdString(k.gridsquare),
                                false, // Tx watchdog
                                QByteArray(""),
                                false,       // fast mode
                                quint8{0},   // no special operation
                                0xFFFFFFFFu, // frequency tolerance: does not apply
                                0xFFFFFFFFu, // T/R period: does not apply
                                QByteArray(""),
                                QByteArray("")});
    };
    const struct {
        const char* name;
        QByteArray bytes;
        std::vector<Field> fields;
    } cases[] = {
        {"heartbeat", wsjtxHeartbeat("3.5.0"),
         with(header(0), {quint32{2}, QByteArray("3.5.0"), QByteArray("")})},
        {"status", wsjtxStatus(c), status(439410000, c)},
        {"status, nothing known", wsjtxStatus(unknown), status(0, unknown)},
        {"close", wsjtxClose(), header(6)},
    };
    for (const auto& k : cases) {
        Reader r(k.bytes);
        for (std::size_t i = 0; i < k.fields.size(); ++i) {
            std::visit(
                [&](const auto& want) {
                    std::decay_t<decltype(want)> got{};
                    r.in >> got;
                    EXPECT_EQ(got, want) << k.name << ", field " << i;
                },
                k.fields[i]);
        }
        EXPECT_EQ(r.in.status(), QDataStream::Ok) << k.name;
        EXPECT_TRUE(r.in.atEnd()) << k.name;
    }
}

} // namespace
} // namespace tamsel

namespace tamsel {
namespace {

// The process's locale, as Qt sets it from LANG, for the life of the object; `set` says
// whether the machine has it (scripts/install-deps generates the ones the tests use).
class ProcessLocale {
public:
    explicit ProcessLocale(const char* name) : before_(std::setlocale(LC_ALL, nullptr)) {
        set = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~ProcessLocale() { std::setlocale(LC_ALL, before_.c_str()); }
    ProcessLocale(const ProcessLocale&) = delete;
    ProcessLocale& operator=(const ProcessLocale&) = delete;
    bool set = false;

private:
    std::string before_;
};

#define ENTER_LOCALE(guard, name)                                                                  \
    ProcessLocale guard(name);                                                                     \
    if (!guard.set) {                                                                              \
        GTEST_SKIP() << "the locale " << (name)                                                    \
                     << " is not on this machine (scripts/install-deps generates it)";             \
    }

StationReport positioned() {
    StationReport end = reception("2026-12-08T09:27:41Z", "JA1ABC B");
    end.duration = 3000ms;
    end.positions.push_back({34.7025, -135.49816, 90, 12.5, 1234.0, "/>", "mobile"});
    return end;
}

// Files and datagrams hold numbers with a point under any locale, and read them back.
TEST(RecordsUnderLocale, NumbersKeepTheirPoint) {
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8"}) {
        SCOPED_TRACE(name);
        ENTER_LOCALE(locale, name);
        Contact c = contactFromReception(positioned());
        c.frequencyMHz = 439.15;
        const std::string record = adifRecord(c);
        for (const char* field :
             {"<FREQ:6>439.15<", "<LAT:11>N034 42.150<", "<LON:11>W135 29.890<"}) {
            EXPECT_NE(record.find(field), std::string::npos) << field << " in " << record;
        }
        const QByteArray datagram = wsjtxLoggedAdif(c, at("2026-12-08T10:00:00Z"), "3.5.0");
        EXPECT_TRUE(datagram.contains("<FREQ:6>439.15<")) << datagram.toStdString();

        const std::string line = receptionCsvLine(positioned());
        EXPECT_NE(line.find(",3.0,"), std::string::npos) << line;
        EXPECT_NE(line.find(",34.70250,-135.49816,"), std::string::npos) << line;
        EXPECT_NE(line.find(",90,12.5,1234,"), std::string::npos) << line;
        EXPECT_EQ(distanceFigure(Units::Metric, 12345), "12.3"); // the Heard Stations export
        EXPECT_EQ(distanceFigure(Units::Metric, 9608100), "9608");
    }
}

// A day written under one locale is read back under the other: lines of earlier versions
// with a decimal comma in their quoted number fields, and lines with a point.
TEST(RecordsUnderLocale, TheReceptionLogReadsBackEitherDecimalSign) {
    const std::string comma = "2026-12-08T09:27:41Z,\"3,0\",JA1ABC B,ID51,CQCQCQ,JR1WN  B,"
                              "JR1WN  G,41 00 01,,,\"34,70250\",\"-135,49816\",PM74sq,90,"
                              "\"12,5\",1234,/>,mobile\r\n";
    const std::string point = "2026-12-08T09:27:41Z,3.0,JA1ABC B,ID51,CQCQCQ,JR1WN  B,"
                              "JR1WN  G,41 00 01,,,34.70250,-135.49816,PM74sq,90,"
                              "12.5,1234,/>,mobile\r\n";
    for (const char* name : {"C.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8"}) {
        ENTER_LOCALE(locale, name);
        for (const std::string& line : {comma, point}) {
            SCOPED_TRACE(std::string(name) + ": " + line);
            const auto back = parseReceptionCsv(std::string(kReceptionCsvHeader) + line);
            ASSERT_EQ(back.size(), 1u);
            EXPECT_EQ(back[0].duration, 3000ms);
            ASSERT_EQ(back[0].positions.size(), 1u);
            EXPECT_DOUBLE_EQ(back[0].positions[0].latitude, 34.7025);
            EXPECT_DOUBLE_EQ(back[0].positions[0].longitude, -135.49816);
            EXPECT_EQ(back[0].positions[0].speedKnots, 12.5);
            EXPECT_EQ(back[0].positions[0].altitudeFeet, 1234.0);
        }
    }
}

} // namespace
} // namespace tamsel
