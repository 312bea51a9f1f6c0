// SPDX-License-Identifier: GPL-3.0-or-later
// HeardList: the stations heard since start, newest first, found by callsign.
#include "monitor/HeardList.h"

#include <algorithm>

namespace tamsel {

namespace {

std::string withoutTrailingBlanks(std::string s) {
    while (!s.empty() && s.back() == ' ') {
        s.pop_back();
    }
    return s;
}

} // namespace

std::optional<HeardList::Change> HeardList::apply(const StationReport& report) {
    using K = StationReport::Kind;
    if (report.kind == K::Heard) {
        const std::string call = withoutTrailingBlanks(report.caller);
        auto [it, added] = index_.try_emplace(call, stations_.size());
        const std::size_t id = it->second;
        if (added) {
            stations_.emplace_back().callsign = call;
            placeOf_.emplace_back();
        }
        Place& place = placeOf_[id];
        place.heard = ++receptions_;
        Change change{0, std::nullopt, id};
        if (!added) {
            change.was = rowOfId(id);
        }
        if (!held_) {
            toTop(id);
        } else {
            if (added) {
                place.slot = appended_.size();
                appended_.push_back(id);
            }
            if (!place.pending) {
                place.pending = true;
                pending_.push_back(id);
            }
            change.row = rowOfId(id);
        }
        HeardStation& s = stations_[id];
        s.suffix = report.suffix;
        s.lastHeard = report.time;
        s.called = report.called;
        s.rpt1 = report.rpt1;
        s.rpt2 = report.rpt2;
        s.utcStart = report.utcStart;
        s.flags = report.flags;
        s.duration = {};
        ++s.count;
        current_ = id;
        return change;
    }
    if (!current_) {
        return std::nullopt;
    }
    if (report.kind == K::End) {
        // Only how long it lasted is new; the rest repeats what the row already shows.
        stations_[*current_].duration = report.duration;
        return std::nullopt;
    }
    HeardStation& s = stations_[*current_];
    if (report.kind == K::Message) {
        const std::string message = withoutTrailingBlanks(report.message);
        if (message.empty()) {
            return std::nullopt;
        }
        s.message = message;
    } else {
        s.position = report.position;
    }
    return Change{rowOfId(*current_), std::nullopt, *current_};
}

StationReport lastReception(const HeardStation& station) {
    StationReport end;
    end.kind = StationReport::Kind::End;
    end.caller = station.callsign;
    end.suffix = station.suffix;
    end.called = station.called;
    end.time = station.lastHeard;
    end.message = station.message;
    end.rpt1 = station.rpt1;
    end.rpt2 = station.rpt2;
    end.flags = station.flags;
    end.utcStart = station.utcStart;
    end.duration = station.duration;
    if (station.position) {
        end.positions.push_back(*station.position);
    }
    return end;
}

void HeardList::release() {
    if (!held_) {
        return;
    }
    held_ = false;
    // The stations heard meanwhile go to the top in the order they were last heard.
    std::sort(pending_.begin(), pending_.end(), [this](std::size_t a, std::size_t b) {
        return placeOf_[a].heard < placeOf_[b].heard;
    });
    appended_.clear();
    for (const std::size_t id : pending_) {
        placeOf_[id].pending = false;
        toTop(id);
    }
    pending_.clear();
}

std::optional<std::size_t> HeardList::markGated(const std::string& caller,
                                                std::chrono::system_clock::time_point when) {
    const auto it = index_.find(withoutTrailingBlanks(caller));
    if (it == index_.end()) {
        return std::nullopt;
    }
    stations_[it->second].gatedAt = when;
    return it->second;
}

std::optional<std::size_t> HeardList::rowOf(const std::string& caller) const {
    const auto it = index_.find(withoutTrailingBlanks(caller));
    if (it == index_.end()) {
        return std::nullopt;
    }
    return rowOfId(it->second);
}

const HeardStation& HeardList::at(std::size_t row) const {
    return stations_[idAt(row)];
}

std::size_t HeardList::rowOfId(std::size_t id) const {
    const Place& place = placeOf_[id];
    return place.inTree ? live_ - prefix(place.slot) : live_ + place.slot;
}

std::size_t HeardList::idAt(std::size_t row) const {
    return row < live_ ? stationInSlot_[findKth(live_ - row)] : appended_[row - live_];
}

void HeardList::toTop(std::size_t id) {
    Place& place = placeOf_[id];
    if (place.inTree) {
        add(place.slot, -1);
    } else {
        place.inTree = true;
        ++live_;
    }
    place.slot = newSlot(id);
    add(place.slot, +1);
}

void HeardList::add(std::size_t slot, int delta) {
    occupied_[slot] = static_cast<char>(delta > 0 ? 1 : 0);
    for (std::size_t i = slot + 1; i < tree_.size(); i += i & (~i + 1)) {
        tree_[i] += delta;
    }
}

std::size_t HeardList::prefix(std::size_t slot) const {
    int sum = 0;
    for (std::size_t i = slot + 1; i > 0; i -= i & (~i + 1)) {
        sum += tree_[i];
    }
    return static_cast<std::size_t>(sum);
}

std::size_t HeardList::findKth(std::size_t k) const {
    std::size_t pos = 0;
    std::size_t step = 1;
    while (step * 2 < tree_.size()) {
        step *= 2;
    }
    int left = static_cast<int>(k);
    for (; step > 0; step /= 2) {
        if (pos + step < tree_.size() && tree_[pos + step] < left) {
            pos += step;
            left -= tree_[pos];
        }
    }
    return pos; // 1-based pos + 1 is the slot's index + 1
}

std::size_t HeardList::newSlot(std::size_t id) {
    if (slots_ + 1 >= tree_.size()) {
        compact();
    }
    stationInSlot_[slots_] = id;
    return slots_++;
}

void HeardList::compact() {
    // Renumbers the live slots in their order into a tree with room to spare: O(n), once
    // per as many receptions as there are stations, so a reception pays O(1) for it.
    std::vector<std::size_t> order;
    order.reserve(live_);
    for (std::size_t slot = 0; slot < slots_; ++slot) {
        if (occupied_[slot] != 0) {
            order.push_back(stationInSlot_[slot]);
        }
    }
    const std::size_t capacity = std::max<std::size_t>(64, 2 * (live_ + 1));
    tree_.assign(capacity + 1, 0);
    stationInSlot_.assign(capacity, 0);
    occupied_.assign(capacity, 0);
    slots_ = 0;
    for (const std::size_t id : order) {
        placeOf_[id].slot = slots_;
        stationInSlot_[slots_] = id;
        occupied_[slots_] = 1;
        tree_[slots_ + 1] = 1;
        ++slots_;
    }
    // Builds the tree in place from the ones.
    for (std::size_t i = 1; i < tree_.size(); ++i) {
        const std::size_t parent = i + (i & (~i + 1));
        if (parent < tree_.size()) {
            tree_[parent] += tree_[i];
        }
    }
}

} // namespace tamsel
