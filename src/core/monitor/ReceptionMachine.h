// SPDX-License-Identifier: GPL-3.0-or-later
// ReceptionMachine: the receive monitor's rules as a pure state machine, no thread, no device.
#pragma once

#include "adapter/Catalogue.h"
#include "monitor/Position.h"
#include "monitor/RadioHeader.h"

#include <array>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tamsel {

// What one update from the monitor carries.
enum class ReceptionField {
    Called,       // the called station's callsign
    Caller,       // the caller's callsign
    CallerSuffix, // the caller's 4-character suffix
    Time,         // local date and time of the header
    Message,      // the 20-character slow-data message so far
    ControlText,  // the text of the header's control code
    HistoryLine,  // the finished reception's line for the history
};

// One change the monitor makes to the windows.
struct ReceptionUpdate {
    ReceptionField field;
    std::string text;
    // HistoryLine: when the reception began, which the line's local time cannot always tell
    // (the hour that comes twice when daylight saving time ends).
    std::chrono::system_clock::time_point start{};
};

// What the windows and the logs learn from a reception, as it happens: the header (who
// called whom, and when), the message as it grows, each position decoded from the
// slow-data stream (D-PRS), and at its end the whole reception once more.
struct StationReport {
    enum class Kind { Heard, Message, Position, End };
    Kind kind = Kind::Heard;
    std::string caller, suffix, called, time; // Heard and End; time is local
    std::string message;                      // Message; End: the final message
    Position position;                        // Position
    PositionOrigin origin;                    // Position: the sentence it came in
    // The rest of the header, in Heard and End. Callsigns end early at a NUL.
    std::string rpt1, rpt2;
    std::array<std::uint8_t, 3> flags{};
    int controlCode = 0;
    std::chrono::system_clock::time_point utcStart; // when the header arrived
    // End only: how long the reception lasted and every position it carried.
    std::chrono::milliseconds duration{0};
    std::vector<Position> positions;
};

// The pauses of the monitor between requests.
inline constexpr std::chrono::milliseconds kNoPause{0};
inline constexpr std::chrono::milliseconds kHeaderRetryPause{10};  // after a failed header read
inline constexpr std::chrono::milliseconds kMessagePollPause{20};  // between slow-data polls
inline constexpr std::chrono::milliseconds kAdapterWaitPause{500}; // until the adapter is found

// The receive monitor's rules without a thread or a device: it says which request to
// issue next, and turns each result into window updates and the pause before the next
// request. Gathers a header, publishes it, gathers the message until the status byte ends
// the reception, then produces the history line.
class ReceptionMachine {
public:
    struct Step {
        Request request;
        unsigned timeoutMs;
    };

    // After this many failed status reads in a row the reception counts as over: at 200 ms
    // a time-out plus the 20 ms pause that is 11 s of silence, and a few seconds when the
    // adapter is gone and every request fails at once.
    static constexpr int kStatusFailuresToEnd = 50;

    using Clock = std::function<std::chrono::system_clock::time_point()>;

    // `now` gives the local date and time as "yyyy/mm/dd hh:nn:ss"; `clock` the instant
    // that starts and ends a reception.
    explicit ReceptionMachine(
        std::function<std::string()> now,
        Clock clock = [] { return std::chrono::system_clock::now(); });

    Step next() const { return step_; }
    // Takes the result of the request `next()` named and the bytes it delivered; appends
    // the window updates to `updates` and returns the pause before the next request.
    std::chrono::milliseconds feed(int result, std::span<const std::uint8_t> data,
                                   std::vector<ReceptionUpdate>& updates);
    // The same, also telling what a heard-stations list learns.
    std::chrono::milliseconds feed(int result, std::span<const std::uint8_t> data,
                                   std::vector<ReceptionUpdate>& updates,
                                   std::vector<StationReport>& reports);

    bool gatheringMessage() const { return phase_ == Phase::Message; }

private:
    enum class Phase { Header, Message };

    std::chrono::milliseconds feedHeader(int result, std::span<const std::uint8_t> data,
                                         std::vector<ReceptionUpdate>& updates,
                                         std::vector<StationReport>& reports);
    std::chrono::milliseconds feedHeaderStatus(int result, std::span<const std::uint8_t> data);
    void feedSlowData(int result, std::span<const std::uint8_t> data,
                      std::vector<ReceptionUpdate>& updates, std::vector<StationReport>& reports);
    std::chrono::milliseconds feedMessageStatus(int result, std::span<const std::uint8_t> data,
                                                std::vector<ReceptionUpdate>& updates,
                                                std::vector<StationReport>& reports);
    void publish(std::vector<ReceptionUpdate>& updates, std::vector<StationReport>& reports);
    void record(std::vector<ReceptionUpdate>& updates, std::vector<StationReport>& reports);

    std::function<std::string()> now_;
    Clock clock_;
    StationReport reception_; // the header of the reception under way, for its end
    Phase phase_ = Phase::Header;
    Step step_;
    std::array<std::uint8_t, kHeaderSize> header_{};
    std::size_t headerCount_ = 0;
    int controlCode_ = 0;
    std::string line_;    // the history line
    std::string message_; // kMessageWidth characters
    std::array<std::uint8_t, kBlockSize> block_{};
    std::array<std::uint8_t, kBlockSize> rawBlock_{}; // as received, NUL kept
    PositionStream positions_;
    std::vector<StationReport> scratch_;
    std::size_t blockPos_ = 0;
    std::optional<int> blockType_;
    unsigned partsSeen_ = 0; // the message parts this reception has delivered, one bit each
    int statusFailures_ = 0;
};

} // namespace tamsel
