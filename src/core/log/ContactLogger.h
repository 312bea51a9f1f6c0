// SPDX-License-Identifier: GPL-3.0-or-later
// ContactLogger: what OK in "Log Contact..." does: the ADIF record, then the logging program.
#pragma once

#include "log/Adif.h"
#include "log/LogSender.h"
#include "log/LogSettings.h"

#include <QString>

namespace tamsel {

// The operator's own station as Preferences know it.
struct MyStation {
    std::string callsign; // My Call
    std::string locator;
};

class ContactLogger {
public:
    struct Outcome {
        QString error;  // empty when the record is in the file
        QString status; // where it went
    };

    // Sending as WSJT-X does, the console is a WSJT-X client from here on.
    ContactLogger(LogSettings& settings, std::string version)
        : settings_(settings), version_(std::move(version)) {
        settingsChanged();
    }

    // The logging program's settings were changed: the sender follows them at once.
    void settingsChanged() { sender_.follow(settings_, version_); }

    // The dialog's first values for a finished reception: the reception's contact with
    // the remembered frequency and the operator's own station.
    Contact prefill(const StationReport& end, const MyStation& own) const;
    // Appends `c` to the ADIF file; only once it is there, sends it to the logging
    // program and remembers its frequency for the next contact.
    Outcome log(const Contact& c, UtcTime now);

    const LogSettings& settings() const { return settings_; }

private:
    LogSettings& settings_;
    std::string version_;
    AdifLog adif_;
    LogSender sender_;
};

} // namespace tamsel
