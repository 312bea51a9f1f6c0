// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the map's logic: the projection, the base map file, label placement, the stations.
#include "map/BaseMap.h"
#include "map/Clip.h"
#include "map/MapLabels.h"
#include "map/MapMarkers.h"
#include "map/MapStations.h"
#include "map/Mercator.h"

#include <QPainter>
#include <QTemporaryDir>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <random>

namespace tamsel {
namespace {

// The slippy-map tile of a position as the OpenStreetMap wiki writes it, for comparison.
std::pair<int, int> wikiTile(double lat, double lon, int z) {
    const double n = std::ldexp(1.0, z);
    const double r = lat * M_PI / 180;
    return {static_cast<int>(std::floor((lon + 180) / 360 * n)),
            static_cast<int>(std::floor((1 - std::asinh(std::tan(r)) / M_PI) / 2 * n))};
}

TEST(Mercator, PositionsLandOnTheirTiles) {
    struct Row {
        const char* place;
        double lat, lon;
    };
    for (const Row& row : {Row{"Tokyo", 35.6812, 139.7671}, Row{"Munich", 48.1374, 11.5755},
                           Row{"Sydney", -33.8688, 151.2093}, Row{"Quito", -0.1807, -78.4678},
                           Row{"Reykjavik", 64.1466, -21.9426}}) {
        for (const int z : {0, 3, 10, 16}) {
            const PixelPoint p = toPixel({row.lat, row.lon}, z);
            const auto [tx, ty] = wikiTile(row.lat, row.lon, z);
            EXPECT_EQ(static_cast<int>(p.x) / kTileSize, tx) << row.place << " z" << z;
            EXPECT_EQ(static_cast<int>(p.y) / kTileSize, ty) << row.place << " z" << z;
            const LatLon back = fromPixel(p, z);
            EXPECT_NEAR(back.latitude, row.lat, 1e-9) << row.place;
            EXPECT_NEAR(back.longitude, row.lon, 1e-9) << row.place;
        }
    }
}

TEST(Mercator, EdgesAndWrapping) {
    EXPECT_EQ(toWorld({0, 0}), (WorldPoint{0.5, 0.5}));
    EXPECT_NEAR(toWorld({90, 0}).y, 0, 1e-12); // the pole is taken as the limit
    EXPECT_NEAR(toWorld({-89, 0}).y, 1, 1e-12);
    EXPECT_NEAR(toWorld({0, -180}).x, 0, 1e-12);
    EXPECT_NEAR(toWorld({0, 180}).x, 1, 1e-12);
    EXPECT_NEAR(toWorld({0, 190}).x, toWorld({0, -170}).x, 1e-12);
    EXPECT_DOUBLE_EQ(worldPixels(0), 256);
    EXPECT_DOUBLE_EQ(worldPixels(5), 8192);
    const Viewport view{4, 100, 200, 640, 480};
    const PixelPoint s = view.toScreen({0.5, 0.25});
    EXPECT_DOUBLE_EQ(s.x, 0.5 * 4096 - 100);
    EXPECT_DOUBLE_EQ(s.y, 0.25 * 4096 - 200);
    EXPECT_EQ(view.toWorld(s), (WorldPoint{0.5, 0.25}));
}

std::filesystem::path writeFile(const QTemporaryDir& dir, const std::string& bytes) {
    const std::filesystem::path path = dir.filePath(QStringLiteral("map.bin")).toStdString();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string u32(std::uint32_t v) {
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
            static_cast<char>(v >> 24)};
}

TEST(BaseMap, ReadsTheShippedFile) {
    const BaseMap map = BaseMap::load(TAMSEL_MAP_FILE);
    EXPECT_TRUE(map.error().isEmpty()) << map.error().toStdString();
    EXPECT_GT(map.shapeCount(), 1000u); // some 240 countries and 1,400 coastlines
    EXPECT_GT(map.pointCount(), 100000u);
}

TEST(BaseMap, RefusesDamagedFiles) {
    // One triangle, whole, then cut short, with a count too large, and with bytes after it.
    const std::string triangle = std::string("TSLMAP01") + u32(1) + '\0' + u32(1) + u32(3) +
                                 u32(10) + u32(10) + u32(20) + u32(10) + u32(15) + u32(20);
    QTemporaryDir dir;
    EXPECT_EQ(BaseMap::load(writeFile(dir, triangle)).shapeCount(), 1u);
    struct Row {
        const char* what;
        std::string bytes;
    };
    for (const Row& row :
         {Row{"cut short", triangle.substr(0, triangle.size() - 3)},
          Row{"huge count", std::string("TSLMAP01") + u32(1) + '\0' + u32(1) + u32(0xFFFFFFF0)},
          Row{"trailing bytes", triangle + "x"},
          Row{"other magic", "TSLMAP02" + triangle.substr(8)},
          Row{"unknown layer", std::string("TSLMAP01") + u32(1) + '\7' + u32(0)},
          Row{"empty", ""}}) {
        const BaseMap map = BaseMap::load(writeFile(dir, row.bytes));
        EXPECT_TRUE(map.empty()) << row.what;
        EXPECT_TRUE(map.error().contains(QLatin1String("damaged"))) << row.what;
    }
    const BaseMap missing = BaseMap::load(dir.filePath(QStringLiteral("none")).toStdString());
    EXPECT_TRUE(missing.error().contains(QLatin1String("cannot be read")));
}

TEST(MapLabels, KeepsTheFirstOfThoseThatWouldOverlap) {
    //  0 kept; 1 overlaps 0; 2 apart; 3 overlaps 2 only; 4 touches 0's edge exactly (kept:
    //  touching is no overlap); 5 empty.
    const std::vector<QRectF> labels{{0, 0, 50, 10},   {40, 5, 50, 10}, {200, 0, 50, 10},
                                     {220, 8, 50, 10}, {50, 0, 20, 10}, {}};
    EXPECT_EQ(placeLabels(labels), (std::vector<bool>{true, false, true, false, true, false}));
}

TEST(MapLabels, OnlyWhatMeetsTheFrameTakesPart) {
    // 0 far off (at a deep zoom: millions of pixels), 1 in the frame, 2 reaching into it.
    const std::vector<QRectF> labels{{-8e6, 3e6, 60, 14}, {10, 10, 60, 14}, {-30, 20, 60, 14}};
    EXPECT_EQ(placeLabels(labels, 32, QRectF(0, 0, 900, 600)),
              (std::vector<bool>{false, true, false}));
}

TEST(Clip, KeepsThePiecesOfALineInTheFrame) {
    const QRectF frame(0, 0, 100, 100);
    struct Row {
        const char* what;
        QPolygonF line;
        std::vector<QPolygonF> pieces;
    };
    for (const Row& row : std::vector<Row>{
             {"inside", {{{10, 10}, {50, 50}, {90, 10}}}, {{{{10, 10}, {50, 50}, {90, 10}}}}},
             {"through", {{{-1e7, 50}, {1e7, 50}}}, {{{{0, 50}, {100, 50}}}}},
             {"outside", {{{-50, -50}, {-10, 200}}}, {}},
             {"out and back",
              {{{50, 50}, {150, 50}, {150, 80}, {50, 80}}},
              {{{{50, 50}, {100, 50}}}, {{{100, 80}, {50, 80}}}}},
             {"a point", {{{20, 20}}}, {}}}) {
        const std::vector<QPolygonF> pieces = clipPolyline(row.line, frame);
        EXPECT_EQ(pieces, row.pieces) << row.what;
    }
}

TEST(Clip, KeepsTheAreaOfARingInTheFrame) {
    const QRectF frame(0, 0, 100, 100);
    // The area a ring fills (shoelace).
    auto area = [](const QPolygonF& p) {
        double twice = 0;
        for (qsizetype i = 0; i < p.size(); ++i) {
            const QPointF& a = p[i];
            const QPointF& b = p[(i + 1) % p.size()];
            twice += a.x() * b.y() - b.x() * a.y();
        }
        return std::abs(twice) / 2;
    };
    struct Row {
        const char* what;
        QPolygonF ring;
        double area;
    };
    for (const Row& row :
         std::vector<Row>{{"inside", {{{10, 10}, {50, 10}, {50, 50}}}, 800},
                          {"around the frame, millions of pixels out",
                           {{{-1e7, -1e7}, {1e7, -1e7}, {1e7, 1e7}, {-1e7, 1e7}}},
                           10000},
                          {"half in", {{{50, -50}, {150, -50}, {150, 150}, {50, 150}}}, 5000},
                          {"outside", {{{200, 200}, {300, 200}, {300, 300}}}, 0}}) {
        const QPolygonF part = clipPolygon(row.ring, frame);
        EXPECT_NEAR(area(part), row.area, 1e-6) << row.what;
        EXPECT_TRUE(frame.adjusted(-1e-9, -1e-9, 1e-9, 1e-9).contains(part.boundingRect()) ||
                    part.isEmpty())
            << row.what;
    }
}

TEST(MapLabels, NoneOverlapAmongMany) {
    std::vector<QRectF> labels;
    for (int i = 0; i < 3000; ++i) {
        labels.emplace_back((i * 7919) % 900, (i * 104729) % 600, 40 + i % 30, 14);
    }
    const std::vector<bool> kept = placeLabels(labels, 32);
    std::vector<QRectF> shown;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (kept[i]) {
            for (const QRectF& other : shown) {
                ASSERT_FALSE(other.intersects(labels[i]));
            }
            shown.push_back(labels[i]);
        } else {
            // Left out only for one kept before it.
            const bool blocked = std::any_of(
                labels.begin(), labels.begin() + static_cast<long>(i), [&](const QRectF& r) {
                    return kept[static_cast<std::size_t>(&r - labels.data())] &&
                           r.intersects(labels[i]);
                });
            ASSERT_TRUE(blocked) << i;
        }
    }
    EXPECT_GT(shown.size(), 100u);
}

HeardStation station(const std::string& call, double lat, double lon, int minute,
                     const std::string& symbol = "/>") {
    HeardStation s;
    s.callsign = call;
    s.position = Position{lat, lon, {}, {}, {}, symbol, {}};
    s.utcStart = std::chrono::system_clock::time_point{} + std::chrono::hours(1000) +
                 std::chrono::minutes(minute);
    s.count = static_cast<std::size_t>(minute);
    return s;
}

TEST(MapStations, TracksTheLastHourAndFadesAfterHalfAnHour) {
    MapStations map;
    HeardStation none;
    none.callsign = "NOPOS";
    EXPECT_FALSE(map.note(none));
    EXPECT_EQ(map.note(station("JA1XYZ", 35.0, 139.0, 0)), 0u);
    EXPECT_EQ(map.note(station("JH3ABC", 34.7, 135.5, 1)), 1u);
    EXPECT_EQ(map.note(station("JA1XYZ", 35.1, 139.1, 20)), 0u);
    map.note(station("JA1XYZ", 35.1, 139.1, 21)); // the same place: no new point
    map.note(station("JA1XYZ", 35.2, 139.2, 70));
    const auto& s = map.stations()[0];
    // The point of minute 0 is more than an hour older than the last reception.
    ASSERT_EQ(s.track.size(), 2u);
    EXPECT_EQ(s.at, toWorld({35.2, 139.2}));
    EXPECT_GT(s.sequence, map.stations()[1].sequence);
    // Heard again, JA1XYZ is now the newest: the labels give it the first place.
    EXPECT_EQ(map.byHearing(), (std::vector<std::uint32_t>{1, 0}));
    const auto at = [](int minute) {
        return std::chrono::system_clock::time_point{} + std::chrono::hours(1000) +
               std::chrono::minutes(minute);
    };
    EXPECT_EQ(map.recentTrack(0, at(75)).size(), 2u);
    EXPECT_TRUE(map.recentTrack(0, at(85)).empty()); // minute 20 is out of the hour: no track
    EXPECT_FALSE(map.faint(0, at(100)));
    EXPECT_TRUE(map.faint(0, at(101)));
    EXPECT_EQ(map.indexOf("JH3ABC"), 1u);
    EXPECT_FALSE(map.indexOf("NOPOS"));
}

TEST(MapStations, SymbolsAndRepeaters) {
    struct Row {
        const char* symbol;
        MapSymbol expected;
    };
    for (const Row& row :
         {Row{"/>", MapSymbol::Car}, Row{"/-", MapSymbol::House}, Row{"/[", MapSymbol::Person},
          Row{"/s", MapSymbol::Boat}, Row{"/^", MapSymbol::Aircraft}, Row{"/k", MapSymbol::Truck},
          Row{"/b", MapSymbol::Bicycle}, Row{"\\>", MapSymbol::Plain}, Row{"", MapSymbol::Plain},
          Row{"/>x", MapSymbol::Plain}}) {
        EXPECT_EQ(mapSymbol(row.symbol), row.expected) << row.symbol;
    }
    MapStations map;
    map.setRepeaters(
        {{QStringLiteral("JP1YIU A"), QStringLiteral("Yokohama"), LatLon{35.44, 139.64}},
         {QStringLiteral("JP1YKR B"), QStringLiteral("Nowhere"), std::nullopt},
         {QStringLiteral("BAD"), {}, LatLon{95, 0}}});
    ASSERT_EQ(map.repeaterPoints().size(), 3u);
    EXPECT_TRUE(map.repeaterPoints()[0]);
    EXPECT_FALSE(map.repeaterPoints()[1]);
    EXPECT_FALSE(map.repeaterPoints()[2]);
    EXPECT_EQ(map.repeaterIndexOf(QStringLiteral("JP1YKR B")), 1u);
}

// An opaque frame and a translucent sprite of random pixels (premultiplied, alpha from 0 to
// 255 with both ends common), of odd sizes so that the four-at-a-time path and its tail run.
QImage randomImage(int width, int height, bool opaque, std::mt19937& rng) {
    QImage image(width, height,
                 opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    std::uniform_int_distribution<int> byte(0, 255), pick(0, 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int a = opaque ? 255 : std::array{0, 255, byte(rng), byte(rng)}[pick(rng)];
            auto channel = [&] { return a == 0 ? 0 : byte(rng) * a / 255; };
            image.setPixel(x, y, qRgba(channel(), channel(), channel(), a));
        }
    }
    return image;
}

TEST(MapMarkers, StampsBlendAsQtDrawsTheSpriteClippedAtEachEdge) {
    std::mt19937 rng(35);
    const QImage frame = randomImage(41, 31, true, rng);
    const QImage sprite = randomImage(13, 9, false, rng);
    const Ink ink = Ink::of(sprite);
    // Inside, over each edge, over a corner, wholly outside.
    for (const QPoint at : {QPoint(10, 10), QPoint(-5, 3), QPoint(35, 12), QPoint(7, -4),
                            QPoint(20, 27), QPoint(-6, -6), QPoint(50, 50)}) {
        QImage ours = frame.copy();
        const std::array stamps{Stamp{&ink, at.x(), at.y()}};
        blendStamps(Canvas::of(ours), stamps);
        QImage qts = frame.copy();
        QPainter(&qts).drawImage(at, sprite);
        for (int y = 0; y < frame.height(); ++y) {
            for (int x = 0; x < frame.width(); ++x) {
                const QRgb a = ours.pixel(x, y), b = qts.pixel(x, y);
                ASSERT_LE(std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                              std::abs(qBlue(a) - qBlue(b)),
                          3)
                    << "stamp at " << at.x() << "," << at.y() << ", pixel " << x << "," << y;
            }
        }
    }
}

TEST(MapMarkers, TwoBandsMakeTheFrameOneThreadMakes) {
    std::mt19937 rng(4);
    const QImage frame = randomImage(203, 151, true, rng);
    const QImage sprite = randomImage(14, 14, false, rng);
    const Ink ink = Ink::of(sprite);
    std::uniform_int_distribution<int> x(-14, 203), y(-14, 151);
    std::vector<Stamp> stamps;
    for (int i = 0; i < 2000; ++i) { // enough for the second thread, overlapping everywhere
        stamps.push_back({&ink, x(rng), y(rng)});
    }
    QImage one = frame.copy(), two = frame.copy();
    blendStamps(Canvas::of(one), stamps, 0, one.height());
    blendStamps(Canvas::of(two), stamps);
    EXPECT_EQ(one, two);
}

TEST(MapMarkers, TheHeadingPointsAlongTheCourse) {
    MapMarkers markers(MapColours::light(), 1.0);
    const double centre = MapMarkers::headingSide() / 2.0;
    for (const int course : {0, 45, 90, 180, 270, 359, 360, -90}) {
        // The ink's weighted middle lies half the line's length from the centre, that way.
        double sum = 0, sx = 0, sy = 0;
        const Ink& ink = markers.heading(course, false);
        for (const Ink::Run& run : ink.runs) {
            for (int i = 0; i < run.length; ++i) {
                const double a = qAlpha(ink.pixels[static_cast<std::size_t>(run.offset + i)]);
                sum += a;
                sx += a * (run.x + i + 0.5 - centre);
                sy += a * (run.y + 0.5 - centre);
            }
        }
        ASSERT_GT(sum, 0) << course;
        const double r = course * M_PI / 180;
        EXPECT_NEAR(sx / sum, std::sin(r) * MapMarkers::kHeading / 2, 1.0) << course;
        EXPECT_NEAR(sy / sum, -std::cos(r) * MapMarkers::kHeading / 2, 1.0) << course;
    }
    EXPECT_EQ(&markers.heading(360, true), &markers.heading(0, true)); // made once
}

} // namespace
} // namespace tamsel
