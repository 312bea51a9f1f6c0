// SPDX-License-Identifier: GPL-3.0-or-later
// Routes: Station Call, Repeater 1 and Repeater 2 for each call the operator can make.
#include "calls/Routes.h"

#include <QCoreApplication>

#include "monitor/ReceptionMachine.h"

namespace tamsel {

namespace {

constexpr QLatin1String kCq{"CQCQCQ  "};
constexpr QLatin1String kDirect{"DIRECT  "};

// Why Repeater 1 can carry no repeater route, or nothing when it can.
QString repeaterProblem(const QString& repeater1) {
    const QString r = repeater1.trimmed().toUpper();
    if (r.isEmpty() || r == QLatin1String("DIRECT")) {
        return QCoreApplication::translate("Routes", kNoRepeater);
    }
    const QString f = field8(repeater1.toUpper());
    if (f[7] < QLatin1Char('A') || f[7] > QLatin1Char('Z')) {
        return QCoreApplication::translate("Routes", kNoModule);
    }
    return {};
}

QString gatewayOf(const QString& repeater1) {
    return field8(repeater1.toUpper()).left(7) + QLatin1Char('G');
}

Routing throughRepeater(const QString& your, const Station& station, bool toGateway) {
    if (QString problem = repeaterProblem(station.repeater1); !problem.isEmpty()) {
        return {std::nullopt, problem};
    }
    const QString rpt2 =
        toGateway ? gatewayOf(station.repeater1) : field8(station.repeater1.toUpper());
    return {Route{field8(your), station.repeater1, rpt2, true}, {}};
}

} // namespace

QString field8(const QString& text) {
    return text.left(8).leftJustified(8, QLatin1Char(' '));
}

ReceivedRoute receivedRoute(const StationReport& heard) {
    return {QString::fromLatin1(heard.called), QString::fromLatin1(heard.rpt1),
            QString::fromLatin1(heard.rpt2), QString::fromLatin1(heard.caller), heard.flags[0]};
}

HeaderWay headerWay(const ReceivedRoute& heard) {
    return headerWay(heard.rpt1.toLatin1().toStdString(), heard.rpt2.toLatin1().toStdString(),
                     heard.flag1);
}

Routing route(Call call, const Station& station) {
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

Routing viaGateway(const QString& your, const Station& station) {
    return throughRepeater(your, station, true);
}

Routing reply(const std::optional<ReceivedRoute>& last, const Station& station) {
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
