// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the radio header decoding and the reception state machine.
#include "monitor/RadioHeader.h"
#include "monitor/ReceptionMachine.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

using T = ReceptionField;
using namespace std::chrono_literals;
constexpr const char* kNow = "2026/12/07 05:30:00";

std::vector<std::uint8_t> header(std::uint8_t flag, const std::string& your, const std::string& my,
                                 const std::string& my2) {
    std::vector<std::uint8_t> h(kHeaderSize, ' ');
    h[0] = flag;
    h[1] = h[2] = 0;
    std::copy(your.begin(), your.end(), h.begin() + kYourOffset);
    std::copy(my.begin(), my.end(), h.begin() + kMyOffset);
    std::copy(my2.begin(), my2.end(), h.begin() + kMy2Offset);
    return h;
}

TEST(RadioHeader, ControlCodeFromTheLowThreeBits) {
    const std::vector<std::pair<std::uint8_t, std::string>> cases{
        {0x40, "NULL"},        {0xFF, "Repeater Control"},
        {0x4B, "ACK"},         {0x01, "Relay Unavailable"},
        {0x02, "No Response"}, {0x04, "ReSend"},
        {0x05, "Unused"},      {0x06, "Auto Reply"}};
    for (const auto& [flag, text] : cases) {
        const auto h = header(flag, "", "", "");
        const HeaderFields f =
            decodeHeader(std::span<const std::uint8_t, kHeaderSize>(h.data(), kHeaderSize));
        EXPECT_EQ(controlCodeText(f.controlCode), text) << int(flag);
    }
}

TEST(RadioHeader, CallsignsKeepBlanksAndEndAtNul) {
    auto h = header(0, "CQCQCQ  ", "JA1ABC  ", "ID51");
    auto f = decodeHeader(std::span<const std::uint8_t, kHeaderSize>(h.data(), kHeaderSize));
    EXPECT_EQ(f.your, "CQCQCQ  ");
    EXPECT_EQ(f.my, "JA1ABC  ");
    EXPECT_EQ(f.my2, "ID51");
    h[kMyOffset + 3] = 0;
    h[kMy2Offset] = 0;
    f = decodeHeader(std::span<const std::uint8_t, kHeaderSize>(h.data(), kHeaderSize));
    EXPECT_EQ(f.my, "JA1");
    EXPECT_EQ(f.my2, "");
}

TEST(RadioHeader, BlockTypes) {
    const std::vector<std::pair<std::uint8_t, std::optional<int>>> cases{{'@', 0},
                                                                         {'A', 1},
                                                                         {'B', 2},
                                                                         {'C', 3},
                                                                         {'%', 4},
                                                                         {0x50, 5},
                                                                         {0x5A, 5},
                                                                         {0x5F, 5},
                                                                         {'D', {}},
                                                                         {0x3F, {}},
                                                                         {0xC1, {}},
                                                                         {0x60, {}},
                                                                         {slowDataByte(0x00), {}}};
    for (const auto& [byte, type] : cases) {
        EXPECT_EQ(blockType(byte), type) << int(byte);
    }
}

// Plays the adapter's side: each reply is checked against the request the machine asks for.
class Adapter {
public:
    Adapter() : machine([] { return std::string(kNow); }) {}

    std::chrono::milliseconds reply(Request expected, int result,
                                    std::vector<std::uint8_t> bytes = {}) {
        EXPECT_EQ(machine.next().request, expected) << "request " << requests;
        ++requests;
        return machine.feed(result, bytes, updates);
    }
    std::chrono::milliseconds headerPieces(const std::vector<std::uint8_t>& h,
                                           const std::vector<int>& pieces) {
        std::size_t at = 0;
        std::chrono::milliseconds pause{};
        for (int n : pieces) {
            pause = reply(Request::GetRxHeader, n, {h.begin() + at, h.begin() + at + n});
            at += n;
        }
        return pause;
    }
    void slow(const std::string& bytes) {
        reply(Request::GetSlowData, static_cast<int>(bytes.size()), {bytes.begin(), bytes.end()});
    }
    std::chrono::milliseconds status(std::uint8_t s) { return reply(Request::GetStatus, 1, {s}); }
    std::vector<std::string> texts(T target) const {
        std::vector<std::string> out;
        for (const auto& u : updates) {
            if (u.field == target) {
                out.push_back(u.text);
            }
        }
        return out;
    }

    ReceptionMachine machine;
    std::vector<ReceptionUpdate> updates;
    int requests = 0;
};

const auto kHello = header(0x40, "CQCQCQ  ", "JA1ABC  ", "ID51");

