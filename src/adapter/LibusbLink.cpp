// SPDX-License-Identifier: GPL-3.0-or-later
// LibusbLink: the adapter and the USB buses through libusb-1.0.
#include "LibusbLink.h"

#include <libusb.h>

#include <algorithm>

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

} // namespace tamsel
