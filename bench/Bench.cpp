// SPDX-License-Identifier: GPL-3.0-or-later
// Benchmarks for the paths that grow with input or run all day. Each figure that has a
// target is a ratio against something measured in the same run, so a noisy machine moves
// both sides together. Run with --short for a quick pass that only proves they still work.
#include "Station.h"
#include "adapter/Catalogue.h"
#include "adapter/Discovery.h"
#include "alerts/AlertRules.h"
#include "aprs/AprsGate.h"
#include "console/Console.h"
#include "console/RepeaterFeature.h"
#include "console/Unit1.h"
#include "heard/HeardStations.h"
#include "heard/HeardStationsModel.h"
#include "log/Adif.h"
#include "log/ReceptionLog.h"
#include "map/MapWindow.h"
#include "memory/MemoryFile.h"
#include "memory/RepeaterList.h"
#include "memory/Unit4.h"
#include "monitor/Position.h"
#include "monitor/Unit2.h"
#include "repeaters/ListImport.h"
#include "repeaters/RepeaterDirectory.h"
#include "repeaters/RepeatersWindow.h"
#include "sim/SimulatedAdapter.h"
#include "widgets/LineListView.h"

#include <QApplication>
#include <QHeaderView>
#include <QMainWindow>
#include <QPainter>
#include <QTableView>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <benchmark/benchmark.h>

