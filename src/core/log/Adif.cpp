// SPDX-License-Identifier: GPL-3.0-or-later
// Adif: contacts as ADIF 3.1.4 records (ADI), the band of a frequency, and the ADIF log file.
#include "log/Adif.h"

#include "base/Numbers.h"
#include "calls/HeaderWay.h"
#include "monitor/HistoryLine.h"
#include "monitor/Position.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

namespace tamsel {

namespace {

struct Band {
    const char* name;
    double lowMHz, highMHz;
};

// ADIF 3.1.4's band table.
constexpr std::array<Band, 33> kBands{{
    {"2190m", 0.1357, 0.1378},   {"630m", 0.472, 0.479},      {"560m", 0.501, 0.504},
    {"160m", 1.8, 2.0},          {"80m", 3.5, 4.0},           {"60m", 5.06, 5.45},
    {"40m", 7.0, 7.3},           {"30m", 10.1, 10.15},        {"20m", 14.0, 14.35},
    {"17m", 18.068, 18.168},     {"15m", 21.0, 21.45},        {"12m", 24.89, 24.99},
    {"10m", 28.0, 29.7},         {"8m", 40.0, 45.0},          {"6m", 50.0, 54.0},
    {"5m", 54.000001, 69.9},     {"4m", 70.0, 71.0},          {"2m", 144.0, 148.0},
    {"1.25m", 222.0, 225.0},     {"70cm", 420.0, 450.0},      {"33cm", 902.0, 928.0},
    {"23cm", 1240.0, 1300.0},    {"13cm", 2300.0, 2450.0},    {"9cm", 3300.0, 3500.0},
    {"6cm", 5650.0, 5925.0},     {"3cm", 10000.0, 10500.0},   {"1.25cm", 24000.0, 24250.0},
    {"6mm", 47000.0, 47200.0},   {"4mm", 75500.0, 81000.0},   {"2.5mm", 119980.0, 123000.0},
    {"2mm", 134000.0, 149000.0}, {"1mm", 241000.0, 250000.0}, {"submm", 300000.0, 7500000.0},
}};

// The text in ASCII, for the fields that allow nothing else: accents dropped, the rest '?'.
std::string asciiFold(std::string_view utf8) {
    const QString decomposed = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))
                                   .normalized(QString::NormalizationForm_KD);
    std::string out;
    for (const QChar c : decomposed) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) {
            out += ' '; // ADIF strings are ASCII 32 to 126: CR, BEL or ESC from the air is a blank
        } else if (c.unicode() < 0x80) {
            out += static_cast<char>(c.unicode());
        } else if (c.category() != QChar::Mark_NonSpacing && !c.isLowSurrogate()) {
            out += '?';
        }
    }
    return out;
}

void putAscii(std::string& record, std::string_view name, std::string_view value) {
    if (!value.empty()) {
        record += adifField(name, asciiFold(value));
    }
}

// A locator as ADIF has it: up to 8 characters in `name`, a finer one cut to 8; of a
// 10-character one, the last two in `name`_EXT (defined since ADIF 3.1.4, the version the
// header declares).
void putGridsquare(std::string& record, const std::string& name, std::string_view text) {
    const auto grid = adifGridsquare(text.substr(0, 8));
    if (!grid) {
        return;
    }
    record += adifField(name, *grid);
    if (text.size() == 10 && grid->size() == 8) {
        std::string ext(text.substr(8));
        for (char& ch : ext) {
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        }
        if (ext[0] >= 'a' && ext[0] <= 'x' && ext[1] >= 'a' && ext[1] <= 'x') {
            record += adifField(name + "_EXT", ext);
        }
    }
}

std::string withoutControls(std::string text) {
    for (char& c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f) {
            c = ' ';
        }
    }
    return text;
}

std::string frequencyText(double mhz) {
    std::string s = pointDecimal(mhz, 6);
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') {
        s.pop_back();
    }
    return s;
}

} // namespace

std::optional<std::string> adifGridsquare(std::string_view text) {
    if (text.size() != 2 && text.size() != 4 && text.size() != 6 && text.size() != 8) {
        return std::nullopt;
    }
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        const char upper = static_cast<char>(std::toupper(c));
        switch (i / 2) {
        case 0: // field
            if (upper < 'A' || upper > 'R') {
                return std::nullopt;
            }
            out[i] = upper;
            break;
        case 2: // subsquare
            if (upper < 'A' || upper > 'X') {
                return std::nullopt;
            }
            out[i] = static_cast<char>(std::tolower(c));
            break;
        default: // square, extended square
            if (std::isdigit(c) == 0) {
                return std::nullopt;
            }
        }
    }
    return out;
}

std::string adifBand(double frequencyMHz) {
    for (const Band& b : kBands) {
        if (frequencyMHz >= b.lowMHz && frequencyMHz <= b.highMHz) {
            return b.name;
        }
    }
    return {};
}

std::string adifLocation(double degrees, bool latitude) {
    const char hemisphere = latitude ? (degrees < 0 ? 'S' : 'N') : (degrees < 0 ? 'W' : 'E');
    const double a = std::fabs(degrees);
    int whole = static_cast<int>(a);
    double minutes = std::round((a - whole) * 60.0 * 1000.0) / 1000.0;
    if (minutes >= 60.0) {
        ++whole;
        minutes = 0;
    }
    // "%c%03d %06.3f" under any locale: the minutes always with a point.
    const std::string degreesText = std::to_string(whole);
    const std::string minutesText = pointDecimal(minutes, 3);
    return hemisphere + std::string(3 - std::min<std::size_t>(3, degreesText.size()), '0') +
           degreesText + ' ' + std::string(6 - std::min<std::size_t>(6, minutesText.size()), '0') +
           minutesText;
}

