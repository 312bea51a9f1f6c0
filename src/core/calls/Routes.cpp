// SPDX-License-Identifier: GPL-3.0-or-later
// Routes: Station Call, Repeater 1 and Repeater 2 for each call the operator can make.
#include "calls/Routes.h"

#include <QCoreApplication>

#include "monitor/ReceptionMachine.h"

#include <QRegularExpression>

namespace tamsel {

namespace {

constexpr QLatin1String kCq{"CQCQCQ  "};
constexpr QLatin1String kDirect{"DIRECT  "};

// The repeater a call goes through: Repeater 1's, or while Repeater 1 holds none the last
// one it held; or why there is none.
struct Through {
    QString rpt1;
    QString problem;
};

Through repeaterFor(const RouteStart& station) {
    if (const auto repeater = repeaterOf(station.repeater1)) {
        // A Repeater 1 that already sends this stays as it is: setting it would change nothing.
        return {field8(station.repeater1) == *repeater ? station.repeater1 : *repeater, {}};
    }
    const QString held = station.repeater1.trimmed().toUpper();
    if (!held.isEmpty() && held != QLatin1String("DIRECT")) {
        return {{}, QCoreApplication::translate("Routes", kNoModule)};
    }
    if (const auto last = repeaterOf(station.lastRepeater)) {
        return {*last, {}};
    }
    return {{}, QCoreApplication::translate("Routes", kNoRepeater)};
}

Routing throughRepeater(const QString& your, const RouteStart& station, bool toGateway) {
    const Through through = repeaterFor(station);
    if (through.rpt1.isEmpty()) {
        return {std::nullopt, through.problem};
    }
    const QString repeater = field8(through.rpt1);
    const QString rpt2 = toGateway ? repeater.left(7) + QLatin1Char('G') : repeater;
    return {Route{field8(your), through.rpt1, rpt2, true}, {}};
}

} // namespace

QString field8(const QString& text) {
    return text.left(8).leftJustified(8, QLatin1Char(' '));
}

std::optional<QString> repeaterOf(const QString& text) {
    static const QRegularExpression spaced(QStringLiteral(R"(^([A-Z0-9]{3,7}) +([A-Z])$)"));
    // As the field sends it: a callsign from the first place, the module in the 8th.
    static const QRegularExpression placed(QStringLiteral(R"(^[A-Z0-9/]{3,7} *[A-Z]$)"));
    const QString upper = text.toUpper();
    QString repeater;
    if (const auto match = spaced.match(upper.trimmed()); match.hasMatch()) {
        repeater = match.captured(1).leftJustified(7, QLatin1Char(' ')) + match.captured(2);
    } else if (placed.match(field8(upper)).hasMatch()) {
        repeater = field8(upper);
    }
    if (repeater.isEmpty() || repeater.left(7).trimmed() == QLatin1String("DIRECT")) {
        return std::nullopt;
    }
    return repeater;
}

ReceivedRoute receivedRoute(const StationReport& heard) {
    return {QString::fromLatin1(heard.called), QString::fromLatin1(heard.rpt1),
            QString::fromLatin1(heard.rpt2), QString::fromLatin1(heard.caller), heard.flags[0]};
}

HeaderWay headerWay(const ReceivedRoute& heard) {
    return headerWay(heard.rpt1.toLatin1().toStdString(), heard.rpt2.toLatin1().toStdString(),
                     heard.flag1);
}

Routing route(Call call, const RouteStart& station) {
    switch (call) {
    case Call::GatewayCq:
        return throughRepeater(kCq, station, true);
    case Call::LocalCq:
        return throughRepeater(kCq, station, false);
    case Call::Unlink:
        return throughRepeater(QStringLiteral("       U"), station, true);
    case Call::Info:
        return throughRepeater(QStringLiteral("       I"), station, true);
    case Call::EchoTest:
        return throughRepeater(QStringLiteral("       E"), station, true);
    case Call::Simplex:
        break;
    }
    return {Route{kCq, kDirect, kDirect, false}, {}};
}

Routing viaGateway(const QString& your, const RouteStart& station) {
    return throughRepeater(your, station, true);
}

Routing reply(const std::optional<ReceivedRoute>& last, const RouteStart& station) {
    const QString caller = last ? last->caller.trimmed().toUpper() : QString();
    if (caller.isEmpty()) {
        return {std::nullopt, QCoreApplication::translate("Routes", kNobodyHeard)};
    }
    switch (headerWay(*last)) {
    case HeaderWay::Simplex:
        return {Route{field8(caller), kDirect, kDirect, false}, {}};
    case HeaderWay::FromGateway:
    case HeaderWay::ToGateway:
        // A CQ over the gateway came from a linked reflector or a gateway CQ: answer there.
        if (last->your.trimmed().toUpper() == QLatin1String("CQCQCQ")) {
            return route(Call::GatewayCq, station);
        }
        return viaGateway(caller, station);
    case HeaderWay::Repeater:
        break;
    }
    return throughRepeater(caller, station, false);
}

} // namespace tamsel
