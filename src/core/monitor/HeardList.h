// SPDX-License-Identifier: GPL-3.0-or-later
// HeardList: the stations heard since start, newest first, found by callsign.
#pragma once

#include "monitor/Position.h"
#include "monitor/ReceptionMachine.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
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
    std::string rpt1, rpt2;           // the route of its last header
    std::string message;              // of the latest reception that carried one
    std::optional<Position> position; // the last valid one
    // Its last reception: when its header arrived, its flags, and how long it lasted once
    // it has ended (zero while it goes on).
    std::chrono::system_clock::time_point utcStart{};
    std::array<std::uint8_t, 3> flags{};
    std::chrono::milliseconds duration{0};
    // When a position of it last went out to APRS-IS; zero when none has.
    std::chrono::system_clock::time_point gatedAt{};
};

// The station's last reception as the report of its end: what "Log Contact..." and the
// listening reports start from.
StationReport lastReception(const HeardStation& station);

// The stations in the order they were last heard, newest at row 0. Finding a station by
// callsign, its row, and the station at a row all take O(log n), so a list of a hundred
// thousand stations costs a reception little more than a list of a hundred.
//
// The order can be held still while someone aims at a row: then a station heard again stays
// in its row and a new one is added at the end; release() puts them all where they belong,
// in the order they were heard.
class HeardList {
public:
    struct Change {
        std::size_t row;                // where the station is now
        std::optional<std::size_t> was; // where it was before, for Heard; nothing if new
        std::size_t id = 0;             // the station, as byId() takes it
    };

    // Applies one report; returns the row it changed, or nothing (a report without a
    // station heard first). A Heard report moves the station to row 0 unless the order is
    // held.
    std::optional<Change> apply(const StationReport& report);

    // A position of `caller` went out to APRS-IS at `when`: the station (as byId() takes
    // it), or nothing for one not in the list.
    std::optional<std::size_t> markGated(const std::string& caller,
                                         std::chrono::system_clock::time_point when);

    void hold() { held_ = true; }
    void release();
    bool held() const { return held_; }

    std::size_t size() const { return live_ + appended_.size(); }
    // The row of the station a Heard report for `caller` will change, or nothing if new.
    std::optional<std::size_t> rowOf(const std::string& caller) const;
    const HeardStation& at(std::size_t row) const;
    // The station heard last (whatever the order shown), if any.
    std::optional<std::size_t> lastHeardId() const { return current_; }

    // Stations by a number that stays theirs whatever their row: 0, 1, ... in the order
    // first heard.
    const HeardStation& byId(std::size_t id) const { return stations_[id]; }
    std::size_t idAt(std::size_t row) const;
    std::size_t rowOfId(std::size_t id) const;

private:
    // Where a station is: a slot of the tree, or (while held, when new) a place after the
    // tree's rows.
    struct Place {
        std::size_t slot = 0;
        std::uint64_t heard = 0; // when last heard, by reception
        bool inTree = false;
        bool pending = false; // heard while held: to move when released
    };

    // The binary indexed tree over time slots: 1 where a station was last heard.
    void add(std::size_t slot, int delta);
    std::size_t prefix(std::size_t slot) const; // live slots in [0, slot]
    std::size_t findKth(std::size_t k) const;   // the slot of the k-th live one, k from 1
    std::size_t newSlot(std::size_t id);
    void toTop(std::size_t id);
    void compact();

    std::vector<HeardStation> stations_;
    std::unordered_map<std::string, std::size_t> index_;
    std::vector<Place> placeOf_;             // by station
    std::vector<std::size_t> stationInSlot_; // by slot
    std::vector<char> occupied_;             // by slot: where a station was last heard
    std::vector<int> tree_;                  // Fenwick tree, 1-based
    std::size_t slots_ = 0;                  // slots used so far
    std::size_t live_ = 0;                   // stations in the tree
    std::uint64_t receptions_ = 0;
    bool held_ = false;
    std::vector<std::size_t> appended_;  // stations first heard while held, in that order
    std::vector<std::size_t> pending_;   // stations heard while held
    std::optional<std::size_t> current_; // the station of the reception under way
};

} // namespace tamsel
