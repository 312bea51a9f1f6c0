// SPDX-License-Identifier: GPL-3.0-or-later
// Version: reading the adapter's firmware version text piece by piece.
#pragma once

#include "AdapterLink.h"

#include <string>

namespace tamsel {

// The firmware version text holds at most this many characters.
inline constexpr std::size_t kVersionCapacity = 131;

// Reads the version text piece by piece until a reply shorter than 8 bytes (or a failure)
// ends it, or the text is full. Returns it cut at its first NUL.
std::string readVersion(AdapterLink& link);

} // namespace tamsel
