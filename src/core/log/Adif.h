// SPDX-License-Identifier: GPL-3.0-or-later
// Adif: contacts as ADIF 3.1.4 records (ADI), the band of a frequency, and the ADIF log file.
#pragma once

#include "log/AppendFile.h"
#include "log/Formats.h"
#include "monitor/ReceptionMachine.h"

#include <optional>
#include <string>
#include <vector>

namespace tamsel {

// How a contact reached the operator.
enum class Propagation { Direct, Repeater, Internet };

// One contact (or listening report), all text in UTF-8.
struct Contact {
    std::string call; // the base callsign
    UtcTime on{};
    UtcTime off{};
    std::optional<double> frequencyMHz;
    std::string rstSent, rstReceived;
    std::string gridsquare;
    std::optional<double> latitude, longitude;
    std::string name, comment;
    std::string stationCallsign; // My Call
    std::string myGridsquare;
    Propagation propagation = Propagation::Direct;
    std::string ur, rpt1, rpt2, suffix; // the D-STAR routing
    bool swl = false;                   // a listening report, not a two-way contact
};

// A Maidenhead locator as ADIF takes it (2, 4, 6 or 8 characters: "JN", "JN58", "JN58td",
// "JN58td25"), in its usual spelling; nothing for anything else.
std::optional<std::string> adifGridsquare(std::string_view text);
// The header's PROGRAMID, which also names the program's own fields (APP_TAMSEL_RPT1).
inline constexpr const char* kAdifProgramId = "TAMSEL";

// ADIF's band ("2m", "70cm") for a frequency in MHz; empty outside every band.
std::string adifBand(double frequencyMHz);
// ADIF's location form "XDDD MM.MMM" (X is N/S for latitude, E/W for longitude).
std::string adifLocation(double degrees, bool latitude);
// "<NAME:length>value", the length counted in bytes.
std::string adifField(std::string_view name, std::string_view value);
// The ADIF header: ADIF_VER, PROGRAMID, PROGRAMVERSION, CREATED_TIMESTAMP, <EOH>.
std::string adifHeader(UtcTime created, std::string_view version);
// One record, from CALL to <EOR>, with a line break after it.
std::string adifRecord(const Contact& c);

// The base callsign of a received one: the blanks and the module letter after it dropped.
std::string contactCallsign(std::string_view call);
// From the header's repeater fields and flag, by the way headerWay() says it came: over a
// gateway means the internet, through a repeater a local repeater, otherwise direct.
Propagation propagationOf(std::string_view rpt1, std::string_view rpt2, std::uint8_t flag1);

// A contact prefilled from a finished (or logged) reception: the caller's base callsign,
// on and off from the reception, their locator and position from the last position it
// carried, the message as the comment.
Contact contactFromReception(const StationReport& end);

// The reception a line of the received history stands for: its caller, suffix, called and
// message, and when it began (the line's local time). Nothing when the line names no caller
// or its time cannot be read.
std::optional<StationReport> historyReception(std::string_view line);

// Heard stations written as listening reports (SWL = Y): header and one record each.
std::string adifListeningReports(const std::vector<Contact>& rows, UtcTime created,
                                 std::string_view version);

// The operator's ADIF log: a header when the file is created, then one record per append.
class AdifLog {
public:
    // Appends `c` to the file at `path` (opened once and kept while the path stays the same);
    // an empty text on success, otherwise the reason.
    std::string append(const std::filesystem::path& path, const Contact& c, UtcTime now,
                       std::string_view version);

private:
    AppendFile file_;
};

} // namespace tamsel
