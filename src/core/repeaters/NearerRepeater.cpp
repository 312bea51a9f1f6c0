// SPDX-License-Identifier: GPL-3.0-or-later
// NearerRepeater: while the operator moves, when another repeater has become clearly nearer
// than the one in Repeater 1.
#include "repeaters/NearerRepeater.h"

namespace tamsel {

std::optional<NearerRepeater::Offer> NearerRepeater::update(const RepeaterDirectory& directory,
                                                            const LatLon& here,
                                                            const std::string& repeater1) {
    const Repeater* current = directory.find(repeater1);
    const auto nearest =
        current != nullptr && current->position ? directory.nearest(here) : std::nullopt;
    if (!nearest) {
        offered_.clear();
        return std::nullopt;
    }
    const double now = course(here, *current->position).metres;
    const double other = nearest->course.metres;
    const std::string& callsign = nearest->repeater->callsign;
    if (callsign == repeater1 || other >= now) {
        offered_.clear(); // nothing nearer: the next time one is, it is offered
        return std::nullopt;
    }
    if (other > now * kShare || now - other < kMarginMetres) {
        return std::nullopt; // nearer, but not clearly
    }
    if (offered_ == callsign && against_ == repeater1) {
        return std::nullopt; // said already
    }
    offered_ = callsign;
    against_ = repeater1;
    return Offer{nearest->repeater, other};
}

} // namespace tamsel
