// SPDX-License-Identifier: GPL-3.0-or-later
// Catalogue: every vendor request as one table row, and the three ways to issue them.
#include "Catalogue.h"

#include <algorithm>
#include <array>
#include <cassert>

namespace tamsel {

namespace {

using enum Request;
using enum Shape;

constexpr std::array kCatalogue{
    RequestInfo{InitModem, "InitModem", Command, 0x00, 0, 100},
    RequestInfo{SetDelay, "SetDelay", Value, 0x02, 0, 100},
    RequestInfo{SetKeepAlive, "SetKeepAlive", Value, 0x03, 0, 100},
    RequestInfo{SetErrorBits, "SetErrorBits", Value, 0x04, 0, 100},
    RequestInfo{SetMyCall, "SetMyCall", OutBytes, 0x40, 8, 100},
    RequestInfo{SetMyCall2, "SetMyCall2", OutBytes, 0x41, 4, 100},
    RequestInfo{SetYourCall, "SetYourCall", OutBytes, 0x42, 8, 100},
    RequestInfo{SetRpt1Call, "SetRpt1Call", OutBytes, 0x43, 8, 100},
    RequestInfo{SetRpt2Call, "SetRpt2Call", OutBytes, 0x44, 8, 100},
    RequestInfo{SetTxFlags, "SetTxFlags", OutBytes, 0x45, 3, 100},
    RequestInfo{SaveSettings, "SaveSettings", Command, 0x47, 0, 100},
    RequestInfo{SetTxMessage, "SetTxMessage", OutBytes, 0x48, 20, 100},
    RequestInfo{SetVolume, "SetVolume", Value, 0x81, 0, 100},
    RequestInfo{SetRxInvert, "SetRxInvert", Value, 0xD1, 0, 100},
    RequestInfo{SetTxInvert, "SetTxInvert", Value, 0xD2, 0, 100},
    RequestInfo{SetRxAutoDetect, "SetRxAutoDetect", Value, 0xD3, 0, 100},
    RequestInfo{SetPreBits, "SetPreBits", Value, 0xE0, 0, 100},
    RequestInfo{SetPostBits, "SetPostBits", Value, 0xE1, 0, 100},
    RequestInfo{GetSlowData, "GetSlowData", InBytes, 0x11, 8, 200},
    RequestInfo{GetRxHeader, "GetRxHeader", InBytes, 0x21, 8, 500},
    RequestInfo{GetStatus, "GetStatus", InBytes, 0x30, 1, kStatusTimeoutHeaderMs},
    RequestInfo{GetDelay, "GetDelay", InBytes, 0x52, 1, 100},
    RequestInfo{GetKeepAlive, "GetKeepAlive", InBytes, 0x53, 1, 100},
    RequestInfo{GetErrorBits, "GetErrorBits", InBytes, 0x54, 1, 100},
    RequestInfo{GetMyCall, "GetMyCall", InBytes, 0x60, 8, 100},
    RequestInfo{GetMyCall2, "GetMyCall2", InBytes, 0x61, 4, 100},
    RequestInfo{GetYourCall, "GetYourCall", InBytes, 0x62, 8, 100},
    RequestInfo{GetRpt1Call, "GetRpt1Call", InBytes, 0x63, 8, 100},
    RequestInfo{GetRpt2Call, "GetRpt2Call", InBytes, 0x64, 8, 100},
    RequestInfo{GetTxFlags, "GetTxFlags", InBytes, 0x65, 3, 100},
    RequestInfo{GetTxMessage, "GetTxMessage", InBytes, 0x66, 20, 100},
    RequestInfo{GetVolume, "GetVolume", InBytes, 0x82, 1, 100},
    RequestInfo{GetModemOptions, "GetModemOptions", InBytes, 0xD0, 1, 100},
    RequestInfo{GetPreBits, "GetPreBits", InBytes, 0xE2, 1, 100},
    RequestInfo{GetPostBits, "GetPostBits", InBytes, 0xE3, 1, 100},
    RequestInfo{GetVersion, "GetVersion", InBytes, 0xFF, 8, 100},
};

// The enum and the table are kept in the same order, so a request is its own index.
constexpr bool tableInEnumOrder() {
    for (std::size_t i = 0; i < kCatalogue.size(); ++i) {
        if (static_cast<std::size_t>(kCatalogue[i].request) != i) {
            return false;
        }
    }
    return true;
}
static_assert(tableInEnumOrder());

int transfer(AdapterLink& link, const RequestInfo& row, std::uint16_t wValue, std::uint16_t wIndex,
             unsigned char* data, std::uint16_t length, unsigned timeoutMs) {
    const std::uint8_t type = row.shape == InBytes ? kRequestTypeIn : kRequestTypeOut;
    return link.controlTransfer(type, row.code, wValue, wIndex, data, length, timeoutMs);
}

} // namespace

std::span<const RequestInfo> catalogue() {
    return kCatalogue;
}

const RequestInfo& info(Request request) {
    return kCatalogue[static_cast<std::size_t>(request)];
}

const RequestInfo* findByCode(std::uint8_t requestType, std::uint8_t code) {
    const bool in = requestType == kRequestTypeIn;
    auto it = std::find_if(kCatalogue.begin(), kCatalogue.end(), [&](const RequestInfo& row) {
        return row.code == code && (row.shape == InBytes) == in;
    });
    return it == kCatalogue.end() ? nullptr : &*it;
}

int command(AdapterLink& link, Request request) {
    const RequestInfo& row = info(request);
    assert(row.shape == Command);
    return transfer(link, row, 0, 0, nullptr, 0, row.timeoutMs);
}

int sendValue(AdapterLink& link, Request request, std::uint16_t value) {
    const RequestInfo& row = info(request);
    assert(row.shape == Value);
    return transfer(link, row, value, 1, nullptr, 0, row.timeoutMs);
}

int sendBytes(AdapterLink& link, Request request, std::span<const unsigned char> data) {
    const RequestInfo& row = info(request);
    assert(row.shape == OutBytes && data.size() == row.length);
    // The link takes a writable buffer, as libusb does; an OUT transfer never writes to it.
    std::array<unsigned char, 20> copy{};
    std::copy(data.begin(), data.end(), copy.begin());
    return transfer(link, row, 0, 0, copy.data(), row.length, row.timeoutMs);
}

int readBytes(AdapterLink& link, Request request, std::span<unsigned char> buffer,
              unsigned timeoutMs) {
    const RequestInfo& row = info(request);
    assert(row.shape == InBytes && buffer.size() >= row.length);
    return transfer(link, row, 0, 0, buffer.data(), row.length,
                    timeoutMs != 0 ? timeoutMs : row.timeoutMs);
}

} // namespace tamsel
