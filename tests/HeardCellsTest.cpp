// SPDX-License-Identifier: GPL-3.0-or-later
// Heard Stations' cells as both faces show them: the text of each column and the number a
// numeric column sorts by, in the units chosen, with and without positions.
#include "monitor/HeardCells.h"

#include <QCoreApplication>
#include <QLocale>
#include <gtest/gtest.h>

namespace tamsel {
namespace {

HeardStation placed() {
    HeardStation s;
    s.callsign = "JA1XYZ  ";
    s.suffix = "ID51";
    s.lastHeard = "2026/12/09 10:00:00";
    s.count = 3;
    s.called = "CQCQCQ  ";
    s.rpt1 = "JR1YB  B";
    s.rpt2 = "JR1YB  G";
    s.message = "Hello from Tokyo    ";
    Position p;
    p.latitude = 35.68;
    p.longitude = 139.77;
    p.course = 90;
    p.speedKnots = 10;
    p.altitudeFeet = 328.084; // 100 m
    p.comment = "on the move";
    s.position = p;
    return s;
}

TEST(HeardCellsTest, EachColumnAsShownAndAsSorted) {
    const LatLon yokohama{35.44, 139.64};
    struct Row {
        int column;
        Units units;
        bool own;
        const char* text;
        std::optional<double> number;
    };
    const Row rows[] = {
        {HeardCells::Callsign, Units::Metric, true, "JA1XYZ", std::nullopt},
        {HeardCells::Suffix, Units::Metric, true, "ID51", std::nullopt},
        {HeardCells::Count, Units::Metric, true, "3", 3.0},
        {HeardCells::Called, Units::Metric, true, "CQCQCQ", std::nullopt},
        {HeardCells::Latitude, Units::Metric, true, "35.68000", 35.68},
        {HeardCells::Longitude, Units::Metric, true, "139.77000", 139.77},
        {HeardCells::Locator, Units::Metric, true, "PM95vq", std::nullopt},
        {HeardCells::Distance, Units::Metric, true, "29.1", 29.1},      // km, figure only
        {HeardCells::Distance, Units::Imperial, true, "18.1", 29.1},    // miles; sorted in metres
        {HeardCells::Distance, Units::Metric, false, "", std::nullopt}, // no own position
        {HeardCells::Bearing, Units::Metric, true, "24", 24},
        {HeardCells::Course, Units::Metric, true, "90", 90.0},
        {HeardCells::Speed, Units::Metric, true, "19", 10.0},   // km/h; sorted in knots
        {HeardCells::Speed, Units::Imperial, true, "12", 10.0}, // mph
        {HeardCells::Altitude, Units::Metric, true, "100", 328.084},
        {HeardCells::Altitude, Units::Imperial, true, "328", 328.084},
        {HeardCells::Comment, Units::Metric, true, "on the move", std::nullopt},
    };
    const HeardStation s = placed();
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.column) +
                     (row.units == Units::Metric ? " metric" : " imperial"));
        const HeardCells cells(row.units, row.own ? std::optional(yokohama) : std::nullopt);
        EXPECT_EQ(cells.text(s, row.column, QLocale::c()), QString::fromLatin1(row.text));
        const auto n = cells.number(s, row.column);
        ASSERT_EQ(n.has_value(), row.number.has_value());
        if (n) {
            // Distances and bearings from geodesy: to the metre and the degree.
            const double tolerance = row.column == HeardCells::Distance ? 1000 : 0.5;
            EXPECT_NEAR(*n, *row.number * (row.column == HeardCells::Distance ? 1000 : 1),
                        tolerance);
        }
    }
    // A station without a position leaves every place column blank, and its number too.
    HeardStation bare = placed();
    bare.position.reset();
    const HeardCells cells(Units::Metric, yokohama);
    for (const int column : {HeardCells::Locator, HeardCells::Latitude, HeardCells::Distance,
                             HeardCells::Bearing, HeardCells::Speed, HeardCells::Comment}) {
        EXPECT_TRUE(cells.text(bare, column).isEmpty()) << column;
        EXPECT_FALSE(cells.number(bare, column).has_value()) << column;
    }
    // Files read the titles in English with the units in use.
    EXPECT_EQ(HeardCells::headers(Units::Imperial).at(HeardCells::Distance),
              QStringLiteral("Distance (mi)"));
    EXPECT_EQ(HeardCells::headers(Units::Metric).at(HeardCells::Altitude),
              QStringLiteral("Altitude (m)"));
}

} // namespace
} // namespace tamsel
