// SPDX-License-Identifier: GPL-3.0-or-later
// HeardCells: the columns of Heard Stations and each cell as the operator reads it, the same
// in the console's window and on the station's page.
#pragma once

#include "base/LatLon.h"
#include "monitor/HeardList.h"
#include "station/Units.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <utility>

namespace tamsel {

// What a column is: its title, the unit its numbers are in, whether it holds numbers
// (right-aligned, sorted as numbers), and a text as wide as its usual content.
struct HeardColumnInfo {
    const char* title; // English, translated in context "HeardStationsModel"
    enum class Unit { None, Distance, Speed, Height } unit;
    bool numeric;
    const char* widest;
};
class HeardCells {
public:
    enum Column {
        Callsign,
        Suffix,
        LastHeard,
        Count,
        Called,
        Route,
        Message,
        Locator,
        Latitude,
        Longitude,
        Distance,
        Bearing,
        Course,
        Speed,
        Altitude,
        Comment,
        Gated,
        ColumnCount
    };
    static const std::array<HeardColumnInfo, ColumnCount> kColumns;

    HeardCells(Units units, const std::optional<LatLon>& own) : units_(units), own_(own) {}

    // The titles with the units in use, as files have them: English in every language.
    static QStringList headers(Units units);
    // The same titles in the operator's language.
    static QStringList titles(Units units);

    // A cell as shown, its numbers as `numbers` writes them.
    QString text(const HeardStation& station, int column, const QLocale& numbers = QLocale()) const;
    // A numeric column's value for sorting; nothing for a blank cell or a text column.
    std::optional<double> number(const HeardStation& station, int column) const;
    // The part of a header that names its route, as the station's last one had it.
    static StationReport routeHeader(const HeardStation& station);
    // Metres and bearing from your position, when both positions are known.
    std::optional<std::pair<double, double>> courseTo(const HeardStation& station) const;

private:
    Units units_;
    std::optional<LatLon> own_;
};

} // namespace tamsel
