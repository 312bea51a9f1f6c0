// SPDX-License-Identifier: GPL-3.0-or-later
// The repeater directory's index read from arbitrary bytes past its checksum, as a file made
// on purpose would reach it: nothing larger than the bytes allow, and what it gives is written
// and read again unchanged.
#include "repeaters/RepeaterIndex.h"

#include <cstdlib>
#include <string>

using namespace tamsel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    const auto index = readRepeaterIndexBody(body);
    if (!index) {
        return 0;
    }
    std::uint64_t total = 0;
    for (const KeptList& l : index->lists) {
        total += l.repeaters;
    }
    if (total != index->repeaters.size() || index->repeaters.size() > size / 52) {
        std::abort();
    }
    for (const Repeater& r : index->repeaters) {
        if (r.list >= index->lists.size() || index->lists[r.list].repeaters == 0 ||
            (r.position && !isValidPosition(*r.position))) {
            std::abort();
        }
    }
    const auto again =
        readRepeaterIndex(writeRepeaterIndex(index->lists, index->notLists, index->repeaters));
    if (!again || again->repeaters.size() != index->repeaters.size() ||
        again->lists.size() != index->lists.size() ||
        again->notLists.size() != index->notLists.size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < again->repeaters.size(); ++i) {
        const Repeater& a = again->repeaters[i];
        const Repeater& b = index->repeaters[i];
        if (a.name != b.name || a.callsign != b.callsign || a.gateway != b.gateway ||
            a.area != b.area || a.list != b.list ||
            a.position.has_value() != b.position.has_value()) {
            std::abort();
        }
    }
    return 0;
}
