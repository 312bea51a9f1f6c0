// SPDX-License-Identifier: GPL-3.0-or-later
// RouteNames: what a received header asked for, named for a list of heard stations.
#include "calls/RouteNames.h"

#include <QCoreApplication>

namespace tamsel {

namespace {

// One of the texts below in the language asked for.
QString say(RouteText text, const char* english) {
    return text == RouteText::Shown ? QCoreApplication::translate("RouteNames", english)
                                    : QString::fromLatin1(english);
}

bool isLetter(QChar c) {
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

// "JR1YB  B" as "JR1YB B"; without a module, the callsign alone.
QString repeaterName(const QString& field) {
    const QString call = field.left(7).trimmed();
    return field[7] == QLatin1Char(' ') ? call : call + QLatin1Char(' ') + field[7];
}

// What Station Call asks for, or nothing for a CQ (or no Station Call at all).
QString destinationName(const QString& your, RouteText text) {
    const QString head = your.left(7);
    if (head.trimmed().isEmpty()) {
        switch (your[7].unicode()) {
        case 'U':
            //: A route: the link command that unlinks a reflector
            return say(text, QT_TRANSLATE_NOOP("RouteNames", "unlink"));
        case 'E':
            //: A route: the echo test
            return say(text, QT_TRANSLATE_NOOP("RouteNames", "echo"));
        case 'I':
            //: A route: the repeater's information message
            return say(text, QT_TRANSLATE_NOOP("RouteNames", "info"));
        default:
            return {};
        }
    }
    if (your[7] == QLatin1Char('L') && isLetter(your[6]) && !your.left(6).trimmed().isEmpty()) {
        //: A route: link to a reflector (%1) on a module (%2): "link REF030 C"
        return say(text, QT_TRANSLATE_NOOP("RouteNames", "link %1 %2"))
            .arg(your.left(6).trimmed(), your[6]);
    }
    if (your.startsWith(QLatin1Char('/'))) {
        // "/" and 6 places of repeater before the module.
        return say(text, QT_TRANSLATE_NOOP("RouteNames", "routed to %1"))
            .arg(repeaterName(your.mid(1, 6) + QLatin1Char(' ') + your[7]));
    }
    const QString call = your.trimmed();
    if (call == QLatin1String("CQCQCQ")) {
        return {};
    }
    //: A route: a call to one station, named by its call sign
    return say(text, QT_TRANSLATE_NOOP("RouteNames", "call to %1")).arg(call);
}

} // namespace

QString routeName(const ReceivedRoute& heard, RouteText text) {
    const QString your = field8(heard.your);
    if (QString asked = destinationName(your, text); !asked.isEmpty()) {
        return asked;
    }
    const QString rpt1 = field8(heard.rpt1), rpt2 = field8(heard.rpt2);
    switch (headerWay(heard)) {
    case HeaderWay::Simplex:
        return say(text, QT_TRANSLATE_NOOP("RouteNames", "simplex"));
    case HeaderWay::FromGateway:
        //: A route: came from the internet through the gateway of this repeater
        return say(text, QT_TRANSLATE_NOOP("RouteNames", "via gateway %1"))
            .arg(rpt1.left(7).trimmed());
    case HeaderWay::ToGateway:
        //: A route: a CQ sent out through the gateway of this repeater
        return say(text, QT_TRANSLATE_NOOP("RouteNames", "gateway CQ %1"))
            .arg(rpt2.left(7).trimmed());
    case HeaderWay::Repeater:
        break;
    }
    //: A route: through this repeater only, not the gateway
    return say(text, QT_TRANSLATE_NOOP("RouteNames", "local %1")).arg(repeaterName(rpt1));
}

QStringList widestRouteNames() {
    // The usual ones, with a callsign of the usual length.
    const QString gateway = QStringLiteral("JR1YB");
    return {say(RouteText::Shown, QT_TRANSLATE_NOOP("RouteNames", "gateway CQ %1")).arg(gateway),
            say(RouteText::Shown, QT_TRANSLATE_NOOP("RouteNames", "via gateway %1")).arg(gateway),
            say(RouteText::Shown, QT_TRANSLATE_NOOP("RouteNames", "local %1"))
                .arg(QStringLiteral("JR1YB B")),
            say(RouteText::Shown, QT_TRANSLATE_NOOP("RouteNames", "call to %1"))
                .arg(QStringLiteral("JA1ABC"))};
}

} // namespace tamsel
