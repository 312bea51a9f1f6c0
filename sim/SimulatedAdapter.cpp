// SPDX-License-Identifier: GPL-3.0-or-later
// SimulatedAdapter: an AdapterLink that behaves like the adapter, for tests and the demo.
#include "SimulatedAdapter.h"

#include "adapter/Catalogue.h"
#include "base/Folders.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

namespace tamsel {

namespace {

constexpr std::uint8_t kGetSlowData = 0x11;
constexpr std::uint8_t kGetRxHeader = 0x21;
constexpr std::uint8_t kGetStatus = 0x30;
constexpr std::uint8_t kGetModemOptions = 0xD0;
constexpr std::uint8_t kGetVersion = 0xFF;

// The Get code that reads back what a Set code writes, or 0 for none.
std::uint8_t readBackCode(std::uint8_t setCode) {
    switch (setCode) {
    case 0x02:
        return 0x52;
    case 0x03:
        return 0x53;
    case 0x04:
        return 0x54;
    case 0x48:
        return 0x66;
    case 0x81:
        return 0x82;
    case 0xE0:
        return 0xE2;
    case 0xE1:
        return 0xE3;
    default:
        break;
    }
    if (setCode >= 0x40 && setCode <= 0x45) {
        return static_cast<std::uint8_t>(setCode + 0x20);
    }
    return 0;
}

// The modem-options bit that an option switch sets or clears, or 0.
std::uint8_t optionBit(std::uint8_t setCode) {
    switch (setCode) {
    case 0xD1:
        return 0x02; // RX invert
    case 0xD2:
        return 0x01; // TX invert
    case 0xD3:
        return 0x80; // RX auto detect
    default:
        return 0;
    }
}

std::vector<std::uint8_t> spaces(std::size_t n) {
    return std::vector<std::uint8_t>(n, ' ');
}

} // namespace

std::string TraceEntry::name() const {
    if (const RequestInfo* row = findByCode(requestType, code)) {
        return std::string(row->name);
    }
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", code);
    return buf;
}

bool TraceEntry::isMonitorRequest() const {
    return requestType == kRequestTypeIn &&
           (code == kGetSlowData || code == kGetRxHeader || code == kGetStatus);
}

SimulatedAdapter::SimulatedAdapter() {
    for (std::uint8_t code : {0x60, 0x62, 0x63, 0x64}) {
        values_[code] = spaces(8);
    }
    values_[0x61] = spaces(4);
    values_[0x66] = spaces(20);
    values_[0x65] = {0, 0, 0};
    for (std::uint8_t code : {0x52, 0x53, 0x54, 0x82, 0xD0, 0xE2, 0xE3}) {
        values_[code] = {0};
    }
    stored_ = values_;
}

void SimulatedAdapter::setValue(std::uint8_t getCode, std::vector<std::uint8_t> bytes) {
    // Set up as the adapter is found: held and stored alike.
    std::lock_guard lock(mutex_);
    stored_[getCode] = bytes;
    values_[getCode] = std::move(bytes);
}

void SimulatedAdapter::setText(std::uint8_t getCode, const std::string& text) {
    setValue(getCode, {text.begin(), text.end()});
}

std::vector<std::uint8_t> SimulatedAdapter::value(std::uint8_t getCode) const {
    std::lock_guard lock(mutex_);
    auto it = values_.find(getCode);
    return it == values_.end() ? std::vector<std::uint8_t>{} : it->second;
}

std::string SimulatedAdapter::text(std::uint8_t getCode) const {
    const auto bytes = value(getCode);
    return {bytes.begin(), bytes.end()};
}

void SimulatedAdapter::setVersion(std::string text, bool endless) {
    std::lock_guard lock(mutex_);
    version_ = std::move(text);
    endlessVersion_ = endless;
    versionPos_ = 0;
}

void SimulatedAdapter::refuseWrites(std::uint8_t setCode) {
    std::lock_guard lock(mutex_);
    refused_.push_back(setCode);
}

int SimulatedAdapter::initModemCount() const {
    std::lock_guard lock(mutex_);
    return initModems_;
}

int SimulatedAdapter::saveCount() const {
    std::lock_guard lock(mutex_);
    return saves_;
}

std::map<std::uint8_t, std::vector<std::uint8_t>> SimulatedAdapter::storedSettings() const {
    std::lock_guard lock(mutex_);
    return stored_;
}

void SimulatedAdapter::keepStoredIn(std::filesystem::path file) {
    std::lock_guard lock(mutex_);
    storeFile_ = std::move(file);
    std::ifstream in(storeFile_);
    // "60 4A41314D4F202020": a Get code, then the bytes it reads back, both in hex.
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string code, bytes;
        if (!(fields >> code >> bytes) || code.size() != 2 || bytes.size() % 2 != 0 ||
            code.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos ||
            bytes.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos) {
            continue;
        }
        const auto getCode = static_cast<std::uint8_t>(std::stoul(code, nullptr, 16));
        std::vector<std::uint8_t> value;
        for (std::size_t at = 0; at < bytes.size(); at += 2) {
            value.push_back(
                static_cast<std::uint8_t>(std::stoul(bytes.substr(at, 2), nullptr, 16)));
        }
        const auto known = stored_.find(getCode);
        if (known != stored_.end() && known->second.size() == value.size()) {
            known->second = value;
            values_[getCode] = std::move(value);
        }
    }
}

