// SPDX-License-Identifier: GPL-3.0-or-later
// LineStore: many lines of bytes in one buffer with their offsets.
#pragma once

#include "memory/HugePages.h"

#include <cstddef>
#include <string_view>

namespace tamsel {

// Lines of bytes kept in one buffer with their start offsets: one allocation for all the
// text, eight bytes of bookkeeping per line. Appending and reading a line cost the same at
// any size.
class LineStore {
public:
    std::size_t size() const { return starts_.size() - 1; }
    bool empty() const { return size() == 0; }
    std::string_view line(std::size_t i) const {
        std::string_view l(bytes_.data() + starts_[i], starts_[i + 1] - starts_[i]);
        return terminated_ ? withoutLineEnd(l) : l;
    }
    std::size_t longest() const { return longest_; }

    void append(std::string_view line);
    void clear();
    // Takes the text of all lines back to back and the offset where each one starts. With
    // `terminated`, each line still carries its CR LF, LF or CR, which is not part of it.
    void assign(ByteBuffer bytes, LineStarts starts, bool terminated = false);
    std::size_t memoryUsed() const;

private:
    static std::string_view withoutLineEnd(std::string_view l) {
        if (!l.empty() && l.back() == '\n') {
            l.remove_suffix(1);
            if (!l.empty() && l.back() == '\r') {
                l.remove_suffix(1);
            }
        } else if (!l.empty() && l.back() == '\r') {
            l.remove_suffix(1);
        }
        return l;
    }

    ByteBuffer bytes_;
    LineStarts starts_{0};
    std::size_t longest_ = 0;
    bool terminated_ = false;
};

} // namespace tamsel
