// SPDX-License-Identifier: GPL-3.0-or-later
// AprsPacket: what a receive-only gate passes from D-PRS to APRS-IS, and in what words.
// Pure byte work: no network, no Qt.
#pragma once

#include "monitor/Position.h"
#include "monitor/ReceptionMachine.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tamsel {

// The longest packet a gate sends, without the CR LF that ends its line on APRS-IS.
inline constexpr std::size_t kAprsIsMaxPacket = 510;

// Why a position heard is not gated.
enum class Withheld {
    NoGate,       // its path holds TCPIP, TCPXX, NOGATE or RFONLY, or it came from APRS-IS
    Malformed,    // not a packet APRS-IS takes: no source, an unusable callsign, a bad path
    Doubtful,     // a value the checks left out (an impossible speed or altitude)
    Unsendable,   // bytes APRS-IS cannot carry in a line (NUL, CR, LF)
    TooLong,      // longer than kAprsIsMaxPacket with the gate's q-construct
    OwnStation,   // this station's own transmission
    AlreadyGated, // this reception has had its position gated already
};
// The reason in English, for logs and tests.
const char* withheldText(Withheld why);

// A packet for APRS-IS, or why there is none.
struct GateOutcome {
    std::string packet; // without CR LF
    std::optional<Withheld> withheld;
    bool gated() const { return !withheld; }
};

// The APRS-IS source of a D-STAR caller: the callsign up to its first blank, with the
// suffix as an SSID where it is one ("9", "10", "M": one or two letters or digits), else the
// bare callsign. Nothing when the callsign is not one APRS-IS takes.
std::optional<std::string> aprsSourceCall(std::string_view caller, std::string_view suffix);

// Whether `call` is a callsign with an optional SSID that APRS-IS takes as a packet's source
// or a login: letters and digits, then "-" and one or two letters or digits; nine at most.
bool aprsIsCallsign(std::string_view call);

// A GPS-A sentence's packet ("SRC>DEST,PATH:payload", as it came): itself with
// ",qAR,LOGIN" after its path.
GateOutcome gateGpsA(std::string_view packet, std::string_view login);

// An NMEA position as an APRS position report:
// SOURCE>APDPRS,DSTAR*,qAR,LOGIN:!DDMM.mmN/DDDMM.mmE> with the symbol given (table and code)
// or "/>", "CSE/SPD" when the fix has a course or speed, "/A=nnnnnn" when it has an altitude,
// then the comment.
GateOutcome gateNmea(const Position& position, std::string_view source, std::string_view symbol,
                     std::string_view comment, std::string_view login);

// The gate's rules over one reception after another, fed the station reports in order:
// each reception gives at most one packet. A GPS-A position goes when it comes; an NMEA fix
// waits for the reception's end, so that it goes with the fix last heard (RMC and GGA of it
// together), the whole message as its comment, and the symbol of the radio's D-PRS
// identification line (else of its GPS-A positions heard before, else "/>").
class ReceptionGate {
public:
    struct Result {
        GateOutcome outcome;
        std::string caller; // the caller as the header gave it
    };

    // The login the q-construct names, and this station's own callsign (never gated).
    void setLogin(std::string login) { login_ = std::move(login); }
    void setOwnCall(std::string_view call);

    // What a report brings: a packet to send, a position withheld (with why), or nothing.
    std::optional<Result> take(const StationReport& report);

    // Stations whose GPS-A symbol is remembered for their NMEA positions, at most.
    static constexpr std::size_t kSymbolMemory = 10'000;

private:
    std::optional<Result> finish(const std::string& message, const std::string& dprsSymbol);
    // What keeps this reception's position back whatever its form: this station's own, or a
    // value no receiver sends.
    std::optional<Withheld> heldBack(const Position& position) const;

    std::string login_;
    std::string own_;
    bool inReception_ = false;
    bool done_ = false; // this reception has had its packet, or been withheld for good
    bool own_reception_ = false;
    std::string caller_, suffix_;
    std::optional<Position> fix_;                          // the reception's last NMEA fix
    std::unordered_map<std::string, std::string> symbols_; // by APRS source, from GPS-A
};

} // namespace tamsel
