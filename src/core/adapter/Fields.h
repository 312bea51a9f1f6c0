// SPDX-License-Identifier: GPL-3.0-or-later
// Fields: fixed-size values read from and written to the adapter, typed.
#pragma once

#include "Catalogue.h"
#include "Retry.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tamsel {

// A text value (callsign, suffix, message) as reply text. Nothing when the read failed or
// came back short: writing a partial value back would send junk through the change rule.
std::optional<std::string> readText(AdapterLink& link, Request request, Retry rule = Retry::None);

// A one-byte value; nothing when the read failed or delivered no byte.
std::optional<std::uint8_t> readByte(AdapterLink& link, Request request);

// A value of exactly N bytes (the transmit flags); nothing unless all N arrived.
template <std::size_t N>
std::optional<std::array<unsigned char, N>> readFixed(AdapterLink& link, Request request) {
    std::array<unsigned char, N> value{};
    if (readBytes(link, request, value) != static_cast<int>(N)) {
        return std::nullopt;
    }
    return value;
}

// Sends a field already laid out at its request's length (see Payload.h).
int sendField(AdapterLink& link, Request request, std::string_view field);

} // namespace tamsel