void SimulatedAdapter::writeStored() const {
    if (storeFile_.empty() || makeFolders(storeFile_.parent_path())) {
        return;
    }
    // Written aside and renamed, so that a run ended half way keeps the last whole file.
    std::filesystem::path aside = storeFile_;
    aside += ".new";
    {
        std::ofstream out(aside, std::ios::trunc);
        out << "# What the simulated adapter of tamsel-demo stored at its last Save:\n"
               "# a Get request's code, then the bytes it reads back, both in hex.\n";
        for (const auto& [code, value] : stored_) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02X ", code);
            out << hex;
            for (std::uint8_t b : value) {
                std::snprintf(hex, sizeof hex, "%02X", b);
                out << hex;
            }
            out << '\n';
        }
        if (!out.flush()) {
            return;
        }
    }
    std::error_code ec;
    std::filesystem::rename(aside, storeFile_, ec);
}

void SimulatedAdapter::queueReception(ScriptedReception reception) {
    std::lock_guard lock(mutex_);
    pending_.push_back(std::move(reception));
}

bool SimulatedAdapter::receptionsPending() const {
    std::lock_guard lock(mutex_);
    return active_.has_value() || !pending_.empty();
}

void SimulatedAdapter::failCode(std::uint8_t code, FaultKind kind, int times, int shortLength) {
    std::lock_guard lock(mutex_);
    codeFaults_[code] = {kind, times, shortLength};
}

void SimulatedAdapter::failRequestNumber(std::size_t index, FaultKind kind, int shortLength) {
    std::lock_guard lock(mutex_);
    numberFaults_[index] = {kind, shortLength};
}

void SimulatedAdapter::clearFaults() {
    std::lock_guard lock(mutex_);
    codeFaults_.clear();
    numberFaults_.clear();
}

void SimulatedAdapter::unplug() {
    std::lock_guard lock(mutex_);
    unplugged_ = true;
}

void SimulatedAdapter::replug() {
    std::lock_guard lock(mutex_);
    unplugged_ = false;
    unplugAt_.reset();
    unplugCode_.reset();
    values_ = stored_;
    active_.reset();
    versionPos_ = 0;
}

bool SimulatedAdapter::pluggedIn() const {
    std::lock_guard lock(mutex_);
    return !unplugged_;
}

void SimulatedAdapter::unplugAfter(std::size_t count) {
    std::lock_guard lock(mutex_);
    unplugAt_ = requests_ + count;
}

void SimulatedAdapter::unplugOn(std::uint8_t code) {
    std::lock_guard lock(mutex_);
    unplugCode_ = code;
}

void SimulatedAdapter::setLatency(std::chrono::microseconds perRequest) {
    std::lock_guard lock(mutex_);
    latency_ = perRequest;
}

