// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the request catalogue on the wire, the version loop and the retry rules.
#include "adapter/Catalogue.h"
#include "adapter/Fields.h"
#include "adapter/Payload.h"
#include "adapter/Retry.h"
#include "adapter/Version.h"
#include "sim/SimulatedAdapter.h"
#include "support/Trace.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <array>

namespace tamsel {
namespace {

using test::bytes;

struct WireCase {
    const char* what;
    std::function<int(AdapterLink&)> issue;
    std::uint8_t type, code;
    std::uint16_t wValue, wIndex, length;
    unsigned timeout;
    const char* sent; // OUT data, or nullptr
};

class WireTest : public ::testing::TestWithParam<WireCase> {};

// Each shape of request reaches the wire with the catalogue's code, setup values, length
// and time-out, and OUT payloads arrive byte for byte.
TEST_P(WireTest, SetupPacketAndPayload) {
    const WireCase& c = GetParam();
    SimulatedAdapter sim;
    c.issue(sim);
    const auto trace = sim.trace();
    ASSERT_EQ(trace.size(), 1u) << c.what;
    const TraceEntry& e = trace[0];
    EXPECT_EQ(e.requestType, c.type) << c.what;
    EXPECT_EQ(e.code, c.code) << c.what;
    EXPECT_EQ(e.wValue, c.wValue) << c.what;
    EXPECT_EQ(e.wIndex, c.wIndex) << c.what;
    EXPECT_EQ(e.length, c.length) << c.what;
    EXPECT_EQ(e.timeoutMs, c.timeout) << c.what;
    if (c.sent != nullptr) {
        EXPECT_EQ(bytes(e), c.sent) << c.what;
    }
}

std::array<unsigned char, 20> buffer;

INSTANTIATE_TEST_SUITE_P(
    Catalogue, WireTest,
    ::testing::Values(
        WireCase{"InitModem", [](AdapterLink& l) { return command(l, Request::InitModem); }, 0x40,
                 0x00, 0, 0, 0, 100, nullptr},
        WireCase{"SaveSettings", [](AdapterLink& l) { return command(l, Request::SaveSettings); },
                 0x40, 0x47, 0, 0, 0, 100, nullptr},
        WireCase{
            "empty destination",
            [](AdapterLink& l) { return sendField(l, Request::SetYourCall, callsignField("")); },
            0x40, 0x42, 0, 0, 8, 100, "        "},
        WireCase{"five-character repeater",
                 [](AdapterLink& l) {
                     return sendField(l, Request::SetRpt1Call, callsignField("JR1YB"));
                 },
                 0x40, 0x43, 0, 0, 8, 100, "JR1YB   "},
        WireCase{"ten characters cut to eight",
                 [](AdapterLink& l) {
                     return sendField(l, Request::SetRpt2Call, callsignField("JR1YBCDEFG"));
                 },
                 0x40, 0x44, 0, 0, 8, 100, "JR1YBCDE"},
        WireCase{"empty suffix",
                 [](AdapterLink& l) { return sendField(l, Request::SetMyCall2, suffixField("")); },
                 0x40, 0x41, 0, 0, 4, 100, "    "},
        WireCase{"lower-case message",
                 [](AdapterLink& l) {
                     return sendField(l, Request::SetTxMessage, messageField("hello"));
                 },
                 0x40, 0x48, 0, 0, 20, 100, "hello               "},
        WireCase{"flags",
                 [](AdapterLink& l) {
                     return sendField(l, Request::SetTxFlags, std::string("\x60\x01\x02", 3));
                 },
                 0x40, 0x45, 0, 0, 3, 100, "\x60\x01\x02"},
        WireCase{"volume at the top",
                 [](AdapterLink& l) { return sendValue(l, Request::SetVolume, volumeValue(0)); },
                 0x40, 0x81, 255, 1, 0, 100, nullptr},
        WireCase{"volume at the bottom",
                 [](AdapterLink& l) { return sendValue(l, Request::SetVolume, volumeValue(255)); },
                 0x40, 0x81, 0, 1, 0, 100, nullptr},
        WireCase{"RX auto detect on",
                 [](AdapterLink& l) { return sendValue(l, Request::SetRxAutoDetect, 1); }, 0x40,
                 0xD3, 1, 1, 0, 100, nullptr},
        WireCase{"post bits",
                 [](AdapterLink& l) { return sendValue(l, Request::SetPostBits, 0xAB); }, 0x40,
                 0xE1, 0xAB, 1, 0, 100, nullptr},
        WireCase{"header piece",
                 [](AdapterLink& l) { return readBytes(l, Request::GetRxHeader, buffer); }, 0xC0,
                 0x21, 0, 0, 8, 500, nullptr},
        WireCase{"slow data piece",
                 [](AdapterLink& l) { return readBytes(l, Request::GetSlowData, buffer); }, 0xC0,
                 0x11, 0, 0, 8, 200, nullptr},
        WireCase{"status while a message is gathered",
                 [](AdapterLink& l) {
                     return readBytes(l, Request::GetStatus, buffer, kStatusTimeoutMessageMs);
                 },
                 0xC0, 0x30, 0, 0, 1, 200, nullptr},
        WireCase{"message read",
                 [](AdapterLink& l) { return readBytes(l, Request::GetTxMessage, buffer); }, 0xC0,
                 0x66, 0, 0, 20, 100, nullptr},
        WireCase{"modem options",
                 [](AdapterLink& l) { return readBytes(l, Request::GetModemOptions, buffer); },
                 0xC0, 0xD0, 0, 0, 1, 100, nullptr}),
    test::ByWhat());

TEST(Catalogue, EveryCodeIsFoundByItsDirection) {
    for (const RequestInfo& row : catalogue()) {
        const std::uint8_t type = row.shape == Shape::InBytes ? kRequestTypeIn : kRequestTypeOut;
        const RequestInfo* found = findByCode(type, row.code);
        ASSERT_NE(found, nullptr) << row.name;
        EXPECT_EQ(found->request, row.request) << row.name;
        EXPECT_LE(row.length, 20) << row.name; // no request carries more than 20 bytes
    }
    EXPECT_EQ(catalogue().size(), 36u);
    EXPECT_EQ(findByCode(kRequestTypeOut, 0x11), nullptr); // GetSlowData is IN only
}

struct VersionCase {
    std::string text;
    bool endless;
    std::size_t requests;
    std::string shown;
};

class VersionTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionTest, ReadsPiecesUntilAShortOne) {
    const VersionCase& c = GetParam();
    SimulatedAdapter sim;
    sim.setVersion(c.text, c.endless);
    EXPECT_EQ(readVersion(sim), c.shown);
    EXPECT_EQ(sim.trace().size(), c.requests);
    for (const auto& e : sim.trace()) {
        EXPECT_EQ(e.code, 0xFF);
        EXPECT_EQ(e.length, 8);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Version, VersionTest,
    ::testing::Values(VersionCase{"Tamsel fw 03.05 rev", false, 3, "Tamsel fw 03.05 rev"},
                      VersionCase{"0123456789ABCDEF", false, 3, "0123456789ABCDEF"},
                      VersionCase{"01234567890123456789", false, 3, "01234567890123456789"},
                      VersionCase{"", false, 1, ""},
                      VersionCase{std::string("V1.0\0junk", 9), false, 2, "V1.0"}),
    [](const auto& info) {
        const VersionCase& c = info.param;
        return test::readableName((c.text.empty() ? std::string("empty") : c.text) +
                                      (c.endless ? " endless" : ""),
                                  info.index);
    });

TEST(Version, EndlessAdapterStopsAt131Characters) {
    SimulatedAdapter sim;
    sim.setVersion("0123456789", true);
    const std::string text = readVersion(sim);
    ASSERT_EQ(text.size(), kVersionCapacity);
    EXPECT_EQ(text.substr(0, 12), "012345678901");
    EXPECT_EQ(sim.trace().size(), 17u);
}

TEST(Version, FirstFailureGivesEmptyTextAfterOneRequest) {
    SimulatedAdapter sim;
    sim.setVersion("Tamsel");
    sim.failCode(0xFF, FaultKind::Fail);
    EXPECT_EQ(readVersion(sim), "");
    EXPECT_EQ(sim.trace().size(), 1u);
}

TEST(Version, FailureAfterFullPiecesKeepsThem) {
    SimulatedAdapter sim;
    sim.setVersion("0123456789ABCDEFGHIJ");
    sim.failRequestNumber(1, FaultKind::Fail);
    EXPECT_EQ(readVersion(sim), "01234567");
}

struct RetryCase {
    Retry rule;
    int failures;
    std::size_t attempts;
    std::vector<int> pauses;
    int result;
};

class RetryTest : public ::testing::TestWithParam<RetryCase> {};

std::string retryName(const ::testing::TestParamInfo<RetryCase>& info) {
    static const char* const rules[] = {"none", "at once", "after 50 ms"};
    return test::readableName(std::string(rules[static_cast<int>(info.param.rule)]) + " " +
                                  std::to_string(info.param.failures) + " failures",
                              info.index);
}

TEST_P(RetryTest, RepeatsOnceUnderItsRule) {
    const RetryCase& c = GetParam();
    int calls = 0;
    std::vector<int> pauses;
    const int result = withRetry(
        c.rule, [&] { return ++calls <= c.failures ? kErrorPipe : 8; },
        [&](int ms) { pauses.push_back(ms); });
    EXPECT_EQ(static_cast<std::size_t>(calls), c.attempts);
    EXPECT_EQ(pauses, c.pauses);
    EXPECT_EQ(result, c.result);
}

INSTANTIATE_TEST_SUITE_P(Rules, RetryTest,
                         ::testing::Values(RetryCase{Retry::None, 0, 1, {}, 8},
                                           RetryCase{Retry::None, 1, 1, {}, kErrorPipe},
                                           RetryCase{Retry::AtOnce, 0, 1, {}, 8},
                                           RetryCase{Retry::AtOnce, 1, 2, {}, 8},
                                           RetryCase{Retry::AtOnce, 5, 2, {}, kErrorPipe},
                                           RetryCase{Retry::After50ms, 1, 2, {50}, 8},
                                           RetryCase{Retry::After50ms, 5, 2, {50}, kErrorPipe}),
                         retryName);

TEST(Retry, After50msLeavesAGapOnTheWire) {
    SimulatedAdapter sim;
    sim.failCode(0x66, FaultKind::Fail);
    withRetry(Retry::After50ms, [&] { return readBytes(sim, Request::GetTxMessage, buffer); });
    const auto trace = sim.trace();
    ASSERT_EQ(trace.size(), 2u);
    EXPECT_GE(trace[1].time - trace[0].time, std::chrono::milliseconds(50));
}

} // namespace
} // namespace tamsel
