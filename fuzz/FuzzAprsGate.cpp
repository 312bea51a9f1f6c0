// SPDX-License-Identifier: GPL-3.0-or-later
// The gate to APRS-IS on arbitrary receptions: a caller, a suffix, a message and slow-data
// bytes. What it sends is one line APRS-IS takes, within its length, and a GPS-A packet
// goes as it came.
#include "aprs/AprsPacket.h"

#include <cstdlib>
#include <string>

using namespace tamsel;

namespace {

constexpr std::string_view kLogin = "T2GATE-10";

void check(const GateOutcome& out, const StationReport* gpsA) {
    if (!out.gated()) {
        return;
    }
    const std::string& p = out.packet;
    const auto colon = p.find(':');
    if (p.size() > kAprsIsMaxPacket || p.find_first_of(std::string_view("\0\r\n", 3)) != p.npos ||
        colon == p.npos || p.substr(0, colon).find(",qAR,T2GATE-10") == p.npos) {
        std::abort();
    }
    if (gpsA != nullptr) {
        std::string back = p;
        back.erase(back.find(",qAR,T2GATE-10"), 14);
        if (back != gpsA->origin.packet) {
            std::abort(); // a byte changed on the way
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (bytes.size() < 32) {
        return 0;
    }
    StationReport heard;
    heard.kind = StationReport::Kind::Heard;
    heard.caller = std::string(bytes.substr(0, 8));
    heard.suffix = std::string(bytes.substr(8, 4));
    StationReport end = heard;
    end.kind = StationReport::Kind::End;
    end.message = std::string(bytes.substr(12, 20));

    ReceptionGate gate;
    gate.setLogin(std::string(kLogin));
    gate.setOwnCall("T2OWN");
    gate.take(heard);
    PositionStream stream;
    const std::string_view rest = bytes.substr(32);
    for (std::size_t at = 0; at < rest.size(); at += 5) {
        for (SentPosition& p : stream.take(rest.substr(at, 5))) {
            StationReport r;
            r.kind = StationReport::Kind::Position;
            r.position = std::move(p.position);
            r.origin = std::move(p.origin);
            if (const auto out = gate.take(r)) {
                check(out->outcome, r.origin.form == PositionOrigin::Form::GpsA ? &r : nullptr);
            }
        }
    }
    if (const auto out = gate.take(end)) {
        check(out->outcome, nullptr);
    }
    // The packet rules on the bytes as a whole.
    check(gateGpsA(rest, kLogin), nullptr);
    return 0;
}
