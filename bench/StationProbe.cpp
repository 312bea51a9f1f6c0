// SPDX-License-Identifier: GPL-3.0-or-later
// tamsel_bench_station: the headless station's memory, measured in a process of its own so
// that nothing the benchmarks before it left in their heap counts. Prints key=value lines.
//
//   tamsel_bench_station bare                   a QCoreApplication alone
//   tamsel_bench_station memory FOLDER HEARD    a running station whose repeater directory
//                                               is FOLDER (its index already written), with
//                                               HEARD stations heard
//   tamsel_bench_station pages PORT CSRF N      N live pages of the station's page on PORT:
//                                               each says hello and takes every message;
//                                               prints "ready" once all have the state and
//                                               runs until standard input ends
#include "Station.h"
#include "adapter/Discovery.h"
#include "monitor/Unit2.h"
#include "sim/SimulatedAdapter.h"

#include <QCoreApplication>
#include <QDir>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QWebSocket>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace tamsel {
namespace {

long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
}

void say(const char* key, double value) {
    std::printf("%s=%.0f\n", key, value);
}

// The process's resident memory and its heap at one stage: what the allocator hands out, and
// what it holds free (resident once touched).
void stage(const std::string& name) {
    const struct mallinfo2 heap = mallinfo2();
    say((name + "_rss_kb").c_str(), static_cast<double>(residentKb()));
    say((name + "_heap_in_use_kb").c_str(),
        static_cast<double>(heap.uordblks + heap.hblkhd) / 1024);
    say((name + "_heap_free_kb").c_str(), static_cast<double>(heap.fordblks) / 1024);
}

// What a string holds on the heap: its buffer when that is not inside the string itself.
std::size_t heapOf(const std::string& s) {
    const auto* self = reinterpret_cast<const char*>(&s);
    const bool inside = s.data() >= self && s.data() < self + sizeof s;
    return inside ? 0 : s.capacity() + 1;
}

std::size_t bytesOf(const Repeater& r) {
    return sizeof r + heapOf(r.name) + heapOf(r.area) + heapOf(r.callsign) + heapOf(r.gateway);
}

std::size_t bytesOf(const HeardStation& s) {
    std::size_t n = sizeof s;
    for (const std::string* text :
         {&s.callsign, &s.suffix, &s.lastHeard, &s.called, &s.rpt1, &s.rpt2, &s.message}) {
        n += heapOf(*text);
    }
    if (s.position) {
        n += heapOf(s.position->symbol) + heapOf(s.position->comment);
    }
    return n;
}

// Each station heard once, as the monitor reports a reception: its header, its message, a
// position from every third one, its end.
void hear(Station& station, int stations) {
    receiveRF* monitor = station.monitor();
    const auto now = std::chrono::system_clock::now();
    for (int i = 0; i < stations; ++i) {
        char call[16];
        std::snprintf(call, sizeof call, "JA%d%c%c%c  ", i % 10, 'A' + i / 10 % 26,
                      'A' + i / 260 % 26, 'A' + i / 6760 % 26);
        StationReport heard;
        heard.caller = call;
        heard.suffix = "ID51";
        heard.called = "CQCQCQ  ";
        heard.time = "2026/12/09 14:00:00";
        heard.rpt1 = "JR1WN  B";
        heard.rpt2 = "JR1WN  G";
        heard.utcStart = now;
        emit monitor->stationReport(heard);

        StationReport message;
        message.kind = StationReport::Kind::Message;
        message.message = "hello from " + std::string(call).substr(0, 6) + "   ";
        emit monitor->stationReport(message);

        StationReport end = heard;
        end.kind = StationReport::Kind::End;
        end.message = message.message;
        end.duration = std::chrono::milliseconds(4200);
        if (i % 3 == 0) {
            StationReport position;
            position.kind = StationReport::Kind::Position;
            position.position.latitude = 35 + i % 100 * 0.01;
            position.position.longitude = 139 + i % 77 * 0.01;
            position.position.symbol = "/>";
            position.position.comment = "ID-51 Plus";
            emit monitor->stationReport(position);
            end.positions.push_back(position.position);
        }
        emit monitor->stationReport(end);
    }
}

