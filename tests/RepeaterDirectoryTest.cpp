// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the repeater directory: the lists operators use read to the digit, bad rows,
// keeping lists through damage and failure, and the nearest repeater.
#include "repeaters/RepeaterDirectory.h"
#include "repeaters/NearerRepeater.h"
#include "repeaters/RepeaterIndex.h"
#include "support/CaseName.h"

#include <QTemporaryDir>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace tamsel {
namespace {

std::string dataFile(const std::string& name) {
    std::ifstream in(std::string(TAMSEL_SOURCE_DIR "/tests/data/repeaters/") + name,
                     std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

const Repeater* byCall(const std::vector<Repeater>& list, const std::string& shown) {
    for (const Repeater& r : list) {
        if (r.shownCallsign() == shown) {
            return &r;
        }
    }
    return nullptr;
}

struct RowCase {
    const char* what;
    const char* file;
    const char* callsign; // as shown
    const char* name;
    const char* area;
    std::optional<LatLon> position; // the digits the file writes
    bool approximate;
    double frequency;
    char duplex;
    double offset;
    std::optional<int> utc;
};

class RealList : public ::testing::TestWithParam<RowCase> {};

TEST_P(RealList, RowReadAsWritten) {
    const RowCase& c = GetParam();
    const auto read = readRepeaters(dataFile(c.file));
    ASSERT_TRUE(read.has_value()) << c.file;
    const Repeater* r = byCall(*read, c.callsign);
    ASSERT_NE(r, nullptr) << c.callsign;
    EXPECT_EQ(r->name, c.name);
    EXPECT_EQ(r->area, c.area);
    EXPECT_EQ(r->position, c.position);
    EXPECT_EQ(r->approximate, c.approximate);
    EXPECT_EQ(r->frequencyMHz, c.frequency);
    EXPECT_EQ(r->duplex, c.duplex);
    EXPECT_EQ(r->offsetMHz, c.offset);
    EXPECT_EQ(r->utcOffsetMinutes, c.utc);
}

INSTANTIATE_TEST_SUITE_P(
    Repeaters, RealList,
    ::testing::Values(
        RowCase{"Shift_JIS name and area", "icom-japan-sjis.csv", "JP1YIU A", "東京秋葉原", "関東",
                LatLon{35.698353, 139.773114}, false, 1293.5, '-', 20, 540},
        RowCase{"approximate position", "icom-japan-sjis.csv", "JP1YJD A", "横浜", "関東",
                LatLon{35.506780, 139.617460}, true, 1292.95, '-', 20, 540},
        RowCase{"the Icom None position is no position", "icom-japan-sjis.csv", "JL8YAA B", "札幌",
                "北海道", std::nullopt, false, 439.43, '-', 5, 540},
        RowCase{"duplex plus", "icom-japan-sjis.csv", "JP1YIU B", "東京秋葉原", "関東",
                LatLon{35.698353, 139.773114}, false, 434.52, '+', 5, 540},
        RowCase{"UTF-8 with BOM", "icom-germany.csv", "DB0DF B", "Muenchen", "Bayern",
                LatLon{48.174299, 11.553839}, false, 439.5375, '-', 9.4, 60},
        RowCase{"latitude out of range", "icom-germany.csv", "DB0SP C", "Berlin Sued", "Berlin",
                std::nullopt, false, 145.6625, '-', 0.6, 60},
        RowCase{"empty latitude and longitude", "icom-germany.csv", "DB0DRE B", "Dresden",
                "Sachsen", std::nullopt, false, 439.575, '-', 9.4, 60},
        RowCase{"a longitude that is no number", "icom-germany.csv", "DB0LPZ B", "Leipzig",
                "Sachsen", std::nullopt, false, 439.55, '-', 9.4, 60},
        RowCase{"quoted area with a comma", "icom-germany.csv", "DB0ESS B", "Essen",
                "Nordrhein-Westfalen, Ruhr", LatLon{51.455643, 7.011555}, false, 438.4125, '-', 7.6,
                60},
        RowCase{"west and negative UTC offset", "icom-usa.csv", "W6CX B", "San Francisco",
                "California", LatLon{37.755257, -122.452791}, false, 440.5, '+', 5, -480},
        RowCase{"five digits", "icom-usa.csv", "K7PHX B", "Phoenix", "Arizona",
                LatLon{33.33494, -112.06023}, false, 440.325, '+', 5, -420},
        RowCase{"longitude out of range", "icom-usa.csv", "N0CALL B", "Nowhere", "Test",
                std::nullopt, false, 442, '+', 5, -360},
        RowCase{"CHIRP", "chirp-uk.csv", "GB7LE B", "GB7LE", "Leicester", std::nullopt, false,
                439.4125, '-', 9, std::nullopt},
        RowCase{"CHIRP split", "chirp-uk.csv", "GB7MH B", "GB7MH split", "Milton Keynes",
                std::nullopt, false, 439.6125, 's', 430.6125, std::nullopt}),
    test::ByWhat());

TEST(RealLists, EveryRowKeptAndOnlyDvWithModuleRoutable) {
    struct Count {
        const char* file;
        std::size_t rows, routable;
    };
    for (const Count& c : {Count{"icom-japan-sjis.csv", 10, 9}, Count{"icom-germany.csv", 10, 9},
                           Count{"icom-usa.csv", 8, 8}, Count{"chirp-uk.csv", 5, 4}}) {
        const auto read = readRepeaters(dataFile(c.file));
        ASSERT_TRUE(read);
        EXPECT_EQ(read->size(), c.rows) << c.file;
        EXPECT_EQ(std::count_if(read->begin(), read->end(),
                                [](const Repeater& r) { return r.routable(); }),
                  c.routable)
            << c.file;
        for (const Repeater& r : *read) {
            EXPECT_NE(r.position, (LatLon{0, 0})) << r.name; // never at 0,0
            if (r.routable()) {
                EXPECT_EQ(r.gateway, r.callsign.substr(0, 7) + "G") << r.name;
            }
        }
    }
    EXPECT_FALSE(readRepeaters("Name,Phone\nBob,123\n"));
}

// A folder of its own for each test.
class Directory : public ::testing::Test {
protected:
    std::filesystem::path folder() const { return dir.path().toStdString() + "/repeaters"; }
    std::filesystem::path lists() const { return folder() / "lists"; }
    std::vector<std::string> shown(const RepeaterDirectory& d) const {
        std::vector<std::string> out;
        for (const Repeater& r : d.repeaters()) {
            out.push_back(r.shownCallsign() + "@" + d.lists()[r.list].name);
        }
        return out;
    }
    QTemporaryDir dir;
};

TEST_F(Directory, KeptListsComeBackFromTheIndex) {
    {
        RepeaterDirectory d(folder());
        d.load();
        EXPECT_TRUE(d.empty());
        EXPECT_EQ(d.keep("/somewhere/icom-usa.csv", dataFile("icom-usa.csv")), QString());
        EXPECT_EQ(d.keep("icom-japan-sjis.csv", dataFile("icom-japan-sjis.csv")), QString());
        EXPECT_EQ(d.keep("chirp-uk.csv", dataFile("chirp-uk.csv")), QString());
    }
    struct stat st {};
    ASSERT_EQ(::stat(lists().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat(folder().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    // The files as imported.
    std::ifstream kept(lists() / "icom-japan-sjis.csv", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}),
              dataFile("icom-japan-sjis.csv"));

    RepeaterDirectory again(folder());
    again.load();
    EXPECT_FALSE(again.rebuilt());
    ASSERT_EQ(again.lists().size(), 3u);
    EXPECT_EQ(again.lists()[0].name, "chirp-uk.csv"); // by name
    EXPECT_EQ(again.repeaters().size(), 23u);
    const Repeater* tokyo = again.find("JP1YIU A");
    ASSERT_NE(tokyo, nullptr);
    EXPECT_EQ(tokyo->name, "東京秋葉原");
    EXPECT_EQ(tokyo->position, (LatLon{35.698353, 139.773114}));
    EXPECT_EQ(tokyo->utcOffsetMinutes, 540);

    RepeaterDirectory rebuilt(folder());
    std::filesystem::remove(folder() / "index");
    rebuilt.load();
    EXPECT_TRUE(rebuilt.rebuilt());
    EXPECT_EQ(shown(rebuilt), shown(again));
}

TEST_F(Directory, SameNameReplacesAndRemoveTakesAListAway) {
    RepeaterDirectory d(folder());
    d.load();
    int changes = 0;
    QObject::connect(&d, &RepeaterDirectory::changed, [&] { ++changes; });
    ASSERT_EQ(d.keep("b.csv", dataFile("icom-usa.csv")), QString());
    ASSERT_EQ(d.keep("c.csv", dataFile("chirp-uk.csv")), QString());
    ASSERT_EQ(d.keep("a.csv", dataFile("chirp-uk.csv")), QString()); // before the others
    ASSERT_EQ(d.keep("b.csv", dataFile("chirp-uk.csv")), QString()); // replaces
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(d.repeaters().size(), 15u);
    EXPECT_EQ(d.find("W6CX   B"), nullptr);
    EXPECT_EQ(d.remove("a.csv"), QString());
    EXPECT_FALSE(std::filesystem::exists(lists() / "a.csv"));
    EXPECT_NE(d.remove("a.csv"), QString());
    const auto now = shown(d);
    ASSERT_EQ(now.size(), 10u);
    EXPECT_EQ(now.front(), "GB7LE B@b.csv");
    EXPECT_EQ(now.back(), "GB7MH B@c.csv");

    RepeaterDirectory again(folder());
    again.load();
    EXPECT_FALSE(again.rebuilt());
    EXPECT_EQ(shown(again), now);
}

TEST_F(Directory, DamagedOrOutdatedIndexIsRebuiltFromTheLists) {
    {
        RepeaterDirectory d(folder());
        d.load();
        ASSERT_EQ(d.keep("de.csv", dataFile("icom-germany.csv")), QString());
        ASSERT_EQ(d.keep("jp.csv", dataFile("icom-japan-sjis.csv")), QString());
    }
    const auto index = folder() / "index";
    const auto whole = std::filesystem::file_size(index);
    struct Damage {
        const char* what;
        std::function<void()> make;
        std::size_t repeaters;
    };
    const auto flip = [&](std::uintmax_t at) {
        std::fstream f(index, std::ios::in | std::ios::out | std::ios::binary);
        f.seekg(static_cast<std::streamoff>(at));
        const char c = static_cast<char>(f.get());
        f.seekp(static_cast<std::streamoff>(at));
        f.put(static_cast<char>(c ^ 0x20));
    };
    // An index made to look whole, as a crafted file would be: its checksum holds.
    const auto craft = [&](std::uint32_t repeaters) {
        std::ifstream in(index, std::ios::binary);
        auto read = readRepeaterIndex(std::string(std::istreambuf_iterator<char>(in), {}));
        ASSERT_TRUE(read);
        read->lists.front().repeaters = repeaters;
        std::ofstream(index, std::ios::binary | std::ios::trunc)
            << writeRepeaterIndex(read->lists, read->notLists, read->repeaters);
    };
    const auto readme = lists() / "README.txt";
    for (const Damage& damage : std::initializer_list<Damage>{
             {"a file that is no list put there",
              [&] { std::ofstream(readme) << "Lists from the club's site.\n"; }, 20},
             {"a count of repeaters far past the file's end", [&] { craft(4294967295U); }, 20},
             {"a count of repeaters just past the file's end", [&] { craft(100); }, 20},
             {"the file that was no list made a list",
              [&] { std::ofstream(readme, std::ios::trunc) << dataFile("icom-usa.csv"); }, 28},
             {"that list removed by hand", [&] { std::filesystem::remove(readme); }, 20},
             {"a byte of a name changed", [&] { flip(whole - 20); }, 20},
             {"cut short", [&] { std::filesystem::resize_file(index, whole / 2); }, 20},
             {"empty", [&] { std::filesystem::resize_file(index, 0); }, 20},
             {"a list put there by hand",
              [&] {
                  std::ofstream(lists() / "us.csv", std::ios::binary) << dataFile("icom-usa.csv");
              },
              28},
             {"a list removed by hand", [&] { std::filesystem::remove(lists() / "de.csv"); },
              18}}) {
        damage.make();
        RepeaterDirectory d(folder());
        d.load();
        EXPECT_TRUE(d.rebuilt()) << damage.what;
        EXPECT_EQ(d.repeaters().size(), damage.repeaters) << damage.what;
        EXPECT_NE(d.find("JP1YIU A"), nullptr) << damage.what;
        RepeaterDirectory next(folder()); // the rebuilt index serves the next start
        next.load();
        EXPECT_FALSE(next.rebuilt()) << damage.what;
        EXPECT_EQ(shown(next), shown(d)) << damage.what;
    }
}

TEST_F(Directory, AListThatCannotBeKeptLosesNothingKept) {
    RepeaterDirectory d(folder());
    d.load();
    const std::string japan = dataFile("icom-japan-sjis.csv");
    ASSERT_EQ(d.keep("jp.csv", japan), QString());
    const auto before = shown(d);

    // A file too large to write (as a full disk would refuse it): the old list stays whole.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 600;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const QString full = d.keep("jp.csv", dataFile("icom-germany.csv"));
    ::setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_TRUE(full.startsWith(QStringLiteral("The repeater list jp.csv cannot be kept")))
        << full.toStdString();
    EXPECT_EQ(shown(d), before);
    std::ifstream kept(lists() / "jp.csv", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), japan);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(lists()), {}), 1); // no leftover

    // A folder that cannot be made.
    RepeaterDirectory blocked(dir.path().toStdString() + "/file");
    std::ofstream(dir.path().toStdString() + "/file") << "not a folder";
    blocked.load();
    EXPECT_FALSE(blocked.keep("jp.csv", japan).isEmpty());
    EXPECT_TRUE(blocked.empty());

    EXPECT_EQ(d.keep("phone.csv", "Name,Phone\nBob,123\n"),
              QStringLiteral("phone.csv is not a repeater list."));
    EXPECT_FALSE(d.keep("..", japan).isEmpty());
    EXPECT_EQ(shown(d), before);

    RepeaterDirectory again(folder());
    again.load();
    EXPECT_EQ(shown(again), before);
}

// The nearest repeater against measuring every one with GeographicLib.
void expectSameAsMeasuringEvery(const std::vector<LatLon>& points,
                                const std::vector<LatLon>& asked) {
    std::vector<std::size_t> items;
    for (std::size_t i = 0; i < points.size(); ++i) {
        items.push_back(i * 10);
    }
    NearestIndex index;
    index.build(points, items);
    for (const LatLon& from : asked) {
        double best = 1e18;
        std::size_t item = 0;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const double m = course(from, points[i]).metres;
            if (m < best) {
                best = m;
                item = items[i];
            }
        }
        const auto found = index.nearest(from);
        ASSERT_TRUE(found);
        EXPECT_EQ(found->course.metres, best)
            << points.size() << " " << from.latitude << "," << from.longitude;
        EXPECT_EQ(found->index, item);
    }
}

