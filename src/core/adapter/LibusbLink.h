// SPDX-License-Identifier: GPL-3.0-or-later
// LibusbLink: the adapter and the USB buses through libusb-1.0.
#pragma once

#include "Discovery.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

struct libusb_context;
struct libusb_device;
struct libusb_device_handle;

namespace tamsel {

// The adapter reached through libusb-1.0's synchronous control transfer, which libusb
// allows from several threads on one handle.
class LibusbLink : public AdapterLink {
public:
    LibusbLink(std::shared_ptr<libusb_context> context, libusb_device_handle* handle);
    ~LibusbLink() override;
    LibusbLink(const LibusbLink&) = delete;
    LibusbLink& operator=(const LibusbLink&) = delete;

    int controlTransfer(std::uint8_t requestType, std::uint8_t request, std::uint16_t wValue,
                        std::uint16_t wIndex, unsigned char* data, std::uint16_t length,
                        unsigned timeoutMs) override;
    // Whether the adapter is still on the bus: libusb takes a device off its list as soon
    // as the system reports it gone.
    bool connected() const override;
    int setConfiguration(int configuration);

private:
    std::shared_ptr<libusb_context> context_;
    libusb_device_handle* handle_;
};

// The USB buses as libusb-1.0 lists them. libusb-1.0 gives one flat device list; it is
// grouped by bus number, buses and devices in the order the library lists them, which is
// the walk that libusb 0.1's bus list gave.
class LibusbBus : public UsbBus {
public:
    LibusbBus() = default;
    ~LibusbBus() override;
    LibusbBus(const LibusbBus&) = delete;
    LibusbBus& operator=(const LibusbBus&) = delete;

    void scan() override;
    std::size_t busCount() const override { return buses_.size(); }
    std::size_t deviceCount(std::size_t bus) const override { return buses_[bus].size(); }
    DeviceIds deviceIds(std::size_t bus, std::size_t device) override;
    std::unique_ptr<AdapterLink> open(std::size_t bus, std::size_t device,
                                      std::string& error) override;
    void setConfiguration(AdapterLink& link, int configuration) override;

private:
    std::shared_ptr<libusb_context> context_;
    libusb_device** list_ = nullptr;
    std::vector<std::vector<libusb_device*>> buses_;
};

// Discovery on the USB buses, as start-up does it. Nothing of the scan is kept but the
// adapter's link, so its libusb context lives exactly as long as the link.
Discovery discoverUsbAdapter();

// News of devices with the adapter's identifiers arriving and leaving, through libusb's
// hotplug notices where the platform has them; elsewhere wait() only waits. libusb keeps
// every notice of every device, and the device with it, until the context's events are
// handled, so a thread of its own handles them all the time.
class LibusbHotplug {
public:
    LibusbHotplug();
    ~LibusbHotplug();
    LibusbHotplug(const LibusbHotplug&) = delete;
    LibusbHotplug& operator=(const LibusbHotplug&) = delete;

    // Waits up to `limit`; true when such a device arrived or left since the last call.
    bool wait(std::chrono::milliseconds limit);

private:
    void handleEvents();

    libusb_context* context_ = nullptr;
    int handle_ = 0;
    bool hotplug_ = false;
    std::mutex mutex_;
    std::condition_variable heard_;
    bool news_ = false;
    bool stopping_ = false;
    std::thread events_;
};

} // namespace tamsel
