// SPDX-License-Identifier: GPL-3.0-or-later
// Receptions: one reception as the adapter delivers it (header, message blocks, data blocks,
// the status that ends it), played through the reception machine; its station reports.
#pragma once

#include "monitor/RadioHeader.h"
#include "monitor/ReceptionMachine.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tamsel::test {

// `data` goes in data blocks of up to 5 bytes (header 0x30 + count); `message` (20
// characters) in the four message blocks before it.
inline std::vector<StationReport> receive(std::string_view caller, std::string_view suffix,
                                          std::string_view message, std::string_view data) {
    ReceptionMachine machine([] { return std::string("2026/12/09 10:00:00"); });
    std::vector<ReceptionUpdate> updates;
    std::vector<StationReport> reports;
    std::vector<std::uint8_t> header(kHeaderSize, ' ');
    header[0] = 0;
    const auto put = [&](std::size_t at, std::string_view text, std::size_t width) {
        for (std::size_t i = 0; i < width && i < text.size(); ++i) {
            header[at + i] = static_cast<std::uint8_t>(text[i]);
        }
    };
    put(19, "CQCQCQ  ", 8);
    put(27, caller, 8);
    put(35, suffix, 4);
    for (std::size_t at = 0; at < kHeaderSize; at += 8) {
        const std::size_t n = std::min<std::size_t>(8, kHeaderSize - at);
        machine.feed(static_cast<int>(n), std::span(header).subspan(at, n), updates, reports);
    }
    std::vector<std::uint8_t> slow;
    std::string text(message.substr(0, 20));
    text.resize(20, ' ');
    for (std::size_t part = 0; part < 4; ++part) {
        slow.push_back(static_cast<std::uint8_t>(0x40 + part));
        slow.insert(slow.end(), text.begin() + static_cast<std::ptrdiff_t>(part * 5),
                    text.begin() + static_cast<std::ptrdiff_t>(part * 5 + 5));
    }
    for (std::size_t at = 0; at < data.size(); at += 5) {
        const std::size_t n = std::min<std::size_t>(5, data.size() - at);
        slow.push_back(static_cast<std::uint8_t>(0x30 + n));
        slow.insert(slow.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                    data.begin() + static_cast<std::ptrdiff_t>(at + n));
        slow.resize(slow.size() + 5 - n, 0x66); // filler past the valid bytes
    }
    const std::uint8_t active = 0x02, ended = 0x00;
    for (std::size_t at = 0; at < slow.size(); at += 8) {
        const std::size_t n = std::min<std::size_t>(8, slow.size() - at);
        machine.feed(static_cast<int>(n), std::span(slow).subspan(at, n), updates, reports);
        machine.feed(1, std::span(&active, 1), updates, reports);
    }
    machine.feed(0, {}, updates, reports);
    machine.feed(1, std::span(&ended, 1), updates, reports);
    return reports;
}

} // namespace tamsel::test
