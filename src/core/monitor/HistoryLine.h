// SPDX-License-Identifier: GPL-3.0-or-later
// HistoryLine: where each field stands in a line of the received history. The monitor
// writes lines by this table, the history window reads callers and draws its heading by it.
#pragma once

#include "adapter/Payload.h"
#include "base/Columns.h"

#include <cstddef>
#include <string_view>

namespace tamsel::historyline {

// A field of the line: its first column, counted from 1, and its width in characters.
struct Field {
    std::size_t start;
    std::size_t width;
    constexpr std::size_t index() const { return start - 1; }        // counted from 0
    constexpr std::size_t last() const { return start + width - 1; } // counted from 1
};

inline constexpr Field kDate{1, 19};
inline constexpr Field kCaller{21, kCallsignWidth};
inline constexpr Field kSuffix{30, kSuffixWidth};
inline constexpr Field kCalled{35, kCallsignWidth};
inline constexpr Field kMessage{44, kMessageWidth};
// A line with a message is this wide: one blank follows the message.
inline constexpr std::size_t kWidth = 64;
static_assert(kMessage.last() < kWidth);

// The field as it stands in `line`: shorter when the line ends earlier, empty before it.
inline std::string_view cut(std::string_view line, Field field) {
    return column(line, field.start, field.width);
}

} // namespace tamsel::historyline
