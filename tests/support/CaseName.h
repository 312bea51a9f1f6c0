// SPDX-License-Identifier: GPL-3.0-or-later
// CaseName: readable names for parameterised test cases, as ctest lists them.
#pragma once

#include <cctype>
#include <gtest/gtest.h>
#include <string>
#include <string_view>

namespace tamsel::test {

// `text` as a test name: letters and digits kept, every other run of characters one
// underscore; the case's index goes in front so that two alike descriptions never collide.
inline std::string readableName(std::string_view text, std::size_t index) {
    std::string name = std::to_string(index) + "_";
    for (const char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
            name += c;
        } else if (name.back() != '_') {
            name += '_';
        }
    }
    return name;
}

// The name generator for cases that carry a description in `what`.
struct ByWhat {
    template <typename P> std::string operator()(const ::testing::TestParamInfo<P>& info) const {
        return readableName(std::string_view(info.param.what), info.index);
    }
};

} // namespace tamsel::test
