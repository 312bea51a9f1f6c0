// SPDX-License-Identifier: GPL-3.0-or-later
// Settings: the default settings dialog's conversions between adapter bytes and field texts.
#include "dialogs/Settings.h"

#include <charconv>
#include <cstdio>

namespace tamsel {

std::string formatTimesTen(std::uint8_t value) {
    return std::to_string(value) + "0";
}

std::string formatDecimal(std::uint8_t value) {
    return std::to_string(value);
}

std::string formatPattern(std::uint8_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%2.0x", static_cast<unsigned>(value));
    return text;
}

std::optional<int> parseDecimal(std::string_view text) {
    text = text.substr(0, 8);
    text = text.substr(0, text.find(' '));
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
            return std::nullopt;
        }
    }
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

namespace {

std::optional<int> hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return std::nullopt;
}

} // namespace

std::uint8_t parsePattern(std::string_view text) {
    int value = 0;
    if (!text.empty()) {
        value = hexDigit(text[0]).value_or(0);
    }
    if (text.size() > 1) {
        if (const auto digit = hexDigit(text[1])) {
            value = value * 16 + *digit;
        }
    }
    return static_cast<std::uint8_t>(value);
}

SettingValue convertSetting(std::string_view text, const SettingField& field) {
    const std::optional<int> value = parseDecimal(text);
    if (!value) {
        return {std::nullopt, kInvalidCharacter};
    }
    if (*value > field.max) {
        return {std::nullopt, field.tooBig};
    }
    // A negative number would reach the adapter as a 16-bit wValue far out of range.
    if (*value < 0) {
        return {std::nullopt, field.tooSmall};
    }
    return {static_cast<std::uint16_t>(*value / field.divisor), nullptr};
}

} // namespace tamsel