TEST(Nearest, SameAsMeasuringEveryRepeater) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> lat(-89.9, 89.9), lon(-180, 180);
    for (const std::size_t count : {1u, 5u, 300u, 5000u}) {
        std::uniform_real_distribution<double> nearLat(34, 37), nearLon(135, 140);
        std::vector<LatLon> points;
        for (std::size_t i = 0; i < count; ++i) {
            // Most in one region, as a country's list; some anywhere.
            points.push_back(i % 4 == 0 ? LatLon{lat(random), lon(random)}
                                        : LatLon{nearLat(random), nearLon(random)});
        }
        std::vector<LatLon> asked{{35.7, 139.7}, {89.99, 0}, {-89.99, 17},  {0, 179.999},
                                  {0, -180},     {60, -150}, {-33.9, 151.2}};
        for (int i = 0; i < 200; ++i) {
            asked.push_back({lat(random), lon(random)});
        }
        expectSameAsMeasuringEvery(points, asked);
    }

    // Worldwide lists, each with a country's worth of repeaters somewhere near the date line
    // (so that the grid's cells, and the narrower last column, take many sizes), asked
    // about beside the date line and near the poles, where the columns meet.
    std::uniform_real_distribution<double> anyLat(-90, 90), unit(0, 1), dateLine(-0.5, 0.5),
        polar(85, 90);
    for (int list = 0; list < 16; ++list) {
        const double centre = -60 + 120 * unit(random);
        const double spread = 0.3 + 4 * unit(random);
        const std::size_t count = 100 + 50 * static_cast<std::size_t>(list);
        std::vector<LatLon> points;
        for (std::size_t i = 0; i < count; ++i) {
            if (i % 4 == 0) {
                points.push_back({anyLat(random), lon(random)});
                continue;
            }
            const double east = 180 + spread * (2 * unit(random) - 1);
            points.push_back(
                {centre + spread * (2 * unit(random) - 1), east > 180 ? east - 360 : east});
        }
        std::vector<LatLon> asked{{90, 0}, {-90, 0}, {89.9, 180}, {-89.95, -180}};
        for (int i = 0; i < 40; ++i) {
            const double d = dateLine(random);
            asked.push_back({centre + spread * (2 * unit(random) - 1), d < 0 ? 180 + d : -180 + d});
            const double p = polar(random);
            asked.push_back({i % 2 == 0 ? p : -p, lon(random)});
        }
        expectSameAsMeasuringEvery(points, asked);
    }
    // Sparse everywhere: cells of the coarsest size, poles asked about.
    std::vector<LatLon> world;
    for (int i = 0; i < 4000; ++i) {
        world.push_back({anyLat(random), lon(random)});
    }
    std::vector<LatLon> poles{{90, 0}, {-90, 0}};
    for (int i = 0; i < 60; ++i) {
        const double p = polar(random);
        poles.push_back({i % 2 == 0 ? p : -p, lon(random)});
    }
    expectSameAsMeasuringEvery(world, poles);

    NearestIndex none;
    none.build({}, {});
    EXPECT_FALSE(none.nearest({35, 139}));
}

