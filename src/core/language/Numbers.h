// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers: numbers in the windows, written and read as the interface language writes them.
#pragma once

#include <QString>
#include <optional>

namespace tamsel {

// `value` with `fewest` to `most` decimals (zeros past `fewest` dropped), with the interface
// language's decimal separator and no group separators, so that a field takes back what it
// shows ("439,150" in German, "439.150" in English).
QString shownNumber(double value, int fewest, int most);

// A number as typed into a field: an optional sign, digits and at most one decimal separator,
// the interface language's or a point; full-width forms count as their ASCII ones. Nothing
// for anything else: a group separator, an exponent or a second separator makes the text
// ambiguous rather than a number.
std::optional<double> typedNumber(const QString& text);

} // namespace tamsel
