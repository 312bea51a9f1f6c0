// SPDX-License-Identifier: GPL-3.0-or-later
// Discovery: finding, opening and configuring the adapter on the USB buses.
#pragma once

#include "base/Translatable.h"

#include "AdapterLink.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace tamsel {

inline constexpr std::uint16_t kVendorId = 0x04D8;
inline constexpr std::uint16_t kProductId = 0x0310;

// Set as soon as a device with the adapter's identifiers is seen; the monitor waits for it.
extern std::atomic<int> adapterFound;

// What discovery needs of the USB library: the buses and their devices in the library's
// order, each device's identifiers, and opening and configuring one device.
class UsbBus {
public:
    struct DeviceIds {
        std::uint16_t vendor = 0;
        std::uint16_t product = 0;
    };

    virtual ~UsbBus() = default;
    // Initialise the library and enumerate the buses and devices.
    virtual void scan() = 0;
    virtual std::size_t busCount() const = 0;
    virtual std::size_t deviceCount(std::size_t bus) const = 0;
    virtual DeviceIds deviceIds(std::size_t bus, std::size_t device) = 0;
    // Returns nullptr and a reason when the device cannot be opened.
    virtual std::unique_ptr<AdapterLink> open(std::size_t bus, std::size_t device,
                                              std::string& error) = 0;
    virtual void setConfiguration(AdapterLink& link, int configuration) = 0;
};

struct Discovery {
    enum class Outcome { Found, NotFound, CannotOpen };
    Outcome outcome = Outcome::NotFound;
    std::unique_ptr<AdapterLink> link; // set when found
    std::string error;                 // why the open failed, for CannotOpen
};

// Finds the first adapter in bus order, opens it, selects configuration 1 and sends
// InitModem. Shows nothing: the caller tells the operator when it is not found.
Discovery discoverAdapter(UsbBus& bus);
// The same walk for an adapter that has come back, leaving adapterFound alone.
Discovery rediscoverAdapter(UsbBus& bus);

inline constexpr const char* kNotFoundText = QT_TRANSLATE_NOOP("Discovery", "Tamsel not found.");

// Where the udev rule that grants the adapter to the user at the seat is: installed (by
// the package), or still in the source tree to be copied into place.
struct UdevRule {
    bool installed = false;
    std::string path = "packaging/60-tamsel.rules";
};

// Gives an English text of the logic in the operator's language (context "Discovery").
using TranslateText = std::function<std::string(const char* english)>;

// The text for the operator when discovery did not give an adapter; for one that could
// not be opened, the permission fix with the rule where it is. English without `translate`.
std::string notFoundMessage(const Discovery& result, const UdevRule& rule = {},
                            const TranslateText& translate = {});

} // namespace tamsel
