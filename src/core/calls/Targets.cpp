// SPDX-License-Identifier: GPL-3.0-or-later
// Targets: what the operator names in a call (reflector, module, callsign, repeater), checked.
#include "calls/Targets.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <array>

namespace tamsel {

namespace {

constexpr const char* kBadModule =
    QT_TRANSLATE_NOOP("Targets", "A module is one letter from A to Z.");
constexpr const char* kBadReflector =
    QT_TRANSLATE_NOOP("Targets", "A reflector is named by 3 letters and 3 letters or digits, "
                                 "such as REF030, XRF757, DCS006 or XLX307.");
constexpr const char* kBadCallsign =
    QT_TRANSLATE_NOOP("Targets", "A callsign is 3 to 8 characters: letters A to Z, digits, / and "
                                 "blanks, starting with a letter or a digit.");
constexpr const char* kBadRepeater = QT_TRANSLATE_NOOP(
    "Targets", "A repeater's callsign is 3 to 6 letters and digits, without its module.");

// A refusal in the operator's language.
Checked refused(const char* why) {
    return {{}, QCoreApplication::translate("Targets", why)};
}

// Kept short: the operator's own recent names come first anyway.
constexpr std::array<const char*, 8> kShipped{"REF001", "REF030", "XRF012", "XRF757",
                                              "DCS001", "DCS006", "XLX000", "XLX307"};

bool isLetter(QChar c) {
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

} // namespace

Checked checkModule(const QString& text) {
    QString m = text.trimmed().toUpper();
    if (m.size() != 1 || !isLetter(m[0])) {
        return refused(kBadModule);
    }
    return {m, {}};
}

Checked checkReflector(const QString& text, const QString& module) {
    // Digits alone come first, so "REF30C" reads as REF030 on module C.
    static const QRegularExpression form(
        QStringLiteral(R"(^([A-Z]{3}) ?(?:([0-9]{1,3})|([A-Z0-9]{3}))(?: ?([A-Z]))?$)"));
    const auto match = form.match(text.trimmed().toUpper());
    if (!match.hasMatch()) {
        return refused(kBadReflector);
    }
    const QString number = match.captured(2);
    const QString name =
        match.captured(1) +
        (number.isEmpty() ? match.captured(3) : number.rightJustified(3, QLatin1Char('0')));
    Checked m = checkModule(match.hasCaptured(4) ? match.captured(4) : module);
    if (!m.ok()) {
        return m;
    }
    return {name + QLatin1Char(' ') + m.value, {}};
}

Checked checkCallsign(const QString& text) {
    static const QRegularExpression form(QStringLiteral(R"(^[A-Z0-9][A-Z0-9/ ]{2,7}$)"));
    const QString call = text.trimmed().toUpper();
    if (!form.match(call).hasMatch()) {
        return refused(kBadCallsign);
    }
    return {call, {}};
}

Checked checkRepeaterRoute(const QString& repeater, const QString& module) {
    static const QRegularExpression form(QStringLiteral(R"(^[A-Z0-9]{3,6}$)"));
    const QString call = repeater.trimmed().toUpper();
    if (!form.match(call).hasMatch()) {
        return refused(kBadRepeater);
    }
    Checked m = checkModule(module);
    if (!m.ok()) {
        return m;
    }
    return {QLatin1Char('/') + call.leftJustified(6, QLatin1Char(' ')) + m.value, {}};
}

QString linkCall(const QString& reflector) {
    // "REF030 C": the name, the module, then the link command in the 8th place.
    return reflector.left(6) + reflector.mid(7, 1) + QLatin1Char('L');
}

QStringList shippedReflectors() {
    QStringList names;
    for (const char* name : kShipped) {
        names << QString::fromLatin1(name);
    }
    return names;
}

} // namespace tamsel
