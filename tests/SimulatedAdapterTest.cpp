// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the simulated adapter itself.
#include "sim/SimulatedAdapter.h"
#include "adapter/Catalogue.h"
#include "support/Trace.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <array>
#include <filesystem>
#include <fstream>
#include <thread>

namespace tamsel {
namespace {

std::string read(SimulatedAdapter& sim, Request r) {
    std::array<unsigned char, 20> buf{};
    const int n = readBytes(sim, r, buf);
    return n < 0 ? "<fail>" : std::string(buf.begin(), buf.begin() + n);
}

int write(SimulatedAdapter& sim, Request r, const std::string& field) {
    return sendBytes(sim, r, {reinterpret_cast<const unsigned char*>(field.data()), field.size()});
}

TEST(SimulatedAdapter, EverySettingWrittenIsReadBack) {
    SimulatedAdapter sim;
    const std::vector<std::tuple<Request, Request, std::string>> fields{
        {Request::SetMyCall, Request::GetMyCall, "JA1ABC  "},
        {Request::SetMyCall2, Request::GetMyCall2, "ID51"},
        {Request::SetYourCall, Request::GetYourCall, "CQCQCQ  "},
        {Request::SetRpt1Call, Request::GetRpt1Call, "JR1YB  B"},
        {Request::SetRpt2Call, Request::GetRpt2Call, "JR1YB  G"},
        {Request::SetTxFlags, Request::GetTxFlags, std::string("\x48\x01\x02", 3)},
        {Request::SetTxMessage, Request::GetTxMessage, "hello from the sim  "},
    };
    for (const auto& [set, get, value] : fields) {
        EXPECT_EQ(write(sim, set, value), static_cast<int>(value.size()));
        EXPECT_EQ(read(sim, get), value) << info(get).name;
    }
    const std::vector<std::tuple<Request, Request, std::uint16_t>> bytes{
        {Request::SetDelay, Request::GetDelay, 25},
        {Request::SetKeepAlive, Request::GetKeepAlive, 255},
        {Request::SetErrorBits, Request::GetErrorBits, 3},
        {Request::SetVolume, Request::GetVolume, 200},
        {Request::SetPreBits, Request::GetPreBits, 0xAB},
        {Request::SetPostBits, Request::GetPostBits, 5},
    };
    for (const auto& [set, get, value] : bytes) {
        EXPECT_EQ(sendValue(sim, set, value), 0);
        EXPECT_EQ(read(sim, get), std::string(1, static_cast<char>(value))) << info(get).name;
    }
}

TEST(SimulatedAdapter, OptionSwitchesSetAndClearTheirBits) {
    SimulatedAdapter sim;
    sim.setValue(0xD0, {0x10});
    sendValue(sim, Request::SetTxInvert, 1);
    sendValue(sim, Request::SetRxInvert, 1);
    sendValue(sim, Request::SetRxAutoDetect, 1);
    EXPECT_EQ(sim.value(0xD0), std::vector<std::uint8_t>{0x93});
    sendValue(sim, Request::SetRxInvert, 0);
    EXPECT_EQ(sim.value(0xD0), std::vector<std::uint8_t>{0x91});
}

TEST(SimulatedAdapter, SaveKeepsACopyAndInitModemIsCounted) {
    SimulatedAdapter sim;
    write(sim, Request::SetMyCall, "JA1ABC  ");
    command(sim, Request::SaveSettings);
    write(sim, Request::SetMyCall, "JA1XYZ  ");
    command(sim, Request::InitModem);
    EXPECT_EQ(sim.saveCount(), 1);
    EXPECT_EQ(sim.initModemCount(), 1);
    const auto stored = sim.storedSettings().at(0x60);
    EXPECT_EQ(std::string(stored.begin(), stored.end()), "JA1ABC  ");
    EXPECT_EQ(sim.text(0x60), "JA1XYZ  ");
}

// What Save stores outlives the run in the file given, as in an adapter left unplugged; what
// was only set does not, and a damaged file spoils no setting.
TEST(SimulatedAdapter, SavedSettingsOutliveARestartInTheirFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path file =
        std::filesystem::path(dir.path().toStdString()) / "demo" / "simulated-adapter.txt";
    const auto restarted = [&file] {
        auto sim = std::make_unique<SimulatedAdapter>();
        sim->setText(0x60, "JA1DMO  ");
        sim->keepStoredIn(file);
        return sim;
    };
    {
        auto sim = restarted();
        EXPECT_EQ(read(*sim, Request::GetMyCall), "JA1DMO  ") << "no file yet";
        write(*sim, Request::SetMyCall, "JA1ABC  ");
        write(*sim, Request::SetTxMessage, "saved message       ");
        sendValue(*sim, Request::SetVolume, 77);
        EXPECT_EQ(command(*sim, Request::SaveSettings), 0);
        write(*sim, Request::SetTxMessage, "only set, not saved ");
    }
    ASSERT_TRUE(std::filesystem::exists(file)) << "the folder is made";
    {
        auto sim = restarted();
        EXPECT_EQ(read(*sim, Request::GetMyCall), "JA1ABC  ");
        EXPECT_EQ(read(*sim, Request::GetTxMessage), "saved message       ");
        EXPECT_EQ(read(*sim, Request::GetVolume), std::string(1, '\x4D'));
        EXPECT_EQ(sim->storedSettings().at(0x60), sim->value(0x60)) << "stored and held";
    }
    {
        std::ofstream damaged(file, std::ios::trunc);
        damaged << "60 4A41324142432020\n" // JA2ABC: taken
                   "62 4A41\n"             // too short for Station Call
                   "66 zz\n"               // not hex
                   "99 01\n"               // no such setting
                   "82\n"
                   "garbage without a value\n";
    }
    auto sim = restarted();
    EXPECT_EQ(read(*sim, Request::GetMyCall), "JA2ABC  ");
    EXPECT_EQ(read(*sim, Request::GetYourCall), "        ");
    EXPECT_EQ(read(*sim, Request::GetTxMessage), std::string(20, ' '));
}

TEST(SimulatedAdapter, RefusedWriteKeepsTheOldValue) {
    SimulatedAdapter sim;
    sim.setValue(0x65, {0x40, 0, 0});
    sim.refuseWrites(0x45);
    write(sim, Request::SetTxFlags, std::string("\x60\x00\x00", 3));
    EXPECT_EQ(sim.value(0x65), (std::vector<std::uint8_t>{0x40, 0, 0}));
}

TEST(SimulatedAdapter, UnknownRequestStalls) {
    SimulatedAdapter sim;
    unsigned char b[8];
    EXPECT_EQ(sim.controlTransfer(kRequestTypeIn, 0x99, 0, 0, b, 8, 100), kErrorPipe);
    EXPECT_EQ(sim.controlTransfer(kRequestTypeOut, 0x99, 0, 0, nullptr, 0, 100), kErrorPipe);
}

TEST(SimulatedAdapter, PlaysAReceptionInItsPieces) {
    SimulatedAdapter sim;
    ScriptedReception r;
    for (int i = 0; i < 41; ++i) {
        r.header.push_back(static_cast<std::uint8_t>(i));
    }
    r.headerPieces = {5, 0, 8, 8, 8, 8, 8};
    r.slowData = {'@', 'H', 'e', 'l', 'l', 'o'};
    r.slowPieces = {4, 0, 2};
    sim.queueReception(r);
    EXPECT_TRUE(sim.receptionsPending());

    std::array<unsigned char, 8> buf{};
    std::vector<int> header;
    for (int i = 0; i < 7; ++i) {
        header.push_back(readBytes(sim, Request::GetRxHeader, buf));
    }
    EXPECT_EQ(header, (std::vector<int>{5, 0, 8, 8, 8, 8, 4}));
    EXPECT_EQ(readBytes(sim, Request::GetStatus, buf), 1);
    EXPECT_EQ(buf[0], 0x02) << "active while slow data is still to come";
    std::vector<int> slow;
    for (int i = 0; i < 3; ++i) {
        slow.push_back(readBytes(sim, Request::GetSlowData, buf));
    }
    EXPECT_EQ(slow, (std::vector<int>{4, 0, 2}));
    EXPECT_EQ(std::string(buf.begin(), buf.begin() + 2), "lo");
    readBytes(sim, Request::GetStatus, buf);
    EXPECT_EQ(buf[0], 0x08);
    EXPECT_FALSE(sim.receptionsPending());
    readBytes(sim, Request::GetStatus, buf);
    EXPECT_EQ(buf[0], 0x00) << "idle after the reception";
    EXPECT_EQ(readBytes(sim, Request::GetRxHeader, buf), 0);
}

TEST(SimulatedAdapter, FaultsByCodeByPositionAndUnplug) {
    SimulatedAdapter sim;
    sim.setText(0x60, "JA1ABC  ");
    sim.failCode(0x60, FaultKind::Fail, 2);
    EXPECT_EQ(read(sim, Request::GetMyCall), "<fail>");
    EXPECT_EQ(read(sim, Request::GetMyCall), "<fail>");
    EXPECT_EQ(read(sim, Request::GetMyCall), "JA1ABC  ");

    sim.failCode(0x60, FaultKind::Short, -1, 3);
    EXPECT_EQ(read(sim, Request::GetMyCall), "JA1");
    EXPECT_EQ(read(sim, Request::GetMyCall), "JA1");
    sim.clearFaults();
    sim.failCode(0x60, FaultKind::Zero);
    EXPECT_EQ(read(sim, Request::GetMyCall), "");

    sim.failRequestNumber(sim.requestCount() + 1, FaultKind::Fail);
    EXPECT_EQ(read(sim, Request::GetMyCall), "JA1ABC  ");
    EXPECT_EQ(read(sim, Request::GetMyCall), "<fail>");

    sim.unplugAfter(1);
    EXPECT_EQ(read(sim, Request::GetMyCall), "JA1ABC  ");
    EXPECT_EQ(command(sim, Request::SaveSettings), kErrorNoDevice);
    EXPECT_EQ(read(sim, Request::GetMyCall), "<fail>");
    EXPECT_EQ(sim.trace().back().result, kErrorNoDevice);
}

TEST(SimulatedAdapter, TimeoutWaitsForTheTimeOut) {
    SimulatedAdapter sim;
    sim.failCode(0x47, FaultKind::Timeout);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(command(sim, Request::SaveSettings), kErrorTimeout);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
}

TEST(SimulatedAdapter, TraceIsSafeFromTwoThreads) {
    SimulatedAdapter sim;
    auto hammer = [&](Request r) {
        for (int i = 0; i < 500; ++i) {
            std::array<unsigned char, 8> buf{};
            readBytes(sim, r, buf);
        }
    };
    std::thread a(hammer, Request::GetStatus);
    std::thread b(hammer, Request::GetMyCall);
    a.join();
    b.join();
    EXPECT_EQ(sim.trace().size(), 1000u);
    EXPECT_EQ(sim.mainTrace().size(), 500u);
}

} // namespace
} // namespace tamsel
