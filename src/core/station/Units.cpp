// SPDX-License-Identifier: GPL-3.0-or-later
// Units: metric or imperial distance, speed and altitude, and the names the columns show.
#include "station/Units.h"

#include "base/Numbers.h"

#include <cmath>

namespace tamsel {
namespace {

// Exact by definition: the international mile, foot and nautical mile.
constexpr double kMetresPerMile = 1609.344;
constexpr double kMetresPerFoot = 0.3048;
constexpr double kMetresPerNauticalMile = 1852;

} // namespace

std::string_view unitsKey(Units units) {
    return units == Units::Imperial ? "imperial" : "metric";
}

std::optional<Units> unitsFromKey(std::string_view key) {
    if (key == "metric") {
        return Units::Metric;
    }
    if (key == "imperial") {
        return Units::Imperial;
    }
    return std::nullopt;
}

std::string_view distanceUnit(Units units) {
    return units == Units::Imperial ? "mi" : "km";
}

std::string_view speedUnit(Units units) {
    return units == Units::Imperial ? "mph" : "km/h";
}

std::string_view altitudeUnit(Units units) {
    return units == Units::Imperial ? "ft" : "m";
}

double distanceIn(Units units, double metres) {
    return units == Units::Imperial ? metres / kMetresPerMile : metres / 1000;
}

std::string distanceFigure(Units units, double metres) {
    // Tenths where they matter, whole units beyond.
    // With a point under any locale: the Heard Stations export holds it too.
    const double d = distanceIn(units, metres);
    return d < 100 ? pointDecimal(d, 1) : std::to_string(std::lround(d));
}

QString distanceText(Units units, double metres, DistanceForm form, const QLocale& locale) {
    // Tenths where they matter, whole units beyond, as the distance column writes them.
    const double d = distanceIn(units, metres);
    QString figure = locale.toString(d, 'f', d < 100 ? 1 : 0);
    if (form == DistanceForm::FigureOnly) {
        return figure;
    }
    const std::string_view unit = distanceUnit(units);
    return figure + QLatin1Char(' ') +
           QString::fromLatin1(unit.data(), static_cast<qsizetype>(unit.size()));
}

double speedIn(Units units, double knots) {
    const double metresPerHour = knots * kMetresPerNauticalMile;
    return units == Units::Imperial ? metresPerHour / kMetresPerMile : metresPerHour / 1000;
}

double altitudeIn(Units units, double feet) {
    return units == Units::Imperial ? feet : feet * kMetresPerFoot;
}

} // namespace tamsel
