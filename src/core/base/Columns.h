// SPDX-License-Identifier: GPL-3.0-or-later
// Columns: cutting a field out of a fixed-column line.
#pragma once

#include <string_view>

namespace tamsel {

// The field of a fixed-column line that starts at `column` (counted from 1) and is at most
// `width` bytes long: shorter when the line ends earlier, empty when it ends before it.
inline std::string_view column(std::string_view line, std::size_t column, std::size_t width = 8) {
    return column > line.size() ? std::string_view() : line.substr(column - 1, width);
}

} // namespace tamsel
