// SPDX-License-Identifier: GPL-3.0-or-later
// AprsPacket: the gate's rules and the packets it writes.
#include "aprs/AprsPacket.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tamsel {

namespace {

constexpr std::size_t kMaxCall = 9;     // a callsign with its SSID, as APRS-IS takes it
constexpr std::size_t kMaxPathHops = 8; // digipeaters and the like in a TNC2 path

bool alnum(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// A TNC2 address field: letters, digits and dashes, nine at most, a '*' after a used hop.
bool addressField(std::string_view a, bool hop) {
    if (hop && !a.empty() && a.back() == '*') {
        a.remove_suffix(1);
    }
    return !a.empty() && a.size() <= kMaxCall &&
           std::all_of(a.begin(), a.end(), [](char c) { return alnum(c) || c == '-'; });
}

std::string upper(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
    return out;
}

// A hop that keeps a packet off APRS-IS, or shows that it came from there, in whatever case.
bool keepsOffAprsIs(std::string_view hop) {
    if (!hop.empty() && hop.back() == '*') {
        hop.remove_suffix(1);
    }
    const std::string h = upper(hop);
    return h == "TCPIP" || h == "TCPXX" || h == "NOGATE" || h == "RFONLY" ||
           (h.size() == 3 && h.substr(0, 2) == "QA");
}

// A symbol an uncompressed position can carry: a table ('/', '\\' or an overlay) and a code.
bool plainSymbol(std::string_view symbol) {
    const char t = symbol.size() == 2 ? symbol[0] : '\0';
    return symbol.size() == 2 && symbol[1] >= '!' && symbol[1] <= '~' &&
           (t == '/' || t == '\\' || (t >= '0' && t <= '9') || (t >= 'A' && t <= 'Z'));
}

bool sendable(std::string_view bytes) {
    return bytes.find_first_of(std::string_view("\0\r\n", 3)) == std::string_view::npos;
}

// `value` in decimal, at least `width` digits with leading zeros.
std::string digits(unsigned long value, std::size_t width) {
    std::string s = std::to_string(value);
    if (s.size() < width) {
        s.insert(0, width - s.size(), '0');
    }
    return s;
}

// Degrees as APRS writes them, "DDMM.mm" (latitude, 2) or "DDDMM.mm" (longitude, 3), and the
// hemisphere letter; rounded to the hundredth of a minute.
std::string aprsAngle(double degrees, std::size_t degreeDigits, char positive, char negative) {
    const auto hundredths = static_cast<unsigned long>(std::lround(std::abs(degrees) * 6000));
    return digits(hundredths / 6000, degreeDigits) + digits(hundredths % 6000 / 100, 2) + "." +
           digits(hundredths % 100, 2) + (degrees < 0 ? negative : positive);
}

std::string trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

bool digitsAt(std::string_view s, std::size_t at, std::size_t n) {
    return s.size() >= at + n && std::all_of(s.begin() + static_cast<std::ptrdiff_t>(at),
                                             s.begin() + static_cast<std::ptrdiff_t>(at + n),
                                             [](char c) { return c >= '0' && c <= '9'; });
}

// Whether a comment put right after a position's symbol would be read as data.
bool readAsData(std::string_view text) {
    const std::string_view head = text.substr(0, 3);
    return text.front() == '/' || (digitsAt(text, 0, 3) && text.size() >= 7 && text[3] == '/') ||
           ((head == "PHG" || head == "RNG" || head == "DFS") && digitsAt(text, 3, 4));
}

// Sources APRS-IS refuses: a radio's unset callsign, and the words of a path.
bool refusedSource(std::string_view call) {
    const std::string_view base = call.substr(0, call.find('-'));
    return base == "NOCALL" || base == "N0CALL" || base == "WIDE" || base == "RELAY" ||
           base == "TRACE" || base == "TCPIP";
}

GateOutcome withheld(Withheld why) {
    return {{}, why};
}

GateOutcome finished(std::string packet) {
    if (packet.size() > kAprsIsMaxPacket) {
        return withheld(Withheld::TooLong);
    }
    return {std::move(packet), std::nullopt};
}

// The callsign up to its first blank.
std::string_view baseCall(std::string_view call) {
    return call.substr(0, call.find(' '));
}

} // namespace

const char* withheldText(Withheld why) {
    switch (why) {
    case Withheld::NoGate:
        return "its path keeps it off APRS-IS";
    case Withheld::Malformed:
        return "not a packet APRS-IS takes";
    case Withheld::Doubtful:
        return "it carries a value no receiver sends";
    case Withheld::Unsendable:
        return "it holds bytes an APRS-IS line cannot carry";
    case Withheld::TooLong:
        return "it would be longer than 510 bytes";
    case Withheld::OwnStation:
        return "it is this station's own transmission";
    case Withheld::AlreadyGated:
        return "this reception's position was gated already";
    }
    return "";
}

bool aprsIsCallsign(std::string_view call) {
    const auto dash = call.find('-');
    const std::string_view base = call.substr(0, dash);
    if (base.empty() || call.size() > kMaxCall || !std::all_of(base.begin(), base.end(), alnum)) {
        return false;
    }
    if (dash == std::string_view::npos) {
        return true;
    }
    const std::string_view ssid = call.substr(dash + 1);
    return !ssid.empty() && ssid.size() <= 2 && std::all_of(ssid.begin(), ssid.end(), alnum);
}

std::optional<std::string> aprsSourceCall(std::string_view caller, std::string_view suffix) {
    const std::string base = upper(baseCall(caller));
    if (!aprsIsCallsign(base) || base.find('-') != std::string::npos || refusedSource(base)) {
        return std::nullopt;
    }
    const std::string ssid = upper(trimmed(suffix));
    const bool isSsid = !ssid.empty() && ssid.size() <= 2 && ssid.find(' ') == std::string::npos &&
                        std::all_of(ssid.begin(), ssid.end(), alnum);
    if (isSsid && aprsIsCallsign(base + "-" + ssid)) {
        return base + "-" + ssid;
    }
    return base;
}

GateOutcome gateGpsA(std::string_view packet, std::string_view login) {
    const auto colon = packet.find(':');
    const auto arrow = packet.find('>');
    if (colon == std::string_view::npos || arrow == std::string_view::npos || arrow > colon) {
        return withheld(Withheld::Malformed);
    }
    const std::string_view header = packet.substr(0, colon);
    if (!aprsIsCallsign(header.substr(0, arrow)) || refusedSource(header.substr(0, arrow))) {
        return withheld(Withheld::Malformed);
    }
    // Destination and path, comma-separated; the rules look at every hop before the form.
    std::vector<std::string_view> fields;
    for (std::size_t start = arrow + 1;;) {
        const auto comma = header.find(',', start);
        fields.push_back(
            header.substr(start, comma == std::string_view::npos ? header.npos : comma - start));
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    if (std::any_of(fields.begin() + 1, fields.end(), keepsOffAprsIs)) {
        return withheld(Withheld::NoGate);
    }
    if (fields.size() > kMaxPathHops + 1 || !addressField(fields[0], false) ||
        !std::all_of(fields.begin() + 1, fields.end(),
                     [](std::string_view hop) { return addressField(hop, true); })) {
        return withheld(Withheld::Malformed);
    }
    if (!sendable(packet) || colon + 1 == packet.size()) {
        return withheld(colon + 1 == packet.size() ? Withheld::Malformed : Withheld::Unsendable);
    }
    std::string out;
    out.reserve(packet.size() + 6 + login.size());
    out.append(header).append(",qAR,").append(login).append(packet.substr(colon));
    return finished(std::move(out));
}

GateOutcome gateNmea(const Position& p, std::string_view source, std::string_view symbol,
                     std::string_view comment, std::string_view login) {
    if (!plainSymbol(symbol)) {
        symbol = "/>";
    }
    // A weather station's course and speed are the wind's: its own are left out.
    const bool weather = symbol[1] == '_';
    std::string text = trimmed(comment);
    if (!sendable(text) || !sendable(symbol)) {
        return withheld(Withheld::Unsendable);
    }
    std::string out;
    out.reserve(80 + text.size());
    out.append(source).append(">APDPRS,DSTAR*,qAR,").append(login).append(":!");
    out.append(aprsAngle(p.latitude, 2, 'N', 'S')).push_back(symbol[0]);
    out.append(aprsAngle(p.longitude, 3, 'E', 'W')).push_back(symbol[1]);
    if (!weather && (p.course || p.speedKnots)) {
        // APRS: 000 is no course, 360 north.
        const int course = p.course ? (*p.course == 0 ? 360 : *p.course) : 0;
        const long speed = p.speedKnots ? std::min(std::lround(*p.speedKnots), 999L) : 0;
        out.append(digits(static_cast<unsigned long>(course), 3))
            .append("/")
            .append(digits(static_cast<unsigned long>(speed), 3));
    }
    if (p.altitudeFeet) {
        const long feet = std::lround(*p.altitudeFeet);
        out.append("/A=");
        out.append(feet < 0 ? "-" + digits(static_cast<unsigned long>(-feet), 5)
                            : digits(static_cast<unsigned long>(feet), 6));
    }
    if (!text.empty()) {
        // Right after the symbol, a comment that starts like a data extension (course and
        // speed, PHG, RNG, DFS) or an altitude would be read as one; after them, as more.
        if (p.altitudeFeet || (!weather && (p.course || p.speedKnots)) || readAsData(text)) {
            out.push_back(' ');
        }
        out.append(text);
    }
    return finished(std::move(out));
}

void ReceptionGate::setOwnCall(std::string_view call) {
    own_ = std::string(baseCall(call));
}

std::optional<ReceptionGate::Result> ReceptionGate::take(const StationReport& r) {
    switch (r.kind) {
    case StationReport::Kind::Heard:
        inReception_ = true;
        done_ = false;
        caller_ = r.caller;
        suffix_ = r.suffix;
        fix_.reset();
        own_reception_ = !own_.empty() && baseCall(r.caller) == own_;
        return std::nullopt;
    case StationReport::Kind::Message:
        return std::nullopt;
    case StationReport::Kind::End: {
        auto result = inReception_ ? finish(r.message, r.origin.symbol) : std::nullopt;
        inReception_ = false;
        fix_.reset();
        return result;
    }
    case StationReport::Kind::Position:
        break;
    }
    if (!inReception_ || done_) {
        return std::nullopt;
    }
    if (r.origin.form != PositionOrigin::Form::GpsA) {
        fix_ = r.position; // RMC and GGA of one fix come merged in the second of them
        return std::nullopt;
    }
    done_ = true;
    if (const auto why = heldBack(r.position)) {
        return Result{withheld(*why), caller_};
    }
    GateOutcome out = gateGpsA(r.origin.packet, login_);
    // The symbol this station's own D-PRS settings give, for its NMEA positions later: by
    // its callsign with the SSID, and not a weather station's (its course would be the wind).
    const auto source = aprsSourceCall(caller_, suffix_);
    const std::string& symbol = r.position.symbol;
    if (out.gated() && source && plainSymbol(symbol) && symbol[1] != '_' &&
        (symbols_.size() < kSymbolMemory || symbols_.count(*source) != 0)) {
        symbols_[*source] = symbol;
    }
    return Result{std::move(out), caller_};
}

std::optional<Withheld> ReceptionGate::heldBack(const Position& position) const {
    if (own_reception_) {
        return Withheld::OwnStation;
    }
    if (position.doubtful) {
        return Withheld::Doubtful;
    }
    return std::nullopt;
}

std::optional<ReceptionGate::Result> ReceptionGate::finish(const std::string& message,
                                                           const std::string& dprsSymbol) {
    if (done_ || !fix_) {
        return std::nullopt;
    }
    done_ = true;
    if (const auto why = heldBack(*fix_)) {
        return Result{withheld(*why), caller_};
    }
    const auto source = aprsSourceCall(caller_, suffix_);
    if (!source) {
        return Result{withheld(Withheld::Malformed), caller_};
    }
    // The symbol the radio's identification line names, else the one its GPS-A gave.
    const auto known = symbols_.find(*source);
    const std::string symbol = !dprsSymbol.empty()       ? dprsSymbol
                               : known != symbols_.end() ? known->second
                                                         : std::string("/>");
    return Result{gateNmea(*fix_, *source, symbol, message, login_), caller_};
}

} // namespace tamsel
