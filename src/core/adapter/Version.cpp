// SPDX-License-Identifier: GPL-3.0-or-later
// Version: reading the adapter's firmware version text piece by piece.
#include "Version.h"

#include "Catalogue.h"

#include <algorithm>
#include <array>

namespace tamsel {

std::string readVersion(AdapterLink& link) {
    std::string text;
    std::array<unsigned char, 8> piece{};
    int got = 0;
    do {
        got = readBytes(link, Request::GetVersion, piece);
        const auto take = std::min<std::size_t>(std::max(got, 0), kVersionCapacity - text.size());
        text.append(piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(
                                                       std::min<std::size_t>(take, piece.size())));
    } while (got == static_cast<int>(piece.size()) && text.size() < kVersionCapacity);
    return text.substr(0, text.find('\0'));
}

} // namespace tamsel
