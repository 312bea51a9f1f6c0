// SPDX-License-Identifier: GPL-3.0-or-later
// SimulatedAdapter: an AdapterLink that behaves like the adapter, for tests and the demo.
#pragma once

#include "adapter/AdapterLink.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace tamsel {

// One request as the simulated adapter saw it.
struct TraceEntry {
    std::chrono::steady_clock::time_point time;
    std::uint8_t requestType = 0;
    std::uint8_t code = 0;
    std::uint16_t wValue = 0;
    std::uint16_t wIndex = 0;
    std::vector<std::uint8_t> bytes; // data sent (OUT) or delivered (IN)
    std::uint16_t length = 0;
    unsigned timeoutMs = 0;
    int result = 0;

    std::string name() const;      // the catalogue name, or the code in hex
    bool isMonitorRequest() const; // GetRxHeader, GetSlowData, GetStatus
};

// A reception as the adapter delivers it: the 41 header bytes in pieces, then the slow-data
// stream in pieces, then the end status. A piece of size 0 is a poll that finds nothing
// waiting yet, so the sizes also set how long the reception lasts.
struct ScriptedReception {
    std::vector<std::uint8_t> header; // normally 41 bytes
    std::vector<int> headerPieces{8, 8, 8, 8, 8, 1};
    std::vector<std::uint8_t> slowData;
    std::vector<int> slowPieces; // empty: all of slowData in pieces of 8
    std::uint8_t activeStatus = 0x02;
    std::uint8_t endStatus = 0x08;
};

enum class FaultKind {
    Fail,    // a negative result at once (a stall)
    Timeout, // waits for the request's time-out, then a negative result
    Short,   // delivers fewer bytes than asked
    Zero,    // delivers no bytes
};

// An AdapterLink that behaves like the adapter: it keeps every setting, answers the whole
// request catalogue, plays scripted receptions, records a trace of every request, and
// injects faults and latency on request. Safe for the UI and monitor threads at once.
class SimulatedAdapter : public AdapterLink {
public:
    SimulatedAdapter();

    int controlTransfer(std::uint8_t requestType, std::uint8_t request, std::uint16_t wValue,
                        std::uint16_t wIndex, unsigned char* data, std::uint16_t length,
                        unsigned timeoutMs) override;

    // --- settings, as the adapter holds them
    // The bytes that the Get request `getCode` returns (callsigns, message, flags, bytes),
    // held and stored as the adapter is found.
    void setValue(std::uint8_t getCode, std::vector<std::uint8_t> bytes);
    void setText(std::uint8_t getCode, const std::string& text);
    std::vector<std::uint8_t> value(std::uint8_t getCode) const;
    std::string text(std::uint8_t getCode) const;
    void setVersion(std::string text, bool endless = false);
    // Writes with this code are acknowledged but not taken, as an adapter refusing a value.
    void refuseWrites(std::uint8_t setCode);
    int initModemCount() const;
    int saveCount() const;
    std::map<std::uint8_t, std::vector<std::uint8_t>> storedSettings() const;
    // Keeps what Save stores in `file` from one run to the next, as the adapter keeps it
    // when unplugged: what the file holds becomes the stored and held settings now (as at
    // power-on), and every Save writes them there (the folder made if need be). A missing
    // file leaves the settings as they are; a line that names no setting of that size is
    // passed over.
    void keepStoredIn(std::filesystem::path file);

    // --- receptions
    void queueReception(ScriptedReception reception);
    bool receptionsPending() const; // queued or under way

    // --- faults and timing
    void failCode(std::uint8_t code, FaultKind kind, int times = 1, int shortLength = 0);
    void failRequestNumber(std::size_t index, FaultKind kind, int shortLength = 0);
    void clearFaults();
    void unplug();                       // every later request fails with kErrorNoDevice
    void unplugAfter(std::size_t count); // after `count` more requests
    void unplugOn(std::uint8_t code);    // as the next request with this code arrives
    // Plugged in again after an unplug: a power cycle, so it holds its stored settings (or
    // its factory ones when nothing was stored) and a reception under way is gone.
    void replug();
    bool pluggedIn() const;
    void setLatency(std::chrono::microseconds perRequest);
    // Extra delay for a monitor poll that finds nothing, so an idle monitor does not spin.
    void setIdlePollDelay(std::chrono::microseconds delay);

    // --- trace
    void setTracing(bool on);
    std::vector<TraceEntry> trace() const;
    std::vector<TraceEntry> mainTrace() const; // without the monitor's polls
    std::size_t requestCount() const;
    void clearTrace();

private:
    struct CodeFault {
        FaultKind kind;
        int remaining; // -1: always
        int shortLength;
    };
    struct NumberFault {
        FaultKind kind;
        int shortLength;
    };
    struct Active {
        ScriptedReception script;
        std::size_t headerPos = 0, headerPiece = 0;
        std::size_t slowPos = 0, slowPiece = 0;
        std::size_t statusPolls = 0;
    };

    int answer(std::uint8_t requestType, std::uint8_t code, std::uint16_t wValue,
               std::uint16_t wIndex, unsigned char* data, std::uint16_t length, bool& idlePoll);
    int answerReception(std::uint8_t code, unsigned char* data, std::uint16_t length,
                        bool& idlePoll);
    std::optional<std::pair<FaultKind, int>> takeFault(std::uint8_t code);
    void writeStored() const;

    mutable std::mutex mutex_;
    std::map<std::uint8_t, std::vector<std::uint8_t>> values_; // by Get code
    std::map<std::uint8_t, std::vector<std::uint8_t>> stored_;
    std::vector<std::uint8_t> refused_;
    std::string version_;
    bool endlessVersion_ = false;
    std::size_t versionPos_ = 0;
    int initModems_ = 0;
    int saves_ = 0;
    std::filesystem::path storeFile_;

    std::deque<ScriptedReception> pending_;
    std::optional<Active> active_;

    std::map<std::uint8_t, CodeFault> codeFaults_;
    std::map<std::size_t, NumberFault> numberFaults_;
    bool unplugged_ = false;
    std::optional<std::size_t> unplugAt_;
    std::optional<std::uint8_t> unplugCode_;
    std::chrono::microseconds latency_{0};
    std::chrono::microseconds idlePollDelay_{0};

    std::atomic<bool> tracingOn_{true};
    std::size_t requests_ = 0;
    std::vector<TraceEntry> trace_;
};

} // namespace tamsel
