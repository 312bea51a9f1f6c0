// SPDX-License-Identifier: GPL-3.0-or-later
// RadioHeader: the received radio header and slow-data block formats.
#include "monitor/RadioHeader.h"

#include <algorithm>
#include <array>

namespace tamsel {

namespace {

std::string field(std::span<const std::uint8_t> bytes) {
    const auto end = std::find(bytes.begin(), bytes.end(), 0);
    return {bytes.begin(), end};
}

constexpr std::array<std::string_view, 8> kControlTexts{
    "NULL",   "Relay Unavailable", "No Response",     "ACK", "ReSend",
    "Unused", "Auto Reply",        "Repeater Control"};

} // namespace

HeaderFields decodeHeader(std::span<const std::uint8_t, kHeaderSize> header) {
    return {header[0] & 0x07,
            field(header.subspan(kYourOffset, 8)),
            field(header.subspan(kMyOffset, 8)),
            field(header.subspan(kMy2Offset, 4)),
            field(header.subspan(kRpt1Offset, 8)),
            field(header.subspan(kRpt2Offset, 8))};
}

std::string_view controlCodeText(int code) {
    return kControlTexts[static_cast<std::size_t>(code & 7)];
}

std::optional<int> blockType(std::uint8_t headerByte) {
    if (headerByte >= '@' && headerByte <= 'C') {
        return headerByte - '@';
    }
    if (headerByte == '%') {
        return 4;
    }
    if (headerByte >= 0x50 && headerByte <= 0x5F) {
        return 5;
    }
    return std::nullopt;
}

} // namespace tamsel
