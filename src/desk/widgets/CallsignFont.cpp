// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/CallsignFont.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

#include <cmath>

namespace tamsel {

namespace {

const QString& callsignCharacters() {
    static const QString characters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/ ");
    return characters;
}

QFont sized(QFont font, qreal pointSize) {
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace

bool evenCallsignAdvance(const QFont& font) {
    const QFontMetricsF metrics(font);
    const qreal first = metrics.horizontalAdvance(callsignCharacters().front());
    if (first <= 0) {
        return false;
    }
    for (const QChar c : callsignCharacters()) {
        if (std::abs(metrics.horizontalAdvance(c) - first) > 0.01) {
            return false;
        }
    }
    return true;
}

QFont callsignFont(qreal pointSize) {
    const QFont system = sized(QFontDatabase::systemFont(QFontDatabase::FixedFont), pointSize);
    if (evenCallsignAdvance(system)) {
        return system;
    }
    // The usual fixed-pitch families first, then anything installed that lines up.
    QStringList families = {QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Noto Sans Mono"),
                            QStringLiteral("Liberation Mono"), QStringLiteral("Noto Mono")};
    families += QFontDatabase::families();
    for (const QString& family : families) {
        if (!QFontDatabase::hasFamily(family)) {
            continue;
        }
        const QFont candidate = sized(QFont(family), pointSize);
        if (evenCallsignAdvance(candidate)) {
            return candidate;
        }
    }
    return system;
}

} // namespace tamsel
