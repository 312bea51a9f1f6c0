// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the payload fields.
#include "adapter/Payload.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <array>

namespace tamsel {
namespace {

struct FieldCase {
    const char* text;
    std::size_t width;
    Case letters;
    const char* expected;
};

class FixedFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FixedFieldTest, PadsCutsAndConvertsCase) {
    const FieldCase& c = GetParam();
    const std::string field = fixedField(c.text, c.width, c.letters);
    EXPECT_EQ(field.size(), c.width);
    EXPECT_EQ(field, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Payloads, FixedFieldTest,
    ::testing::Values(FieldCase{"", 8, Case::Upper, "        "},
                      FieldCase{"JA1AB", 8, Case::Upper, "JA1AB   "},
                      FieldCase{"JA1ABCDEFG", 8, Case::Upper, "JA1ABCDE"},
                      FieldCase{"ab1cd", 8, Case::Upper, "AB1CD   "},
                      FieldCase{"JR1YB  B", 8, Case::Upper, "JR1YB  B"},
                      FieldCase{"", 4, Case::Upper, "    "}, FieldCase{"p", 4, Case::Upper, "P   "},
                      FieldCase{"hello", 20, Case::AsTyped, "hello               "},
                      FieldCase{"abcdefghijklmnopqrstuvwxy", 20, Case::AsTyped,
                                "abcdefghijklmnopqrst"},
                      // Only a to z change: digits, punctuation and 8-bit bytes stay.
                      FieldCase{"a-/\xe9z", 8, Case::Upper, "A-/\xe9Z   "}),
    [](const auto& info) {
        const FieldCase& c = info.param;
        return test::readableName(std::string(c.text) + " width " + std::to_string(c.width) +
                                      (c.letters == Case::Upper ? " upper" : " as typed"),
                                  info.index);
    });

TEST(ReplyAsText, EndsAtFirstNulAndKeepsTrailingSpaces) {
    const std::array<unsigned char, 8> withNul{'J', 'A', '1', 'A', 'B', 'C', 0, 'X'};
    EXPECT_EQ(replyAsText(withNul, 8), "JA1ABC");
    const std::array<unsigned char, 8> padded{'J', 'A', '1', 'A', 'B', 'C', ' ', 'G'};
    EXPECT_EQ(replyAsText(padded, 8), "JA1ABC G");
    const std::array<unsigned char, 8> spaces{'A', 'B', ' ', ' ', 0, 0, 0, 0};
    EXPECT_EQ(replyAsText(spaces, 4), "AB  ");
    const std::array<unsigned char, 8> noNul{'1', '2', '3', '4', '5', '6', '7', '8'};
    EXPECT_EQ(replyAsText(noNul, 4), "1234"); // never past the requested length
    EXPECT_EQ(replyAsText(std::span<const unsigned char>(), 8), "");
}

TEST(Flags, SetAndClearOneBitOnly) {
    EXPECT_EQ(withFlag(0x40, kFlagBreak, true), 0x60);
    EXPECT_EQ(withFlag(0x6F, kFlagBreak, false), 0x4F);
    EXPECT_EQ(withFlag(0xFF, kFlagEmr, false), 0xF7);
    EXPECT_EQ(withFlag(0x00, kFlagRepeater, true), 0x40);
}

TEST(Volume, BarPositionAndAdapterValueMirror) {
    EXPECT_EQ(volumeValue(0), 255);
    EXPECT_EQ(volumeValue(255), 0);
    EXPECT_EQ(volumeValue(10), 245);
    EXPECT_EQ(volumePosition(200), 55);
    EXPECT_EQ(volumePosition(0), 255);
    EXPECT_EQ(volumePosition(255), 0);
}

} // namespace
} // namespace tamsel
