// SPDX-License-Identifier: GPL-3.0-or-later
// RouteNames: what a received header asked for, named for a list of heard stations.
#include "calls/RouteNames.h"

namespace tamsel {

namespace {

bool isLetter(QChar c) {
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

// "JR1YB  B" as "JR1YB B"; without a module, the callsign alone.
QString repeaterName(const QString& field) {
    const QString call = field.left(7).trimmed();
    return field[7] == QLatin1Char(' ') ? call : call + QLatin1Char(' ') + field[7];
}

// What Station Call asks for, or nothing for a CQ (or no Station Call at all).
QString destinationName(const QString& your) {
    const QString head = your.left(7);
    if (head.trimmed().isEmpty()) {
        switch (your[7].unicode()) {
        case 'U':
            return QStringLiteral("unlink");
        case 'E':
            return QStringLiteral("echo");
        case 'I':
            return QStringLiteral("info");
        default:
            return {};
        }
    }
    if (your[7] == QLatin1Char('L') && isLetter(your[6]) && !your.left(6).trimmed().isEmpty()) {
        return QStringLiteral("link ") + your.left(6).trimmed() + QLatin1Char(' ') + your[6];
    }
    if (your.startsWith(QLatin1Char('/'))) {
        // "/" and 6 places of repeater before the module.
        return QStringLiteral("routed to ") +
               repeaterName(your.mid(1, 6) + QLatin1Char(' ') + your[7]);
    }
    const QString call = your.trimmed();
    if (call == QLatin1String("CQCQCQ")) {
        return {};
    }
    return QStringLiteral("call to ") + call;
}

} // namespace

QString routeName(const ReceivedRoute& heard) {
    const QString your = field8(heard.your);
    if (QString asked = destinationName(your); !asked.isEmpty()) {
        return asked;
    }
    const QString rpt1 = field8(heard.rpt1), rpt2 = field8(heard.rpt2);
    switch (headerWay(heard)) {
    case HeaderWay::Simplex:
        return QStringLiteral("simplex");
    case HeaderWay::FromGateway:
        return QStringLiteral("via gateway ") + rpt1.left(7).trimmed();
    case HeaderWay::ToGateway:
        return QStringLiteral("gateway CQ ") + rpt2.left(7).trimmed();
    case HeaderWay::Repeater:
        break;
    }
    return QStringLiteral("local ") + repeaterName(rpt1);
}

} // namespace tamsel
