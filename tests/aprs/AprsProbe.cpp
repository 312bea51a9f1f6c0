// SPDX-License-Identifier: GPL-3.0-or-later
// AprsProbe: receptions played through the reception machine and the console's APRS-IS gate,
// for the tests that hold the gate against other programs (aprx, js-aprs-fap).
//   aprs_probe RECEPTIONS.jsonl [--server HOST:PORT --login CALL-SSID --passcode N]
// Each input line is one reception: {"caller": "DL1ABC  ", "suffix": "9   ",
// "message": "...", "data": "$GPRMC,..."}; every character of the texts is one byte
// (U+0000 to U+00FF). For each reception one line goes to standard output:
// {"packet": "..." or null, "withheld": "why" or null, "position": {...} or null}, the
// packet's bytes again as U+0000 to U+00FF, and the position as Heard Stations shows it
// (metric units, a point for decimals).
// With --server the gate also logs in there and sends what it gates; the probe ends when the
// server has it all.
#include "aprs/AprsGate.h"
#include "monitor/HeardCells.h"
#include "monitor/HeardList.h"
#include "support/Receptions.h"
#include "support/TurnUntil.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

using namespace tamsel;

namespace {

std::string bytes(const QJsonValue& v) {
    const QString s = v.toString();
    std::string out;
    out.reserve(static_cast<std::size_t>(s.size()));
    for (QChar c : s) {
        out.push_back(static_cast<char>(c.unicode() & 0xFF));
    }
    return out;
}

QString text(const std::string& b) {
    return QString::fromLatin1(b.data(), static_cast<qsizetype>(b.size()));
}

QJsonValue shown(const HeardStation& station) {
    if (!station.position) {
        return QJsonValue::Null;
    }
    const HeardCells cells(Units::Metric, std::nullopt);
    const QLocale c = QLocale::c();
    QJsonObject o{
        {QStringLiteral("latitude"), cells.text(station, HeardCells::Latitude, c)},
        {QStringLiteral("longitude"), cells.text(station, HeardCells::Longitude, c)},
        {QStringLiteral("course"), cells.text(station, HeardCells::Course, c)},
        {QStringLiteral("speed"), cells.text(station, HeardCells::Speed, c)},
        {QStringLiteral("altitude"), cells.text(station, HeardCells::Altitude, c)},
        {QStringLiteral("latitudeDegrees"), station.position->latitude},
        {QStringLiteral("longitudeDegrees"), station.position->longitude},
    };
    return o;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: aprs_probe RECEPTIONS.jsonl [--server HOST:PORT --login "
                             "CALL --passcode N]\n");
        return 2;
    }
    const auto option = [&](const char* name) {
        const auto at = args.indexOf(QLatin1String(name));
        return at > 0 && at + 1 < args.size() ? args[at + 1] : QString();
    };
    QFile input(args[1]);
    if (!input.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "aprs_probe: cannot read %s\n", qPrintable(args[1]));
        return 2;
    }

    AprsGate gate(QStringLiteral("probe"));
    AprsSettings settings;
    settings.gate = true;
    settings.server = option("--server");
    settings.login = option("--login").isEmpty() ? QStringLiteral("T2GATE-10") : option("--login");
    settings.passcode = option("--passcode");
    const bool online = !settings.server.isEmpty();
    if (online) {
        gate.configure(settings, QStringLiteral("T2OWN"));
        if (!turnUntil([&] { return gate.client().state() == AprsIsClient::State::Verified; })) {
            std::fprintf(stderr, "aprs_probe: not verified by %s: %s\n",
                         qPrintable(settings.server), qPrintable(gate.connectionText()));
            return 1;
        }
    }
    ReceptionGate rules;
    rules.setLogin(settings.login.toStdString());
    rules.setOwnCall("T2OWN");
    HeardList heard;

    while (!input.atEnd()) {
        const QByteArray line = input.readLine().trimmed();
        if (line.isEmpty()) {
            continue;
        }
        const QJsonObject in = QJsonDocument::fromJson(line).object();
        QJsonObject out{{QStringLiteral("packet"), QJsonValue::Null},
                        {QStringLiteral("withheld"), QJsonValue::Null}};
        for (const StationReport& r :
             test::receive(bytes(in[QLatin1String("caller")]), bytes(in[QLatin1String("suffix")]),
                           bytes(in[QLatin1String("message")]), bytes(in[QLatin1String("data")]))) {
            heard.apply(r);
            if (online) {
                gate.take(r);
            }
            if (const auto result = rules.take(r)) {
                if (result->outcome.withheld) {
                    out[QStringLiteral("withheld")] =
                        QString::fromLatin1(withheldText(*result->outcome.withheld));
                } else {
                    out[QStringLiteral("packet")] = text(result->outcome.packet);
                }
            }
        }
        out[QStringLiteral("position")] = heard.size() > 0 ? shown(heard.at(0)) : QJsonValue::Null;
        std::printf("%s\n", QJsonDocument(out).toJson(QJsonDocument::Compact).constData());
    }
    std::fflush(stdout);
    if (online) {
        // Everything written reaches the server before the connection closes.
        if (!turnUntil([&] { return gate.client().unsent() == 0; })) {
            std::fprintf(stderr, "aprs_probe: the server did not take everything\n");
            return 1;
        }
        gate.client().stop();
    }
    return 0;
}
