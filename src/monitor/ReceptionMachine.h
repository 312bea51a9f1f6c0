#pragma once

#include "adapter/Catalogue.h"
#include "monitor/RadioHeader.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace tamsel {

// One change the monitor makes to the windows.
struct ReceptionUpdate {
    enum class Target { CalledCALL, CallerCALL, CallerCALL2, DayTime, MSG, FlagInfo, HistoryLine };
    Target target;
    std::string text;
};

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

    // `now` gives the local date and time as "yyyy/mm/dd hh:nn:ss".
    explicit ReceptionMachine(std::function<std::string()> now);

    Step next() const { return step_; }
    // Takes the result of the request `next()` named and the bytes it delivered; appends
    // the window updates to `updates` and returns the pause in ms before the next request.
    int feed(int result, std::span<const std::uint8_t> data, std::vector<ReceptionUpdate>& updates);

    bool gatheringMessage() const { return phase_ == Phase::Message; }

private:
    enum class Phase { Header, Message };

    int feedHeader(int result, std::span<const std::uint8_t> data,
                   std::vector<ReceptionUpdate>& updates);
    int feedHeaderStatus(int result, std::span<const std::uint8_t> data);
    void feedSlowData(int result, std::span<const std::uint8_t> data,
                      std::vector<ReceptionUpdate>& updates);
    int feedMessageStatus(int result, std::span<const std::uint8_t> data,
                          std::vector<ReceptionUpdate>& updates);
    void publish(std::vector<ReceptionUpdate>& updates);
    void record(std::vector<ReceptionUpdate>& updates);

    std::function<std::string()> now_;
    Phase phase_ = Phase::Header;
    Step step_;
    std::array<std::uint8_t, kHeaderSize> header_{};
    std::size_t headerCount_ = 0;
    int controlCode_ = 0;
    std::string line_;    // the history line, 64 characters
    std::string message_; // 20 characters
    std::array<std::uint8_t, kBlockSize> block_{};
    std::size_t blockPos_ = 0;
    std::optional<int> blockType_;
    int statusFailures_ = 0;
};

} // namespace tamsel
