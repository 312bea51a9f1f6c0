// SPDX-License-Identifier: GPL-3.0-or-later
// GpsdReport: the lines of gpsd's JSON protocol that the console reads and writes, and which
// receiver's fix it follows.
#pragma once

#include "station/Geodesy.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <chrono>
#include <optional>

namespace tamsel {

// Asks gpsd to report in JSON from every device, as it happens.
QByteArray gpsdWatchCommand();

// A line from gpsd that the console acts on.
struct GpsdReport {
    enum class Kind {
        Tpv,     // a time-position-velocity report from `device`
        Device,  // news of `device`: added, changed, or gone (active false)
        Devices, // the receivers gpsd has active: `devices`
    };
    Kind kind = Kind::Tpv;
    QString device;
    // TPV: the fix mode (0 unknown, 1 none, 2 2D, 3 3D) and, with a 2D or 3D fix, the position.
    int mode = 0;
    std::optional<LatLon> position;
    bool active = true;
    QStringList devices;
};

// One line from gpsd; nothing unless it is a TPV, DEVICE or DEVICES object. A TPV that claims
// a fix without a valid latitude and longitude is taken as no fix.
std::optional<GpsdReport> parseGpsdLine(QByteArrayView line);

// Follows one receiver where gpsd has several (or one that comes and goes), so that the
// position does not jump between them: the receiver of the first fix, until it has had no
// fix for kStale or gpsd has let it go; then the next receiver with a fix. A fix older than
// kStale is stale: the receiver may have been unplugged without gpsd saying so yet.
class GpsdFollower {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds kStale{5};

    enum class Fix {
        None,    // no fix yet, or the followed receiver says it has none
        Current, // lastFix() is current
        Stale,   // lastFix() is older than kStale, or its receiver is gone
    };

    // Takes a report received at `now`.
    void take(const GpsdReport& report, Clock::time_point now);
    Fix fix(Clock::time_point now) const;
    // The followed receiver's last fix (or that of the last one followed), current or not.
    std::optional<LatLon> lastFix() const { return lastFix_; }
    // When a current fix goes stale.
    Clock::time_point staleAt() const { return fixAt_ + kStale; }

private:
    void letGo(const QString& device);

    std::optional<QString> followed_;
    std::optional<LatLon> lastFix_;
    Clock::time_point fixAt_{};
    bool saysNoFix_ = false;
};

} // namespace tamsel