TEST_F(Directory, NearestIsARoutableRepeaterWithAPosition) {
    RepeaterDirectory d(folder());
    d.load();
    EXPECT_FALSE(d.anyPositioned());
    EXPECT_FALSE(d.nearest({35.7, 139.7}));
    ASSERT_EQ(d.keep("uk.csv", dataFile("chirp-uk.csv")), QString()); // no positions
    EXPECT_FALSE(d.anyPositioned());
    ASSERT_EQ(d.keep("jp.csv", dataFile("icom-japan-sjis.csv")), QString());
    EXPECT_TRUE(d.anyPositioned());
    // Fukuoka's FM repeater is nearer to Fukuoka, but carries no route; Sapporo has none.
    const auto fukuoka = d.nearest({33.59, 130.40});
    ASSERT_TRUE(fukuoka);
    EXPECT_EQ(fukuoka->repeater->shownCallsign(), "JP3YIC B");
    const auto sapporo = d.nearest({43.06, 141.35});
    ASSERT_TRUE(sapporo);
    EXPECT_EQ(sapporo->repeater->shownCallsign(), "JP1YKN A");
    const auto akihabara = d.nearest({35.6984, 139.7731});
    ASSERT_TRUE(akihabara);
    EXPECT_EQ(akihabara->repeater->callsign, "JP1YIU A"); // the first of the site's modules
    EXPECT_LT(akihabara->course.metres, 20);
}

