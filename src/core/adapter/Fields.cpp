// SPDX-License-Identifier: GPL-3.0-or-later
// Fields: fixed-size values read from and written to the adapter, typed.
#include "Fields.h"

#include "Payload.h"

namespace tamsel {

std::optional<std::string> readText(AdapterLink& link, Request request, Retry rule) {
    std::array<unsigned char, kMessageWidth> reply{};
    const std::uint16_t length = info(request).length;
    const int got = withRetry(rule, [&] { return readBytes(link, request, reply); });
    if (got != length) {
        return std::nullopt;
    }
    return replyAsText(reply, length);
}

std::optional<std::uint8_t> readByte(AdapterLink& link, Request request) {
    std::array<unsigned char, 1> value{};
    if (readBytes(link, request, value) != 1) {
        return std::nullopt;
    }
    return value[0];
}

int sendField(AdapterLink& link, Request request, std::string_view field) {
    return sendBytes(link, request,
                     {reinterpret_cast<const unsigned char*>(field.data()), field.size()});
}

} // namespace tamsel
