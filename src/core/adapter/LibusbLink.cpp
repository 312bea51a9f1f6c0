// SPDX-License-Identifier: GPL-3.0-or-later
// LibusbLink: the adapter and the USB buses through libusb-1.0.
#include "LibusbLink.h"

#include <libusb.h>

#include <algorithm>
#include <utility>

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

bool LibusbLink::connected() const {
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(context_.get(), &list);
    if (count < 0) {
        return true; // cannot tell; a request will
    }
    const bool listed = std::find(list, list + count, libusb_get_device(handle_)) != list + count;
    libusb_free_device_list(list, 1);
    return listed;
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

Discovery discoverUsbAdapter() {
    LibusbBus bus;
    return discoverAdapter(bus);
}

LibusbHotplug::LibusbHotplug() {
    if (libusb_init(&context_) != 0) {
        context_ = nullptr;
        return;
    }
    if (libusb_has_capability(LIBUSB_CAP_HAS_HOTPLUG) == 0) {
        return;
    }
    auto heard = [](libusb_context*, libusb_device*, libusb_hotplug_event, void* self) {
        auto* hotplug = static_cast<LibusbHotplug*>(self);
        {
            std::lock_guard lock(hotplug->mutex_);
            hotplug->news_ = true;
        }
        hotplug->heard_.notify_all();
        return 0; // stay registered
    };
    hotplug_ = libusb_hotplug_register_callback(
                   context_,
                   static_cast<libusb_hotplug_event>(LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED |
                                                     LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT),
                   LIBUSB_HOTPLUG_NO_FLAGS, kVendorId, kProductId, LIBUSB_HOTPLUG_MATCH_ANY, heard,
                   this, &handle_) == LIBUSB_SUCCESS;
    if (hotplug_) {
        events_ = std::thread([this] { handleEvents(); });
    }
}

LibusbHotplug::~LibusbHotplug() {
    if (events_.joinable()) {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        libusb_interrupt_event_handler(context_);
        events_.join();
    }
    if (hotplug_) {
        libusb_hotplug_deregister_callback(context_, handle_);
    }
    if (context_ != nullptr) {
        libusb_exit(context_);
    }
}

void LibusbHotplug::handleEvents() {
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (stopping_) {
                return;
            }
        }
        // Every notice is handled as it comes, the adapter's and every other device's.
        timeval tv{1, 0};
        libusb_handle_events_timeout_completed(context_, &tv, nullptr);
    }
}

bool LibusbHotplug::wait(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    if (!hotplug_) {
        heard_.wait_for(lock, limit, [this] { return stopping_; });
        return false;
    }
    heard_.wait_for(lock, limit, [this] { return news_; });
    return std::exchange(news_, false);
}

} // namespace tamsel