TEST(Reception, HeaderInSixPiecesIsPublishedOnceInOrder) {
    Adapter a;
    a.headerPieces(kHello, {8, 8, 8, 8, 8});
    EXPECT_TRUE(a.updates.empty());
    a.headerPieces({kHello.begin() + 40, kHello.end()}, {1});
    ASSERT_EQ(a.updates.size(), 6u);
    std::vector<T> order;
    for (const auto& u : a.updates) {
        order.push_back(u.field);
    }
    EXPECT_EQ(order, (std::vector<T>{T::Called, T::Caller, T::Time, T::CallerSuffix, T::Message,
                                     T::ControlText}));
    EXPECT_EQ(a.texts(T::Called), std::vector<std::string>{"CQCQCQ  "});
    EXPECT_EQ(a.texts(T::Caller), std::vector<std::string>{"JA1ABC  "});
    EXPECT_EQ(a.texts(T::CallerSuffix), std::vector<std::string>{"ID51"});
    EXPECT_EQ(a.texts(T::Time), std::vector<std::string>{kNow});
    EXPECT_EQ(a.texts(T::Message), std::vector<std::string>{" "});
    EXPECT_EQ(a.texts(T::ControlText), std::vector<std::string>{"NULL"});
    EXPECT_TRUE(a.machine.gatheringMessage());
    EXPECT_EQ(a.requests, 6);
}

TEST(Reception, ZeroByteReadDiscardsOnlyWhenNotActive) {
    Adapter a;
    a.headerPieces(kHello, {8, 8});
    a.reply(Request::GetRxHeader, 0);
    a.status(0x02);                               // still active: keep the 16 bytes
    a.reply(Request::GetRxHeader, kErrorTimeout); // a failure keeps them too
    a.reply(Request::GetRxHeader, 0);
    a.reply(Request::GetStatus, kErrorPipe); // no status byte: no change
    a.headerPieces({kHello.begin() + 16, kHello.end()}, {8, 8, 8, 1});
    EXPECT_EQ(a.texts(T::Caller), std::vector<std::string>{"JA1ABC  "});

    Adapter b;
    b.headerPieces(header(0, "XXXXXXXX", "XXXXXXXX", "XXXX"), {8, 8});
    b.reply(Request::GetRxHeader, 0);
    b.status(0x00); // not active: start again at byte 0
    b.headerPieces(kHello, {8, 8, 8, 8, 8, 1});
    EXPECT_EQ(b.texts(T::Caller), std::vector<std::string>{"JA1ABC  "});
}

TEST(Reception, PausesOnlyAfterFailedHeaderReadsAndBetweenSlowDataPasses) {
    Adapter a;
    EXPECT_EQ(a.reply(Request::GetRxHeader, kErrorIo), 10ms);
    EXPECT_EQ(a.reply(Request::GetRxHeader, 0), 0ms);
    EXPECT_EQ(a.status(0x00), 0ms);
    EXPECT_EQ(a.machine.next().timeoutMs, 500u);
    EXPECT_EQ(a.headerPieces(kHello, {8, 8, 8, 8, 8, 1}), 0ms);
    EXPECT_EQ(a.machine.next().timeoutMs, 200u);
    a.slow("");
    EXPECT_EQ(a.machine.next().timeoutMs, 200u) << "status while a message is gathered";
    EXPECT_EQ(a.status(0x02), 20ms);
}

TEST(Reception, BytesBeyondTheHeaderAreDropped) {
    Adapter a;
    std::vector<std::uint8_t> h = kHello;
    h.insert(h.end(), {'@', 'X', 'X', 'X', 'X', 'X', 'Y'});
    a.headerPieces(h, {8, 8, 8, 8, 8, 8});
    a.slow("AWorld");
    a.status(0x08);
    const auto lines = a.texts(T::HistoryLine);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(43, 20), "     World          ");
}

struct MessageCase {
    const char* what;
    std::uint8_t flag;
    std::vector<std::string> slow;  // one GetSlowData delivery each, then status 0x02
    std::vector<std::string> shown; // MSG after each message part
    std::string line;
};

class Message : public ::testing::TestWithParam<MessageCase> {};

TEST_P(Message, FillsItsPartsAndTheHistoryLine) {
    const MessageCase& c = GetParam();
    Adapter a;
    a.headerPieces(header(c.flag, "CQCQCQ  ", "JA1ABC  ", "ID51"), {8, 8, 8, 8, 8, 1});
    for (const std::string& piece : c.slow) {
        a.slow(piece);
        a.status(0x02);
    }
    a.slow("");
    a.status(0x0A); // active and ended: over
    std::vector<std::string> shown = a.texts(T::Message);
    shown.erase(shown.begin()); // the blank set with the header
    EXPECT_EQ(shown, c.shown) << c.what;
    ASSERT_EQ(a.texts(T::HistoryLine).size(), 1u);
    EXPECT_EQ(a.texts(T::HistoryLine)[0], c.line) << c.what;
    EXPECT_FALSE(a.machine.gatheringMessage());
    EXPECT_EQ(a.machine.next().request, Request::GetRxHeader);
}

const std::string kLine = std::string(kNow) + " JA1ABC   ID51 CQCQCQ   ";

