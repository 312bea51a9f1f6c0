// SPDX-License-Identifier: GPL-3.0-or-later
// Placement: where a window opens beside another, as a pure function of rectangles.
#include "widgets/Placement.h"

#include <algorithm>
#include <array>

namespace tamsel {
namespace {

// `at` moved as little as it takes to lie within `screen` (which is at least as large).
QRect ontoScreen(QRect at, const QRect& screen) {
    at.moveLeft(std::clamp(at.left(), screen.left(), screen.right() + 1 - at.width()));
    at.moveTop(std::clamp(at.top(), screen.top(), screen.bottom() + 1 - at.height()));
    return at;
}

long long area(const QRect& r) {
    return r.isEmpty() ? 0 : static_cast<long long>(r.width()) * r.height();
}

} // namespace

QRect placeBeside(const QRect& main, const QSize& want, const QRect& screen,
                  const QRect& keepClear) {
    const QRect right(QPoint(main.right() + 1 + kPlacementGap, main.top()), want);
    if (!screen.isValid()) {
        return right;
    }
    const QSize size = want.boundedTo(screen.size());
    const std::array<QRect, 3> candidates{
        QRect(QPoint(main.right() + 1 + kPlacementGap, main.top()), size),
        QRect(QPoint(main.left() - kPlacementGap - size.width(), main.top()), size),
        QRect(QPoint(main.left(), main.bottom() + 1 + kPlacementGap), size),
    };
    const QRect above(QPoint(main.left(), main.top() - kPlacementGap - size.height()), size);
    auto room = [&screen](std::size_t side, const QRect& c) {
        return side < 2 ? c.left() >= screen.left() && c.right() <= screen.right()
                        : c.top() >= screen.top() && c.bottom() <= screen.bottom();
    };
    // A window opened from another one does not cover the main window where it need not.
    if (keepClear.isValid() && !keepClear.intersects(main)) {
        for (std::size_t i = 0; i <= candidates.size(); ++i) {
            const QRect& c = i < candidates.size() ? candidates[i] : above;
            if (room(i, c) && !ontoScreen(c, screen).intersects(keepClear)) {
                return ontoScreen(c, screen);
            }
        }
    }
    // The first with room as it stands, kept level with `main` where the screen allows.
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (room(i, candidates[i])) {
            return ontoScreen(candidates[i], screen);
        }
    }
    QRect best = ontoScreen(candidates[0], screen);
    for (const QRect& c : candidates) {
        const QRect on = ontoScreen(c, screen);
        if (area(on.intersected(main)) < area(best.intersected(main))) {
            best = on;
        }
    }
    return best;
}

} // namespace tamsel
