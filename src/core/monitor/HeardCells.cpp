// SPDX-License-Identifier: GPL-3.0-or-later
// HeardCells: the columns of Heard Stations and each cell as the operator reads it.
#include "monitor/HeardCells.h"

#include "calls/RouteNames.h"
#include "calls/Routes.h"
#include "memory/Text.h"
#include "monitor/Position.h"
#include "station/Geodesy.h"

#include <QCoreApplication>
#include <QDateTime>
#include <cmath>

namespace tamsel {

namespace {

QString trimmed(const std::string& bytes) {
    return fromBytes(bytes).trimmed();
}

QString unitText(HeardColumnInfo::Unit unit, Units units) {
    using U = HeardColumnInfo::Unit;
    const std::string_view name = unit == U::Distance ? distanceUnit(units)
                                  : unit == U::Speed  ? speedUnit(units)
                                                      : altitudeUnit(units);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

} // namespace

const std::array<HeardColumnInfo, HeardCells::ColumnCount> HeardCells::kColumns{{
    {QT_TRANSLATE_NOOP("HeardStationsModel", "Callsign"), HeardColumnInfo::Unit::None, false,
     "JA1ABC-7"},
    //: Column: the caller's 4-character callsign suffix (radio model)
    {QT_TRANSLATE_NOOP("HeardStationsModel", "Suffix"), HeardColumnInfo::Unit::None, false, "IC92"},
    {QT_TRANSLATE_NOOP("HeardStationsModel", "Last Heard"), HeardColumnInfo::Unit::None, false,
     "2026/12/08 10:00:00"},
    //: Column: how many times the station was heard
    {QT_TRANSLATE_NOOP("HeardStationsModel", "Count"), HeardColumnInfo::Unit::None, true, "00000"},
    //: Column: the station that was called
    {QT_TRANSLATE_NOOP("HeardStationsModel", "Called"), HeardColumnInfo::Unit::None, false,
     "JA1YKX G"},
    //: Column: which way the call came (gateway, repeater, simplex)
    {QT_TRANSLATE_NOOP("HeardStationsModel", "Route"), HeardColumnInfo::Unit::None, false,
     "gateway CQ JR1YB"},
    {QT_TRANSLATE_NOOP("HeardStationsModel", "Message"), HeardColumnInfo::Unit::None, false,
     "MMMMMMMMMMMMMMMMMMMM"},
    {QT_TRANSLATE_NOOP("HeardStationsModel", "Locator"), HeardColumnInfo::Unit::None, false,
     "PM95vr"},
    {QT_TRANSLATE_NOOP("HeardStationsModel", "Latitude"), HeardColumnInfo::Unit::None, true,
     "-00.00000"},
    {QT_TRANSLATE_NOOP("HeardStationsModel", "Longitude"), HeardColumnInfo::Unit::None, true,
     "-000.00000"},
    {QT_TRANSLATE_NOOP("HeardStationsModel", "Distance"), HeardColumnInfo::Unit::Distance, true,
     "00000"},
    {QT_TRANSLATE_NOOP("HeardStationsModel", "Bearing"), HeardColumnInfo::Unit::None, true, "000"},
    //: Column: the direction the station moves in
    {QT_TRANSLATE_NOOP("HeardStationsModel", "Course"), HeardColumnInfo::Unit::None, true, "000"},
    {QT_TRANSLATE_NOOP("HeardStationsModel", "Speed"), HeardColumnInfo::Unit::Speed, true, "000"},
    {QT_TRANSLATE_NOOP("HeardStationsModel", "Altitude"), HeardColumnInfo::Unit::Height, true,
     "00000"},
    {QT_TRANSLATE_NOOP("HeardStationsModel", "Comment"), HeardColumnInfo::Unit::None, false,
     "ID-52PLUS on the air"},
    //: Column: when a position of the station last went out to APRS-IS
    {QT_TRANSLATE_NOOP("HeardStationsModel", "Gated"), HeardColumnInfo::Unit::None, false,
     "2026/12/08 10:00:00"},
}};

QStringList HeardCells::headers(Units units) {
    QStringList out;
    for (const HeardColumnInfo& c : kColumns) {
        QString title = QString::fromLatin1(c.title);
        if (c.unit != HeardColumnInfo::Unit::None) {
            title += QStringLiteral(" (%1)").arg(unitText(c.unit, units));
        }
        out << title;
    }
    return out;
}

QStringList HeardCells::titles(Units units) {
    QStringList out;
    for (const HeardColumnInfo& c : kColumns) {
        const QString title = QCoreApplication::translate("HeardStationsModel", c.title);
        if (c.unit == HeardColumnInfo::Unit::None) {
            out << title;
        } else {
            //: A column title and its unit: "Distance (km)"
            out << QCoreApplication::translate("tamsel::HeardStationsModel", "%1 (%2)")
                       .arg(title, unitText(c.unit, units));
        }
    }
    return out;
}

StationReport HeardCells::routeHeader(const HeardStation& s) {
    StationReport header;
    header.caller = s.callsign;
    header.called = s.called;
    header.rpt1 = s.rpt1;
    header.rpt2 = s.rpt2;
    header.flags = s.flags;
    return header;
}

std::optional<std::pair<double, double>> HeardCells::courseTo(const HeardStation& s) const {
    if (!own_ || !s.position) {
        return std::nullopt;
    }
    const LatLon there{s.position->latitude, s.position->longitude};
    if (!isValidPosition(*own_) || !isValidPosition(there)) {
        return std::nullopt;
    }
    const tamsel::Course c = course(*own_, there);
    return std::pair(c.metres, c.bearing);
}

QString HeardCells::text(const HeardStation& s, int column, const QLocale& numbers) const {
    const auto& p = s.position;
    switch (column) {
    case Callsign:
        return trimmed(s.callsign);
    case Suffix:
        return trimmed(s.suffix);
    case LastHeard:
        return fromBytes(s.lastHeard);
    case Count:
        return numbers.toString(s.count);
    case Called:
        return trimmed(s.called);
    case Route:
        return routeName(receivedRoute(routeHeader(s)));
    case Message:
        return fromBytes(s.message);
    case Locator:
        return p ? QString::fromStdString(maidenhead(p->latitude, p->longitude)) : QString();
    case Latitude:
        return p ? numbers.toString(p->latitude, 'f', 5) : QString();
    case Longitude:
        return p ? numbers.toString(p->longitude, 'f', 5) : QString();
    case Distance: {
        const auto c = courseTo(s);
        if (!c) {
            return {};
        }
        return distanceText(units_, c->first, DistanceForm::FigureOnly, numbers);
    }
    case Bearing: {
        const auto c = courseTo(s);
        return c ? numbers.toString(wholeDegrees(c->second)) : QString();
    }
    case Course:
        return p && p->course ? numbers.toString(*p->course) : QString();
    case Speed:
        return p && p->speedKnots
                   ? numbers.toString(qlonglong{std::lround(speedIn(units_, *p->speedKnots))})
                   : QString();
    case Altitude:
        return p && p->altitudeFeet
                   ? numbers.toString(qlonglong{std::lround(altitudeIn(units_, *p->altitudeFeet))})
                   : QString();
    case Comment:
        return p ? fromBytes(p->comment) : QString();
    case Gated:
        // Local time, as Last Heard shows it.
        return s.gatedAt == std::chrono::system_clock::time_point{}
                   ? QString()
                   : QDateTime::fromMSecsSinceEpoch(
                         std::chrono::duration_cast<std::chrono::milliseconds>(
                             s.gatedAt.time_since_epoch())
                             .count())
                         .toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    default:
        return {};
    }
}

std::optional<double> HeardCells::number(const HeardStation& s, int column) const {
    const auto& p = s.position;
    switch (column) {
    case Count:
        return static_cast<double>(s.count);
    case Latitude:
        return p ? std::optional(p->latitude) : std::nullopt;
    case Longitude:
        return p ? std::optional(p->longitude) : std::nullopt;
    case Distance:
    case Bearing:
        if (const auto c = courseTo(s)) {
            return column == Distance ? c->first : c->second;
        }
        return std::nullopt;
    case Course:
        return p && p->course ? std::optional<double>(*p->course) : std::nullopt;
    case Speed:
        return p ? p->speedKnots : std::nullopt;
    case Altitude:
        return p ? p->altitudeFeet : std::nullopt;
    default:
        return std::nullopt;
    }
}

} // namespace tamsel