std::string adifField(std::string_view name, std::string_view value) {
    return "<" + std::string(name) + ":" + std::to_string(value.size()) + ">" + std::string(value);
}

std::string adifHeader(UtcTime created, std::string_view version) {
    return "Tamsel Console ADIF log\n" + adifField("ADIF_VER", "3.1.4") + "\n" +
           adifField("PROGRAMID", kAdifProgramId) + "\n" + adifField("PROGRAMVERSION", version) +
           "\n" + adifField("CREATED_TIMESTAMP", utcText(created, UtcForm::AdifStamp)) +
           "\n<EOH>\n";
}

std::string adifRecord(const Contact& c) {
    std::string r;
    putAscii(r, "CALL", c.call);
    r += adifField("QSO_DATE", utcText(c.on, UtcForm::AdifDate));
    r += adifField("TIME_ON", utcText(c.on, UtcForm::AdifTime));
    r += adifField("QSO_DATE_OFF", utcText(c.off, UtcForm::AdifDate));
    r += adifField("TIME_OFF", utcText(c.off, UtcForm::AdifTime));
    r += adifField("MODE", "DIGITALVOICE");
    r += adifField("SUBMODE", "DSTAR");
    if (c.frequencyMHz) {
        putAscii(r, "BAND", adifBand(*c.frequencyMHz));
        r += adifField("FREQ", frequencyText(*c.frequencyMHz));
    }
    putAscii(r, "RST_SENT", c.rstSent);
    putAscii(r, "RST_RCVD", c.rstReceived);
    putGridsquare(r, "GRIDSQUARE", c.gridsquare);
    if (c.latitude && c.longitude) {
        r += adifField("LAT", adifLocation(*c.latitude, true));
        r += adifField("LON", adifLocation(*c.longitude, false));
    }
    // ADI files hold ASCII only (the _INTL fields belong to ADX): accents are dropped here,
    // and the reception log keeps the text as it came.
    putAscii(r, "NAME", c.name);
    putAscii(r, "COMMENT", c.comment);
    putAscii(r, "STATION_CALLSIGN", c.stationCallsign);
    putGridsquare(r, "MY_GRIDSQUARE", c.myGridsquare);
    if (c.propagation == Propagation::Internet) {
        r += adifField("PROP_MODE", "INTERNET");
    } else if (c.propagation == Propagation::Repeater) {
        r += adifField("PROP_MODE", "RPT");
    }
    if (c.swl) {
        r += adifField("SWL", "Y");
    }
    // ADIF names a program's own fields APP_{PROGRAMID}_{FIELD}.
    const std::string app = std::string("APP_") + kAdifProgramId + "_";
    putAscii(r, app + "UR", c.ur);
    putAscii(r, app + "RPT1", c.rpt1);
    putAscii(r, app + "RPT2", c.rpt2);
    putAscii(r, app + "SUFFIX", c.suffix);
    return r + "<EOR>\n";
}

std::string contactCallsign(std::string_view call) {
    const std::string t = trimmed(call);
    return t.substr(0, t.find(' '));
}

Propagation propagationOf(std::string_view rpt1, std::string_view rpt2, std::uint8_t flag1) {
    const HeaderWay way = headerWay(rpt1, rpt2, flag1);
    return throughGateway(way)          ? Propagation::Internet
           : way == HeaderWay::Repeater ? Propagation::Repeater
                                        : Propagation::Direct;
}

Contact contactFromReception(const StationReport& end) {
    Contact c;
    c.call = latin1ToUtf8(contactCallsign(end.caller));
    c.on = end.utcStart;
    c.off = end.utcStart + end.duration;
    c.comment = latin1ToUtf8(trimmed(withoutControls(end.message)));
    if (!end.positions.empty()) {
        const Position& p = end.positions.back();
        c.gridsquare = maidenhead(p.latitude, p.longitude);
        c.latitude = p.latitude;
        c.longitude = p.longitude;
    }
    c.propagation = propagationOf(end.rpt1, end.rpt2, end.flags[0]);
    c.ur = latin1ToUtf8(trimmed(end.called));
    c.rpt1 = latin1ToUtf8(trimmed(end.rpt1));
    c.rpt2 = latin1ToUtf8(trimmed(end.rpt2));
    c.suffix = latin1ToUtf8(trimmed(end.suffix));
    return c;
}

std::optional<StationReport> historyReception(std::string_view line) {
    namespace hl = historyline;
    StationReport end;
    end.kind = StationReport::Kind::End;
    end.time = std::string(hl::cut(line, hl::kDate));
    end.caller = std::string(hl::cut(line, hl::kCaller));
    const auto start = parseLocalText(end.time);
    if (!start || trimmed(end.caller).empty()) {
        return std::nullopt;
    }
    end.utcStart = *start;
    end.suffix = std::string(hl::cut(line, hl::kSuffix));
    end.called = std::string(hl::cut(line, hl::kCalled));
    end.message = std::string(hl::cut(line, hl::kMessage));
    return end;
}

std::string adifListeningReports(const std::vector<Contact>& rows, UtcTime created,
                                 std::string_view version) {
    std::string out = adifHeader(created, version);
    for (Contact c : rows) {
        c.swl = true;
        out += adifRecord(c);
    }
    return out;
}

std::string AdifLog::append(const std::filesystem::path& path, const Contact& c, UtcTime now,
                            std::string_view version) {
    if (!file_.isCurrent() || file_.path() != path) {
        if (std::string error = file_.open(path); !error.empty()) {
            return error;
        }
    }
    std::string error = file_.append(adifRecord(c), adifHeader(now, version));
    if (!error.empty()) {
        file_.close();
    }
    return error;
}

} // namespace tamsel
