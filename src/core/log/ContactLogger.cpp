// SPDX-License-Identifier: GPL-3.0-or-later
// ContactLogger: what OK in "Log Contact..." does: the ADIF record, then the logging program.
#include "log/ContactLogger.h"

#include <QCoreApplication>

namespace tamsel {

Contact ContactLogger::prefill(const StationReport& end, const MyStation& own) const {
    Contact c = contactFromReception(end);
    if (settings_.lastFrequencyMHz > 0) {
        c.frequencyMHz = settings_.lastFrequencyMHz;
    }
    c.stationCallsign = own.callsign;
    c.myGridsquare = own.locator;
    return c;
}

ContactLogger::Outcome ContactLogger::log(const Contact& c, UtcTime now) {
    const QString path = settings_.adifPath();
    const std::string error = adif_.append(path.toStdString(), c, now, version_);
    if (!error.empty()) {
        return {QString::fromStdString(error), {}};
    }
    if (c.frequencyMHz) {
        settings_.lastFrequencyMHz = *c.frequencyMHz;
    }
    const QString sent = sender_.send(settings_, c, now, version_);
    return {{}, //: %1 is the ADIF file, %2 a sentence on the logging program: "Sent to
                //: 127.0.0.1:2237 as ADIF"
            QCoreApplication::translate("ContactLogger", "Logged to %1. %2").arg(path, sent)};
}

} // namespace tamsel
