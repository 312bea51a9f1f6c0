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
        std::optional<std::size_t> was;
        if (added) {
            stations_.push_back({call, {}, {}, 0, {}, {}, {}});
            slotOf_.push_back(0);
            ++live_;
        } else {
            was = rowOf(id);
            add(slotOf_[id], -1);
        }
        slotOf_[id] = newSlot(id);
        add(slotOf_[id], +1);
        HeardStation& s = stations_[id];
        s.suffix = report.suffix;
        s.lastHeard = report.time;
        s.called = report.called;
        ++s.count;
        current_ = id;
        return Change{0, was};
    }
    if (!current_ || report.kind == K::End) {
        return std::nullopt; // the end repeats what the station's row already shows
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
    return Change{rowOf(*current_), std::nullopt};
}

std::optional<std::size_t> HeardList::rowOf(const std::string& caller) const {
    const auto it = index_.find(withoutTrailingBlanks(caller));
    if (it == index_.end()) {
        return std::nullopt;
    }
    return rowOf(it->second);
}

const HeardStation& HeardList::at(std::size_t row) const {
    return stations_[idAt(row)];
}

std::size_t HeardList::rowOf(std::size_t id) const {
    return live_ - prefix(slotOf_[id]);
}

std::size_t HeardList::idAt(std::size_t row) const {
    return stationInSlot_[findKth(live_ - row)];
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
        slotOf_[id] = slots_;
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