// Two repeaters 30 km apart on a line north from Munich, one 1 km from Munich's, and one
// far away; the operator drives along the line.
const char* const kDrive =
    "Group No,Group Name,Name,Sub Name,Repeater Call Sign,Gateway Call Sign,Frequency,Dup,"
    "Offset,Mode,TONE,Repeater Tone,RPT1USE,Position,Latitude,Longitude,UTC Offset\n"
    "1,Bayern,Muenchen,,DB0DF B,DB0DF G,439.5375,DUP-,9.4,DV,OFF,88.5Hz,YES,Exact,48.1374,11.5755,"
    "+1:00\n"
    "1,Bayern,Freising,,DB0FS B,DB0FS G,439.4,DUP-,7.6,DV,OFF,88.5Hz,YES,Exact,48.4010,11.7430,"
    "+1:00\n"
    "1,Bayern,Muenchen Ost,,DB0MO B,DB0MO G,439.2,DUP-,7.6,DV,OFF,88.5Hz,YES,Exact,48.1374,"
    "11.5890,+1:00\n"
    "2,Kanto,Tokyo,,JP1YIU A,JP1YIU G,1293.5,DUP-,20,DV,OFF,88.5Hz,YES,Exact,35.698353,"
    "139.773114,+9:00\n";

struct FollowCase {
    const char* what;
    std::string repeater1;
    std::vector<LatLon> path;
    std::vector<std::string> offered; // at each position: the repeater offered, or ""
};

