// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers: decimal numbers as files and datagrams other programs read hold them, with a point
// under every locale (printf and strtod follow LC_NUMERIC, which Qt sets from the environment).
#pragma once

#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace tamsel {

// `value` with `decimals` digits after a point, as "%.*f" writes it in the C locale.
inline std::string pointDecimal(double value, int decimals) {
    char text[400]; // the largest double in full, and its decimals
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return error == std::errc() ? std::string(text, end) : std::string();
}

// A finite number written with a point ("-12.5", "439.15", "3"); nothing for anything else,
// a comma, blanks or text after it included.
inline std::optional<double> parsePointDecimal(std::string_view text) {
    double value = 0;
    const char* const last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value);
    if (text.empty() || error != std::errc() || end != last || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace tamsel
