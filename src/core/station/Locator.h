// SPDX-License-Identifier: GPL-3.0-or-later
// Locator: Maidenhead grid locators of 4, 6, 8 or 10 characters and the positions they stand for.
#pragma once

#include "station/Geodesy.h"

#include <optional>
#include <string>
#include <string_view>

namespace tamsel {

// A locator in its usual spelling ("JN58td", "JN58td25", "JN58td25mk"), whatever the case it
// was typed in; nothing unless it has 4, 6, 8 or 10 characters, each in its range (fields
// A-R, squares and extended squares 0-9, subsquares and extended subsquares A-X).
std::optional<std::string> normaliseLocator(std::string_view text);

// The centre of the locator's square; nothing for an invalid locator.
std::optional<LatLon> locatorCentre(std::string_view locator);

// The locator (4, 6, 8 or 10 characters) of the square holding the position. A position on an
// edge belongs to the square to its north and east; 90 N and 180 E to the last squares.
std::string locatorOf(const LatLon& position, int characters = 6);

} // namespace tamsel
