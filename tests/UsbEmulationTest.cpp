// The real libusb path against an emulated adapter: umockdev serves a USB device with the
// adapter's identifiers and answers its control transfers with a SimulatedAdapter as the
// firmware. Runs under umockdev-wrapper, which redirects the device nodes and sysfs.
#include "adapter/Catalogue.h"
#include "adapter/LibusbLink.h"
#include "adapter/Payload.h"
#include "sim/SimulatedAdapter.h"
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

namespace tamsel {
namespace {

constexpr const char* kDeviceNode = "/dev/bus/usb/001/002";

// Full-speed device, vendor 04d8, product 0310, one configuration with one vendor interface.
constexpr const char* kAdapterDevice = "P: /devices/pci0000:00/usb1/1-1\n"
                                       "N: bus/usb/001/002\n"
                                       "E: SUBSYSTEM=usb\n"
                                       "E: DEVTYPE=usb_device\n"
                                       "E: BUSNUM=001\n"
                                       "E: DEVNUM=002\n"
                                       "E: DEVNAME=/dev/bus/usb/001/002\n"
                                       "A: busnum=1\\n\n"
                                       "A: devnum=2\\n\n"
                                       "A: bConfigurationValue=1\\n\n"
                                       "A: speed=12\\n\n"
                                       "H: descriptors="
                                       "12010002000000"
                                       "40d8041003000101020001" // device descriptor
                                       "09021200010100803209040000"
                                       "00ff000000\n"; // configuration, interface

class EmulatedAdapter {
public:
    explicit EmulatedAdapter(bool attachAdapter = true) {
        testbed_ = umockdev_testbed_new();
        handler_ = umockdev_ioctl_base_new();
        g_signal_connect_after(handler_, "handle-ioctl", G_CALLBACK(&EmulatedAdapter::onIoctl),
                               this);
        if (attachAdapter) {
            // The handler must be in place before the device appears.
            umockdev_testbed_attach_ioctl(testbed_, kDeviceNode, handler_, nullptr);
            umockdev_testbed_add_from_string(testbed_, kAdapterDevice, nullptr);
        }
    }
    ~EmulatedAdapter() {
        for (UMockdevIoctlData* d : done_) {
            umockdev_ioctl_data_unref(d);
        }
        g_clear_object(&handler_);
        g_clear_object(&testbed_);
    }

    SimulatedAdapter firmware;
    std::atomic<int> configuration{-1};
    std::atomic<bool> unplugged{false};

private:
    struct Completed {
        UMockdevIoctlData* urb;
        int status;
        int actual;
        std::array<unsigned char, 64> data;
    };

    static gboolean onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client,
                            EmulatedAdapter* self) {
        return self->handle(client);
    }