int memory(const std::filesystem::path& repeaters, int stations) {
    // The reception log syncs every line to its disk; in memory that costs nothing, and the
    // log's pages are the file system's, not the process's.
    QTemporaryDir data((std::filesystem::is_directory("/dev/shm") ? QStringLiteral("/dev/shm")
                                                                  : QDir::tempPath()) +
                       QStringLiteral("/tamsel-bench-XXXXXX"));
    const std::filesystem::path folder = data.path().toStdString();
    std::filesystem::create_directory_symlink(repeaters, folder / "repeaters");
    stage("app");

    SimulatedAdapter sim;
    sim.setTracing(false); // a trace would grow for as long as the station runs
    sim.setLatency(std::chrono::milliseconds(1));
    sim.setIdlePollDelay(std::chrono::milliseconds(1));
    adapterFound = 1;
    {
        Station station(sim, {folder, data.filePath(QStringLiteral("tamsel.conf")), nullptr,
                              QStringLiteral("bench")});
        // The grid of positions, made on a thread of its own after the directory is read, is
        // part of the station that runs.
        (void)station.repeaters().nearest(LatLon{35.68, 139.77});
        stage("directory");
        station.start();
        stage("started");
        hear(station, stations);
        QCoreApplication::processEvents();
        stage("heard");
        // After the figure: how much of it was the allocator's free memory.
        malloc_trim(0);
        stage("trimmed");

        std::size_t directoryBytes = 0;
        for (const Repeater& r : station.repeaters().repeaters()) {
            directoryBytes += bytesOf(r);
        }
        std::size_t heardBytes = 0;
        for (std::size_t id = 0; id < station.heard().size(); ++id) {
            heardBytes += bytesOf(station.heard().byId(id));
        }
        say("directory_bytes", static_cast<double>(directoryBytes));
        say("heard_bytes", static_cast<double>(heardBytes));
        say("repeaters", static_cast<double>(station.repeaters().repeaters().size()));
        say("heard", static_cast<double>(station.heard().size()));
        say("rebuilt", station.repeaters().rebuilt() ? 1 : 0);
        std::error_code none;
        const auto indexBytes =
            std::filesystem::file_size(repeaters / RepeaterDirectory::kIndexName, none);
        say("index_file_bytes", none ? 0.0 : static_cast<double>(indexBytes));
    }
    std::filesystem::remove(folder / "repeaters"); // the link only, not the shared folder
    return 0;
}

// Pages elsewhere: live connections that take the station's news and do nothing with it.
int pages(quint16 port, const QString& csrf, int count) {
    const QString origin = QStringLiteral("http://127.0.0.1:%1").arg(port);
    std::vector<std::unique_ptr<QWebSocket>> sockets;
    int ready = 0;
    for (int i = 0; i < count; ++i) {
        auto socket = std::make_unique<QWebSocket>(origin);
        QWebSocket* s = socket.get();
        auto greeted = std::make_shared<bool>(false);
        QObject::connect(s, &QWebSocket::connected, s, [s, csrf] {
            s->sendTextMessage(QStringLiteral(R"({"type":"hello","csrf":"%1"})").arg(csrf));
        });
        QObject::connect(s, &QWebSocket::textMessageReceived, s, [&ready, count, greeted] {
            if (!*greeted) {
                *greeted = true;
                if (++ready == count) {
                    std::printf("ready\n");
                    std::fflush(stdout);
                }
            }
        });
        s->open(QUrl(QStringLiteral("ws://127.0.0.1:%1/live").arg(port)));
        sockets.push_back(std::move(socket));
    }
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&input] {
        char buffer[64];
        if (::read(0, buffer, sizeof buffer) <= 0) {
            input.setEnabled(false);
            QCoreApplication::quit();
        }
    });
    return QCoreApplication::exec();
}

} // namespace
} // namespace tamsel

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "bare") {
        tamsel::say("rss_kb", static_cast<double>(tamsel::residentKb()));
        return 0;
    }
    if (mode == "memory" && argc == 4) {
        return tamsel::memory(argv[2], std::atoi(argv[3]));
    }
    if (mode == "pages" && argc == 5) {
        return tamsel::pages(static_cast<quint16>(std::atoi(argv[2])), QString::fromLatin1(argv[3]),
                             std::atoi(argv[4]));
    }
    std::fprintf(stderr, "usage: %s bare | memory FOLDER HEARD | pages PORT CSRF N\n", argv[0]);
    return 2;
}