void SimulatedAdapter::setIdlePollDelay(std::chrono::microseconds delay) {
    std::lock_guard lock(mutex_);
    idlePollDelay_ = delay;
}

void SimulatedAdapter::setTracing(bool on) {
    tracingOn_ = on;
}

std::vector<TraceEntry> SimulatedAdapter::trace() const {
    std::lock_guard lock(mutex_);
    return trace_;
}

std::vector<TraceEntry> SimulatedAdapter::mainTrace() const {
    std::lock_guard lock(mutex_);
    std::vector<TraceEntry> out;
    std::copy_if(trace_.begin(), trace_.end(), std::back_inserter(out),
                 [](const TraceEntry& e) { return !e.isMonitorRequest(); });
    return out;
}

std::size_t SimulatedAdapter::requestCount() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void SimulatedAdapter::clearTrace() {
    std::lock_guard lock(mutex_);
    trace_.clear();
}

std::optional<std::pair<FaultKind, int>> SimulatedAdapter::takeFault(std::uint8_t code) {
    if (auto it = numberFaults_.find(requests_); it != numberFaults_.end()) {
        auto fault = std::make_pair(it->second.kind, it->second.shortLength);
        numberFaults_.erase(it);
        return fault;
    }
    if (auto it = codeFaults_.find(code); it != codeFaults_.end()) {
        auto fault = std::make_pair(it->second.kind, it->second.shortLength);
        if (it->second.remaining > 0 && --it->second.remaining == 0) {
            codeFaults_.erase(it);
        }
        return fault;
    }
    return std::nullopt;
}

int SimulatedAdapter::controlTransfer(std::uint8_t requestType, std::uint8_t request,
                                      std::uint16_t wValue, std::uint16_t wIndex,
                                      unsigned char* data, std::uint16_t length,
                                      unsigned timeoutMs) {
    TraceEntry entry{{}, requestType, request, wValue, wIndex, {}, length, timeoutMs, 0};
    const bool tracing = tracingOn_.load(std::memory_order_relaxed);
    if (tracing) {
        entry.time = std::chrono::steady_clock::now();
        if (requestType == kRequestTypeOut && data != nullptr) {
            entry.bytes.assign(data, data + length);
        }
    }
    std::chrono::microseconds wait{0};
    bool idlePoll = false;
    int result = 0;
    {
        std::lock_guard lock(mutex_);
        wait = latency_;
        if ((unplugAt_ && requests_ >= *unplugAt_) || (unplugCode_ && request == *unplugCode_)) {
            unplugged_ = true;
        }
        const auto fault = unplugged_ ? std::nullopt : takeFault(request);
        if (unplugged_) {
            entry.result = kErrorNoDevice;
        } else if (fault && fault->first == FaultKind::Fail) {
            entry.result = kErrorPipe;
        } else if (fault && fault->first == FaultKind::Timeout) {
            entry.result = kErrorTimeout;
            wait += std::chrono::milliseconds(timeoutMs);
        } else if (fault && fault->first == FaultKind::Zero) {
            entry.result = 0;
        } else {
            std::vector<unsigned char> reply(length);
            const int n =
                answer(requestType, request, wValue, wIndex,
                       requestType == kRequestTypeIn ? reply.data() : data, length, idlePoll);
            entry.result = n;
            if (fault && fault->first == FaultKind::Short && n > 0) {
                entry.result = std::min(n, fault->second);
            }
            if (requestType == kRequestTypeIn && entry.result > 0) {
                std::copy_n(reply.begin(), entry.result, data);
                if (tracing) {
                    entry.bytes.assign(reply.begin(), reply.begin() + entry.result);
                }
            }
        }
        if (idlePoll) {
            wait += idlePollDelay_;
        }
        ++requests_;
        result = entry.result;
        if (tracing) {
            trace_.push_back(std::move(entry));
        }
    }
    if (wait.count() > 0) {
        std::this_thread::sleep_for(wait);
    }
    return result;
}

