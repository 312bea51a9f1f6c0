// SPDX-License-Identifier: GPL-3.0-or-later
// SimulatedBus: USB buses made of simulated devices, for discovery without hardware.
#include "SimulatedBus.h"

namespace tamsel {

namespace {

// A link that shares the simulated adapter with whoever set it up.
class SharedLink : public AdapterLink {
public:
    explicit SharedLink(std::shared_ptr<SimulatedAdapter> adapter) : adapter_(std::move(adapter)) {}
    int controlTransfer(std::uint8_t requestType, std::uint8_t request, std::uint16_t wValue,
                        std::uint16_t wIndex, unsigned char* data, std::uint16_t length,
                        unsigned timeoutMs) override {
        return adapter_->controlTransfer(requestType, request, wValue, wIndex, data, length,
                                         timeoutMs);
    }

private:
    std::shared_ptr<SimulatedAdapter> adapter_;
};

} // namespace

SimulatedBus::SimulatedBus(Layout layout, std::shared_ptr<SimulatedAdapter> adapter)
    : layout_(std::move(layout)), adapter_(std::move(adapter)) {}

void SimulatedBus::scan() {
    ++scans;
    seen_ = layout_;
    if (adapter_ && !adapter_->pluggedIn()) {
        for (auto& devices : seen_) {
            std::erase_if(devices, [](const DeviceIds& ids) {
                return ids.vendor == kVendorId && ids.product == kProductId;
            });
        }
    }
}

UsbBus::DeviceIds SimulatedBus::deviceIds(std::size_t bus, std::size_t device) {
    examined.emplace_back(bus, device);
    return seen_[bus][device];
}

std::unique_ptr<AdapterLink> SimulatedBus::open(std::size_t bus, std::size_t device,
                                                std::string& error) {
    opened.emplace_back(bus, device);
    if (openFails) {
        error = "LIBUSB_ERROR_ACCESS";
        return nullptr;
    }
    return std::make_unique<SharedLink>(adapter_);
}

void SimulatedBus::setConfiguration(AdapterLink&, int configuration) {
    configurations.push_back(configuration);
}

SimulatedBus::Layout SimulatedBus::oneAdapter() {
    return {{{0x1D6B, 0x0002}, {kVendorId, kProductId}}};
}

} // namespace tamsel
