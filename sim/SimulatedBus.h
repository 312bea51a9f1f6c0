// SPDX-License-Identifier: GPL-3.0-or-later
// SimulatedBus: USB buses made of simulated devices, for discovery without hardware.
#pragma once

#include "adapter/Discovery.h"
#include "sim/SimulatedAdapter.h"

#include <memory>
#include <utility>
#include <vector>

namespace tamsel {

// USB buses made of plain identifier pairs. Opening the adapter gives a link to one shared
// SimulatedAdapter; the bus records which devices discovery examined.
class SimulatedBus : public UsbBus {
public:
    using Layout = std::vector<std::vector<DeviceIds>>;

    SimulatedBus(Layout layout, std::shared_ptr<SimulatedAdapter> adapter);

    // An unplugged adapter is not on the buses.
    void scan() override;
    std::size_t busCount() const override { return seen_.size(); }
    std::size_t deviceCount(std::size_t bus) const override { return seen_[bus].size(); }
    DeviceIds deviceIds(std::size_t bus, std::size_t device) override;
    std::unique_ptr<AdapterLink> open(std::size_t bus, std::size_t device,
                                      std::string& error) override;
    void setConfiguration(AdapterLink& link, int configuration) override;

    // A bus with one adapter on it.
    static Layout oneAdapter();

    int scans = 0;
    bool openFails = false;
    std::vector<std::pair<std::size_t, std::size_t>> examined;
    std::vector<std::pair<std::size_t, std::size_t>> opened;
    std::vector<int> configurations;

private:
    Layout layout_;
    Layout seen_;
    std::shared_ptr<SimulatedAdapter> adapter_;
};

} // namespace tamsel