int SimulatedAdapter::answer(std::uint8_t requestType, std::uint8_t code, std::uint16_t wValue,
                             std::uint16_t wIndex, unsigned char* data, std::uint16_t length,
                             bool& idlePoll) {
    const bool refused = std::find(refused_.begin(), refused_.end(), code) != refused_.end();
    if (requestType == kRequestTypeOut) {
        if (code == 0x00) {
            ++initModems_;
            return 0;
        }
        if (code == 0x47) {
            ++saves_;
            stored_ = values_;
            writeStored();
            return 0;
        }
        const std::uint8_t target = readBackCode(code);
        const std::uint8_t bit = optionBit(code);
        if (target == 0 && bit == 0) {
            return kErrorPipe; // a request this adapter does not know
        }
        if (refused) {
            return length;
        }
        if (bit != 0) {
            auto& options = values_[kGetModemOptions];
            options[0] =
                static_cast<std::uint8_t>(wValue != 0 ? (options[0] | bit) : (options[0] & ~bit));
        } else if (wIndex == 1) {
            values_[target] = {static_cast<std::uint8_t>(wValue & 0xFF)};
        } else {
            values_[target].assign(data, data + length);
        }
        return length;
    }

    if (code == kGetRxHeader || code == kGetSlowData || code == kGetStatus) {
        return answerReception(code, data, length, idlePoll);
    }
    if (code == kGetVersion) {
        std::size_t n = 0;
        for (; n < length && (endlessVersion_ || versionPos_ < version_.size()); ++n) {
            data[n] = version_.empty() ? 'x' : version_[versionPos_++ % version_.size()];
        }
        if (n < length) {
            versionPos_ = 0; // a short piece ends the text; the next reading starts over
        }
        return static_cast<int>(n);
    }
    auto it = values_.find(code);
    if (it == values_.end()) {
        return kErrorPipe;
    }
    const std::size_t n = std::min<std::size_t>(length, it->second.size());
    std::copy_n(it->second.begin(), n, data);
    return static_cast<int>(n);
}

int SimulatedAdapter::answerReception(std::uint8_t code, unsigned char* data, std::uint16_t length,
                                      bool& idlePoll) {
    if (code == kGetRxHeader && !active_ && !pending_.empty()) {
        active_ = Active{std::move(pending_.front())};
        pending_.pop_front();
    }
    if (!active_) {
        idlePoll = true;
        if (code == kGetStatus) {
            data[0] = 0x00;
            return 1;
        }
        return 0;
    }
    Active& a = *active_;
    const auto& s = a.script;
    const bool headerDone = a.headerPos >= s.header.size();
    auto deliver = [&](const std::vector<std::uint8_t>& stream, std::size_t& pos,
                       const std::vector<int>& pieces, std::size_t& piece) {
        int size = piece < pieces.size() ? pieces[piece] : 8;
        ++piece;
        const std::size_t n = std::min<std::size_t>(
            {static_cast<std::size_t>(std::max(size, 0)), stream.size() - pos, length});
        std::copy_n(stream.begin() + static_cast<std::ptrdiff_t>(pos), n, data);
        pos += n;
        return static_cast<int>(n);
    };
    if (code == kGetRxHeader) {
        return headerDone ? 0 : deliver(s.header, a.headerPos, s.headerPieces, a.headerPiece);
    }
    const bool slowDone = a.slowPos >= s.slowData.size() && a.slowPiece >= s.slowPieces.size();
    if (code == kGetSlowData) {
        return headerDone && !slowDone ? deliver(s.slowData, a.slowPos, s.slowPieces, a.slowPiece)
                                       : 0;
    }
    // GetStatus. A transmission ends on the air whether or not the host kept up, so a
    // reception that is polled far longer than its pieces last ends all the same.
    const std::size_t lasts =
        2 * (s.headerPieces.size() + s.slowPieces.size() + s.slowData.size() / 8) + 20;
    if ((headerDone && slowDone) || ++a.statusPolls > lasts) {
        data[0] = s.endStatus;
        active_.reset();
    } else {
        data[0] = s.activeStatus;
    }
    return 1;
}

} // namespace tamsel
