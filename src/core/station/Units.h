// SPDX-License-Identifier: GPL-3.0-or-later
// Units: metric or imperial distance, speed and altitude, and the names the columns show.
#pragma once

#include <QLocale>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace tamsel {

enum class Units { Metric, Imperial };

// The settings file's spelling ("metric", "imperial") and back; nothing for anything else.
std::string_view unitsKey(Units units);
std::optional<Units> unitsFromKey(std::string_view key);

// The unit names for column headers and the CSV: "km"/"mi", "km/h"/"mph", "m"/"ft".
std::string_view distanceUnit(Units units);
std::string_view speedUnit(Units units);
std::string_view altitudeUnit(Units units);

// Values converted for showing in `units`: a distance given in metres (in km or mi), a
// speed in knots (in km/h or mph), an altitude in feet (in m or ft), as D-PRS gives them.
double distanceIn(Units units, double metres);
// A distance as the tables show it, in `units`: tenths below 100, whole units beyond ("3.2",
// "123").
std::string distanceFigure(Units units, double metres);
// A distance as windows show it, in `units`, with one decimal, written as `locale` writes
// numbers (by default the interface language's): "9,608.1 km", in German "9.608,1 km"; the
// figure alone where a column's title names the unit.
enum class DistanceForm { WithUnit, FigureOnly };
QString distanceText(Units units, double metres, DistanceForm form = DistanceForm::WithUnit,
                     const QLocale& locale = QLocale());
double speedIn(Units units, double knots);
double altitudeIn(Units units, double feet);

} // namespace tamsel
