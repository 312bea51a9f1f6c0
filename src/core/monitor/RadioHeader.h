// SPDX-License-Identifier: GPL-3.0-or-later
// RadioHeader: the received radio header and slow-data block formats.
#pragma once

#include "adapter/Payload.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tamsel {

inline constexpr std::size_t kHeaderSize = 41;
inline constexpr std::size_t kRpt2Offset = 3;
inline constexpr std::size_t kRpt1Offset = 11;
inline constexpr std::size_t kYourOffset = 19;
inline constexpr std::size_t kMyOffset = 27;
inline constexpr std::size_t kMy2Offset = 35;
inline constexpr std::size_t kBlockSize = 6;
inline constexpr std::size_t kMessageParts = 4;
inline constexpr std::size_t kPartSize = 5;
static_assert(kMessageParts * kPartSize == kMessageWidth);

// What the program shows of a received radio header. Each callsign ends early at a NUL.
struct HeaderFields {
    int controlCode = 0;
    std::string your; // the called station
    std::string my;   // the caller
    std::string my2;  // the caller's suffix
    std::string rpt1; // the repeater it came from ("...G" when over the gateway)
    std::string rpt2; // the repeater it went to
};

HeaderFields decodeHeader(std::span<const std::uint8_t, kHeaderSize> header);

// The text shown for a control code 0 to 7.
std::string_view controlCodeText(int code);

// The kind of a slow-data block from its header byte (after NUL has become a blank):
// 0 to 3 for the four parts of the message, 4 and 5 for other known kinds, none otherwise.
std::optional<int> blockType(std::uint8_t headerByte);

// NUL bytes of the slow-data stream are taken as blanks.
inline std::uint8_t slowDataByte(std::uint8_t b) {
    return b == 0 ? ' ' : b;
}

} // namespace tamsel
