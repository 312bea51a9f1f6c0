// SPDX-License-Identifier: GPL-3.0-or-later
// GpsdReport: the lines of gpsd's JSON protocol that the console reads and writes.
#include "station/GpsdReport.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace tamsel {

QByteArray gpsdWatchCommand() {
    return QByteArrayLiteral("?WATCH={\"enable\":true,\"json\":true}\n");
}

std::optional<TpvReport> parseGpsdLine(QByteArrayView line) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(line.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        return std::nullopt;
    }
    const QJsonObject o = doc.object();
    if (o.value(QLatin1String("class")).toString() != QLatin1String("TPV")) {
        return std::nullopt;
    }
    TpvReport report;
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
    return report;
}

} // namespace tamsel
