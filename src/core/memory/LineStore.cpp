// SPDX-License-Identifier: GPL-3.0-or-later
// LineStore: many lines of bytes in one buffer with their offsets.
#include "memory/LineStore.h"

#include <algorithm>

namespace tamsel {

void LineStore::append(std::string_view line) {
    bytes_.insert(bytes_.end(), line.begin(), line.end());
    if (terminated_) {
        bytes_.push_back('\n');
    }
    starts_.push_back(bytes_.size());
    longest_ = std::max(longest_, line.size());
}

void LineStore::clear() {
    terminated_ = false;
    bytes_.clear();
    starts_.assign(1, 0);
    bytes_.shrink_to_fit();
    starts_.shrink_to_fit();
    longest_ = 0;
}

void LineStore::assign(ByteBuffer bytes, LineStarts starts, bool terminated) {
    terminated_ = terminated;
    bytes_ = std::move(bytes);
    starts_ = std::move(starts);
    starts_.push_back(bytes_.size());
    longest_ = 0;
    // Line ends included: close enough for the width of the list.
    for (std::size_t i = 0; i + 1 < starts_.size(); ++i) {
        longest_ = std::max(longest_, starts_[i + 1] - starts_[i]);
    }
}

std::size_t LineStore::memoryUsed() const {
    return bytes_.capacity() + starts_.capacity() * sizeof(std::size_t);
}

} // namespace tamsel
