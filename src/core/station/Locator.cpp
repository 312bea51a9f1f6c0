// SPDX-License-Identifier: GPL-3.0-or-later
// Locator: Maidenhead grid locators of 4, 6, 8 or 10 characters and the positions they stand for.
#include "station/Locator.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>

namespace tamsel {
namespace {

// Each pair of characters splits a cell of the pair before it into this many parts, in
// longitude and in latitude alike.
constexpr int kSplit[5] = {18, 10, 24, 10, 24};
// The finest cell (10 characters) is 1/2880 degree of longitude and 1/5760 of latitude; a
// field (the first pair) is 57600 of them both ways.
constexpr std::int64_t kFinestPerField = 10 * 24 * 10 * 24;
constexpr int kLonCellsPerDegree = 2880;
constexpr int kLatCellsPerDegree = 5760;

bool inPair(char c, int pair) {
    const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    switch (pair) {
    case 0:
        return u >= 'A' && u <= 'R';
    case 2:
    case 4:
        return u >= 'A' && u <= 'X';
    default:
        return c >= '0' && c <= '9';
    }
}

int digit(char c, int pair) {
    return pair % 2 == 0 ? std::toupper(static_cast<unsigned char>(c)) - 'A' : c - '0';
}

// The index of the finest cell holding `degrees` (shifted to start at 0), counted from the
// south or west edge; `cellsPerDegree` is 2880 for longitude and 5760 for latitude. A value a
// hair below an edge from decimal rounding (0.3 is stored as 0.29999...) counts as on it.
std::int64_t finestCell(double degrees, int cellsPerDegree) {
    const double cells = std::floor(degrees * cellsPerDegree + 1e-6);
    return std::clamp<std::int64_t>(static_cast<std::int64_t>(cells), 0, 18 * kFinestPerField - 1);
}

} // namespace

std::optional<std::string> normaliseLocator(std::string_view text) {
    if (text.size() != 4 && text.size() != 6 && text.size() != 8 && text.size() != 10) {
        return std::nullopt;
    }
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const int pair = static_cast<int>(i / 2);
        if (!inPair(out[i], pair)) {
            return std::nullopt;
        }
        const auto c = static_cast<unsigned char>(out[i]);
        out[i] = static_cast<char>(pair == 2 || pair == 4 ? std::tolower(c) : std::toupper(c));
    }
    return out;
}

std::optional<LatLon> locatorCentre(std::string_view locator) {
    const auto grid = normaliseLocator(locator);
    if (!grid) {
        return std::nullopt;
    }
    // Whole finest cells from the south-west corner, then half the last cell's size.
    std::int64_t lon = 0;
    std::int64_t lat = 0;
    std::int64_t cell = kFinestPerField;
    const int pairs = static_cast<int>(grid->size() / 2);
    for (int pair = 0; pair < pairs; ++pair) {
        if (pair > 0) {
            cell /= kSplit[pair];
        }
        lon += digit((*grid)[2 * pair], pair) * cell;
        lat += digit((*grid)[2 * pair + 1], pair) * cell;
    }
    const double half = static_cast<double>(cell) / 2;
    return LatLon{(static_cast<double>(lat) + half) / kLatCellsPerDegree - 90,
                  (static_cast<double>(lon) + half) / kLonCellsPerDegree - 180};
}

std::string locatorOf(const LatLon& position, int characters) {
    const int pairs = std::clamp(characters, 4, 10) / 2;
    const std::int64_t lon = finestCell(position.longitude + 180, kLonCellsPerDegree);
    const std::int64_t lat = finestCell(position.latitude + 90, kLatCellsPerDegree);
    std::string out;
    std::int64_t cell = kFinestPerField;
    for (int pair = 0; pair < pairs; ++pair) {
        if (pair > 0) {
            cell /= kSplit[pair];
        }
        const auto part = [&](std::int64_t index) {
            const int d = static_cast<int>((index / cell) % kSplit[pair]);
            switch (pair) {
            case 0:
                return static_cast<char>('A' + d);
            case 2:
            case 4:
                return static_cast<char>('a' + d);
            default:
                return static_cast<char>('0' + d);
            }
        };
        out += part(lon);
        out += part(lat);
    }
    return out;
}

} // namespace tamsel
