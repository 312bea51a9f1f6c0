// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the own-station logic: locators, distance and bearing, units, gpsd's JSON lines.
#include "station/Geodesy.h"
#include "station/GpsdReport.h"
#include "station/Locator.h"
#include "station/StationSettings.h"
#include "station/Units.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tamsel {
namespace {

struct LocatorCase {
    const char* typed;
    const char* spelled; // nullptr: refused
    double latitude, longitude;
};

TEST(Locator, ValidatesAndFindsTheCentreOfItsSquare) {
    const LocatorCase cases[] = {
        {"JN58td", "JN58td", 48.1458333333, 11.625},
        {"jn58TD", "JN58td", 48.1458333333, 11.625},
        {"FN31pr", "FN31pr", 41.7291666667, -72.7083333333},
        {"JN58", "JN58", 48.5, 11},
        {"JN58td25", "JN58td25", 48.1479166667, 11.6041666667},
        {"AA00aa00", "AA00aa00", -89.9979166667, -179.9958333333},
        {"RR99xx99", "RR99xx99", 89.9979166667, 179.9958333333},
        {"jn58TD25MK", "JN58td25mk", 48.14765625, 11.6043402778},
        {"RR99xx99xx", "RR99xx99xx", 89.9999131944, 179.9998263889},
        {"JN58td25m", nullptr, 0, 0},
        {"JN58td25my", nullptr, 0, 0}, // extended subsquares end at X
        {"JN58td25m1", nullptr, 0, 0},
        {"JN5", nullptr, 0, 0},
        {"JN58t", nullptr, 0, 0},
        {"JN58td2", nullptr, 0, 0},
        {"JN58td257", nullptr, 0, 0},
        {"SN58td", nullptr, 0, 0}, // fields end at R
        {"JN58ty", nullptr, 0, 0}, // subsquares end at X
        {"J158td", nullptr, 0, 0},
        {"JNA8td", nullptr, 0, 0},
        {"JN58tdAA", nullptr, 0, 0},
        {"", nullptr, 0, 0},
    };
    for (const LocatorCase& c : cases) {
        SCOPED_TRACE(c.typed);
        const auto spelled = normaliseLocator(c.typed);
        const auto centre = locatorCentre(c.typed);
        if (c.spelled == nullptr) {
            EXPECT_FALSE(spelled);
            EXPECT_FALSE(centre);
            continue;
        }
        ASSERT_TRUE(spelled && centre);
        EXPECT_EQ(*spelled, c.spelled);
        EXPECT_NEAR(centre->latitude, c.latitude, 1e-9);
        EXPECT_NEAR(centre->longitude, c.longitude, 1e-9);
        // The centre lies in the square it came from.
        EXPECT_EQ(locatorOf(*centre, static_cast<int>(spelled->size())), c.spelled);
    }
}

TEST(Locator, OfAPositionOnAndNearEdges) {
    const struct {
        double latitude, longitude;
        int characters;
        const char* locator;
    } cases[] = {
        {48.125, 11.583333333333334, 6, "JN58td"}, // the square's south-west corner
        {48.12499999, 11.58333332, 6, "JN58sc"},   // a hair south-west of it
        {0.3, 0.3, 8, "JJ00dh62"}, // on an edge, though 0.3 is stored a hair under it
        {-90, -180, 8, "AA00aa00"},
        {90, 180, 8, "RR99xx99"}, // the last squares hold the far edges
        {40.0, -74.0, 4, "FN30"}, // exactly on a field corner
        {-33.87, 151.21, 6, "QF56od"},
        {51.51, -0.13, 6, "IO91wm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locator);
        EXPECT_EQ(locatorOf({c.latitude, c.longitude}, c.characters), c.locator);
    }
}

struct CourseCase {
    const char* what;
    LatLon from, to;
    double metres, bearing, tolerance;
};

// GeographicLib's published examples, and the centres of two locator squares.
TEST(Geodesy, DistanceAndInitialBearing) {
    const CourseCase cases[] = {
        // GeographicLib's example: JFK to LHR, 5551759.400 m, azimuth 51.198883.
        {"JFK to LHR", {40.6, -73.8}, {51.6, -0.5}, 5551759.400, 51.198883, 0.01},
        // Its example of Wellington to Salamanca: 19959679.267 m, 161.068 degrees.
        {"Wellington to Salamanca",
         {-41.32, 174.81},
         {40.96, -5.50},
         19959679.267,
         161.067670,
         0.01},
        // Its R vignette: Sydney to London, 16989429 m, azimuth -40.70198.
        {"Sydney to London", {-33.87, 151.21}, {51.51, -0.13}, 16989429, 319.29802, 1},
    };
    for (const CourseCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Course got = course(c.from, c.to);
        EXPECT_NEAR(got.metres, c.metres, c.tolerance);
        EXPECT_NEAR(got.bearing, c.bearing, 1e-5);
    }
}

// A station a few hundred metres away: the ellipsoid's local radii give the same answer
// to well under a metre, which no spherical formula does.
TEST(Geodesy, AFewHundredMetresAgreesWithTheLocalRadii) {
    const LatLon from{48.1458333333, 11.625};
    const struct {
        double dLat, dLon;
    } steps[] = {{0.0027, 0}, {0, 0.004}, {-0.002, -0.003}, {0.001, -0.0035}};
    constexpr double a = 6378137.0;
    constexpr double f = 1 / 298.257223563;
    constexpr double e2 = f * (2 - f);
    for (const auto& s : steps) {
        const LatLon to{from.latitude + s.dLat, from.longitude + s.dLon};
        // Radii at the mid-latitude, so the check is good to millimetres at this range.
        const double mid = (from.latitude + s.dLat / 2) * M_PI / 180;
        const double wm = 1 - e2 * std::sin(mid) * std::sin(mid);
        const double north = s.dLat * M_PI / 180 * a * (1 - e2) / std::pow(wm, 1.5);
        const double east = s.dLon * M_PI / 180 * a / std::sqrt(wm) * std::cos(mid);
        const Course got = course(from, to);
        EXPECT_NEAR(got.metres, std::hypot(north, east), 1.0);
        const double bearing = std::fmod(std::atan2(east, north) * 180 / M_PI + 360, 360);
        EXPECT_NEAR(got.bearing, bearing, 0.1);
        EXPECT_GT(got.metres, 150);
        EXPECT_LT(got.metres, 500);
    }
}

// Distance and bearing between locators are those between their squares' centres.
TEST(Geodesy, LocatorToLocator) {
    const struct {
        const char *from, *to;
        LatLon fromCentre, toCentre;
        double metres, bearing;
    } cases[] = {
        // GeographicLib gives 6353097.51 m at 297.6858 degrees between these centres.
        {"JN58td",
         "FN31pr",
         {48.1458333333333, 11.625},
         {41.7291666666667, -72.7083333333333},
         6353097.51,
         297.6858},
        // Neighbouring 8-character squares, one square (1/120 degree) east of each other.
        {"JN58td25",
         "JN58td35",
         {48.1479166666667, 11.6041666666667},
         {48.1479166666667, 11.6125},
         620.5,
         89.9969},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        const auto from = locatorCentre(c.from);
        const auto to = locatorCentre(c.to);
        ASSERT_TRUE(from && to);
        const Course viaLocators = course(*from, *to);
        const Course viaCentres = course(c.fromCentre, c.toCentre);
        EXPECT_NEAR(viaLocators.metres, viaCentres.metres, 1.0);
        EXPECT_NEAR(viaLocators.bearing, viaCentres.bearing, 0.1);
        EXPECT_NEAR(viaLocators.metres, c.metres, 1.0);
        EXPECT_NEAR(viaLocators.bearing, c.bearing, 0.1);
    }
}

TEST(Geodesy, WholeDegreesAndValidPositions) {
    const struct {
        double bearing;
        int whole;
    } bearings[] = {{0, 0}, {0.4, 0}, {0.5, 1}, {89.6, 90}, {359.4, 359}, {359.6, 0}};
    for (const auto& b : bearings) {
        EXPECT_EQ(wholeDegrees(b.bearing), b.whole) << b.bearing;
    }
    EXPECT_TRUE(isValidPosition({90, 180}));
    EXPECT_TRUE(isValidPosition({-90, -180}));
    EXPECT_FALSE(isValidPosition({90.01, 0}));
    EXPECT_FALSE(isValidPosition({0, -180.01}));
    EXPECT_FALSE(isValidPosition({NAN, 0}));
}

TEST(Units, ConvertAndNameTheirUnits) {
    EXPECT_EQ(distanceUnit(Units::Metric), "km");
    EXPECT_EQ(speedUnit(Units::Metric), "km/h");
    EXPECT_EQ(altitudeUnit(Units::Metric), "m");
    EXPECT_EQ(distanceUnit(Units::Imperial), "mi");
    EXPECT_EQ(speedUnit(Units::Imperial), "mph");
    EXPECT_EQ(altitudeUnit(Units::Imperial), "ft");
    EXPECT_DOUBLE_EQ(distanceIn(Units::Metric, 1609.344), 1.609344);
    EXPECT_DOUBLE_EQ(distanceIn(Units::Imperial, 1609.344), 1);
    EXPECT_DOUBLE_EQ(speedIn(Units::Metric, 10), 18.52);
    EXPECT_NEAR(speedIn(Units::Imperial, 10), 11.5078, 1e-4);
    EXPECT_DOUBLE_EQ(altitudeIn(Units::Metric, 1000), 304.8);
    EXPECT_DOUBLE_EQ(altitudeIn(Units::Imperial, 1000), 1000);
    EXPECT_EQ(unitsFromKey("imperial"), Units::Imperial);
    EXPECT_EQ(unitsFromKey(unitsKey(Units::Metric)), Units::Metric);
    EXPECT_FALSE(unitsFromKey("Metric"));
}

TEST(GpsdAddress, HostAndPort) {
    const struct {
        const char* text;
        const char* host; // nullptr: refused
        quint16 port;
    } cases[] = {
        {"localhost:2947", "localhost", 2947},
        {" gps.lan:3000 ", "gps.lan", 3000},
        {"192.168.1.5", "192.168.1.5", 2947},
        {"[::1]:2948", "::1", 2948},
        {"[::1]", "::1", 2947},
        {"::1:2947", nullptr, 0},
        {"localhost:0", nullptr, 0},
        {"localhost:65536", nullptr, 0},
        {"localhost:port", nullptr, 0},
        {":2947", nullptr, 0},
        {"", nullptr, 0},
        {"my host:2947", nullptr, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto a = parseGpsdAddress(QString::fromLatin1(c.text));
        if (c.host == nullptr) {
            EXPECT_FALSE(a);
            continue;
        }
        ASSERT_TRUE(a);
        EXPECT_EQ(a->host, QString::fromLatin1(c.host));
        EXPECT_EQ(a->port, c.port);
    }
}

TEST(GpsdReport, ReadsTpvFixesAndNothingElse) {
    EXPECT_EQ(gpsdWatchCommand(), QByteArray("?WATCH={\"enable\":true,\"json\":true}\n"));
    const struct {
        const char* what;
        const char* line;
        bool tpv;
        int mode;
        std::optional<LatLon> position;
    } cases[] = {
        {"3D fix",
         R"({"class":"TPV","device":"/dev/pts/3","mode":3,"time":"2026-12-08T09:00:00.000Z",)"
         R"("lat":48.145833,"lon":11.625,"altHAE":530.1,"speed":12.5}
)",
         true, 3, LatLon{48.145833, 11.625}},
        {"2D fix", R"({"class":"TPV","mode":2,"lat":-33.87,"lon":151.21})", true, 2,
         LatLon{-33.87, 151.21}},
        {"no fix", R"({"class":"TPV","device":"/dev/pts/3","mode":1})", true, 1, std::nullopt},
        {"mode unknown", R"({"class":"TPV","mode":0,"lat":1,"lon":2})", true, 0, std::nullopt},
        {"fix claimed, no position", R"({"class":"TPV","mode":3,"lat":48.1})", true, 1,
         std::nullopt},
        {"position out of range", R"({"class":"TPV","mode":3,"lat":91,"lon":2})", true, 1,
         std::nullopt},
        {"position as text", R"({"class":"TPV","mode":3,"lat":"48","lon":"11"})", true, 1,
         std::nullopt},
        {"sky report", R"({"class":"SKY","satellites":[]})", false, 0, std::nullopt},
        {"version",
         R"({"class":"VERSION","release":"3.22","rev":"3.22","proto_major":3,"proto_minor":14})",
         false, 0, std::nullopt},
        {"cut short", R"({"class":"TPV","mode":3,"lat":48.1,)", false, 0, std::nullopt},
        {"not JSON", "$GPRMC,083559.00,A,4717.11437,N,00833.91522,E,0.004,77.52,091202,,,A*57",
         false, 0, std::nullopt},
        {"an array", R"([{"class":"TPV","mode":3,"lat":1,"lon":2}])", false, 0, std::nullopt},
        {"empty", "", false, 0, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto tpv = parseGpsdLine(QByteArray(c.line));
        ASSERT_EQ(tpv.has_value(), c.tpv);
        if (tpv) {
            EXPECT_EQ(tpv->mode, c.mode);
            EXPECT_EQ(tpv->position, c.position);
        }
    }
}

TEST(GpsdReport, ReadsDeviceNews) {
    const struct {
        const char* what;
        const char* line;
        GpsdReport::Kind kind;
        const char* device;
        bool active;
        QStringList devices;
    } cases[] = {
        {"TPV names its device",
         R"({"class":"TPV","device":"/dev/ttyACM0","mode":1})",
         GpsdReport::Kind::Tpv,
         "/dev/ttyACM0",
         true,
         {}},
        {"plugged in",
         R"({"class":"DEVICE","path":"/dev/ttyACM0","driver":"NMEA0183",)"
         R"("activated":"2026-12-08T18:04:17.215Z","native":0,"bps":4800})",
         GpsdReport::Kind::Device,
         "/dev/ttyACM0",
         true,
         {}},
        {"unplugged",
         R"({"class":"DEVICE","path":"/dev/ttyACM0","activated":0})",
         GpsdReport::Kind::Device,
         "/dev/ttyACM0",
         false,
         {}},
        {"inactive, no time",
         R"({"class":"DEVICE","path":"/dev/ttyUSB0"})",
         GpsdReport::Kind::Device,
         "/dev/ttyUSB0",
         false,
         {}},
        {"the list, active ones only",
         R"({"class":"DEVICES","devices":[{"class":"DEVICE","path":"/dev/ttyACM0",)"
         R"("activated":"2026-12-08T18:04:16.187Z"},{"class":"DEVICE","path":"/dev/ttyUSB0",)"
         R"("activated":0},{"class":"DEVICE","path":"/dev/ttyUSB1","activated":1765217056.1}]})",
         GpsdReport::Kind::Devices,
         "",
         true,
         {"/dev/ttyACM0", "/dev/ttyUSB1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto report = parseGpsdLine(QByteArray(c.line));
        ASSERT_TRUE(report);
        EXPECT_EQ(report->kind, c.kind);
        EXPECT_EQ(report->device.toStdString(), c.device);
        EXPECT_EQ(report->active, c.active);
        EXPECT_EQ(report->devices, c.devices);
    }
}

std::string tpv(const char* device, std::optional<LatLon> at) {
    std::string line = std::string(R"({"class":"TPV","device":")") + device + "\",\"mode\":";
    if (!at) {
        return line + "1}";
    }
    return line + "3,\"lat\":" + std::to_string(at->latitude) +
           ",\"lon\":" + std::to_string(at->longitude) + "}";
}

// Two receivers, one of them unplugged or silent: the position follows one receiver and goes
// stale rather than staying current for ever.
TEST(GpsdFollower, FollowsOneReceiverAndTellsAStaleFix) {
    using Fix = GpsdFollower::Fix;
    const char* const a = "/dev/ttyACM0";
    const char* const b = "/dev/ttyUSB0";
    const LatLon p1{48.145833, 11.625};
    const LatLon p2{48.146733, 11.6262};
    const LatLon q{35.681167, 139.767125};
    const std::string removedA = R"({"class":"DEVICE","path":"/dev/ttyACM0","activated":0})";
    const std::string onlyB = R"({"class":"DEVICES","devices":[{"class":"DEVICE",)"
                              R"("path":"/dev/ttyUSB0","activated":"2026-12-08T18:04:16Z"}]})";
    struct Step {
        int ms;
        std::string line; // empty: only time passes
        Fix fix;
        std::optional<LatLon> last;
    };
    const struct {
        const char* what;
        std::vector<Step> steps;
    } cases[] = {
        {"the first fix's receiver is followed, the other's fixes and none are not",
         {{0, tpv(a, p1), Fix::Current, p1},
          {200, tpv(b, std::nullopt), Fix::Current, p1},
          {400, tpv(b, q), Fix::Current, p1},
          {1000, tpv(a, p2), Fix::Current, p2},
          {1200, tpv(b, std::nullopt), Fix::Current, p2}}},
        {"unplugged: the fix is stale at once, the other receiver takes over",
         {{0, tpv(a, p1), Fix::Current, p1},
          {500, removedA, Fix::Stale, p1},
          {600, tpv(b, std::nullopt), Fix::Stale, p1},
          {700, tpv(b, q), Fix::Current, q}}},
        {"gone from the list of devices",
         {{0, tpv(a, p1), Fix::Current, p1},
          {100, onlyB, Fix::Stale, p1},
          {200, tpv(a, p2), Fix::Current, p2}}},
        {"silent: stale after five seconds, current again with its next fix",
         {{0, tpv(a, p1), Fix::Current, p1},
          {4999, "", Fix::Current, p1},
          {5000, "", Fix::Stale, p1},
          {6000, tpv(a, p2), Fix::Current, p2}}},
        {"no fix: the other receiver takes over once the followed one's fix is stale",
         {{0, tpv(a, p1), Fix::Current, p1},
          {1000, tpv(a, std::nullopt), Fix::None, p1},
          {2000, tpv(b, q), Fix::None, p1},
          {5000, tpv(b, q), Fix::Current, q},
          {5100, tpv(a, p2), Fix::Current, q}}},
        {"nothing yet", {{0, tpv(b, std::nullopt), Fix::None, std::nullopt}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        GpsdFollower follower;
        const auto start = GpsdFollower::Clock::now();
        for (const Step& step : c.steps) {
            SCOPED_TRACE(step.ms);
            const auto now = start + std::chrono::milliseconds(step.ms);
            if (!step.line.empty()) {
                const auto report = parseGpsdLine(QByteArray::fromStdString(step.line));
                ASSERT_TRUE(report);
                follower.take(*report, now);
            }
            EXPECT_EQ(follower.fix(now), step.fix);
            ASSERT_EQ(follower.lastFix().has_value(), step.last.has_value());
            if (step.last) {
                EXPECT_NEAR(follower.lastFix()->latitude, step.last->latitude, 1e-6);
                EXPECT_NEAR(follower.lastFix()->longitude, step.last->longitude, 1e-6);
            }
        }
    }
}

} // namespace
} // namespace tamsel
