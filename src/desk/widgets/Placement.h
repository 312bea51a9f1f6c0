// SPDX-License-Identifier: GPL-3.0-or-later
// Placement: where a window opens beside another, as a pure function of rectangles.
#pragma once

#include <QRect>
#include <QSize>

namespace tamsel {

// The space left between a window and the one it opens beside.
inline constexpr int kPlacementGap = 8;

// Where a window whose frame is `want` goes beside the frame `main` on the screen's available
// area `screen`: right of it, else left of it, else below it, wholly on the screen and level
// with it as far as the screen allows. Where none of these has room, the one of them that
// covers the least of `main` once moved onto the screen. A window larger than the screen is
// made as large as the screen. An invalid `screen` leaves the window right of `main`.
// With a valid `keepClear` (the program's main window, when `main` is another), the first
// of those places, or above `main`, that has room and leaves `keepClear` uncovered comes
// first.
QRect placeBeside(const QRect& main, const QSize& want, const QRect& screen,
                  const QRect& keepClear = {});

} // namespace tamsel
