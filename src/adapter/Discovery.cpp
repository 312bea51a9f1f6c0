// SPDX-License-Identifier: GPL-3.0-or-later
// Discovery: finding, opening and configuring the adapter on the USB buses.
#include "Discovery.h"

#include "Catalogue.h"

#include <optional>
#include <utility>

namespace tamsel {

std::atomic<int> adapterFound{0};

namespace {

// The first device with the adapter's identifiers, buses and devices in the library's order.
std::optional<std::pair<std::size_t, std::size_t>> firstAdapter(UsbBus& bus) {
    for (std::size_t b = 0; b < bus.busCount(); ++b) {
        for (std::size_t d = 0; d < bus.deviceCount(b); ++d) {
            const auto ids = bus.deviceIds(b, d);
            if (ids.vendor == kVendorId && ids.product == kProductId) {
                return std::make_pair(b, d);
            }
        }
    }
    return std::nullopt;
}

Discovery openAt(UsbBus& bus, std::pair<std::size_t, std::size_t> at, bool comingBack = false) {
    Discovery result;
    result.link = bus.open(at.first, at.second, result.error);
    if (!result.link) {
        // A device we may not open is as good as none, but the operator is told why.
        result.outcome = Discovery::Outcome::CannotOpen;
        return result;
    }
    bus.setConfiguration(*result.link, 1);
    if (command(*result.link, Request::InitModem) == kErrorNoDevice && comingBack) {
        return {}; // still listed, but already gone again
    }
    result.outcome = Discovery::Outcome::Found;
    return result;
}

} // namespace

Discovery discoverAdapter(UsbBus& bus) {
    adapterFound = 0;
    bus.scan();
    const auto at = firstAdapter(bus);
    if (!at) {
        return {};
    }
    adapterFound = 1;
    return openAt(bus, *at);
}

Discovery rediscoverAdapter(UsbBus& bus) {
    bus.scan();
    const auto at = firstAdapter(bus);
    return at ? openAt(bus, *at, /*comingBack=*/true) : Discovery{};
}

std::string notFoundMessage(const Discovery& result, const UdevRule& rule) {
    if (result.outcome != Discovery::Outcome::CannotOpen) {
        return kNotFoundText;
    }
    const std::string install = rule.installed
                                    ? "The udev rule that grants it is installed (" + rule.path +
                                          "); make udev read it again:\n"
                                    : "Install the udev rule that comes with the program:\n"
                                      "  sudo cp " +
                                          rule.path + " /etc/udev/rules.d/\n";
    return "Tamsel found, but it could not be opened (" + result.error +
           ").\n\n"
           "This is usually a matter of permissions. " +
           install +
           "  sudo udevadm control --reload\n"
           "  sudo udevadm trigger\n"
           "then unplug the adapter and plug it in again.";
}

} // namespace tamsel
