// SPDX-License-Identifier: GPL-3.0-or-later
// Payload: callsign, suffix and message fields, reply text, flag bits and the volume scale.
#include "Payload.h"

#include <algorithm>

namespace tamsel {

std::string fixedField(std::string_view text, std::size_t width, Case letters) {
    std::string field(text.substr(0, width));
    if (letters == Case::Upper) {
        for (char& c : field) {
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            }
        }
    }
    field.resize(width, ' ');
    return field;
}

std::string replyAsText(std::span<const unsigned char> reply, std::size_t requested) {
    const auto limited = reply.first(std::min(requested, reply.size()));
    const auto end = std::find(limited.begin(), limited.end(), 0);
    return {limited.begin(), end};
}

} // namespace tamsel
