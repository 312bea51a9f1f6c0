// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of which receptions alert: base callsigns, the watch list's rules and the quiet time.
#include "alerts/AlertRules.h"
#include "support/CaseName.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

struct BaseCase {
    const char* what;
    std::string field;
    std::string base;
};

class BaseCall : public ::testing::TestWithParam<BaseCase> {};

TEST_P(BaseCall, IsTheCallsignWithoutPaddingModuleOrPortablePart) {
    EXPECT_EQ(baseCallsign(GetParam().field), GetParam().base);
}

INSTANTIATE_TEST_SUITE_P(
    Alerts, BaseCall,
    ::testing::Values(BaseCase{"padded", "JA1XYZ  ", "JA1XYZ"},
                      BaseCase{"module letter", "JA1XYZ B", "JA1XYZ"},
                      BaseCase{"portable", "JA1XYZ/P", "JA1XYZ"},
                      BaseCase{"country prefix", "DL/JA1XYZ", "JA1XYZ"},
                      BaseCase{"lower case", "ja1xyz  ", "JA1XYZ"},
                      BaseCase{"NUL ends it", std::string("JA1XYZ\0QQ", 9), "JA1XYZ"},
                      BaseCase{"general call", "CQCQCQ  ", ""}, BaseCase{"command", "       U", ""},
                      BaseCase{"route to a repeater", "/JR1YB B", ""},
                      BaseCase{"blank", "        ", ""},
                      BaseCase{"not a callsign", "JA1-XYZ ", ""}),
    test::ByWhat());

struct WatchCase {
    const char* what;
    std::vector<std::string> list;
    std::string caller;
    bool matches;
};

class Watch : public ::testing::TestWithParam<WatchCase> {};

TEST_P(Watch, MatchesExactCallsAndPrefixesAnchoredAtTheStart) {
    EXPECT_EQ(WatchList(GetParam().list).matches(GetParam().caller), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(
    Alerts, Watch,
    ::testing::Values(WatchCase{"exact", {"JA1XYZ"}, "JA1XYZ", true},
                      WatchCase{"exact is not a prefix", {"JA1XY"}, "JA1XYZ", false},
                      WatchCase{"prefix", {"JA1*"}, "JA1XYZ", true},
                      WatchCase{"prefix anchored at the start", {"W1AW*"}, "KW1AW", false},
                      WatchCase{"prefix equal to the call", {"W1AW*"}, "W1AW", true},
                      WatchCase{"lower case entry", {"  ja1xyz  "}, "JA1XYZ", true},
                      WatchCase{"comment after the entry", {"JA1XYZ # friend"}, "JA1XYZ", true},
                      WatchCase{"one of many", {"DL1ABC", "", "G*", "JA1XYZ"}, "G4ABC", true},
                      WatchCase{"lone star watches nobody", {"*"}, "JA1XYZ", false},
                      WatchCase{"empty caller", {"JA1*"}, "", false}),
    test::ByWhat());

TEST(WatchList, NamesTheLinesItCannotUse) {
    const WatchList list({"JA1XYZ", "J?1*", "TOOLONGCALL", "*", "# only a comment"});
    EXPECT_EQ(list.refused(), (std::vector<std::string>{"J?1*", "TOOLONGCALL", "*"}));
}

struct DecideCase {
    const char* what;
    std::string caller, called, myCall;
    std::vector<std::string> watch;
    bool callsToMe;
    std::optional<AlertKind> kind;
};

class Decide : public ::testing::TestWithParam<DecideCase> {};

TEST_P(Decide, AlertsForCallsToMeAndWatchedStations) {
    const DecideCase& c = GetParam();
    AlertSettings settings;
    settings.callsToMe = c.callsToMe;
    settings.watch = c.watch;
    AlertRules rules(settings);
    const auto alert = rules.decide(c.caller, c.called, c.myCall, AlertRules::Clock::now());
    ASSERT_EQ(alert.has_value(), c.kind.has_value());
    if (alert) {
        EXPECT_EQ(alert->kind, *c.kind);
        EXPECT_EQ(alert->caller, baseCallsign(c.caller));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Alerts, Decide,
    ::testing::Values(
        DecideCase{
            "called me", "JA1XYZ  ", "JE2TUV  ", "JE2TUV  ", {}, true, AlertKind::CallingYou},
        DecideCase{"called me with module and suffix",
                   "JA1XYZ B",
                   "JE2TUV/P",
                   "JE2TUV B",
                   {},
                   true,
                   AlertKind::CallingYou},
        DecideCase{"calls to me switched off",
                   "JA1XYZ  ",
                   "JE2TUV  ",
                   "JE2TUV  ",
                   {},
                   false,
                   std::nullopt},
        DecideCase{"a CQ", "JA1XYZ  ", "CQCQCQ  ", "JE2TUV  ", {}, true, std::nullopt},
        DecideCase{"my own transmission heard back",
                   "JE2TUV  ",
                   "JE2TUV  ",
                   "JE2TUV  ",
                   {},
                   true,
                   std::nullopt},
        DecideCase{
            "no own callsign set", "JA1XYZ  ", "        ", "        ", {}, true, std::nullopt},
        DecideCase{
            "watched", "JA1XYZ  ", "CQCQCQ  ", "JE2TUV  ", {"JA1*"}, true, AlertKind::Watched},
        DecideCase{"watched and calling me",
                   "JA1XYZ  ",
                   "JE2TUV  ",
                   "JE2TUV  ",
                   {"JA1*"},
                   true,
                   AlertKind::CallingYou}),
    test::ByWhat());

TEST(AlertRules, QuietTimeIsPerStationAndACallToMeBreaksIt) {
    AlertSettings settings;
    settings.watch = {"JA1*"};
    settings.quietTime = std::chrono::minutes(10);
    AlertRules rules(settings);
    const auto t0 = AlertRules::Clock::time_point{} + std::chrono::hours(1);
    const auto heard = [&](const char* caller, const char* called, std::chrono::seconds after) {
        return rules.decide(caller, called, "JE2TUV  ", t0 + after).has_value();
    };
    using std::chrono::seconds;
    EXPECT_TRUE(heard("JA1XYZ  ", "CQCQCQ  ", seconds(0)));
    EXPECT_FALSE(heard("JA1XYZ  ", "CQCQCQ  ", seconds(60)));  // quiet
    EXPECT_TRUE(heard("JA1ABC  ", "CQCQCQ  ", seconds(61)));   // another station
    EXPECT_TRUE(heard("JA1XYZ  ", "JE2TUV  ", seconds(120)));  // now calling me
    EXPECT_FALSE(heard("JA1XYZ  ", "JE2TUV  ", seconds(180))); // quiet again
    EXPECT_FALSE(heard("JA1XYZ  ", "CQCQCQ  ", seconds(599)));
    EXPECT_TRUE(heard("JA1XYZ  ", "CQCQCQ  ", seconds(120 + 600))); // quiet time over

    settings.everyReception = true;
    rules.setSettings(settings);
    EXPECT_TRUE(heard("JA1XYZ  ", "CQCQCQ  ", seconds(721)));
    EXPECT_TRUE(heard("JA1XYZ  ", "CQCQCQ  ", seconds(722)));
}

TEST(AlertRules, SummaryNamesTheStation) {
    EXPECT_EQ(alertSummary(AlertKind::CallingYou, "JA1XYZ"), "JA1XYZ is calling you");
    EXPECT_EQ(alertSummary(AlertKind::Watched, "JA1XYZ"), "JA1XYZ heard");
}

} // namespace
} // namespace tamsel
