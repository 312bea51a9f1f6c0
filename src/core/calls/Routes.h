// SPDX-License-Identifier: GPL-3.0-or-later
// Routes: Station Call, Repeater 1 and Repeater 2 for each call the operator can make.
#pragma once

#include "calls/HeaderWay.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace tamsel {

struct StationReport;

// The refusals in English; a Routing carries them translated (context "Routes").
inline constexpr const char* kNoRepeater =
    QT_TRANSLATE_NOOP("Routes", "Choose your repeater first: Repeater 1 holds none.");
inline constexpr const char* kNoModule =
    QT_TRANSLATE_NOOP("Routes", "Repeater 1 needs the repeater's module letter in its 8th place, "
                                "such as JR1YB  B.");
inline constexpr const char* kNobodyHeard =
    QT_TRANSLATE_NOOP("Routes", "Nothing received yet: nobody to reply to.");

// Where the operator stands: the main window's Repeater 1 and My Call as they are, and the
// repeater Repeater 1 held last ("JR1YB  B"; empty when none is known), which the calls
// through a repeater return to while Repeater 1 holds none (after a simplex call).
struct RouteStart {
    QString repeater1;
    QString myCall;
    QString lastRepeater = {};
};

// The three header values, 8 characters each, and the Repeater option: on for every route
// through a repeater, off for simplex.
struct Route {
    QString your, rpt1, rpt2;
    bool repeater = true;

    bool operator==(const Route&) const = default;
};

// A route, or why there is none (the text for the operator).
struct Routing {
    std::optional<Route> route;
    QString refusal;
};

// What a received header says about its route: UR, RPT1, RPT2 and the caller as text, and
// its first flag byte (the repeater flag).
struct ReceivedRoute {
    QString your, rpt1, rpt2, caller;
    std::uint8_t flag1 = 0;
};
ReceivedRoute receivedRoute(const StationReport& heard);

// How that header reached us.
HeaderWay headerWay(const ReceivedRoute& heard);

// The calls that need nothing but the station.
enum class Call { GatewayCq, LocalCq, Unlink, Info, EchoTest, Simplex };
Routing route(Call call, const RouteStart& station);

// Station Call `your` (link command, callsign, repeater route) through the gateway of
// Repeater 1.
Routing viaGateway(const QString& your, const RouteStart& station);

// Answers the last reception the way it came; nothing when there was none.
Routing reply(const std::optional<ReceivedRoute>& last, const RouteStart& station);

// A callsign field's 8 characters: cut, or padded with blanks.
QString field8(const QString& text);

// A repeater and its module as Repeater 1 sends them: the callsign padded to 7 places, the
// module letter in the 8th ("JR1YB  B"). Read from a callsign of 3 to 7 letters and digits,
// one or more blanks and the module letter, in either case ("jr1yb b", "JR1YB   B"), or
// from a field that already holds that form in its first 8 places. Nothing for any other
// text: no module ("JR1YB", "JR1YBB"), blank, DIRECT.
std::optional<QString> repeaterOf(const QString& text);

} // namespace tamsel
