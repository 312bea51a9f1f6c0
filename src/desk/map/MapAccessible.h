// SPDX-License-Identifier: GPL-3.0-or-later
// MapAccessible: the map as screen readers see it, one item per station and repeater.
#pragma once

namespace tamsel {

// Makes every MapView appear to screen readers as a group whose children are its stations
// and repeaters, each named "callsign, distance, bearing" at its place on screen, the
// selected one marked. Idempotent.
void installMapAccessibility();

} // namespace tamsel
