// SPDX-License-Identifier: GPL-3.0-or-later
// MapViewParts: what MapView's drawing and interaction share.
#pragma once

#include "map/MapMarkers.h"

namespace tamsel::mapview {

inline constexpr int kSprite = MapMarkers::kSide;
inline constexpr double kPick = 10; // how near the pointer must be to an item

} // namespace tamsel::mapview
