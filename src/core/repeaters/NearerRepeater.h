// SPDX-License-Identifier: GPL-3.0-or-later
// NearerRepeater: while the operator moves, when another repeater has become clearly nearer
// than the one in Repeater 1.
#pragma once

#include "repeaters/RepeaterDirectory.h"

#include <optional>
#include <string>

namespace tamsel {

// Decides at each new position whether to offer the nearest repeater instead of Repeater 1.
// Only a repeater the directory knows, with a position, is compared (a route typed by hand,
// simplex or an unknown repeater is the operator's choice and left alone). The other must
// be clearly nearer: at most kShare of the distance and at least kMarginMetres less, so that
// a position wavering between two repeaters at like distance offers neither. Each repeater
// is offered once, and again only after it was no longer nearer or Repeater 1 changed.
class NearerRepeater {
public:
    static constexpr double kShare = 0.8;
    static constexpr double kMarginMetres = 1000;

    struct Offer {
        const Repeater* repeater = nullptr;
        double metres = 0; // from the position
    };

    std::optional<Offer> update(const RepeaterDirectory& directory, const LatLon& here,
                                const std::string& repeater1);
    // Forgets what was offered (the directory changed).
    void reset() { offered_.clear(); }

private:
    std::string offered_; // the repeater offered, and the Repeater 1 it was offered against
    std::string against_;
};

} // namespace tamsel