    gboolean handle(UMockdevIoctlClient* client) {
        const gulong request = umockdev_ioctl_client_get_request(client);
        UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
        switch (request) {
        case USBDEVFS_GET_CAPABILITIES: {
            g_autoptr(UMockdevIoctlData) d = umockdev_ioctl_data_resolve(arg, 0, 4, nullptr);
            *reinterpret_cast<guint32*>(d->data) = USBDEVFS_CAP_NO_PACKET_SIZE_LIM;
            umockdev_ioctl_client_complete(client, 0, 0);
            return TRUE;
        }
        case USBDEVFS_SETCONFIGURATION: {
            g_autoptr(UMockdevIoctlData) d = umockdev_ioctl_data_resolve(arg, 0, 4, nullptr);
            configuration = static_cast<int>(*reinterpret_cast<guint32*>(d->data));
            umockdev_ioctl_client_complete(client, 0, 0);
            return TRUE;
        }
        case USBDEVFS_CONNECTINFO: {
            g_autoptr(UMockdevIoctlData) d =
                umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_connectinfo), nullptr);
            auto* info = reinterpret_cast<usbdevfs_connectinfo*>(d->data);
            info->devnum = 2;
            info->slow = 0;
            umockdev_ioctl_client_complete(client, 0, 0);
            return TRUE;
        }
        case USBDEVFS_SUBMITURB:
            return submit(client, arg);
        case USBDEVFS_REAPURB:
        case USBDEVFS_REAPURBNDELAY:
            return reap(client, arg);
        case USBDEVFS_DISCARDURB:
            umockdev_ioctl_client_complete(client, -1, EINVAL);
            return TRUE;
        default:
            return FALSE;
        }
    }

    // A control URB carries the 8-byte setup packet and then the data stage.
    gboolean submit(UMockdevIoctlClient* client, UMockdevIoctlData* arg) {
        if (unplugged) {
            umockdev_ioctl_client_complete(client, -1, ENODEV);
            return TRUE;
        }
        UMockdevIoctlData* urbData =
            umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_urb), nullptr);
        auto* urb = reinterpret_cast<usbdevfs_urb*>(urbData->data);
        g_autoptr(UMockdevIoctlData) buffer =
            umockdev_ioctl_data_resolve(urbData, offsetof(usbdevfs_urb, buffer),
                                        static_cast<gsize>(urb->buffer_length), nullptr);
        const unsigned char* setup = buffer->data;
        const auto le16 = [&](int at) {
            return static_cast<std::uint16_t>(setup[at] | (setup[at + 1] << 8));
        };
        Completed done{urbData, 0, 0, {}};
        const std::uint16_t wLength = std::min<std::uint16_t>(le16(6), 56);
        std::copy_n(setup + 8, (setup[0] & 0x80) ? 0 : wLength, done.data.begin());
        const int result = firmware.controlTransfer(setup[0], setup[1], le16(2), le16(4),
                                                    done.data.data(), wLength, 1000);
        if (result < 0) {
            done.status = -EPIPE; // the endpoint stalls
        } else {
            done.actual = result;
        }
        {
            std::lock_guard lock(mutex_);
            done_.push_back(urbData);
            completed_.push_back(done);
        }
        umockdev_ioctl_client_complete(client, 0, 0);
        return TRUE;
    }

    gboolean reap(UMockdevIoctlClient* client, UMockdevIoctlData* arg) {
        std::lock_guard lock(mutex_);
        if (completed_.empty()) {
            umockdev_ioctl_client_complete(client, -1, EAGAIN);
            return TRUE;
        }
        const Completed done = completed_.front();
        completed_.pop_front();
        auto* urb = reinterpret_cast<usbdevfs_urb*>(done.urb->data);
        urb->status = done.status;
        urb->actual_length = done.actual;
        // The emulator shares the client's address space; the data stage follows the setup.
        if ((static_cast<unsigned char*>(urb->buffer)[0] & 0x80) && done.actual > 0) {
            std::copy_n(done.data.begin(), done.actual,
                        static_cast<unsigned char*>(urb->buffer) + 8);
        }
        g_autoptr(UMockdevIoctlData) urbPtr =
            umockdev_ioctl_data_resolve(arg, 0, sizeof(gpointer), nullptr);
        umockdev_ioctl_data_set_ptr(urbPtr, 0, done.urb);
        umockdev_ioctl_client_complete(client, 0, 0);
        return TRUE;
    }

    UMockdevTestbed* testbed_ = nullptr;
    UMockdevIoctlBase* handler_ = nullptr;
    std::mutex mutex_;
    std::deque<Completed> completed_;
    std::vector<UMockdevIoctlData*> done_;
};

class UsbEmulation : public ::testing::Test {
protected:
    void SetUp() override {
        const char* preload = std::getenv("LD_PRELOAD");
        if (preload == nullptr || std::strstr(preload, "umockdev-preload") == nullptr) {
            GTEST_FAIL() << "run this under umockdev-wrapper";
        }
    }
};

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

TEST_F(UsbEmulation, NoDeviceIsNotFound) {
    EmulatedAdapter emulator(false);
    LibusbBus bus;
    const Discovery result = discoverAdapter(bus);
    EXPECT_EQ(result.outcome, Discovery::Outcome::NotFound);
    EXPECT_TRUE(emulator.firmware.trace().empty());
}

} // namespace
} // namespace tamsel
