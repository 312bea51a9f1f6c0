// SPDX-License-Identifier: GPL-3.0-or-later
// AdapterLink: the adapter as one synchronous control transfer on endpoint 0.
#pragma once

#include <cstdint>

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
};

} // namespace tamsel
