// SPDX-License-Identifier: GPL-3.0-or-later
// HeardList: the stations heard since start, newest first, found by callsign.
#pragma once

#include "monitor/Position.h"
#include "monitor/ReceptionMachine.h"

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tamsel {

// One station: the caller's callsign (trailing blanks removed) and what was heard of it.
struct HeardStation {
    std::string callsign;
    std::string suffix;
    std::string lastHeard; // local time as the reception fields show it
    std::size_t count = 0; // receptions since start
    std::string called;
    std::string message;              // of the latest reception that carried one
    std::optional<Position> position; // the last valid one
};

// The stations in the order they were last heard, newest at row 0. Finding a station by
// callsign, its row, and the station at a row all take O(log n), so a list of a hundred
// thousand stations costs a reception little more than a list of a hundred.
class HeardList {
public:
    struct Change {
        std::size_t row;                // where the station is now (always 0 for Heard)
        std::optional<std::size_t> was; // where it was before, for Heard; nothing if new
    };

    // Applies one report; returns the row it changed, or nothing (a report without a
    // station heard first).
    std::optional<Change> apply(const StationReport& report);

    std::size_t size() const { return live_; }
    // The row of the station a Heard report for `caller` will move, or nothing if new.
    std::optional<std::size_t> rowOf(const std::string& caller) const;
    const HeardStation& at(std::size_t row) const;

private:
    std::size_t rowOf(std::size_t id) const;
    std::size_t idAt(std::size_t row) const;
    // The binary indexed tree over time slots: 1 where a station was last heard.
    void add(std::size_t slot, int delta);
    std::size_t prefix(std::size_t slot) const; // live slots in [0, slot]
    std::size_t findKth(std::size_t k) const;   // the slot of the k-th live one, k from 1
    std::size_t newSlot(std::size_t id);
    void compact();

    std::vector<HeardStation> stations_;
    std::unordered_map<std::string, std::size_t> index_;
    std::vector<std::size_t> slotOf_;        // by station
    std::vector<std::size_t> stationInSlot_; // by slot
    std::vector<char> occupied_;             // by slot: where a station was last heard
    std::vector<int> tree_;                  // Fenwick tree, 1-based
    std::size_t slots_ = 0;                  // slots used so far
    std::size_t live_ = 0;
    std::optional<std::size_t> current_; // the station of the reception under way
};

} // namespace tamsel
