// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the heard-stations list held still while a row is aimed at.
#include "monitor/HeardList.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace tamsel {
namespace {

StationReport heard(const std::string& call) {
    StationReport r;
    r.caller = call;
    return r;
}

// The rule spelled out plainly: newest first; while held a station heard again keeps its row
// and a new one joins the end; on release all go in the order they were last heard.
struct Reference {
    std::vector<std::string> rows;
    std::vector<std::string> heldHeard; // heard while held, oldest first
    bool held = false;

    void apply(const std::string& call) {
        const auto it = std::find(rows.begin(), rows.end(), call);
        if (held) {
            if (it == rows.end()) {
                rows.push_back(call);
            }
            std::erase(heldHeard, call);
            heldHeard.push_back(call);
            return;
        }
        if (it != rows.end()) {
            rows.erase(it);
        }
        rows.insert(rows.begin(), call);
    }
    void release() {
        held = false;
        for (const std::string& call : heldHeard) {
            apply(call);
        }
        heldHeard.clear();
    }
};

// Receptions, holds and releases at random over enough stations that the tree renumbers
// itself while held and while releasing; after every step each row holds what the plain
// rule says, and a Heard report's change names the row the station shows in.
TEST(HeardList, HeldRowsStayAndReleaseInHearingOrder) {
    HeardList list;
    Reference ref;
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> station(0, 299);
    std::uniform_int_distribution<int> die(0, 99);
    for (int step = 0; step < 6000; ++step) {
        const int roll = die(rng);
        if (roll < 4 && !ref.held) {
            list.hold();
            ref.held = true;
        } else if (roll < 8 && ref.held) {
            list.release();
            ref.release();
        } else {
            const std::string call = "S" + std::to_string(station(rng));
            const auto before = list.rowOf(call);
            const auto change = list.apply(heard(call));
            ref.apply(call);
            ASSERT_TRUE(change);
            ASSERT_EQ(change->was, before);
            ASSERT_EQ(list.at(change->row).callsign, call) << "step " << step;
            if (ref.held && before) {
                ASSERT_EQ(change->row, *before) << "held: in place";
            }
        }
        ASSERT_EQ(list.size(), ref.rows.size());
        if (step % 50 == 0 || roll < 8) {
            for (std::size_t row = 0; row < ref.rows.size(); ++row) {
                ASSERT_EQ(list.at(row).callsign, ref.rows[row])
                    << "step " << step << " row " << row;
                ASSERT_EQ(list.rowOf(ref.rows[row]), row);
            }
        }
    }
}

// A message or position goes to the station of the reception under way, also when it was
// first heard while held and sits at the end.
TEST(HeardList, ReportsFollowTheStationAddedWhileHeld) {
    HeardList list;
    list.apply(heard("JA1ABC"));
    list.hold();
    const auto added = list.apply(heard("7M4XYZ  "));
    ASSERT_TRUE(added);
    EXPECT_EQ(added->row, 1u);
    StationReport message;
    message.kind = StationReport::Kind::Message;
    message.message = "on the end          ";
    EXPECT_EQ(list.apply(message)->row, 1u);
    list.release();
    EXPECT_EQ(list.at(0).callsign, "7M4XYZ");
    EXPECT_EQ(list.at(0).message, "on the end");
}

} // namespace
} // namespace tamsel
