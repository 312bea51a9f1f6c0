// SPDX-License-Identifier: GPL-3.0-or-later
// The reception state machine fed arbitrary transfer results, bytes and status bytes.
#include "monitor/ReceptionMachine.h"

#include <cstdlib>

using namespace tamsel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ReceptionMachine machine([] { return std::string("2026/12/07 05:30:00"); });
    std::vector<ReceptionUpdate> updates;
    std::size_t i = 0;
    while (i < size) {
        // One byte picks the result (-2 to 9); the bytes delivered follow it.
        const int result = static_cast<int>(data[i++] % 12) - 2;
        const std::size_t n = std::min<std::size_t>(std::max(result, 0), size - i);
        std::uint8_t buffer[16] = {};
        std::copy_n(data + i, n, buffer);
        i += n;
        const std::size_t asked = info(machine.next().request).length;
        const std::chrono::milliseconds pause =
            machine.feed(std::min<int>(result, static_cast<int>(asked)),
                         std::span<const std::uint8_t>(buffer, asked), updates);
        if (pause != kNoPause && pause != kHeaderRetryPause && pause != kMessagePollPause) {
            std::abort();
        }
    }
    for (const ReceptionUpdate& u : updates) {
        using F = ReceptionField;
        const bool ok =
            u.field == F::Message ? (u.text == " " || u.text.size() == 20)
            : u.field == F::HistoryLine
                ? (u.text.size() == 64 || (u.text.size() > 43 && u.text.size() <= 43 + 17))
            : u.field == F::CallerSuffix ? u.text.size() <= 4
                                         : u.text.size() <= 19;
        if (!ok) {
            std::abort();
        }
    }
    return 0;
}
