// SPDX-License-Identifier: GPL-3.0-or-later
// AdapterLink: the adapter as one synchronous control transfer on endpoint 0.
#pragma once

#include <cstdint>
#include <functional>

namespace tamsel {

// Transfer results below zero are failures; the values are libusb-1.0's error codes so
// that every implementation reports the same numbers.
inline constexpr int kErrorIo = -1;
inline constexpr int kErrorNoDevice = -4;
inline constexpr int kErrorTimeout = -7;
inline constexpr int kErrorPipe = -9;

inline constexpr std::uint8_t kRequestTypeOut = 0x40; // vendor, device, host to device
inline constexpr std::uint8_t kRequestTypeIn = 0xC0;  // vendor, device, device to host

// The adapter as the rest of the program sees it: one synchronous control transfer on
// endpoint 0. Returns the number of data bytes moved or a negative error. Implementations
// must accept calls from the UI thread and the monitor thread at the same time.
class AdapterLink {
public:
    virtual ~AdapterLink() = default;
    virtual int controlTransfer(std::uint8_t requestType, std::uint8_t request,
                                std::uint16_t wValue, std::uint16_t wIndex, unsigned char* data,
                                std::uint16_t length, unsigned timeoutMs) = 0;

    // Whether requests can reach the adapter now. A plain link always says yes; a link that
    // follows the adapter through unplug and replug (AdapterConnection) says no while the
    // adapter is gone.
    virtual bool connected() const { return true; }
    // For the receive monitor: blocks, without polling, while the adapter is gone or being
    // set up again; returns true when the monitor may poll, false once `stop` says so.
    virtual bool waitForPolling(const std::function<bool()>& stop) { return !stop(); }
    // Changes each time the adapter comes back: what was gathered before belongs to a
    // reception that went with it.
    virtual unsigned generation() const { return 0; }
};

} // namespace tamsel
