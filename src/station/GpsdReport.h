// SPDX-License-Identifier: GPL-3.0-or-later
// GpsdReport: the lines of gpsd's JSON protocol that the console reads and writes.
#pragma once

#include "station/Geodesy.h"

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

namespace tamsel {

// Asks gpsd to report in JSON from every device, as it happens.
QByteArray gpsdWatchCommand();

// A TPV ("time-position-velocity") report: the fix mode (0 unknown, 1 none, 2 2D, 3 3D) and,
// with a 2D or 3D fix, the position.
struct TpvReport {
    int mode = 0;
    std::optional<LatLon> position;
};

// One line from gpsd; nothing unless it is a TPV object. A TPV that claims a fix without a
// valid latitude and longitude is taken as no fix.
std::optional<TpvReport> parseGpsdLine(QByteArrayView line);

} // namespace tamsel
