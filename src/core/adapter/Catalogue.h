// SPDX-License-Identifier: GPL-3.0-or-later
// Catalogue: every vendor request as one table row, and the three ways to issue them.
#pragma once

#include "AdapterLink.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace tamsel {

// Every vendor request the adapter understands.
enum class Request {
    InitModem,
    SetDelay,
    SetKeepAlive,
    SetErrorBits,
    SetMyCall,
    SetMyCall2,
    SetYourCall,
    SetRpt1Call,
    SetRpt2Call,
    SetTxFlags,
    SaveSettings,
    SetTxMessage,
    SetVolume,
    SetRxInvert,
    SetTxInvert,
    SetRxAutoDetect,
    SetPreBits,
    SetPostBits,
    GetSlowData,
    GetRxHeader,
    GetStatus,
    GetDelay,
    GetKeepAlive,
    GetErrorBits,
    GetMyCall,
    GetMyCall2,
    GetYourCall,
    GetRpt1Call,
    GetRpt2Call,
    GetTxFlags,
    GetTxMessage,
    GetVolume,
    GetModemOptions,
    GetPreBits,
    GetPostBits,
    GetVersion,
};

enum class Shape {
    Command,  // OUT, wValue 0, wIndex 0, no data
    Value,    // OUT, the value in wValue, wIndex 1, no data
    OutBytes, // OUT, wValue 0, wIndex 0, a fixed-size payload
    InBytes,  // IN, wValue 0, wIndex 0, up to `length` bytes
};

struct RequestInfo {
    Request request;
    std::string_view name;
    Shape shape;
    std::uint8_t code;
    std::uint16_t length;
    unsigned timeoutMs;
};

// The whole catalogue, one row per request.
std::span<const RequestInfo> catalogue();
const RequestInfo& info(Request request);
// The row for a request code and direction, or nullptr for a code the adapter does not know.
const RequestInfo* findByCode(std::uint8_t requestType, std::uint8_t code);

inline constexpr unsigned kStatusTimeoutHeaderMs = 500;
inline constexpr unsigned kStatusTimeoutMessageMs = 200;

// The three shapes of request. The row decides code, length and time-out; `timeoutMs`
// overrides it only for GetStatus, whose time-out depends on the monitor's phase.
int command(AdapterLink& link, Request request);
int sendValue(AdapterLink& link, Request request, std::uint16_t value);
int sendBytes(AdapterLink& link, Request request, std::span<const unsigned char> data);
int readBytes(AdapterLink& link, Request request, std::span<unsigned char> buffer,
              unsigned timeoutMs = 0);

} // namespace tamsel
