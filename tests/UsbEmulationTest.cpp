// SPDX-License-Identifier: GPL-3.0-or-later
// The real libusb path against an emulated adapter: umockdev serves a USB device with the
// adapter's identifiers and answers its control transfers with a SimulatedAdapter as the
// firmware. Runs under umockdev-wrapper, which redirects the device nodes and sysfs.
#include "adapter/Catalogue.h"
#include "adapter/Connection.h"
#include "adapter/LibusbLink.h"
#include "adapter/Payload.h"
#include "support/EmulatedAdapter.h"
#include "support/Trace.h"

#include <gtest/gtest.h>
#include <linux/ioctl.h>
#include <linux/usbdevice_fs.h>
#include <umockdev.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>

namespace tamsel {
namespace {

TEST_F(UsbEmulation, FindsOpensConfiguresAndSendsInitModemFirst) {
    EmulatedAdapter emulator;
    {
        LibusbBus bus;
        Discovery result = discoverAdapter(bus);
        ASSERT_EQ(result.outcome, Discovery::Outcome::Found) << result.error;
        EXPECT_EQ(emulator.configuration.load(), 1);
        const auto trace = emulator.firmware.trace();
        ASSERT_EQ(trace.size(), 1u);
        EXPECT_EQ(trace[0].name(), "InitModem");
        EXPECT_EQ(trace[0].requestType, 0x40);
        EXPECT_EQ(trace[0].length, 0);
    }
}

TEST_F(UsbEmulation, PayloadsCrossTheWireByteForByte) {
    EmulatedAdapter emulator;
    emulator.firmware.setText(0x66, "Hello from 7M4XYZ   ");
    LibusbBus bus;
    Discovery result = discoverAdapter(bus);
    ASSERT_EQ(result.outcome, Discovery::Outcome::Found);
    AdapterLink& link = *result.link;

    const std::string call = callsignField("ja1abc");
    EXPECT_EQ(sendBytes(link, Request::SetYourCall,
                        {reinterpret_cast<const unsigned char*>(call.data()), call.size()}),
              8);
    std::array<unsigned char, 20> message{};
    EXPECT_EQ(readBytes(link, Request::GetTxMessage, message), 20);
    EXPECT_EQ(std::string(message.begin(), message.end()), "Hello from 7M4XYZ   ");
    EXPECT_EQ(sendValue(link, Request::SetVolume, 245), 0);

    const auto trace = emulator.firmware.trace();
    ASSERT_EQ(trace.size(), 4u);
    EXPECT_EQ(trace[1].code, 0x42);
    EXPECT_EQ(test::bytes(trace[1]), "JA1ABC  ");
    EXPECT_EQ(trace[2].code, 0x66);
    EXPECT_EQ(trace[2].length, 20);
    EXPECT_EQ(trace[3].code, 0x81);
    EXPECT_EQ(trace[3].wValue, 245);
    EXPECT_EQ(trace[3].wIndex, 1);
    EXPECT_EQ(emulator.firmware.text(0x62), "JA1ABC  ");
}

TEST_F(UsbEmulation, StalledRequestFailsAndTheHandleStaysUsable) {
    EmulatedAdapter emulator;
    LibusbBus bus;
    Discovery result = discoverAdapter(bus);
    ASSERT_EQ(result.outcome, Discovery::Outcome::Found);
    emulator.firmware.failCode(0x60, FaultKind::Fail);
    std::array<unsigned char, 8> buf{};
    EXPECT_LT(readBytes(*result.link, Request::GetMyCall, buf), 0);
    emulator.firmware.setText(0x60, "JA1ABC  ");
    EXPECT_EQ(readBytes(*result.link, Request::GetMyCall, buf), 8);
    EXPECT_EQ(std::string(buf.begin(), buf.end()), "JA1ABC  ");
}

TEST_F(UsbEmulation, UnplugMakesLaterRequestsFail) {
    EmulatedAdapter emulator;
    LibusbBus bus;
    Discovery result = discoverAdapter(bus);
    ASSERT_EQ(result.outcome, Discovery::Outcome::Found);
    emulator.unplugged = true;
    std::array<unsigned char, 8> buf{};
    for (int i = 0; i < 3; ++i) {
        EXPECT_LT(readBytes(*result.link, Request::GetStatus, buf), 0);
        EXPECT_LT(command(*result.link, Request::SaveSettings), 0);
    }
}

// The link tells its own adapter leaving from a second adapter leaving.
TEST_F(UsbEmulation, TheLinkKnowsWhetherItsOwnAdapterIsStillThere) {
    EmulatedAdapter emulator;
    Discovery result = discoverUsbAdapter();
    ASSERT_EQ(result.outcome, Discovery::Outcome::Found);
    DeviceNews news;
    EXPECT_TRUE(result.link->connected());
    emulator.plugOther(/*adapterIds=*/true);
    ASSERT_TRUE(news.waitFor(1));
    emulator.unplugOther();
    ASSERT_TRUE(news.waitFor(2));
    EXPECT_TRUE(result.link->connected()) << "only the second adapter left";
    emulator.remove();
    ASSERT_TRUE(news.waitFor(3));
    EXPECT_FALSE(result.link->connected());
}

// Pulled out while nothing polls (no monitor here, and the watcher scans only after a loss):
// the system's notice alone says it is gone.
TEST_F(UsbEmulation, PulledOutIsNoticedWithoutARequest) {
    EmulatedAdapter emulator;
    Discovery result = discoverUsbAdapter();
    ASSERT_EQ(result.outcome, Discovery::Outcome::Found);
    LibusbHotplug hotplug;
    AdapterConnection connection(
        std::move(result.link), [] { return std::make_unique<LibusbBus>(); },
        [&hotplug](std::chrono::milliseconds limit) { return hotplug.wait(limit); });
    emulator.remove();
    EXPECT_TRUE(
        eventually([&] { return connection.state() == AdapterConnection::State::Disconnected; }));
}

TEST_F(UsbEmulation, NoDeviceIsNotFound) {
    EmulatedAdapter emulator(false);
    LibusbBus bus;
    const Discovery result = discoverAdapter(bus);
    EXPECT_EQ(result.outcome, Discovery::Outcome::NotFound);
    EXPECT_TRUE(emulator.firmware.trace().empty());
}

} // namespace
} // namespace tamsel