INSTANTIATE_TEST_SUITE_P(
    Reception, Message,
    ::testing::Values(MessageCase{"Hello then World",
                                  0x40,
                                  {"@Hello", "AWorld"},
                                  {"Hello               ", "HelloWorld          "},
                                  kLine + "HelloWorld           "},
                      MessageCase{"parts 3, 0, 2, 1, split across deliveries and repeated",
                                  0,
                                  {"Cpqr", "st@abc", "deBklmnoA", "fghij", "@ABCDE"},
                                  {"               pqrst", "abcde          pqrst",
                                   "abcde     klmnopqrst", "abcdefghijklmnopqrst",
                                   "ABCDEfghijklmnopqrst"},
                                  kLine + "ABCDEfghijklmnopqrst "},
                      MessageCase{"NUL payload bytes become blanks",
                                  0,
                                  {std::string("@H\0i\0\0", 6)},
                                  {"H i                 "},
                                  kLine + "H i                  "},
                      MessageCase{"a block starting with NUL is skipped whole",
                                  0,
                                  {std::string("\0AAAAA", 6), "Azzzzz"},
                                  {"     zzzzz          "},
                                  kLine + "     zzzzz           "},
                      MessageCase{"types 4 and 5 and unknown blocks change nothing",
                                  0,
                                  {"%abcde", "Zabcde", "Dabcde", "\xC1zzzzz"},
                                  {},
                                  kLine + std::string(21, ' ')},
                      MessageCase{"control code 3 ends the line with ACK",
                                  0x4B,
                                  {"@Hello"},
                                  {"Hello               "},
                                  kLine + "ACK"},
                      MessageCase{"control code 2", 0x02, {}, {}, kLine + "No Response"}),
    test::ByWhat());

TEST(Reception, OverWhenTheHeaderCompletesStillCostsOneSlowDataRead) {
    Adapter a;
    a.headerPieces(kHello, {8, 8, 8, 8, 8, 1});
    a.slow("");
    a.status(0x00);
    ASSERT_EQ(a.texts(T::HistoryLine).size(), 1u);
    EXPECT_EQ(a.texts(T::HistoryLine)[0], kLine + std::string(21, ' '));
    EXPECT_EQ(a.requests, 8);
}

TEST(Reception, NoHeaderRequestWhileAMessageIsGathered) {
    Adapter a;
    a.headerPieces(kHello, {8, 8, 8, 8, 8, 1});
    for (int i = 0; i < 100; ++i) {
        a.slow("");
        a.status(0x02);
    }
    EXPECT_TRUE(a.machine.gatheringMessage());
    EXPECT_TRUE(a.texts(T::HistoryLine).empty());
}

TEST(Reception, FailedStatusReadsKeepTheReceptionUntilTheAdapterStaysSilent) {
    Adapter a;
    a.headerPieces(kHello, {8, 8, 8, 8, 8, 1});
    for (int i = 1; i < ReceptionMachine::kStatusFailuresToEnd; ++i) {
        a.slow("");
        EXPECT_EQ(a.reply(Request::GetStatus, kErrorTimeout), 20ms);
    }
    a.slow("");
    a.status(0x02); // one good status resets the count
    for (int i = 1; i < ReceptionMachine::kStatusFailuresToEnd; ++i) {
        a.slow("");
        a.reply(Request::GetStatus, 0);
    }
    EXPECT_TRUE(a.machine.gatheringMessage());
    a.slow("");
    EXPECT_EQ(a.reply(Request::GetStatus, kErrorNoDevice), 0ms);
    EXPECT_FALSE(a.machine.gatheringMessage());
    EXPECT_EQ(a.texts(T::HistoryLine).size(), 1u);
}

TEST(Reception, NulInACallsignKeepsTheLineColumns) {
    Adapter a;
    auto h = header(0, "CQCQCQ  ", "JA1ABC  ", "ID51");
    h[kMyOffset + 3] = 0;
    h[kYourOffset] = 0;
    a.headerPieces(h, {8, 8, 8, 8, 8, 1});
    a.slow("@Hello");
    a.status(0x08);
    EXPECT_EQ(a.texts(T::Caller), std::vector<std::string>{"JA1"});
    EXPECT_EQ(a.texts(T::Called), std::vector<std::string>{""});
    const std::string line = a.texts(T::HistoryLine).at(0);
    EXPECT_EQ(line.size(), 64u);
    EXPECT_EQ(line.substr(20, 8), "JA1     ");
    EXPECT_EQ(line.substr(34, 8), "        ");
    EXPECT_EQ(line.substr(43, 5), "Hello");
}

TEST(Reception, EachReceptionStartsAfresh) {
    Adapter a;
    a.headerPieces(kHello, {8, 8, 8, 8, 8, 1});
    a.slow("@Hello");
    a.status(0x02);
    a.slow("AWo"); // half a block left over when the reception ends
    a.status(0x08);
    a.headerPieces(header(0, "JA1ABC  ", "7M4XYZ  ", "    "), {8, 8, 8, 8, 8, 1});
    a.slow("rld!!!BThird");
    a.status(0x08);
    const auto lines = a.texts(T::HistoryLine);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].substr(20, 8), "7M4XYZ  ");
    // The new stream starts a block at its first byte: "rld!!!" is a block of no type.
    EXPECT_EQ(lines[1].substr(43, 20), "          Third     ");
}

} // namespace
} // namespace tamsel
