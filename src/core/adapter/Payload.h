// SPDX-License-Identifier: GPL-3.0-or-later
// Payload: callsign, suffix and message fields, reply text, flag bits and the volume scale.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tamsel {

inline constexpr std::size_t kCallsignWidth = 8;
inline constexpr std::size_t kSuffixWidth = 4;
inline constexpr std::size_t kMessageWidth = 20;
inline constexpr std::size_t kFlagBytes = 3;

// The destination for a general call: CQCQCQ and two spaces.
inline constexpr std::string_view kGeneralCall = "CQCQCQ  ";

// Transmit flag bits in flag byte 1.
inline constexpr std::uint8_t kFlagRepeater = 0x40;
inline constexpr std::uint8_t kFlagBreak = 0x20;
inline constexpr std::uint8_t kFlagEmr = 0x08;

enum class Case { AsTyped, Upper };

// The first `width` bytes of `text`, padded on the right with spaces; a to z become A to Z
// when `letters` is Upper. No terminator.
std::string fixedField(std::string_view text, std::size_t width, Case letters);

inline std::string callsignField(std::string_view text, Case letters = Case::Upper) {
    return fixedField(text, kCallsignWidth, letters);
}
inline std::string suffixField(std::string_view text, Case letters = Case::Upper) {
    return fixedField(text, kSuffixWidth, letters);
}
inline std::string messageField(std::string_view text) {
    return fixedField(text, kMessageWidth, Case::AsTyped);
}

// A fixed-size reply as text: its bytes up to the first NUL, at most `requested` bytes,
// trailing spaces kept.
std::string replyAsText(std::span<const unsigned char> reply, std::size_t requested);

inline std::uint8_t withFlag(std::uint8_t flagByte, std::uint8_t bit, bool on) {
    return static_cast<std::uint8_t>(on ? (flagByte | bit) : (flagByte & ~bit));
}

// The volume bar runs from 0 at the top (loudest) to 255 at the bottom; the adapter holds
// 255 minus the position.
inline std::uint16_t volumeValue(int position) {
    return static_cast<std::uint16_t>(255 - position);
}
inline int volumePosition(std::uint8_t adapterByte) {
    return 255 - adapterByte;
}

} // namespace tamsel