class Following : public ::testing::TestWithParam<FollowCase> {};

TEST_P(Following, OffersAClearlyNearerRepeaterOnce) {
    const FollowCase& c = GetParam();
    QTemporaryDir dir;
    RepeaterDirectory d(dir.path().toStdString());
    d.load();
    ASSERT_EQ(d.keep("drive.csv", kDrive), QString());
    NearerRepeater nearer;
    std::vector<std::string> got;
    for (const LatLon& here : c.path) {
        const auto offer = nearer.update(d, here, c.repeater1);
        got.push_back(offer ? offer->repeater->shownCallsign() : "");
        if (offer) {
            EXPECT_EQ(offer->metres, course(here, *offer->repeater->position).metres);
        }
    }
    EXPECT_EQ(got, c.offered) << c.what;
}

// Along the line: 48.1374 is at Munich, 48.4010 at Freising; halfway is 48.2692.
INSTANTIATE_TEST_SUITE_P(
    Repeaters, Following,
    ::testing::Values(
        FollowCase{"driving from Munich to Freising: said once, when clearly nearer",
                   "DB0DF  B",
                   {{48.14, 11.5755},
                    {48.25, 11.65},
                    {48.27, 11.66},
                    {48.30, 11.68},
                    {48.35, 11.71},
                    {48.40, 11.743}},
                   {"", "", "", "DB0FS B", "", ""}},
        FollowCase{"wavering halfway says nothing",
                   "DB0DF  B",
                   {{48.265, 11.657}, {48.274, 11.661}, {48.265, 11.657}, {48.274, 11.661}},
                   {"", "", "", ""}},
        FollowCase{"a repeater nearer by less than 1 km is not worth a change",
                   "DB0DF  B",
                   {{48.1374, 11.5830}, {48.1374, 11.5880}},
                   {"", ""}},
        FollowCase{"back nearer the first and out again: said again",
                   "DB0DF  B",
                   {{48.35, 11.71}, {48.20, 11.62}, {48.14, 11.5755}, {48.35, 11.71}},
                   {"DB0FS B", "", "", "DB0FS B"}},
        FollowCase{"a repeater the directory does not know is left alone",
                   "JR1YB  B",
                   {{48.40, 11.743}},
                   {""}},
        FollowCase{"simplex is left alone", "DIRECT  ", {{48.40, 11.743}}, {""}},
        FollowCase{"where Repeater 1 is the nearest", "DB0FS  B", {{48.40, 11.743}}, {""}}),
    test::ByWhat());

} // namespace
} // namespace tamsel
