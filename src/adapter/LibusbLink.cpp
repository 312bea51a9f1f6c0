// SPDX-License-Identifier: GPL-3.0-or-later
// LibusbLink: the adapter and the USB buses through libusb-1.0.
#include "LibusbLink.h"

#include <libusb.h>

#include <algorithm>
#include <thread>

namespace tamsel {

LibusbLink::LibusbLink(std::shared_ptr<libusb_context> context, libusb_device_handle* handle)
    : context_(std::move(context)), handle_(handle) {}

LibusbLink::~LibusbLink() {
    libusb_close(handle_);
}

int LibusbLink::controlTransfer(std::uint8_t requestType, std::uint8_t request,
                                std::uint16_t wValue, std::uint16_t wIndex, unsigned char* data,
                                std::uint16_t length, unsigned timeoutMs) {
    return libusb_control_transfer(handle_, requestType, request, wValue, wIndex, data, length,
                                   timeoutMs);
}

int LibusbLink::setConfiguration(int configuration) {
    return libusb_set_configuration(handle_, configuration);
}

LibusbBus::~LibusbBus() {
    if (list_ != nullptr) {
        libusb_free_device_list(list_, 1);
    }
}

void LibusbBus::scan() {
    libusb_context* raw = nullptr;
    if (libusb_init(&raw) != 0) {
        return; // no USB at all: an empty bus list, which discovery reports as not found
    }
    context_.reset(raw, libusb_exit);
    const ssize_t count = libusb_get_device_list(raw, &list_);
    std::vector<std::uint8_t> busNumbers;
    for (ssize_t i = 0; i < count; ++i) {
        const std::uint8_t number = libusb_get_bus_number(list_[i]);
        auto it = std::find(busNumbers.begin(), busNumbers.end(), number);
        if (it == busNumbers.end()) {
            busNumbers.push_back(number);
            buses_.emplace_back();
            it = busNumbers.end() - 1;
        }
        buses_[static_cast<std::size_t>(it - busNumbers.begin())].push_back(list_[i]);
    }
}

UsbBus::DeviceIds LibusbBus::deviceIds(std::size_t bus, std::size_t device) {
    libusb_device_descriptor descriptor{};
    if (libusb_get_device_descriptor(buses_[bus][device], &descriptor) != 0) {
        return {};
    }
    return {descriptor.idVendor, descriptor.idProduct};
}

std::unique_ptr<AdapterLink> LibusbBus::open(std::size_t bus, std::size_t device,
                                             std::string& error) {
    libusb_device_handle* handle = nullptr;
    const int rc = libusb_open(buses_[bus][device], &handle);
    if (rc != 0) {
        error = libusb_error_name(rc);
        return nullptr;
    }
    return std::make_unique<LibusbLink>(context_, handle);
}

void LibusbBus::setConfiguration(AdapterLink& link, int configuration) {
    static_cast<LibusbLink&>(link).setConfiguration(configuration);
}

LibusbArrivals::LibusbArrivals() {
    if (libusb_init(&context_) != 0) {
        context_ = nullptr;
        return;
    }
    if (libusb_has_capability(LIBUSB_CAP_HAS_HOTPLUG) == 0) {
        return;
    }
    auto arrived = [](libusb_context*, libusb_device*, libusb_hotplug_event, void* self) {
        static_cast<LibusbArrivals*>(self)->arrived_ = true;
        return 0; // stay registered
    };
    hotplug_ = libusb_hotplug_register_callback(context_, LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED,
                                                LIBUSB_HOTPLUG_NO_FLAGS, kVendorId, kProductId,
                                                LIBUSB_HOTPLUG_MATCH_ANY, arrived, this,
                                                &handle_) == LIBUSB_SUCCESS;
}

LibusbArrivals::~LibusbArrivals() {
    if (hotplug_) {
        libusb_hotplug_deregister_callback(context_, handle_);
    }
    if (context_ != nullptr) {
        libusb_exit(context_);
    }
}

bool LibusbArrivals::wait(std::chrono::milliseconds limit) {
    if (!hotplug_) {
        std::this_thread::sleep_for(limit);
        return false;
    }
    timeval tv{static_cast<time_t>(limit.count() / 1000),
               static_cast<suseconds_t>((limit.count() % 1000) * 1000)};
    libusb_handle_events_timeout_completed(context_, &tv, nullptr);
    return arrived_.exchange(false);
}

} // namespace tamsel
