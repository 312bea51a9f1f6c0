// SPDX-License-Identifier: GPL-3.0-or-later
// Settings: the default settings dialog's conversions between adapter bytes and field texts.
#pragma once

#include "base/Translatable.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tamsel {

// How the default settings dialog shows the adapter's bytes.
std::string formatTimesTen(std::uint8_t value); // "%d0": 25 shows as 250
std::string formatDecimal(std::uint8_t value);  // "%d"
std::string formatPattern(std::uint8_t value);  // "%2.0x": 0xab, " 5", and two spaces for 0

// A decimal field as the operator typed it: the first 8 characters, up to the first space,
// as a signed decimal number. Nothing when that is empty or not a number.
std::optional<int> parseDecimal(std::string_view text);

// A bit pattern from the first two characters of its field: 0-9 and A-F are digits, any
// other character adds none. "AB" is 0xAB, " 5" and "5 " are 5, "G7" is 7.
std::uint8_t parsePattern(std::string_view text);

// A decimal setting checked against its range, with the operator's message when it is
// refused.
struct SettingField {
    const char* tooBig;
    const char* tooSmall;
    int max;
    int divisor; // the adapter keeps the value divided by this
};

// The messages are English; the window shows them translated (context "Settings").
inline constexpr SettingField kDelayField{
    QT_TRANSLATE_NOOP("Settings", "Delay Time is too big. (max. 2550)"),
    QT_TRANSLATE_NOOP("Settings", "Delay Time is too small. (min. 0)"), 2550, 10};
inline constexpr SettingField kKeepAliveField{
    QT_TRANSLATE_NOOP("Settings", "Keep Alive Time is too big. (max. 2550)"),
    QT_TRANSLATE_NOOP("Settings", "Keep Alive Time is too small. (min. 0)"), 2550, 10};
inline constexpr SettingField kErrorBitsField{
    QT_TRANSLATE_NOOP("Settings", "ReSync Error Bits is too big. (max. 24)"),
    QT_TRANSLATE_NOOP("Settings", "ReSync Error Bits is too small. (min. 0)"), 24, 1};
inline constexpr const char* kInvalidCharacter = QT_TRANSLATE_NOOP("Settings", "Invalid character");

// The wValue to send for the field's text, or the message that refuses it.
struct SettingValue {
    std::optional<std::uint16_t> wValue;
    const char* message = nullptr;
};
SettingValue convertSetting(std::string_view text, const SettingField& field);

} // namespace tamsel
