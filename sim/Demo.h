// SPDX-License-Identifier: GPL-3.0-or-later
// Demo: the demo's simulated stations and their receptions.
#pragma once

#include "sim/SimulatedAdapter.h"

#include <random>
#include <string>

namespace tamsel {

// The station the demo adapter is set up as.
inline constexpr const char* kDemoCallsign = "JA1DMO  ";

// Where the demo adapter keeps what Save stores between runs, in the demo's own data folder.
inline constexpr const char* kDemoAdapterFile = "simulated-adapter.txt";

// Lifelike settings for the demo adapter: station callsign and suffix, repeaters, message,
// volume, modem settings and a firmware version; about 1 ms per request.
void configureDemoAdapter(SimulatedAdapter& adapter);

// Slow-data sentences as radios send them: NMEA with its checksum and CR LF (`body` is what
// goes between "$" and "*"), and GPS-A, an APRS packet with its CRC over the packet and CR.
std::string nmeaSentence(const std::string& body);
std::string gpsASentence(const std::string& packet);

// How a demo station sends its position in the slow data (D-PRS).
enum class DemoPosition { None, GpsA, Nmea };

// One made-up reception and what the console should show for it.
struct DemoReception {
    DemoPosition sends = DemoPosition::None;
    ScriptedReception script;
    std::string caller;  // 8 characters
    std::string suffix;  // 4
    std::string called;  // 8
    std::string message; // 20
    int controlCode = 0;
};

// A reception from a built-in list of stations: mostly control code 0, the header in
// pieces, the four message parts in a random order among other blocks and filler, the
// station's position in data blocks (GPS-A, NMEA or none, as each station does), and
// about `seconds` of transmission at the monitor's pace. About one call in four is to
// `myCall` (the station callsign the adapter holds, so that the operator's own callsign is
// called once set), the others are CQ.
DemoReception demoReception(std::mt19937& rng, double seconds, const std::string& myCall);

} // namespace tamsel
