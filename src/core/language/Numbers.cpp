// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers: numbers in the windows, written and read as the interface language writes them.
#include "language/Numbers.h"

#include <QLocale>
#include <charconv>
#include <string>

namespace tamsel {

QString shownNumber(double value, int fewest, int most) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = locale.toString(value, 'f', most);
    const QString point = locale.decimalPoint();
    const qsizetype at = text.lastIndexOf(point);
    if (at < 0) {
        return text;
    }
    const qsizetype keep = at + (fewest > 0 ? point.size() + fewest : 0);
    qsizetype end = text.size();
    while (end > keep && text.at(end - 1) == locale.zeroDigit().at(0)) {
        --end;
    }
    if (end == at + point.size()) {
        end = at; // no decimals left: no separator either
    }
    return text.left(end);
}

std::optional<double> typedNumber(const QString& text) {
    const QLocale locale;
    // Full-width digits and points, as a Japanese input method types them, become ASCII.
    const QString t = text.normalized(QString::NormalizationForm_KC).trimmed();
    const QString point = locale.decimalPoint();
    std::string ascii;
    bool separator = false;
    bool digit = false;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            ascii += static_cast<char>(c.unicode());
            digit = true;
        } else if (i == 0 && (c == QLatin1Char('-') || c == QChar(0x2212) ||
                              QStringView(t).mid(0, 1) == locale.negativeSign())) {
            ascii += '-';
        } else if (i == 0 && c == QLatin1Char('+')) {
            continue;
        } else if (!separator && (c == QLatin1Char('.') || QStringView(t).mid(i, 1) == point)) {
            ascii += '.';
            separator = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digit) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error != std::errc() || end != ascii.data() + ascii.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace tamsel