#include "WebFace.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QWebSocket>
#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace tamsel {
namespace {

bool shortRun = false;
std::size_t memoryLines() {
    return shortRun ? 10'000 : 1'000'000;
}

// Runs a command to its end with its output thrown away.
void run(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (auto& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
    }
    posix_spawn_file_actions_destroy(&actions);
}

// A memory file of `lines` lines (about 45 bytes each) and an Icom repeater list of as
// many DV rows, made once per run.
const std::string& memoryFile(std::size_t lines) {
    static std::map<std::size_t, std::string> paths;
    std::string& path = paths[lines];
    if (path.empty()) {
        path = "/tmp/tamsel-bench-memory-" + std::to_string(lines) + ".txt";
        std::ofstream out(path, std::ios::binary);
        char line[64];
        for (std::size_t i = 0; i < lines; ++i) {
            std::snprintf(line, sizeof line, "Name%05zu JA%1zuA%03zu   JR1YB  B JR1YB  G note\n",
                          i % 100000, i % 10, i % 1000);
            out << line;
        }
    }
    return path;
}

const std::string& repeaterList(std::size_t rows) {
    static std::string path;
    if (path.empty()) {
        path = "/tmp/tamsel-bench-icom-6-" + std::to_string(rows) + ".csv";
        std::ofstream out(path, std::ios::binary);
        out << "Group No,Group Name,Name,Sub Name,Repeater Call Sign,Gateway Call Sign,"
               "Frequency,Dup,Offset,Mode,TONE,Repeater Tone,RPT1USE,Position,Latitude,"
               "Longitude,UTC Offset\r\n";
        char line[160];
        for (std::size_t i = 0; i < rows; ++i) {
            // Six-character callsigns (JA0AAA .. JA9ZZZ), so that every row gives a line.
            const char a = static_cast<char>('A' + i % 26),
                       b = static_cast<char>('A' + i / 26 % 26),
                       c = static_cast<char>('A' + i / 676 % 26);
            std::snprintf(line, sizeof line,
                          "%zu,Group,Rpt%05zu,,JA%1zu%c%c%c B,JA%1zu%c%c%c G,439.010000,DUP-,"
                          "5.000000,DV,OFF,88.5Hz,YES,None,0,0,+9:00\r\n",
                          i % 100, i % 100000, i / 17576 % 10, c, b, a, i / 17576 % 10, c, b, a);
            out << line;
        }
    }
    return path;
}

// Every row is the fastest of its repetitions, each after a warm-up: a shared machine only
// ever adds time, so the minimum is the figure that stays put from one run to the next.
double fastest(const std::vector<double>& v) {
    return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
}

void stable(benchmark::internal::Benchmark* b) {
    b->MinWarmUpTime(0.2)
        ->Repetitions(9)
        ->ComputeStatistics("min", fastest)
        ->ReportAggregatesOnly(true);
}

// For rows whose set-up writes a large file: fewer repetitions, still read by their fastest
// (without a minimum of their own, the table had nothing to read and printed -nan).
void fewRepetitions(benchmark::internal::Benchmark* b) {
    b->Repetitions(5)->ComputeStatistics("min", fastest)->ReportAggregatesOnly(true);
}

// The same for rows whose one iteration is a whole scenario of its own.
void stableScenario(benchmark::internal::Benchmark* b) {
    b->Iterations(1)->Repetitions(5)->ComputeStatistics("min", fastest)->ReportAggregatesOnly(true);
}

// The memory file of the run's size.
const std::string& memoryFile() {
    return memoryFile(memoryLines());
}

void loadAndShow(benchmark::State& state, const std::string& path) {
    LineListView view;
    view.resize(500, 400);
    for (auto _ : state) {
        MemoryFileRead read = readMemoryFile(path);
        view.replaceAll(std::move(read.lines->bytes), std::move(read.lines->starts), true);
        benchmark::DoNotOptimize(view.count());
    }
    state.counters["bytes_per_line"] =
        static_cast<double>(view.lines().memoryUsed()) / view.count();
}

// --- memory file: load and show, against wc -l
void LoadMemoryFile(benchmark::State& state) {
    loadAndShow(state, memoryFile());
}
BENCHMARK(LoadMemoryFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Apply(stable);

// --- a repeater list imported and shown, against a memory file of as many lines
constexpr std::size_t kListRows = 100'000;
void LoadMemoryFile100k(benchmark::State& state) {
    loadAndShow(state, memoryFile(kListRows));
}
BENCHMARK(LoadMemoryFile100k)->Unit(benchmark::kMillisecond)->UseRealTime()->Apply(stable);

void ImportRepeaterList(benchmark::State& state) {
    const std::string& path = repeaterList(kListRows);
    LineListView view;
    view.resize(500, 400);
    for (auto _ : state) {
        // What Import Repeater List does: read, convert (memory lines and repeaters), put into
        // the list.
        const FileRead read = readWholeFile(path);
        RepeaterListRead imported =
            readRepeaterList(std::string_view(read.bytes->data(), read.bytes->size()));
        view.replaceAll(std::move(imported.lines.bytes), std::move(imported.lines.starts));
        benchmark::DoNotOptimize(view.count());
    }
}
BENCHMARK(ImportRepeaterList)->Unit(benchmark::kMillisecond)->UseRealTime()->Apply(stable);

void WcL(benchmark::State& state) {
    const std::string& path = memoryFile();
    for (auto _ : state) {
        run({"wc", "-l", path});
    }
}
BENCHMARK(WcL)->Unit(benchmark::kMillisecond)->UseRealTime()->Apply(stable);

// --- a search that finds nothing, against grep -c -F
void SearchMiss(benchmark::State& state) {
    MemoryFileRead read = readMemoryFile(memoryFile());
    LineStore lines;
    lines.assign(std::move(read.lines->bytes), std::move(read.lines->starts), true);
    for (auto _ : state) {
        benchmark::DoNotOptimize(searchLines(lines, "QQ9ZZZ", 0));
    }
}
BENCHMARK(SearchMiss)->Unit(benchmark::kMillisecond)->UseRealTime()->Apply(stable);

void GrepCF(benchmark::State& state) {
    const std::string& path = memoryFile();
    for (auto _ : state) {
        run({"grep", "-c", "-F", "QQ9ZZZ", path});
    }
}
BENCHMARK(GrepCF)->Unit(benchmark::kMillisecond)->UseRealTime()->Apply(stable);

// --- D-PRS: the slow-data sentence decoder on the real capture, in data-block pieces
void DecodePositions(benchmark::State& state) {
    const std::string capture = "$$CRC1FC0,KO6JXH-7>API52,DSTAR*:/141625z3239.47N/11657.79W[179/"
                                "000/J.P. HT ID-52PLUS\r";
    std::size_t found = 0;
    for (auto _ : state) {
        PositionStream stream;
        for (std::size_t at = 0; at < capture.size(); at += 5) {
            found += stream.append(std::string_view(capture).substr(at, 5)).size();
        }
    }
    benchmark::DoNotOptimize(found);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(capture.size()));
}
BENCHMARK(DecodePositions)->Apply(stable);

// --- whether a reception alerts, at 10 and at 10,000 watch-list entries (half prefixes)
void AlertDecision(benchmark::State& state) {
    AlertSettings settings;
    settings.everyReception = true;
    for (std::int64_t i = 0; i < state.range(0); ++i) {
        char entry[16];
        std::snprintf(entry, sizeof entry, i % 2 == 0 ? "JA%lldX*" : "JH%lldYZ",
                      static_cast<long long>(i));
        settings.watch.emplace_back(entry);
    }
    AlertRules rules(settings);
    const std::array<const char*, 4> callers{"JR1YB  B", "JA5XQ   ", "DL1ABC  ", "JH7YZ   "};
    std::size_t n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(rules.decide(callers[n++ % callers.size()], "CQCQCQ  ", "JE2TUV  ",
                                              AlertRules::Clock::now()));
    }
}
BENCHMARK(AlertDecision)->Arg(10)->Arg(10'000)->Unit(benchmark::kNanosecond)->Apply(stable);

// --- one reception (header, message, position) in the heard-stations table, shown, at a
// hundred and at a hundred thousand stations
void HeardReception(benchmark::State& state) {
    HeardStationsModel model;
    QTableView view;
    view.setModel(&model);
    view.verticalHeader()->hide();
    view.resize(900, 400);
    view.show();
    const auto stations = static_cast<int>(state.range(0));
    StationReport heard;
    heard.time = "2026/12/08 10:00:00";
    for (int i = 0; i < stations; ++i) {
        heard.caller = "S" + std::to_string(i);
        model.apply(heard);
    }
    QCoreApplication::processEvents();
    StationReport message;
    message.kind = StationReport::Kind::Message;
    message.message = "hello there         ";
    StationReport position;
    position.kind = StationReport::Kind::Position;
    position.position.latitude = 35.68;
    position.position.longitude = 139.76;
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> pick(0, stations - 1);
    for (auto _ : state) {
        heard.caller = "S" + std::to_string(pick(rng));
        model.apply(heard);
        model.apply(message);
        model.apply(position);
        QCoreApplication::processEvents(); // let it paint
    }
}
BENCHMARK(HeardReception)->Arg(100)->Arg(100'000)->Unit(benchmark::kMicrosecond)->Apply(stable);

// --- one reception appended to the day's log with N lines in it, and one contact to an
// ADIF log of N records: both only ever append, so the size of the file must not show
StationReport benchReception() {
    StationReport r;
    r.kind = StationReport::Kind::End;
    r.utcStart = std::chrono::system_clock::now();
    r.duration = std::chrono::milliseconds(12500);
    r.caller = "JA1ABC  ";
    r.suffix = "ID51";
    r.called = "CQCQCQ  ";
    r.rpt1 = "JR1WN  B";
    r.rpt2 = "JR1WN  G";
    r.message = "hello there         ";
    return r;
}

// A file of `count` copies of `text` after `head`, written in large pieces.
void fillFile(const std::filesystem::path& path, const std::string& head, const std::string& text,
              std::int64_t count) {
    std::ofstream out(path, std::ios::binary);
    out << head;
    std::string chunk;
    for (int i = 0; i < 1000; ++i) {
        chunk += text;
    }
    for (std::int64_t i = 0; i < count; i += 1000) {
        out.write(chunk.data(), static_cast<std::streamsize>(
                                    text.size() * std::min<std::int64_t>(1000, count - i)));
    }
    out.close();
    // On the disk before timing starts: the first append's flush must not pay for the fill.
    const int fd = ::open(path.c_str(), O_RDONLY);
    ::fsync(fd);
    ::close(fd);
}

void ReceptionLogAppend(benchmark::State& state) {
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    const StationReport r = benchReception();
    fillFile(folder / receptionFileName(r.utcStart), kReceptionCsvHeader, receptionCsvLine(r),
             state.range(0));
    ReceptionLog log(folder);
    for (auto _ : state) {
        benchmark::DoNotOptimize(log.append(r));
    }
}
BENCHMARK(ReceptionLogAppend)
    ->Arg(100)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMicrosecond)
    ->Apply(fewRepetitions);

void ContactAppend(benchmark::State& state) {
    QTemporaryDir dir;
    const std::filesystem::path file = dir.filePath(QStringLiteral("log.adi")).toStdString();
    const auto now = std::chrono::system_clock::now();
    Contact c = contactFromReception(benchReception());
    c.frequencyMHz = 439.41;
    c.stationCallsign = "DL1XYZ";
    fillFile(file, adifHeader(now, "bench"), adifRecord(c), state.range(0));
    AdifLog log;
    for (auto _ : state) {
        benchmark::DoNotOptimize(log.append(file, c, now, "bench"));
    }
}
BENCHMARK(ContactAppend)
    ->Arg(100)
    ->Arg(100'000)
    ->Unit(benchmark::kMicrosecond)
    ->Apply(fewRepetitions);

// --- one history line with the scroll rule, at a thousand and at a million lines
void HistoryAppend(benchmark::State& state) {
    LineListView view;
    view.resize(600, 17 * view.fontMetrics().height() + 4);
    view.show();
    const std::string line(64, 'x');
    ByteBuffer bytes;
    LineStarts starts;
    for (std::int64_t i = 0; i < state.range(0); ++i) {
        starts.push_back(bytes.size());
        bytes.insert(bytes.end(), line.begin(), line.end());
    }
    view.replaceAll(std::move(bytes), std::move(starts));
    QCoreApplication::processEvents();
    for (auto _ : state) {
        view.append(line);
        view.setTopRow(view.count() - 17);
        QCoreApplication::processEvents(); // let it paint
    }
    state.counters["bytes_per_line"] =
        static_cast<double>(view.lines().memoryUsed()) / view.count();
}
BENCHMARK(HistoryAppend)->Arg(1000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond)->Apply(stable);

// --- our cost per request over the bare link call
class CountingLink : public AdapterLink {
public:
    int controlTransfer(std::uint8_t, std::uint8_t, std::uint16_t, std::uint16_t,
                        unsigned char* data, std::uint16_t length, unsigned) override {
        benchmark::DoNotOptimize(data);
        ++calls;
        return length;
    }
    long calls = 0;
};

// A link that takes about as long as a full-speed control transfer.
class UsbPacedLink : public CountingLink {
public:
    int controlTransfer(std::uint8_t t, std::uint8_t r, std::uint16_t v, std::uint16_t i,
                        unsigned char* data, std::uint16_t length, unsigned ms) override {
        const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(50);
        while (std::chrono::steady_clock::now() < until) {
        }
        return CountingLink::controlTransfer(t, r, v, i, data, length, ms);
    }
};

void PacedTransfer(benchmark::State& state) {
    UsbPacedLink link;
    std::array<unsigned char, 8> buffer{};
    for (auto _ : state) {
        link.controlTransfer(kRequestTypeIn, 0x30, 0, 0, buffer.data(), 1, 200);
    }
}
BENCHMARK(PacedTransfer)->Unit(benchmark::kMicrosecond)->Apply(stable);

// What the catalogue adds, measured on a link that costs nothing itself.
void BareTransfer(benchmark::State& state) {
    CountingLink link;
    std::array<unsigned char, 8> buffer{};
    for (auto _ : state) {
        link.controlTransfer(kRequestTypeIn, 0x30, 0, 0, buffer.data(), 1, 200);
    }
}
BENCHMARK(BareTransfer)->Unit(benchmark::kNanosecond)->Apply(stable);

void CatalogueTransfer(benchmark::State& state) {
    CountingLink link;
    std::array<unsigned char, 8> buffer{};
    for (auto _ : state) {
        readBytes(link, Request::GetStatus, buffer, kStatusTimeoutMessageMs);
    }
}
BENCHMARK(CatalogueTransfer)->Unit(benchmark::kNanosecond)->Apply(stable);

// --- the monitor while nothing is received, the adapter answering in 1 ms
void MonitorIdle(benchmark::State& state) {
    SimulatedAdapter sim;
    sim.setTracing(false);
    sim.setLatency(std::chrono::milliseconds(1));
    adapterFound = 1;
    for (auto _ : state) {
        const std::atomic<int> historyClosed{0};
        receiveRF monitor(sim, historyClosed);
        timespec cpu0{}, cpu1{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu0);
        const auto wall0 = std::chrono::steady_clock::now();
        monitor.start();
        std::this_thread::sleep_for(std::chrono::milliseconds(shortRun ? 200 : 2000));
        monitor.requestInterruption();
        monitor.wait();
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu1);
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
        const double cpu = (cpu1.tv_sec - cpu0.tv_sec) + (cpu1.tv_nsec - cpu0.tv_nsec) * 1e-9;
        state.counters["cpu_percent_of_a_core"] = 100.0 * cpu / wall;
        state.counters["requests"] = static_cast<double>(sim.requestCount());
    }
}
BENCHMARK(MonitorIdle)->Apply(stableScenario)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same two idle requests in a plain loop on the same simulated adapter: what the
// transfers cost by themselves, the part of the monitor's figure that is not the monitor.
void BarePolling(benchmark::State& state) {
    SimulatedAdapter sim;
    sim.setTracing(false);
    sim.setLatency(std::chrono::milliseconds(1));
    for (auto _ : state) {
        std::atomic<bool> stop{false};
        timespec cpu0{}, cpu1{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu0);
        const auto wall0 = std::chrono::steady_clock::now();
        std::thread poller([&] {
            std::array<unsigned char, 8> buffer{};
            while (!stop) {
                sim.controlTransfer(kRequestTypeIn, 0x21, 0, 0, buffer.data(), 8, 500);
                sim.controlTransfer(kRequestTypeIn, 0x30, 0, 0, buffer.data(), 1, 500);
            }
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(shortRun ? 200 : 2000));
        stop = true;
        poller.join();
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu1);
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
        const double cpu = (cpu1.tv_sec - cpu0.tv_sec) + (cpu1.tv_nsec - cpu0.tv_nsec) * 1e-9;
        state.counters["cpu_percent_of_a_core"] = 100.0 * cpu / wall;
        state.counters["requests"] = static_cast<double>(sim.requestCount());
    }
}
BENCHMARK(BarePolling)->Apply(stableScenario)->Unit(benchmark::kMillisecond)->UseRealTime();

// --- the headless station

// A station on a data folder of its own (settings, logs, repeater directory).
Station::Options stationOptions(const QTemporaryDir& data) {
    return {data.path().toStdString(), data.filePath(QStringLiteral("tamsel.conf")), nullptr,
            QStringLiteral("bench")};
}

// The process's CPU while `station` runs on the idle adapter for the scenario's time, its event
// loop turning over as the station program's does, from `begin` to stop().
void idleStation(benchmark::State& state, SimulatedAdapter& sim, Station& station,
                 const std::function<void()>& begin) {
    const std::size_t asked = sim.requestCount();
    timespec cpu0{}, cpu1{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu0);
    const auto wall0 = std::chrono::steady_clock::now();
    begin();
    QEventLoop loop;
    QTimer::singleShot(shortRun ? 200 : 2000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    station.stop();
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu1);
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    const double cpu = (cpu1.tv_sec - cpu0.tv_sec) + (cpu1.tv_nsec - cpu0.tv_nsec) * 1e-9;
    state.counters["cpu_percent_of_a_core"] = 100.0 * cpu / wall;
    state.counters["requests"] = static_cast<double>(sim.requestCount() - asked);
}

// A running station on the same idle adapter: the process's CPU from start() to stop().
void StationIdle(benchmark::State& state) {
    SimulatedAdapter sim;
    sim.setTracing(false);
    sim.setLatency(std::chrono::milliseconds(1));
    adapterFound = 1;
    QTemporaryDir data;
    for (auto _ : state) {
        Station station(sim, stationOptions(data));
        idleStation(state, sim, station, [&] { station.start(); });
    }
}
BENCHMARK(StationIdle)->Apply(stableScenario)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same with its page served and one page connected live (a WebSocket that has said
// hello and waits for news, as an open page does), measured once the start's news has
// reached the page.
void StationIdleWithPage(benchmark::State& state) {
    SimulatedAdapter sim;
    sim.setTracing(false);
    sim.setLatency(std::chrono::milliseconds(1));
    adapterFound = 1;
    QTemporaryDir data;
    for (auto _ : state) {
        Station station(sim, stationOptions(data));
        WebFace::Options options;
        options.port = 0;
        options.passwordFile = data.filePath(QStringLiteral("web-password"));
        WebFace face(station, options);
        if (!face.start().isEmpty()) {
            state.SkipWithError("the page could not be served");
            return;
        }
        WebRequest ask;
        ask.path = QStringLiteral("/api/session");
        ask.headers.emplaceBack("Host", "127.0.0.1");
        const QString csrf = QJsonDocument::fromJson(face.handle(ask).body)
                                 .object()
                                 .value(QStringLiteral("csrf"))
                                 .toString();
        const QString origin = QStringLiteral("http://127.0.0.1:%1").arg(face.port());
        QWebSocket page(origin);
        bool greeted = false;
        QObject::connect(&page, &QWebSocket::textMessageReceived,
                         [&](const QString&) { greeted = true; });
        QObject::connect(&page, &QWebSocket::connected, [&] {
            page.sendTextMessage(QStringLiteral(R"({"type":"hello","csrf":"%1"})").arg(csrf));
        });
        page.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/live").arg(face.port())));
        QEventLoop wait;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &wait, [&] {
            if (greeted) {
                wait.quit();
            }
        });
        poll.start(5);
        QTimer::singleShot(5000, &wait, &QEventLoop::quit);
        wait.exec();
        if (!greeted) {
            state.SkipWithError("the page did not connect");
            return;
        }
        // Idle from the moment the page shows what the adapter holds: the start's header
        // news is past.
        greeted = false;
        station.start();
        poll.start(5);
        QTimer::singleShot(5000, &wait, &QEventLoop::quit);
        wait.exec();
        poll.stop(); // its wake-ups are the bench's, not the station's
        idleStation(state, sim, station, [] {});
        page.close();
    }
}
BENCHMARK(StationIdleWithPage)->Apply(stableScenario)->Unit(benchmark::kMillisecond)->UseRealTime();

// --- start-up to a populated, shown main window, against an empty window plus the
// adapter's own request time
class NoBoxes : public Notifier {
    void error(const QString&) override {}
    void information(const QString&) override {}
    void plain(const QString&, const QString&) override {}
    void failure(const QString&) override {}
    void exception(const QString&) override {}
};

void StartUp(benchmark::State& state) {
    NoBoxes boxes;
    adapterFound = 1;
    for (auto _ : state) {
        SimulatedAdapter sim;
        sim.setLatency(std::chrono::milliseconds(1));
        sim.setIdlePollDelay(std::chrono::milliseconds(1));
        auto console = std::make_unique<Console>(sim, boxes);
        if (!QTest::qWaitForWindowExposed(Form1)) {
            state.SkipWithError("main window not shown");
        }
        state.PauseTiming();
        state.counters["ui_requests"] = static_cast<double>(sim.mainTrace().size());
        console.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(StartUp)->Unit(benchmark::kMillisecond)->UseRealTime()->Apply(stable);

// How many requests the console's start-up makes on the UI thread.
std::size_t startUpRequests() {
    NoBoxes boxes;
    SimulatedAdapter sim;
    adapterFound = 1;
    Console console(sim, boxes);
    return sim.mainTrace().size();
}

void EmptyWindowPlusRequests(benchmark::State& state) {
    // The same number of 1 ms requests as the console's start-up makes on the UI thread.
    static const std::size_t kRequests = startUpRequests();
    for (auto _ : state) {
        SimulatedAdapter sim;
        sim.setLatency(std::chrono::milliseconds(1));
        std::array<unsigned char, 8> buffer{};
        for (std::size_t i = 0; i < kRequests; ++i) {
            readBytes(sim, Request::GetMyCall, buffer);
        }
        auto window = std::make_unique<QMainWindow>();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get())) {
            state.SkipWithError("window not shown");
        }
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(EmptyWindowPlusRequests)->Unit(benchmark::kMillisecond)->UseRealTime()->Apply(stable);

// --- the headless station's start-up: from making the station (the application exists) to
// the monitor's first poll reaching the adapter, against the same number of 1 ms requests
// as its start-up makes before that poll

// A simulated adapter that notes when the first poll of the monitor's thread arrives.
class FirstPollAdapter : public SimulatedAdapter {
public:
    int controlTransfer(std::uint8_t type, std::uint8_t code, std::uint16_t value,
                        std::uint16_t index, unsigned char* data, std::uint16_t length,
                        unsigned timeoutMs) override {
        TraceEntry asked;
        asked.requestType = type;
        asked.code = code;
        if (asked.isMonitorRequest() && std::this_thread::get_id() != owner_) {
            const std::lock_guard lock(mutex_);
            if (!polled_) {
                polled_ = std::chrono::steady_clock::now();
                came_.notify_all();
            }
        }
        return SimulatedAdapter::controlTransfer(type, code, value, index, data, length, timeoutMs);
    }
    std::optional<std::chrono::steady_clock::time_point> firstPoll() {
        std::unique_lock lock(mutex_);
        came_.wait_for(lock, std::chrono::seconds(5), [this] { return polled_.has_value(); });
        return polled_;
    }

private:
    const std::thread::id owner_ = std::this_thread::get_id();
    std::mutex mutex_;
    std::condition_variable came_;
    std::optional<std::chrono::steady_clock::time_point> polled_;
};

void StationStartUp(benchmark::State& state) {
    adapterFound = 1;
    QTemporaryDir data;
    for (auto _ : state) {
        FirstPollAdapter sim;
        sim.setLatency(std::chrono::milliseconds(1));
        sim.setIdlePollDelay(std::chrono::milliseconds(1));
        const auto start = std::chrono::steady_clock::now();
        auto station = std::make_unique<Station>(sim, stationOptions(data));
        station->start();
        const auto polled = sim.firstPoll();
        if (!polled) {
            state.SkipWithError("the monitor did not poll");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(*polled - start).count());
        state.counters["requests"] = static_cast<double>(sim.mainTrace().size());
        station.reset();
    }
}
BENCHMARK(StationStartUp)->UseManualTime()->Unit(benchmark::kMillisecond)->Apply(stable);

// How many requests the station's start-up makes before the monitor's first poll.
std::size_t stationStartUpRequests() {
    FirstPollAdapter sim;
    adapterFound = 1;
    QTemporaryDir data;
    Station station(sim, stationOptions(data));
    station.start();
    (void)sim.firstPoll();
    return sim.mainTrace().size();
}

void StationBareStartUp(benchmark::State& state) {
    static const std::size_t kRequests = stationStartUpRequests();
    for (auto _ : state) {
        SimulatedAdapter sim;
        sim.setLatency(std::chrono::milliseconds(1));
        const auto start = std::chrono::steady_clock::now();
        std::array<unsigned char, 8> buffer{};
        for (std::size_t i = 0; i < kRequests; ++i) {
            readBytes(sim, Request::GetMyCall, buffer);
        }
        // The bare application, which exists on both sides, turning over once.
        QCoreApplication::processEvents();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["requests"] = static_cast<double>(kRequests);
}
BENCHMARK(StationBareStartUp)->UseManualTime()->Unit(benchmark::kMillisecond)->Apply(stable);

// The map over Europe (zoom 4 in a 1000 x 700 window), with 10,000 stations and 5,000
// repeaters all in view, or none: a whole frame, the offline map drawn again as after a pan
// or a zoom, against the offline map alone. MapMarkers is what a new position costs: the
// markers over the kept base map.
MapWindow& europeMap(bool markers) {
    static NoBoxes boxes;
    static std::map<bool, std::unique_ptr<MapWindow>> windows;
    auto& window = windows[markers];
    if (window == nullptr) {
        window = std::make_unique<MapWindow>(boxes, QByteArray("tamsel/bench"));
        window->view()->resize(1000, 700);
        window->view()->setOwnPosition(LatLon{48.14, 11.58});
        if (markers) {
            std::mt19937 rng(35);
            std::uniform_real_distribution<double> lat(36, 68), lon(-9, 38);
            const std::array<const char*, 4> symbols{"/>", "/-", "/[", ""};
            const auto now = std::chrono::system_clock::now();
            for (int i = 0; i < 10'000; ++i) {
                HeardStation s;
                s.callsign = "DL" + std::to_string(10'000 + i);
                s.position = Position{lat(rng),
                                      lon(rng),
                                      i % 3 == 0 ? std::optional(90) : std::nullopt,
                                      i % 3 == 0 ? std::optional(20.0) : std::nullopt,
                                      {},
                                      symbols[static_cast<std::size_t>(i) % symbols.size()],
                                      {}};
                s.utcStart = now - std::chrono::minutes(i % 60);
                s.count = 1;
                window->view()->noteStation(s);
            }
            std::vector<MapRepeater> repeaters;
            for (int i = 0; i < 5'000; ++i) {
                repeaters.push_back(
                    {QStringLiteral("DB0R%1").arg(i), {}, LatLon{lat(rng), lon(rng)}});
            }
            window->view()->setRepeaters(std::move(repeaters));
            window->view()->selectStation("DL10000");
        }
        window->view()->centreOn({50, 14}, 4);
    }
    return *window;
}

void mapFrame(benchmark::State& state, bool markers, bool dropBase) {
    MapView* view = europeMap(markers).view();
    QImage image(view->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        if (dropBase) {
            view->dropBaseCache();
        }
        QPainter painter(&image);
        view->paintFrame(painter, markers);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
void MapFrame(benchmark::State& state) {
    mapFrame(state, true, true);
}
void MapBase(benchmark::State& state) {
    mapFrame(state, false, true);
}
void MapMarkers(benchmark::State& state) {
    mapFrame(state, true, false);
}
BENCHMARK(MapFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Apply(stable);
BENCHMARK(MapBase)->Unit(benchmark::kMillisecond)->UseRealTime()->Apply(stable);
BENCHMARK(MapMarkers)->Unit(benchmark::kMillisecond)->UseRealTime()->Apply(stable);

// A deep zoom far from your own position: home in Munich, a Tokyo repeater selected, the view
// on Tokyo at the zoom given, against the same at zoom 4. peak_growth_MB is how far the
// process's peak resident memory rose from a frame at zoom 4 (target: under 50 MB).
long peakResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
}
void MapFarFromHome(benchmark::State& state) {
    static NoBoxes boxes;
    static MapWindow window(boxes, QByteArray("tamsel/bench"));
    MapView* view = window.view();
    view->resize(1000, 700);
    view->setOwnPosition(LatLon{48.14, 11.58});
    view->setRepeaters({{QStringLiteral("JP1YIU A"), {}, LatLon{35.68, 139.77}}});
    view->selectRepeater(QStringLiteral("JP1YIU A"));
    QImage image(view->size(), QImage::Format_ARGB32_Premultiplied);
    auto frame = [&] {
        view->dropBaseCache();
        QPainter painter(&image);
        view->paintFrame(painter);
    };
    view->centreOn({35.68, 139.77}, 4);
    frame();
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = peakResidentKb();
    view->centreOn({35.68, 139.77}, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        frame();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["peak_growth_MB"] = static_cast<double>(peakResidentKb() - before) / 1024.0;
}
BENCHMARK(MapFarFromHome)
    ->Arg(4)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Apply(stable);
// --- the repeater directory: the nearest repeater, and reading the directory at start

// An Icom list of `count` repeaters: most in Japan, the others in Europe and North America,
// as the lists of a few countries kept together would be.
std::string directoryList(std::size_t count) {
    std::mt19937 random(34);
    std::uniform_real_distribution<double> unit(0, 1);
    struct Region {
        double lat, lon, dLat, dLon;
    };
    const Region regions[] = {{31, 129, 14, 16}, {36, -10, 22, 40}, {25, -125, 24, 55}};
    std::string out = "Group No,Group Name,Name,Sub Name,Repeater Call Sign,Gateway Call Sign,"
                      "Frequency,Dup,Offset,Mode,TONE,Repeater Tone,RPT1USE,Position,Latitude,"
                      "Longitude,UTC Offset\r\n";
    const char* const letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (std::size_t i = 0; i < count; ++i) {
        const Region& r = regions[i % 10 < 6 ? 0 : i % 10 < 9 ? 1 : 2];
        std::string call = "J";
        for (std::size_t n = i, k = 0; k < 5; ++k, n /= 36) {
            call += letters[n % 36];
        }
        char row[256];
        std::snprintf(row, sizeof row,
                      "%zu,Area %zu,Repeater %zu,,%s A,%s G,439.%06zu,DUP-,5.000000,DV,OFF,88.5Hz,"
                      "YES,Exact,%.6f,%.6f,+9:00\r\n",
                      i % 50, i % 50, i, call.c_str(), call.c_str(), i % 1000000,
                      r.lat + unit(random) * r.dLat, r.lon + unit(random) * r.dLon);
        out += row;
    }
    return out;
}

// A directory folder holding one list of `count` repeaters, made once per size.
std::filesystem::path repeaterFolder(std::size_t count) {
    static QTemporaryDir root;
    const std::filesystem::path folder = root.path().toStdString() + "/" + std::to_string(count);
    if (!std::filesystem::exists(folder)) {
        RepeaterDirectory d(folder);
        d.load();
        if (count > 0) {
            d.keep("list.csv", directoryList(count));
        }
    }
    return folder;
}

std::vector<LatLon> askedPositions() {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> lat(33, 44), lon(130, 142);
    std::vector<LatLon> asked;
    for (int i = 0; i < 64; ++i) {
        asked.push_back({lat(random), lon(random)});
    }
    return asked;
}

// "Use Nearest Repeater", once the directory's grid is made.
void RepeaterNearest(benchmark::State& state) {
    RepeaterDirectory d(repeaterFolder(static_cast<std::size_t>(state.range(0))));
    d.load();
    const auto asked = askedPositions();
    (void)d.nearest(asked[0]);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(d.nearest(asked[i++ % asked.size()]));
    }
}
BENCHMARK(RepeaterNearest)->Arg(1000)->Arg(100'000)->Unit(benchmark::kMicrosecond)->Apply(stable);

// Making the grid of 100,000 positions, which a thread of its own does after start.
void RepeaterGrid(benchmark::State& state) {
    RepeaterDirectory d(repeaterFolder(static_cast<std::size_t>(state.range(0))));
    d.load();
    std::vector<LatLon> points;
    std::vector<std::size_t> items;
    for (std::size_t i = 0; i < d.repeaters().size(); ++i) {
        points.push_back(*d.repeaters()[i].position);
        items.push_back(i);
    }
    for (auto _ : state) {
        NearestIndex index;
        index.build(points, items);
        benchmark::DoNotOptimize(index.size());
    }
}
BENCHMARK(RepeaterGrid)->Arg(100'000)->Unit(benchmark::kMillisecond)->Apply(stable);

// Reading the directory as the console does at start: its index, checked against the lists.
void RepeaterDirectoryRead(benchmark::State& state) {
    const auto folder = repeaterFolder(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        auto d = std::make_unique<RepeaterDirectory>(folder);
        d->load();
        if (d->rebuilt()) {
            state.SkipWithError("the index was rebuilt");
        }
        benchmark::DoNotOptimize(d->repeaters().data());
        // Its grid is made on a thread of its own, which the end waits for: not start-up.
        state.PauseTiming();
        d.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(RepeaterDirectoryRead)
    ->Arg(0)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->Apply(stable);

// --- the headless station's resident memory with 100,000 repeaters in its directory and
// 10,000 stations heard (each through the monitor's report signal: heard, message, every
// third a position, end), measured by tamsel_bench_station in a fresh process of its own.
// Against what the data needs plus a bare QCoreApplication, measured the same way in the
// same program: the directory's repeaters (sizeof(Repeater) each plus the heap of their
// strings) and the heard stations (sizeof(HeardStation) each plus the heap of their strings
// and positions' texts). Not counted there, so paid for by the ratio: the grid of positions
// and the callsign index, the heard list's lookup and order, the allocator's slack, the
// monitor's thread, the logs, the settings.

// Runs the probe with `args` and reads its key=value lines.
std::map<std::string, double> probe(std::vector<std::string> args) {
    args.insert(args.begin(),
                (QCoreApplication::applicationDirPath() + QStringLiteral("/tamsel_bench_station"))
                    .toStdString());
    std::vector<char*> argv;
    for (auto& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    std::map<std::string, double> said;
    int out[2];
    if (::pipe(out) != 0) {
        return said;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    pid_t pid = 0;
    const bool spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    std::string text;
    char chunk[4096];
    for (ssize_t n = 0; spawned && (n = ::read(out[0], chunk, sizeof chunk)) > 0;) {
        text.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(out[0]);
    int status = 0;
    if (!spawned || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return {};
    }
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (const auto eq = line.find('='); eq != std::string::npos) {
            double value = 0;
            const char* first = line.data() + eq + 1;
            if (std::from_chars(first, line.data() + line.size(), value).ec == std::errc()) {
                said[line.substr(0, eq)] = value;
            }
        }
    }
    return said;
}

void StationMemory(benchmark::State& state) {
    const std::size_t repeaters = shortRun ? 1000 : 100'000;
    const int heard = shortRun ? 1000 : 10'000;
    const auto folder = repeaterFolder(repeaters);
    for (auto _ : state) {
        auto bare = probe({"bare"});
        auto station = probe({"memory", folder.string(), std::to_string(heard)});
        if (bare.count("rss_kb") == 0 || station.count("heard_rss_kb") == 0) {
            state.SkipWithError("tamsel_bench_station failed");
            break;
        }
        if (station["rebuilt"] != 0 || station["repeaters"] != static_cast<double>(repeaters) ||
            station["heard"] != heard) {
            state.SkipWithError("the station did not hold what it was given");
            break;
        }
        constexpr double kb = 1024, mb = 1024 * 1024;
        const double counted =
            bare["rss_kb"] * kb + station["directory_bytes"] + station["heard_bytes"];
        state.counters["ratio"] = station["heard_rss_kb"] * kb / counted;
        state.counters["counted_MB"] = counted / mb;
        state.counters["bare_MB"] = bare["rss_kb"] * kb / mb;
        state.counters["directory_MB"] = station["directory_bytes"] / mb;
        state.counters["heard_MB"] = station["heard_bytes"] / mb;
        state.counters["index_file_MB"] = station["index_file_bytes"] / mb;
        // Resident, heap handed out and heap held free, at each stage.
        for (const char* at : {"app", "directory", "started", "heard", "trimmed"}) {
            const std::string name = at;
            state.counters[name + "_rss_MB"] = station[name + "_rss_kb"] * kb / mb;
            state.counters[name + "_heap_MB"] = station[name + "_heap_in_use_kb"] * kb / mb;
            state.counters[name + "_free_MB"] = station[name + "_heap_free_kb"] * kb / mb;
        }
    }
}
BENCHMARK(StationMemory)
    ->Iterations(1)
    ->Repetitions(3)
    ->ComputeStatistics("min", fastest)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The GUI thread's own time: what the window costs it, not the time spent waiting for a
// thread of its own.
double guiThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Waits, without turning over, until the Repeaters window has its new order.
void settle(RepeatersWindow& w) {
    while (w.model()->sorting()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    QCoreApplication::processEvents(); // and has painted it
}

// A gpsd fix with 100,000 repeaters, the Repeaters window sorted by distance and shown (1)
// or hidden (0): the GUI thread's time from the fix to the window painted in its new order.
// The fixes are those of a drive, 30 m apart.
void RepeatersFix(benchmark::State& state) {
    RepeaterDirectory d(repeaterFolder(shortRun ? 1000 : 100'000));
    d.load();
    NoBoxes boxes;
    RepeatersWindow w(d, boxes);
    if (state.range(0) != 0) {
        w.show();
        (void)QTest::qWaitForWindowExposed(&w);
    }
    LatLon here{35.6984, 139.7731};
    w.setOwnPosition(here, {});
    settle(w);
    for (auto _ : state) {
        here.latitude += 0.00027;
        const double start = guiThreadSeconds();
        w.setOwnPosition(here, {});
        settle(w);
        state.SetIterationTime(guiThreadSeconds() - start);
    }
}
// Each fix waits for its order (about half a second of the other thread): few of them.
BENCHMARK(RepeatersFix)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(8)
    ->Apply(fewRepetitions);

// A key typed in the Repeaters filter at 100,000 repeaters, to the table painted.
void RepeatersFilterKey(benchmark::State& state) {
    RepeaterDirectory d(repeaterFolder(shortRun ? 1000 : 100'000));
    d.load();
    NoBoxes boxes;
    RepeatersWindow w(d, boxes);
    w.show();
    (void)QTest::qWaitForWindowExposed(&w);
    w.setOwnPosition(LatLon{35.6984, 139.7731}, {});
    settle(w);
    const QString typed[] = {QStringLiteral("ja1"), QStringLiteral("ja1b"), QStringLiteral("ja1"),
                             QStringLiteral("ja")};
    std::size_t i = 0;
    for (auto _ : state) {
        const double start = guiThreadSeconds();
        w.filterField()->setText(typed[i++ % std::size(typed)]);
        QCoreApplication::processEvents();
        state.SetIterationTime(guiThreadSeconds() - start);
    }
}
BENCHMARK(RepeatersFilterKey)->UseManualTime()->Unit(benchmark::kMillisecond)->Apply(stable);

// File, Import Repeater List with 100,000 rows in the console, the Repeaters window hidden (0)
// or shown (1): the GUI thread's own time from the choice to the list shown, kept and (when
// shown) in the window's order; and its longest stretch without turning over ("stall_ms", by
// the wall clock: a write's wait for the disk counts), from the result coming in to every
// window having taken it.
void ImportRepeaterListGui(benchmark::State& state) {
    NoBoxes boxes;
    SimulatedAdapter sim;
    adapterFound = 1;
    Console console(sim, boxes);
    RepeatersWindow* w = console.repeaters()->window();
    if (state.range(0) != 0) {
        w->show();
        (void)QTest::qWaitForWindowExposed(w);
    }
    // The result comes in as an event to the import's object; every window has taken it
    // once the last receiver of its signal runs.
    auto* import = Form3->findChild<ListImport*>();
    struct Came : QObject {
        bool eventFilter(QObject*, QEvent*) override {
            at = std::chrono::steady_clock::now();
            return false;
        }
        std::chrono::steady_clock::time_point at;
    } came;
    import->installEventFilter(&came);
    double stall = 0;
    QObject::connect(import, &ListImport::finished, &came, [&] {
        const std::chrono::duration<double> taken = std::chrono::steady_clock::now() - came.at;
        stall = std::max(stall, taken.count());
    });
    const QString path = QString::fromStdString(repeaterList(shortRun ? 1000 : kListRows));
    for (auto _ : state) {
        const double start = guiThreadSeconds();
        Form3->importList(path);
        while (Form3->importing()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        if (w->isVisible()) {
            settle(*w);
        }
        state.SetIterationTime(guiThreadSeconds() - start);
    }
    state.counters["stall_ms"] = stall * 1e3;
}
BENCHMARK(ImportRepeaterListGui)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Apply(fewRepetitions);

// --- The gate to APRS-IS ----------------------------------------------------------------

// A server that takes the gate's login, says it is verified, and throws away what it is sent.
class SinkServer : public QTcpServer {
public:
    SinkServer() {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [s] {
                    if (s->readAll().startsWith("user ")) {
                        s->write("# logresp T2GATE-10 verified, server BENCH\r\n");
                    }
                });
            }
        });
    }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(serverPort()); }
};

AprsSettings gateSettings(const SinkServer& server) {
    return {true, server.address(), QStringLiteral("T2GATE-10"), QStringLiteral("12345")};
}

const std::string kGpsACapture =
    "$$CRC1FC0,KO6JXH-7>API52,DSTAR*:/141625z3239.47N/11657.79W[179/000/J.P. HT ID-52PLUS\r";

// One position decoded as the monitor gives it: the capture's report.
StationReport capturedPosition() {
    PositionStream stream;
    StationReport r;
    r.kind = StationReport::Kind::Position;
    for (SentPosition& p : stream.take(kGpsACapture)) {
        r.position = std::move(p.position);
        r.origin = std::move(p.origin);
    }
    return r;
}

// Gating one decoded position: the rules, the packet, and its queueing on the connection
// (the socket written out now and then, as the event loop does).
void GatePosition(benchmark::State& state) {
    SinkServer server;
    AprsGate gate(QStringLiteral("bench"));
    gate.configure(gateSettings(server), QStringLiteral("T2OWN"));
    while (gate.client().state() != AprsIsClient::State::Verified) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    StationReport heard;
    heard.caller = "KO6JXH  ";
    StationReport end = heard;
    end.kind = StationReport::Kind::End;
    const StationReport position = capturedPosition();
    std::size_t n = 0;
    for (auto _ : state) {
        gate.take(heard);
        gate.take(position);
        gate.take(end);
        if (++n % 64 == 0) {
            QCoreApplication::processEvents();
        }
    }
    if (gate.gatedCount() < n / 2) {
        state.SkipWithError("the gate did not send what it was given");
    }
}
BENCHMARK(GatePosition)->Apply(stable);

// A burst of 1,000 receptions in one second, each with a GPS-A position, through the console
// with its gate off (0) and on (1): the longest the GUI thread goes without turning over
// ("stall_ms"), and its own time ("gui_cpu_s").
void GateBurst(benchmark::State& state) {
    NoBoxes boxes;
    SimulatedAdapter sim;
    adapterFound = 1;
    Console console(sim, boxes);
    Form1->show();
    (void)QTest::qWaitForWindowExposed(Form1);
    console.heardStations()->show();
    SinkServer server;
    Station& station = console.station();
    const bool gating = state.range(0) != 0;
    if (gating) {
        saveAprsSettings(station.settings(), gateSettings(server));
        station.settings().commit();
        while (station.aprs().client().state() != AprsIsClient::State::Verified) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    }
    const double cpu0 = guiThreadSeconds();
    const int receptions = shortRun ? 100 : 1000;
    double stall = 0;
    for (auto _ : state) {
        std::atomic<bool> done{false};
        std::thread radio([&] {
            // As the monitor hands them over: from its own thread, queued to the GUI thread.
            StationReport heard, end;
            heard.time = "2026/12/09 10:00:00";
            const StationReport position = capturedPosition();
            auto next = std::chrono::steady_clock::now();
            for (int i = 0; i < receptions; ++i) {
                heard.kind = StationReport::Kind::Heard;
                heard.caller = "S" + std::to_string(i % 500);
                heard.caller.resize(8, ' ');
                emit station.monitor()->stationReport(heard);
                emit station.monitor()->stationReport(position);
                end = heard;
                end.kind = StationReport::Kind::End;
                emit station.monitor()->stationReport(end);
                next += std::chrono::milliseconds(1000) / receptions;
                std::this_thread::sleep_until(next);
            }
            done = true;
        });
        auto last = std::chrono::steady_clock::now();
        while (!done) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            const auto now = std::chrono::steady_clock::now();
            stall = std::max(stall, std::chrono::duration<double>(now - last).count());
            last = now;
        }
        radio.join();
        QCoreApplication::processEvents();
    }
    if (gating && station.aprs().gatedCount() == 0) {
        state.SkipWithError("nothing was gated");
    }
    state.counters["gui_cpu_s"] = guiThreadSeconds() - cpu0;
    state.counters["stall_ms"] = stall * 1e3;
    state.counters["gated"] = static_cast<double>(station.aprs().gatedCount());
}
BENCHMARK(GateBurst)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Collects every result so the ratios can be printed after the run.
class Collector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        // A benchmark run several times is represented by its fastest repetition.
        for (const Run& r : runs) {
            const bool fastest = r.run_type == Run::RT_Aggregate && r.aggregate_name == "min";
            if ((r.run_type == Run::RT_Iteration || fastest) && !r.error_occurred) {
                std::string name = r.run_name.str();
                for (const char* setting : {"/min_warmup_time:", "/repeats:"}) {
                    if (const auto at = name.find(setting); at != std::string::npos) {
                        name.erase(at, name.find('/', at + 1) - at);
                    }
                }
                times[name] =
                    r.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(r.time_unit);
                for (const auto& [counter, value] : r.counters) {
                    counters[name + "." + counter] = value.value;
                }
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times; // seconds
    std::map<std::string, double> counters;
};

// The first window of a process pays for fonts and styles; neither start-up figure should.
void warmUp() {
    NoBoxes boxes;
    SimulatedAdapter sim;
    adapterFound = 1;
    Console console(sim, boxes);
    (void)QTest::qWaitForWindowExposed(Form1);
}

int printTable(const Collector& c) {
    auto t = [&](const std::string& n) { return c.times.count(n) ? c.times.at(n) : std::nan(""); };
    auto k = [&](const std::string& n) {
        return c.counters.count(n) ? c.counters.at(n) : std::nan("");
    };
    struct Row {
        std::string what;
        double value;
        std::string against;
        double target;
    };
    const double historyLine = 64, memoryLine = 45;
    const std::vector<Row> rows{
        {"Load and show the memory file", t("LoadMemoryFile/real_time") / t("WcL/real_time"),
         "wc -l on the same file", 2.0},
        {"Import a 100,000-row repeater list",
         t("ImportRepeaterList/real_time") / t("LoadMemoryFile100k/real_time"),
         "a memory file of as many lines", 3.0},
        {"Search that finds nothing", t("SearchMiss/real_time") / t("GrepCF/real_time"),
         "grep -c -F on the same file", 1.5},
        {"Append a history line at 1,000,000 lines",
         t("HistoryAppend/1000000") / t("HistoryAppend/1000"), "the same at 1,000 lines", 1.2},
        {"Memory per history line",
         k("HistoryAppend/1000000.bytes_per_line") / (2 * historyLine + 16), "2 x 64 bytes + 16",
         1.0},
        {"Memory per memory-file line",
         k("LoadMemoryFile/real_time.bytes_per_line") / (2 * memoryLine + 16), "2 x 45 bytes + 16",
         1.0},
        {"Append a reception line at 1,000,000 lines",
         t("ReceptionLogAppend/1000000") / t("ReceptionLogAppend/100"), "the same at 100 lines",
         1.2},
        {"Log a contact at 100,000 records", t("ContactAppend/100000") / t("ContactAppend/100"),
         "the same at 100 records", 1.2},
        {"A reception in the heard table at 100,000 stations",
         t("HeardReception/100000") / t("HeardReception/100"), "the same at 100 stations", 1.2},
        {"Whether a reception alerts, at 10,000 watch entries",
         t("AlertDecision/10000") / t("AlertDecision/10"), "the same at 10 entries", 1.2},
        {"Monitor CPU while idle",
         k("MonitorIdle/iterations:1/real_time.cpu_percent_of_a_core") /
             k("BarePolling/iterations:1/real_time.cpu_percent_of_a_core"),
         "the same polls in a bare loop", 1.10},
        {"Cost per request over the bare call",
         (t("CatalogueTransfer") - t("BareTransfer")) / t("PacedTransfer"), "a 50 us bare call",
         0.05},
        {"Map frame, 10,000 stations + 5,000 repeaters",
         t("MapFrame/real_time") / t("MapBase/real_time"), "the offline map alone (Europe)", 2.0},
        {"The same frame in milliseconds", t("MapFrame/real_time") * 1000, "16 ms, a 60 Hz frame",
         16.0},
        {"Map frame at zoom 16 far from home",
         t("MapFarFromHome/16/real_time") / t("MapFarFromHome/4/real_time"),
         "the same frame at zoom 4", 1.2},
        {"Its memory growth from zoom 4 to 16 (MB)",
         k("MapFarFromHome/16/real_time.peak_growth_MB"), "50 MB", 50.0},
        {"Use Nearest Repeater at 100,000 repeaters",
         t("RepeaterNearest/100000") / t("RepeaterNearest/1000"), "the same at 1,000", 3.0},
        {"Use Nearest Repeater at 100,000 (ms)", t("RepeaterNearest/100000") * 1e3, "5 ms", 5.0},
        {"Read 100,000 repeaters at start (ms)",
         (t("RepeaterDirectoryRead/100000") - t("RepeaterDirectoryRead/0")) * 1e3,
         "the same without a directory, 50 ms more", 50.0},
        {"A gpsd fix, 100,000 repeaters, window shown (ms)",
         t("RepeatersFix/1/iterations:8/manual_time") * 1e3,
         "16 ms, a 60 Hz frame, of the GUI thread", 16.0},
        {"A gpsd fix, 100,000 repeaters, hidden (ms)",
         t("RepeatersFix/0/iterations:8/manual_time") * 1e3, "1 ms of the GUI thread", 1.0},
        {"A key in the Repeaters filter, 100,000 (ms)", t("RepeatersFilterKey/manual_time") * 1e3,
         "16 ms, a 60 Hz frame, of the GUI thread", 16.0},
        {"Import 100,000 repeaters, GUI thread (ms)",
         t("ImportRepeaterListGui/0/iterations:3/manual_time") * 1e3,
         "16 ms, a 60 Hz frame, of the GUI thread", 16.0},
        {"The same, Repeaters window shown (ms)",
         t("ImportRepeaterListGui/1/iterations:3/manual_time") * 1e3,
         "16 ms, a 60 Hz frame, of the GUI thread", 16.0},
        {"Start-up to a shown, populated main window",
         t("StartUp/real_time") / t("EmptyWindowPlusRequests/real_time"),
         "an empty window + the adapter's request time", 1.3},
        {"Station memory, 100,000 repeaters + 10,000 heard",
         k("StationMemory/iterations:1/real_time.ratio"),
         "their records' bytes + a bare QCoreApplication", 1.5},
        {"Station CPU while idle",
         k("StationIdle/iterations:1/real_time.cpu_percent_of_a_core") /
             k("BarePolling/iterations:1/real_time.cpu_percent_of_a_core"),
         "the same polls in a bare loop", 1.10},
        {"Station CPU while idle, one page open",
         k("StationIdleWithPage/iterations:1/real_time.cpu_percent_of_a_core") /
             k("BarePolling/iterations:1/real_time.cpu_percent_of_a_core"),
         "the same polls in a bare loop", 1.10},
        {"Gate a position to APRS-IS", t("GatePosition") / t("DecodePositions"),
         "decoding it (the decoder's row)", 1.2},
        {"Burst of 1,000 receptions gated, GUI stall (ms)",
         k("GateBurst/1/iterations:1/real_time.stall_ms"), "16 ms, a 60 Hz frame", 16.0},
        {"The same burst, GUI thread's time gating",
         k("GateBurst/1/iterations:1/real_time.gui_cpu_s") /
             k("GateBurst/0/iterations:1/real_time.gui_cpu_s"),
         "the same burst, the gate off", 1.2},
        {"Station start-up to the first poll",
         t("StationStartUp/manual_time") / t("StationBareStartUp/manual_time"),
         "the adapter's start-up requests", 1.2},
    };
    std::printf("\n%-45s %10s %8s  %s\n", "Row", "Figure", "Target", "Measured against");
    int misses = 0;
    for (const Row& r : rows) {
        // A row whose benchmarks did not run (filtered out, or failed) has no figure.
        if (!std::isfinite(r.value)) {
            std::printf("%-45s %10s %8.3f  %s   <-- no figure\n", r.what.c_str(), "-", r.target,
                        r.against.c_str());
            ++misses;
            continue;
        }
        const bool ok = r.value <= r.target;
        misses += ok ? 0 : 1;
        std::printf("%-45s %10.3f %8.3f  %s%s\n", r.what.c_str(), r.value, r.target,
                    r.against.c_str(), ok ? "" : "   <-- misses");
    }
    if (std::getenv("TAMSEL_BENCH_KEYS") != nullptr) {
        for (const auto& [name, value] : c.times) {
            std::printf("  %s = %g s\n", name.c_str(), value);
        }
    }
    std::printf("Repeater grid of 100,000 positions, made on its own thread after start: %.1f ms "
                "(info)\n",
                t("RepeaterGrid/100000") * 1e3);
    std::printf("Import of 100,000 repeaters: the GUI thread's longest stall %.1f ms, window "
                "shown, by the wall clock with the disk writes (info)\n",
                k("ImportRepeaterListGui/1/iterations:3/manual_time.stall_ms"));
    std::printf("D-PRS decoder: %.1f MB/s on the real capture, %.2f us a sentence (info)\n",
                k("DecodePositions.bytes_per_second") / 1e6, t("DecodePositions") * 1e6);
    std::printf("Map: a new position redraws the markers only: %.2f ms (info)\n",
                t("MapMarkers/real_time") * 1000);
    const std::string memory = "StationMemory/iterations:1/real_time.";
    std::printf("Station memory: %.1f MB counted (bare QCoreApplication %.1f, directory %.1f, "
                "heard %.1f; the index file is %.1f) (info)\n",
                k(memory + "counted_MB"), k(memory + "bare_MB"), k(memory + "directory_MB"),
                k(memory + "heard_MB"), k(memory + "index_file_MB"));
    for (const char* at : {"app", "directory", "started", "heard", "trimmed"}) {
        const std::string name = memory + at;
        std::printf("  at %-9s %5.1f MB resident, heap %5.1f MB in use + %4.1f MB free (info)\n",
                    at, k(name + "_rss_MB"), k(name + "_heap_MB"), k(name + "_free_MB"));
    }
    std::printf("%d of %zu rows meet their target\n", static_cast<int>(rows.size()) - misses,
                rows.size());
    return misses;
}

// The benchmarks run on the offscreen platform, which cannot raise a window and says so
// each time the console brings itself to the front; that says nothing about what is
// measured. Every other message goes through.
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QStringLiteral("This plugin does not support"))) {
        return;
    }
    qt_message_output(type, context, text);
}

} // namespace
} // namespace tamsel

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The consoles started here log what they hear: into a folder of the run's own.
    static QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    // And keep their settings there too: a run never touches the operator's own.
    qputenv("XDG_CONFIG_HOME", data.path().toLocal8Bit());
    qInstallMessageHandler(tamsel::quietOffscreen);
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // Qt wants a private runtime folder and warns when it has to make one up.
        static QTemporaryDir runtime;
        runtime.setAutoRemove(true);
        QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    }
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::string(argv[i]) == "--short") {
            tamsel::shortRun = true;
        } else {
            args.push_back(argv[i]);
        }
    }
    std::string minTime = "--benchmark_min_time=0.01";
    if (tamsel::shortRun) {
        args.push_back(minTime.data());
    }
    int count = static_cast<int>(args.size());
    QApplication app(argc, argv);
    benchmark::Initialize(&count, args.data());
    tamsel::warmUp();
    tamsel::Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    tamsel::printTable(collector);
    benchmark::Shutdown();
    // The short run only proves the benchmarks still work; it asserts nothing about time.
    return 0;
}
