// SPDX-License-Identifier: GPL-3.0-or-later
// Discovery: finding, opening and configuring the adapter on the USB buses.
#include "Discovery.h"

#include "Catalogue.h"

namespace tamsel {

std::atomic<int> adapterFound{0};

Discovery discoverAdapter(UsbBus& bus) {
    Discovery result;
    adapterFound = 0;
    bus.scan();
    for (std::size_t b = 0; b < bus.busCount() && adapterFound == 0; ++b) {
        for (std::size_t d = 0; d < bus.deviceCount(b) && adapterFound == 0; ++d) {
            const auto ids = bus.deviceIds(b, d);
            if (ids.vendor == kVendorId && ids.product == kProductId) {
                adapterFound = 1;
                result.link = bus.open(b, d, result.error);
            }
        }
    }
    if (adapterFound == 0) {
        return result;
    }
    if (!result.link) {
        // A device we may not open is as good as none, but the operator is told why.
        result.outcome = Discovery::Outcome::CannotOpen;
        return result;
    }
    bus.setConfiguration(*result.link, 1);
    command(*result.link, Request::InitModem);
    result.outcome = Discovery::Outcome::Found;
    return result;
}

std::string notFoundMessage(const Discovery& result) {
    if (result.outcome != Discovery::Outcome::CannotOpen) {
        return kNotFoundText;
    }
    return "Tamsel found, but it could not be opened (" + result.error +
           ").\n\n"
           "This is usually a matter of permissions. Install the udev rule that comes with "
           "the program:\n"
           "  sudo cp 60-tamsel.rules /etc/udev/rules.d/\n"
           "  sudo udevadm control --reload && sudo udevadm trigger\n"
           "then unplug the adapter and plug it in again.";
}

} // namespace tamsel
