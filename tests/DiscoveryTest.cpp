// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of adapter discovery over simulated buses.
#include "adapter/Discovery.h"
#include "sim/SimulatedBus.h"
#include "support/Trace.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

using Ids = UsbBus::DeviceIds;
using Pos = std::pair<std::size_t, std::size_t>;

constexpr Ids kAdapter{kVendorId, kProductId};
constexpr Ids kHub{0x1D6B, 0x0002};
constexpr Ids kVendorOnly{kVendorId, 0x000A};
constexpr Ids kProductOnly{0x1234, kProductId};

struct DiscoveryCase {
    const char* what;
    SimulatedBus::Layout layout;
    Discovery::Outcome outcome;
    std::vector<Pos> examined;
    std::vector<Pos> opened;
};

class DiscoveryTest : public ::testing::TestWithParam<DiscoveryCase> {};

TEST_P(DiscoveryTest, WalksBusesInOrderAndStopsAtTheFirstAdapter) {
    const DiscoveryCase& c = GetParam();
    auto sim = std::make_shared<SimulatedAdapter>();
    SimulatedBus bus(c.layout, sim);
    const Discovery result = discoverAdapter(bus);
    EXPECT_EQ(result.outcome, c.outcome) << c.what;
    EXPECT_EQ(bus.scans, 1) << c.what;
    EXPECT_EQ(bus.examined, c.examined) << c.what;
    EXPECT_EQ(bus.opened, c.opened) << c.what;
    if (c.outcome == Discovery::Outcome::Found) {
        EXPECT_EQ(adapterFound.load(), 1);
        ASSERT_NE(result.link, nullptr);
        EXPECT_EQ(bus.configurations, std::vector<int>{1});
        // The first and only request of discovery is InitModem.
        EXPECT_EQ(test::names(sim->trace()), std::vector<std::string>{"InitModem"});
    } else {
        EXPECT_EQ(adapterFound.load(), 0);
        EXPECT_TRUE(bus.configurations.empty());
        EXPECT_TRUE(sim->trace().empty()) << "no request without an adapter";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Walk, DiscoveryTest,
    ::testing::Values(DiscoveryCase{"no buses", {}, Discovery::Outcome::NotFound, {}, {}},
                      DiscoveryCase{"near misses are passed over",
                                    {{kHub, kVendorOnly, kProductOnly}},
                                    Discovery::Outcome::NotFound,
                                    {{0, 0}, {0, 1}, {0, 2}},
                                    {}},
                      DiscoveryCase{"two adapters on two buses: the first bus wins",
                                    {{kHub, kAdapter}, {kAdapter}},
                                    Discovery::Outcome::Found,
                                    {{0, 0}, {0, 1}},
                                    {{0, 1}}},
                      DiscoveryCase{
                          "third device of the second bus",
                          {{kHub, kVendorOnly}, {kHub, kProductOnly, kAdapter, kAdapter, kHub}},
                          Discovery::Outcome::Found,
                          {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {1, 2}},
                          {{1, 2}}},
                      DiscoveryCase{"an empty bus is skipped",
                                    {{}, {kAdapter}},
                                    Discovery::Outcome::Found,
                                    {{1, 0}},
                                    {{1, 0}}}),
    test::ByWhat());

TEST(Discovery, AdapterThatCannotBeOpenedIsReportedAsSuch) {
    auto sim = std::make_shared<SimulatedAdapter>();
    SimulatedBus bus(SimulatedBus::oneAdapter(), sim);
    bus.openFails = true;
    const Discovery result = discoverAdapter(bus);
    EXPECT_EQ(result.outcome, Discovery::Outcome::CannotOpen);
    EXPECT_EQ(result.link, nullptr);
    EXPECT_TRUE(bus.configurations.empty());
    EXPECT_TRUE(sim->trace().empty());
    const std::string text = notFoundMessage(result);
    EXPECT_NE(text.find("could not be opened"), std::string::npos);
    EXPECT_NE(text.find("LIBUSB_ERROR_ACCESS"), std::string::npos);
    EXPECT_NE(text.find("60-tamsel.rules"), std::string::npos);
}

// The system's reason and the rule's path go into the operator's language's sentence as
// they are, even when they hold what looks like a place for an argument.
TEST(Discovery, ReasonAndRuleFilledInAsTheyAre) {
    Discovery cannotOpen;
    cannotOpen.outcome = Discovery::Outcome::CannotOpen;
    cannotOpen.error = "odd %2 reason";
    const std::string text = notFoundMessage(cannotOpen, {false, "/src/%1/60-tamsel.rules"});
    EXPECT_NE(text.find("(odd %2 reason)"), std::string::npos) << text;
    EXPECT_NE(text.find("sudo cp /src/%1/60-tamsel.rules /etc/udev/rules.d/"), std::string::npos)
        << text;
    // In another language: the translation is asked for the English text.
    const std::string german = notFoundMessage(
        cannotOpen, {true, "/usr/lib/udev/rules.d/60-tamsel.rules"}, [](const char* english) {
            return std::string(english).find("is installed (%2)") != std::string::npos
                       ? std::string("Regel %2 installiert; Grund: %1")
                       : std::string("?");
        });
    EXPECT_EQ(german,
              "Regel /usr/lib/udev/rules.d/60-tamsel.rules installiert; Grund: odd %2 reason");
}

TEST(Discovery, NoAdapterKeepsTheShortMessage) {
    EXPECT_EQ(notFoundMessage(Discovery{}), "Tamsel not found.");
}

} // namespace
} // namespace tamsel
