// SPDX-License-Identifier: GPL-3.0-or-later
// LineListAccessible: the line list as screen readers see it, one item per row.
#pragma once

namespace tamsel {

// Makes every LineListView appear to screen readers as a list whose items are its rows,
// each named by its text, with the selected and focused row marked. Idempotent.
void installLineListAccessibility();

} // namespace tamsel
