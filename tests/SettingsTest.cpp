// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the default settings conversions.
#include "dialogs/Settings.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

TEST(SettingsFormat, AsTheDialogShowsThem) {
    EXPECT_EQ(formatTimesTen(25), "250");
    EXPECT_EQ(formatTimesTen(0), "00");
    EXPECT_EQ(formatTimesTen(255), "2550");
    EXPECT_EQ(formatDecimal(3), "3");
    EXPECT_EQ(formatDecimal(0), "0");
    EXPECT_EQ(formatPattern(0xAB), "ab");
    EXPECT_EQ(formatPattern(0x05), " 5");
    EXPECT_EQ(formatPattern(0x10), "10");
    EXPECT_EQ(formatPattern(0), "  ");
}

TEST(SettingsParse, BitPatterns) {
    const std::vector<std::pair<std::string, int>> cases{
        {"AB", 0xAB}, {" 5", 5}, {"5", 5},  {"5 ", 5},   {"  ", 0},  {"", 0},
        {"G7", 7},    {"7G", 7}, {"ab", 0}, {"FF", 255}, {"0F", 15}, {"ABC", 0xAB}};
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(parsePattern(text), value) << '"' << text << '"';
    }
}

TEST(SettingsParse, PatternsRoundTripThroughTheDisplay) {
    for (int b = 0; b < 256; ++b) {
        std::string shown = formatPattern(static_cast<std::uint8_t>(b));
        for (char& c : shown) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        EXPECT_EQ(parsePattern(shown), b) << '"' << shown << '"';
    }
}

TEST(SettingsParse, DecimalFields) {
    const std::vector<std::pair<std::string, std::optional<int>>> cases{
        {"125", 125},          {"120 ms", 120},       {" 120", std::nullopt},
        {"", std::nullopt},    {"12a", std::nullopt}, {"-100", -100},
        {"+24", 24},           {"2550", 2550},        {"123456789", 12345678},
        {"--5", std::nullopt}, {"+-5", std::nullopt}, {"0x10", std::nullopt},
        {"1,5", std::nullopt}};
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(parseDecimal(text), value) << '"' << text << '"';
    }
}

TEST(SettingsParse, DecimalRoundTripThroughTheDisplay) {
    for (int b = 0; b < 256; ++b) {
        const auto v = static_cast<std::uint8_t>(b);
        EXPECT_EQ(convertSetting(formatTimesTen(v), kDelayField).wValue, b);
        EXPECT_EQ(convertSetting(formatDecimal(v), kErrorBitsField).wValue,
                  b <= 24 ? std::optional<std::uint16_t>(b) : std::nullopt);
    }
}

struct ConvertCase {
    std::string text;
    const SettingField* field;
    std::optional<std::uint16_t> wValue;
    std::string message;
};

TEST(SettingsConvert, LimitsAndMessages) {
    const std::vector<ConvertCase> cases{
        {"125", &kDelayField, 12, ""},
        {"5", &kDelayField, 0, ""},
        {"2550", &kDelayField, 255, ""},
        {"2549", &kDelayField, 254, ""},
        {"2551", &kDelayField, {}, "Delay Time is too big. (max. 2550)"},
        {"2551", &kKeepAliveField, {}, "Keep Alive Time is too big. (max. 2550)"},
        {"24", &kErrorBitsField, 24, ""},
        {"25", &kErrorBitsField, {}, "ReSync Error Bits is too big. (max. 24)"},
        {"123456789", &kDelayField, {}, "Delay Time is too big. (max. 2550)"},
        {"abc", &kKeepAliveField, {}, "Invalid character"},
        {"-100", &kDelayField, {}, "Delay Time is too small. (min. 0)"},
        {"-1", &kKeepAliveField, {}, "Keep Alive Time is too small. (min. 0)"},
        {"-1", &kErrorBitsField, {}, "ReSync Error Bits is too small. (min. 0)"},
        {"0", &kErrorBitsField, 0, ""},
    };
    for (const auto& c : cases) {
        const SettingValue v = convertSetting(c.text, *c.field);
        EXPECT_EQ(v.wValue, c.wValue) << c.text;
        EXPECT_EQ(std::string(v.message ? v.message : ""), c.message) << c.text;
    }
}

} // namespace
} // namespace tamsel
