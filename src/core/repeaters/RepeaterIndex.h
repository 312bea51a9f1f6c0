// SPDX-License-Identifier: GPL-3.0-or-later
// RepeaterIndex: the repeater directory's index file, written and read back whole.
#pragma once

#include "repeaters/Repeater.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamsel {

// A file in the directory's lists folder, as the index saw it.
struct KeptList {
    std::string name; // its file name
    std::uint64_t size = 0;
    std::int64_t modified = 0; // nanoseconds, as the file system says
    std::uint32_t repeaters = 0;
};

// What the index holds: the lists it was made from in the order of their names, the files
// beside them that were read whole and are no repeater list (so that they are not read again
// at every start), and the lists' repeaters, list by list.
struct RepeaterIndex {
    std::vector<KeptList> lists;
    std::vector<KeptList> notLists;
    std::vector<Repeater> repeaters;
};

std::string writeRepeaterIndex(const std::vector<KeptList>& lists,
                               const std::vector<KeptList>& notLists,
                               const std::vector<Repeater>& repeaters);
// Nothing when the file is not an index of this version or is damaged in any way; never
// makes more than the file's size can hold.
std::optional<RepeaterIndex> readRepeaterIndex(std::string_view file);
// The same for what follows the index's header, once its checksum has been found right.
std::optional<RepeaterIndex> readRepeaterIndexBody(std::string_view body);

} // namespace tamsel
