// SPDX-License-Identifier: GPL-3.0-or-later
// LogProbe: logs one contact as the operator would, through the Log Contact dialog, so that a
// real logging program can be given the file and the datagrams; the KLog and udp_daemon
// tests drive it.
//   log_probe ADIF_FILE CALL MHZ [PORT]
// CALL is the caller as the radio header carries it (no suffix); with PORT the contact also
// goes to 127.0.0.1:PORT as WSJT-X announces one, from a WSJT-X client that says it is
// there at start and closes at the end.
#include "log/ContactLogger.h"
#include "log/LogContact.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: log_probe ADIF_FILE CALL MHZ [PORT]\n");
        return 2;
    }
    using namespace tamsel;
    using namespace std::chrono_literals;

    LogSettings settings;
    settings.adifFile = args[1];
    settings.lastFrequencyMHz = args[3].toDouble();
    if (args.size() > 4) {
        settings.sender = LogSettings::Sender::Wsjtx;
        settings.port = static_cast<quint16>(args[4].toUInt());
    }

    // A reception heard through a local repeater: the caller with a module letter and a
    // suffix, a position, and a message.
    StationReport end;
    end.kind = StationReport::Kind::End;
    end.caller = args[2].leftJustified(7, QLatin1Char(' ')).append(QLatin1Char('B')).toStdString();
    end.suffix = "ID51";
    end.called = "CQCQCQ  ";
    end.rpt1 = "JR1YB  A";
    end.rpt2 = "JR1YB  B";
    end.flags = {0x40, 0, 0};
    end.message = "QRV on 145 and 439   ";
    end.utcStart = std::chrono::sys_days{std::chrono::year{2024} / 5 / 17} + 9h + 30min + 15s;
    end.duration = 87s;
    end.positions.push_back({35.6895, 139.6917, {}, {}, {}, "/[", {}});

    ContactLogger logger(settings, "0.0-probe");
    Contact prefill = logger.prefill(end, {"JE2TUV", "PM85KE"});
    // What the operator types in the dialog.
    prefill.rstSent = "57";
    prefill.rstReceived = "55";
    prefill.name = "Tarō";

    LogContactDialog* dialog = openLogContact(nullptr, prefill, logger);
    dialog->accept();
    std::printf("%s\n", qPrintable(dialog->status()));
    std::fflush(stdout);
    const bool logged = dialog->status().startsWith(QStringLiteral("Logged to"));
    dialog->close();
    return logged ? 0 : 1;
}
