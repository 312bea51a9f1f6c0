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

namespace {

// `text` with %1 and %2 replaced in one pass, so what they bring in is left as it is.
std::string filledIn(const std::string& text, const std::string& first, const std::string& second) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2')) {
            out += text[++i] == '1' ? first : second;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

std::string notFoundMessage(const Discovery& result, const UdevRule& rule,
                            const TranslateText& translate) {
    const auto say = [&translate](const char* english) {
        return translate ? translate(english) : std::string(english);
    };
    if (result.outcome != Discovery::Outcome::CannotOpen) {
        return say(kNotFoundText);
    }
    //: %1 is the system's reason, %2 the udev rule's file
    const char* installed = QT_TRANSLATE_NOOP(
        "Discovery", "Tamsel found, but it could not be opened (%1).\n\n"
                     "This is usually a matter of permissions. The udev rule that grants it is "
                     "installed (%2); make udev read it again:\n"
                     "  sudo udevadm control --reload\n"
                     "  sudo udevadm trigger\n"
                     "then unplug the adapter and plug it in again.");
    //: %1 is the system's reason, %2 the udev rule's file
    const char* notInstalled = QT_TRANSLATE_NOOP(
        "Discovery", "Tamsel found, but it could not be opened (%1).\n\n"
                     "This is usually a matter of permissions. Install the udev rule that comes "
                     "with the program:\n"
                     "  sudo cp %2 /etc/udev/rules.d/\n"
                     "  sudo udevadm control --reload\n"
                     "  sudo udevadm trigger\n"
                     "then unplug the adapter and plug it in again.");
    return filledIn(say(rule.installed ? installed : notInstalled), result.error, rule.path);
}

} // namespace tamsel
