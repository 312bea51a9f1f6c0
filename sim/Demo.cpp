// SPDX-License-Identifier: GPL-3.0-or-later
// Demo: the demo's simulated stations and their receptions.
#include "sim/Demo.h"

#include <algorithm>
#include <array>

namespace tamsel {

namespace {

struct Station {
    const char* call;
    const char* suffix;
    const char* message;
};

constexpr std::array kStations{
    Station{"JA1XYZ  ", "ID51", "Hello from Tokyo    "},
    Station{"JH3ABC  ", "ID31", "Osaka mobile, QRV   "},
    Station{"7M4QRS  ", "D74 ", "73 de 7M4QRS        "},
    Station{"JR6KLM  ", "    ", "Okinawa calling CQ  "},
    Station{"JE2TUV  ", "ID52", "Portable on the hill"},
    Station{"JA0NOP  ", "DR1 ", "Nagano, 5 and 9 here"},
    Station{"JK1WXY  ", "ID50", "Testing new antenna "},
};

constexpr std::uint8_t kFlagRepeater = 0x40;

int pick(std::mt19937& rng, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

void put(std::vector<std::uint8_t>& header, std::size_t at, std::string_view text) {
    std::copy(text.begin(), text.end(), header.begin() + static_cast<std::ptrdiff_t>(at));
}

// Splits `total` bytes into pieces of 1 to 8, with `gaps` empty polls spread among them.
std::vector<int> pieces(std::mt19937& rng, std::size_t total, int gaps) {
    std::vector<int> out;
    for (std::size_t left = total; left > 0;) {
        const int n = std::min<int>(pick(rng, 1, 8), static_cast<int>(left));
        out.push_back(n);
        left -= static_cast<std::size_t>(n);
    }
    for (int i = 0; i < gaps; ++i) {
        out.insert(out.begin() + pick(rng, 0, static_cast<int>(out.size())), 0);
    }
    return out;
}

} // namespace

void configureDemoAdapter(SimulatedAdapter& adapter) {
    adapter.setLatency(std::chrono::milliseconds(1));
    adapter.setText(0x60, kDemoCallsign);
    adapter.setText(0x61, "ID51");
    adapter.setText(0x62, "CQCQCQ  ");
    adapter.setText(0x63, "JR1YB  B");
    adapter.setText(0x64, "JR1YB  G");
    adapter.setText(0x66, "Tamsel demo station ");
    adapter.setValue(0x65, {kFlagRepeater, 0x00, 0x00});
    adapter.setValue(0x82, {200});
    adapter.setValue(0x52, {15});
    adapter.setValue(0x53, {30});
    adapter.setValue(0x54, {2});
    adapter.setValue(0xD0, {0x80});
    adapter.setValue(0xE2, {0x55});
    adapter.setValue(0xE3, {0xAA});
    adapter.setVersion("Tamsel demo firmware 03.05 (simulated)");
}

DemoReception demoReception(std::mt19937& rng, double seconds) {
    DemoReception r;
    const Station& s = kStations[static_cast<std::size_t>(pick(rng, 0, kStations.size() - 1))];
    r.caller = s.call;
    r.suffix = s.suffix;
    r.message = s.message;
    r.called = pick(rng, 1, 6) == 1 ? kDemoCallsign : "CQCQCQ  ";
    r.controlCode = pick(rng, 1, 10) == 1 ? pick(rng, 1, 7) : 0;

    std::vector<std::uint8_t>& h = r.script.header;
    h.assign(41, ' ');
    h[0] = static_cast<std::uint8_t>(kFlagRepeater | r.controlCode);
    h[1] = h[2] = 0;
    put(h, 3, "JR1YB  G");
    put(h, 11, "JR1YB  B");
    put(h, 19, r.called);
    put(h, 27, r.caller);
    put(h, 35, r.suffix);
    h[39] = static_cast<std::uint8_t>(pick(rng, 0, 255));
    h[40] = static_cast<std::uint8_t>(pick(rng, 0, 255));
    r.script.headerPieces = pieces(rng, h.size(), pick(rng, 0, 3));

    // The four message parts in a random order, with other kinds of block between them.
    std::vector<std::vector<std::uint8_t>> blocks;
    for (int part = 0; part < 4; ++part) {
        std::vector<std::uint8_t> b(6);
        b[0] = static_cast<std::uint8_t>('@' + part);
        std::copy_n(r.message.begin() + part * 5, 5, b.begin() + 1);
        blocks.push_back(b);
    }
    for (int i = pick(rng, 1, 4); i > 0; --i) {
        const std::uint8_t kind = std::array<std::uint8_t, 3>{0x25, 0x55, 0x66}[pick(rng, 0, 2)];
        blocks.push_back({kind, 'f', 'i', 'l', 'l', '\0'});
    }
    std::shuffle(blocks.begin(), blocks.end(), rng);
    for (const auto& b : blocks) {
        r.script.slowData.insert(r.script.slowData.end(), b.begin(), b.end());
    }
    // The monitor polls about every 22 ms while a message comes in.
    const int passes = std::max(1, static_cast<int>(seconds / 0.022));
    const auto bytes = r.script.slowData.size();
    r.script.slowPieces = pieces(rng, bytes, std::max(0, passes - static_cast<int>(bytes / 4)));
    return r;
}

} // namespace tamsel
