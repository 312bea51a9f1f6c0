// SPDX-License-Identifier: GPL-3.0-or-later
// GpsdReport: the lines of gpsd's JSON protocol that the console reads and writes, and which
// receiver's fix it follows.
#include "station/GpsdReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace tamsel {
namespace {

// gpsd marks a receiver it let go with "activated":0 (older releases) or without the time it
// was activated (as documented).
bool isActive(const QJsonObject& device) {
    const QJsonValue activated = device.value(QLatin1String("activated"));
    return activated.isString() ? !activated.toString().isEmpty()
                                : activated.isDouble() && activated.toDouble() != 0;
}

void readTpv(const QJsonObject& o, GpsdReport& report) {
    report.mode = o.value(QLatin1String("mode")).toInt(0);
    const QJsonValue lat = o.value(QLatin1String("lat"));
    const QJsonValue lon = o.value(QLatin1String("lon"));
    if (report.mode >= 2 && lat.isDouble() && lon.isDouble()) {
        const LatLon p{lat.toDouble(), lon.toDouble()};
        if (isValidPosition(p)) {
            report.position = p;
        }
    }
    if (!report.position) {
        report.mode = std::min(report.mode, 1);
    }
}

} // namespace

QByteArray gpsdWatchCommand() {
    return QByteArrayLiteral("?WATCH={\"enable\":true,\"json\":true}\n");
}

std::optional<GpsdReport> parseGpsdLine(QByteArrayView line) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(line.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        return std::nullopt;
    }
    const QJsonObject o = doc.object();
    const QString kind = o.value(QLatin1String("class")).toString();
    GpsdReport report;
    if (kind == QLatin1String("TPV")) {
        report.device = o.value(QLatin1String("device")).toString();
        readTpv(o, report);
    } else if (kind == QLatin1String("DEVICE")) {
        report.kind = GpsdReport::Kind::Device;
        report.device = o.value(QLatin1String("path")).toString();
        report.active = isActive(o);
    } else if (kind == QLatin1String("DEVICES")) {
        report.kind = GpsdReport::Kind::Devices;
        for (const QJsonValue d : o.value(QLatin1String("devices")).toArray()) {
            if (isActive(d.toObject())) {
                report.devices << d.toObject().value(QLatin1String("path")).toString();
            }
        }
    } else {
        return std::nullopt;
    }
    return report;
}

void GpsdFollower::take(const GpsdReport& report, Clock::time_point now) {
    switch (report.kind) {
    case GpsdReport::Kind::Tpv:
        if (followed_ == report.device) {
            saysNoFix_ = !report.position;
        } else if (!report.position || (followed_ && now - fixAt_ < kStale)) {
            return; // another receiver, while the followed one is fine
        } else {
            followed_ = report.device;
            saysNoFix_ = false;
        }
        if (report.position) {
            lastFix_ = report.position;
            fixAt_ = now;
        }
        break;
    case GpsdReport::Kind::Device:
        if (!report.active) {
            letGo(report.device);
        }
        break;
    case GpsdReport::Kind::Devices:
        if (followed_ && !report.devices.contains(*followed_)) {
            letGo(*followed_);
        }
        break;
    }
}

void GpsdFollower::letGo(const QString& device) {
    if (followed_ == device) {
        // Its last fix stays, stale: where the console was when it was last known.
        followed_.reset();
        saysNoFix_ = false;
    }
}

GpsdFollower::Fix GpsdFollower::fix(Clock::time_point now) const {
    if (!lastFix_ || (followed_ && saysNoFix_)) {
        return Fix::None;
    }
    return followed_ && now - fixAt_ < kStale ? Fix::Current : Fix::Stale;
}

} // namespace tamsel
