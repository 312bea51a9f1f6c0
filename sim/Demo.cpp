// SPDX-License-Identifier: GPL-3.0-or-later
// Demo: the demo's simulated stations and their receptions.
#include "sim/Demo.h"

#include "monitor/Position.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace tamsel {

namespace {

struct DemoStation {
    const char* call;
    const char* suffix;
    const char* message;
    DemoPosition sends;
    double latitude, longitude; // where it is, roughly
};

constexpr std::array kStations{
    DemoStation{"JA1XYZ  ", "ID51", "Hello from Tokyo    ", DemoPosition::GpsA, 35.6812, 139.7671},
    DemoStation{"JH3ABC  ", "ID31", "Osaka mobile, QRV   ", DemoPosition::GpsA, 34.7025, 135.4959},
    DemoStation{"7M4QRS  ", "D74 ", "73 de 7M4QRS        ", DemoPosition::None, 0, 0},
    DemoStation{"JR6KLM  ", "    ", "Okinawa calling CQ  ", DemoPosition::Nmea, 26.2124, 127.6792},
    DemoStation{"JE2TUV  ", "ID52", "Portable on the hill", DemoPosition::GpsA, 35.3606, 138.7274},
    DemoStation{"JA0NOP  ", "DR1 ", "Nagano, 5 and 9 here", DemoPosition::Nmea, 36.6485, 138.1948},
    DemoStation{"JK1WXY  ", "ID50", "Testing new antenna ", DemoPosition::None, 0, 0},
};

// "ddmm.mm" or "dddmm.mm" (with `decimals` places) and the hemisphere letter, rounded in
// whole units of the last place so that 59.999 minutes never shows as "60.00".
std::string angle(double value, int degreeDigits, int decimals, char positive, char negative) {
    long scale = 1;
    for (int i = 0; i < decimals; ++i) {
        scale *= 10;
    }
    const long units = std::lround(std::abs(value) * 60.0 * static_cast<double>(scale));
    char text[64];
    std::snprintf(text, sizeof text, "%0*ld%02ld.%0*ld%c", degreeDigits, units / (60 * scale),
                  units / scale % 60, decimals, units % scale, value < 0 ? negative : positive);
    return text;
}

// What a radio puts in the slow data for its position: a GPS-A sentence (APRS with a
// CRC) or NMEA RMC and GGA sentences, as the radios' GPS modes do.
std::string positionData(const DemoStation& s, std::mt19937& rng) {
    std::uniform_real_distribution<double> jitter(-0.01, 0.01);
    const double lat = s.latitude + jitter(rng), lon = s.longitude + jitter(rng);
    const int course = std::uniform_int_distribution<int>(0, 359)(rng);
    const int knots = std::uniform_int_distribution<int>(0, 40)(rng);
    std::string call(s.call);
    call.erase(call.find_last_not_of(' ') + 1);
    char extension[16];
    std::snprintf(extension, sizeof extension, "%03d/%03d", course, knots);
    if (s.sends == DemoPosition::GpsA) {
        return gpsASentence(call + ">API52,DSTAR*:!" + angle(lat, 2, 2, 'N', 'S') + "/" +
                            angle(lon, 3, 2, 'E', 'W') + ">" + extension + "/" + s.suffix +
                            " demo /A=000120");
    }
    const std::string where = angle(lat, 2, 4, 'N', 'S').insert(9, ",") + "," +
                              angle(lon, 3, 4, 'E', 'W').insert(10, ",");
    char speed[32];
    std::snprintf(speed, sizeof speed, "%.1f,%.1f", static_cast<double>(knots),
                  static_cast<double>(course));
    return nmeaSentence("GPRMC,101500.00,A," + where + "," + speed + ",081226,,,A") +
           nmeaSentence("GPGGA,101500.00," + where + ",1,08,1.0,42.0,M,36.7,M,,");
}

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

std::string nmeaSentence(const std::string& body) {
    unsigned sum = 0;
    for (char c : body) {
        sum ^= static_cast<unsigned char>(c);
    }
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + body + tail;
}

std::string gpsASentence(const std::string& packet) {
    const std::string covered = packet + "\r";
    char crc[8];
    std::snprintf(crc, sizeof crc, "%04X", crcX25(covered));
    return std::string("$$CRC") + crc + "," + covered;
}

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

DemoReception demoReception(std::mt19937& rng, double seconds, const std::string& myCall) {
    DemoReception r;
    const DemoStation& s = kStations[static_cast<std::size_t>(pick(rng, 0, kStations.size() - 1))];
    r.sends = s.sends;
    r.caller = s.call;
    r.suffix = s.suffix;
    r.message = s.message;
    std::string me = myCall.substr(0, 8);
    me.resize(8, ' ');
    const bool toMe = pick(rng, 1, 4) == 1 && me.find_first_not_of(' ') != std::string::npos;
    r.called = toMe ? me : "CQCQCQ  ";
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
    // The position's data blocks keep their order; the others fall among them.
    if (s.sends != DemoPosition::None) {
        const std::string data = positionData(s, rng);
        for (std::size_t at = 0; at < data.size(); at += 5) {
            const std::size_t n = std::min<std::size_t>(5, data.size() - at);
            std::vector<std::uint8_t> b(6, 'f');
            b[0] = static_cast<std::uint8_t>(0x30 + n);
            std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(at), n, b.begin() + 1);
            const auto last = std::find_if(blocks.rbegin(), blocks.rend(), [](const auto& x) {
                return x[0] >= 0x30 && x[0] <= 0x35;
            });
            const auto from = last == blocks.rend() ? blocks.begin() : last.base();
            const auto span = static_cast<int>(blocks.end() - from);
            blocks.insert(from + pick(rng, 0, span), b);
        }
    }
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
