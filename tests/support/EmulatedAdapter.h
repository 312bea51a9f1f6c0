// SPDX-License-Identifier: GPL-3.0-or-later
// EmulatedAdapter: the adapter as a umockdev-emulated USB device.
#pragma once

// A USB device with the adapter's identifiers, emulated by umockdev, whose control
// transfers are answered by a SimulatedAdapter as the firmware. The process (and any
// program it starts) must run under umockdev-wrapper.
#include "sim/SimulatedAdapter.h"

#include <gtest/gtest.h>
#include <libusb.h>
#include <linux/ioctl.h>
#include <linux/usbdevice_fs.h>
#include <umockdev.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tamsel {

constexpr const char* kDeviceNode = "/dev/bus/usb/001/002";
constexpr const char* kAdapterSysfs = "/sys/devices/pci0000:00/usb1/1-1";

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

// Another device on the same bus (a mouse), to come and go while the adapter stays.
constexpr const char* kOtherSysfs = "/sys/devices/pci0000:00/usb1/1-2";
constexpr const char* kOtherDevice = "P: /devices/pci0000:00/usb1/1-2\n"
                                     "N: bus/usb/001/003\n"
                                     "E: SUBSYSTEM=usb\n"
                                     "E: DEVTYPE=usb_device\n"
                                     "E: BUSNUM=001\n"
                                     "E: DEVNUM=003\n"
                                     "E: DEVNAME=/dev/bus/usb/001/003\n"
                                     "A: busnum=1\\n\n"
                                     "A: devnum=3\\n\n"
                                     "A: bConfigurationValue=1\\n\n"
                                     "A: speed=12\\n\n"
                                     "H: descriptors="
                                     "12010002000000"
                                     "086d042bc5010101020001"
                                     "09021200010100803209040000"
                                     "0003010200\n";

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
        // The emulator's worker thread may still be answering the last requests of a
        // program that has just ended: stop it first, then release what it kept.
        {
            std::lock_guard lock(mutex_);
            closing_ = true;
        }
        g_clear_object(&testbed_);
        g_clear_object(&handler_);
        std::lock_guard lock(mutex_);
        for (UMockdevIoctlData* d : done_) {
            umockdev_ioctl_data_unref(d);
        }
    }

    SimulatedAdapter firmware;
    std::atomic<int> configuration{-1};
    std::atomic<bool> unplugged{false};

    // The device goes away after this many more transfers.
    void unplugAfterSubmits(int count) { submitsLeft_ = count; }

    // Pulled out: gone from the buses, and the open handle fails with no-device.
    void remove() {
        unplugged = true;
        umockdev_testbed_uevent(testbed_, kAdapterSysfs, "remove");
        umockdev_testbed_remove_device(testbed_, kAdapterSysfs);
        umockdev_testbed_detach_ioctl(testbed_, kDeviceNode, nullptr);
    }
    // Plugged in again: a power cycle, so the firmware holds its stored settings.
    void addBack() {
        firmware.replug();
        submitsLeft_ = -1;
        unplugged = false;
        umockdev_testbed_attach_ioctl(testbed_, kDeviceNode, handler_, nullptr);
        umockdev_testbed_add_from_string(testbed_, kAdapterDevice, nullptr);
        umockdev_testbed_uevent(testbed_, kAdapterSysfs, "add");
    }
    int refusedSubmits() const { return refused_; }
    // Another device plugged in (with the adapter's identifiers: a second adapter) and
    // pulled out again.
    void plugOther(bool adapterIds = false) {
        std::string device = kOtherDevice;
        if (adapterIds) {
            device.replace(device.find("086d042bc5"), 10, "40d8041003");
        }
        umockdev_testbed_add_from_string(testbed_, device.c_str(), nullptr);
        umockdev_testbed_uevent(testbed_, kOtherSysfs, "add");
    }
    void unplugOther() {
        umockdev_testbed_uevent(testbed_, kOtherSysfs, "remove");
        umockdev_testbed_remove_device(testbed_, kOtherSysfs);
    }

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
        if (submitsLeft_ >= 0 && submitsLeft_-- == 0) {
            unplugged = true;
        }
        if (unplugged || closing()) {
            ++refused_;
            umockdev_ioctl_client_complete(client, -1, ENODEV);
            return TRUE;
        }
        // A client killed mid-request leaves nothing to read: resolving then gives null.
        UMockdevIoctlData* urbData =
            umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_urb), nullptr);
        if (urbData == nullptr) {
            umockdev_ioctl_client_complete(client, -1, ENODEV);
            return TRUE;
        }
        auto* urb = reinterpret_cast<usbdevfs_urb*>(urbData->data);
        g_autoptr(UMockdevIoctlData) buffer =
            umockdev_ioctl_data_resolve(urbData, offsetof(usbdevfs_urb, buffer),
                                        static_cast<gsize>(urb->buffer_length), nullptr);
        if (buffer == nullptr) {
            umockdev_ioctl_data_unref(urbData);
            umockdev_ioctl_client_complete(client, -1, ENODEV);
            return TRUE;
        }
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

    bool closing() {
        std::lock_guard lock(mutex_);
        return closing_;
    }

    bool closing_ = false;
    std::atomic<int> submitsLeft_{-1};
    std::atomic<int> refused_{0};
    UMockdevTestbed* testbed_ = nullptr;
    UMockdevIoctlBase* handler_ = nullptr;
    std::mutex mutex_;
    std::deque<Completed> completed_;
    std::vector<UMockdevIoctlData*> done_;
};

// Whether `done` holds within `limit`, looking every 5 ms.
template <typename F>
bool eventually(F done, std::chrono::milliseconds limit = std::chrono::seconds(15)) {
    for (auto waited = std::chrono::milliseconds(0); waited < limit;
         waited += std::chrono::milliseconds(5)) {
        if (done()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

// Arrivals and departures of any device, on a libusb context of its own that the test services:
// once it has heard of one, libusb has queued the news on every other context too.
class DeviceNews {
public:
    DeviceNews() {
        libusb_init(&context_);
        libusb_hotplug_register_callback(
            context_,
            static_cast<libusb_hotplug_event>(LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED |
                                              LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT),
            LIBUSB_HOTPLUG_NO_FLAGS, LIBUSB_HOTPLUG_MATCH_ANY, LIBUSB_HOTPLUG_MATCH_ANY,
            LIBUSB_HOTPLUG_MATCH_ANY,
            [](libusb_context*, libusb_device*, libusb_hotplug_event, void* self) {
                ++static_cast<DeviceNews*>(self)->heard;
                return 0;
            },
            this, nullptr);
    }
    ~DeviceNews() { libusb_exit(context_); }
    // Services the context until `count` pieces of news have come; false after 5 s without.
    bool waitFor(int count) {
        for (int idle = 0; heard < count; ++idle) {
            if (idle == 50) {
                return false;
            }
            timeval tv{0, 100'000};
            libusb_handle_events_timeout_completed(context_, &tv, nullptr);
        }
        return true;
    }
    int heard = 0;

private:
    libusb_context* context_ = nullptr;
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

} // namespace tamsel
