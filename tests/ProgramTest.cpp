// SPDX-License-Identifier: GPL-3.0-or-later
// The real tamsel program on an adapter emulated by umockdev: start-up, receptions, the
// adapter unplugged in the middle of a reception and of the window's start-up, and pulled
// out and plugged in again; the program says so in its caption, carries on, and ends
// cleanly when asked to close. The caption is read from the X server the program shows
// its windows on (the test runs under xvfb-run).
#include "sim/Demo.h"
#include "support/EmulatedAdapter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <arpa/inet.h>
#include <array>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <netinet/in.h>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace tamsel {
namespace {

using namespace std::chrono_literals;

class Program {
public:
    // On "xcb" the windows go to the X server of DISPLAY, where their captions can be read.
    explicit Program(const char* platform = "offscreen", std::vector<std::string> args = {}) {
        // The child inherits the preload and UMOCKDEV_DIR of this test process.
        setenv("QT_QPA_PLATFORM", platform, 1);
        std::vector<char*> argv{const_cast<char*>(TAMSEL_BINARY)};
        for (auto& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        running_ = posix_spawn(&pid_, TAMSEL_BINARY, nullptr, nullptr, argv.data(), environ) == 0;
    }
    ~Program() {
        if (running_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    bool running() const { return running_; }
    pid_t pid() const { return pid_; }
    // Sends SIGTERM and waits for the exit status; -1 when it does not end in time.
    int terminate() {
        kill(pid_, SIGTERM);
        for (auto waited = 0ms; waited < 10s; waited += 10ms) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                running_ = false;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(10ms);
        }
        return -1;
    }

private:
    pid_t pid_ = 0;
    bool running_ = false;
};

// Whether some window on the X server has a caption that holds `text`.
bool captionShows(const std::string& text) {
    std::string names;
    if (FILE* p = popen("xwininfo -root -tree 2>/dev/null", "r")) {
        char buffer[4096];
        while (std::size_t n = std::fread(buffer, 1, sizeof buffer, p)) {
            names.append(buffer, n);
        }
        pclose(p);
    }
    return names.find(text) != std::string::npos;
}

constexpr const char* kCaption = "free software for D-STAR operators";

bool saw(const SimulatedAdapter& firmware, std::uint8_t code, std::size_t from = 0) {
    const auto trace = firmware.trace();
    for (std::size_t i = from; i < trace.size(); ++i) {
        if (trace[i].code == code && trace[i].requestType == kRequestTypeIn) {
            return true;
        }
    }
    return false;
}

class ProgramOnEmulatedAdapter : public UsbEmulation {
protected:
    void configure(EmulatedAdapter& adapter) {
        adapter.firmware.setIdlePollDelay(1ms);
        adapter.firmware.setText(0x64, "JR1YB  G");
        adapter.firmware.setText(0x63, "JR1YB  B");
        adapter.firmware.setText(0x62, "CQCQCQ  ");
        adapter.firmware.setText(0x60, "JA1ABC  ");
        adapter.firmware.setText(0x66, "hello from the test ");
    }
};

// Runs `binary` with `args` to its end with no display at all; its exit status and what it
// wrote on standard output and standard error.
struct Ended {
    int status = -1;
    std::string out, err;
};
Ended runWithoutDisplay(const char* binary, std::vector<std::string> args) {
    char outPath[] = "/tmp/tamsel-out-XXXXXX", errPath[] = "/tmp/tamsel-err-XXXXXX";
    const int outFd = mkstemp(outPath), errFd = mkstemp(errPath);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, outFd, 1);
    posix_spawn_file_actions_adddup2(&files, errFd, 2);
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string_view v(*e);
        if (!v.starts_with("DISPLAY=") && !v.starts_with("WAYLAND_DISPLAY=") &&
            !v.starts_with("QT_QPA_PLATFORM=")) {
            env.emplace_back(v);
        }
    }
    std::vector<char*> envp, argv{const_cast<char*>(binary)};
    for (auto& e : env) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);
    for (auto& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    Ended ended;
    pid_t pid = 0;
    if (posix_spawn(&pid, binary, &files, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        ended.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&files);
    auto slurp = [](int fd) {
        std::string text(static_cast<std::size_t>(lseek(fd, 0, SEEK_END)), '\0');
        pread(fd, text.data(), text.size(), 0);
        close(fd);
        return text;
    };
    ended.out = slurp(outFd);
    ended.err = slurp(errFd);
    unlink(outPath);
    unlink(errPath);
    return ended;
}

struct OptionCase {
    const char* binary;
    std::vector<std::string> args;
    int status;
    std::string out; // the start of standard output
    std::string err; // the start of standard error
};

// With the adapter plugged in and no display: answered without touching either.
TEST_F(ProgramOnEmulatedAdapter, OptionsAreAnsweredWithoutUsbOrDisplay) {
    const OptionCase cases[] = {
        {TAMSEL_BINARY, {"--help"}, 0, "Usage: tamsel [--help | --version]\n", ""},
        {TAMSEL_BINARY, {"-h"}, 0, "Usage: tamsel", ""},
        {TAMSEL_BINARY, {"--version"}, 0, "tamsel 3.5.0\n", ""},
        {TAMSEL_BINARY, {"--bogus"}, 2, "", "tamsel: unrecognised argument '--bogus'\n"},
        {TAMSEL_DEMO_BINARY, {"--help"}, 0, "Usage: tamsel-demo [--help | --version]\n", ""},
        {TAMSEL_DEMO_BINARY, {"--version"}, 0, "tamsel-demo 3.5.0\n", ""},
        {TAMSEL_DEMO_BINARY, {"-x"}, 2, "", "tamsel-demo: unrecognised argument '-x'\n"},
    };
    for (const OptionCase& c : cases) {
        SCOPED_TRACE(std::string(c.binary) + " " + c.args.at(0));
        EmulatedAdapter adapter;
        const Ended ended = runWithoutDisplay(c.binary, c.args);
        EXPECT_EQ(ended.status, c.status);
        EXPECT_EQ(ended.out.substr(0, c.out.size()), c.out);
        EXPECT_EQ(ended.err.substr(0, c.err.size()), c.err);
        EXPECT_EQ(ended.out.empty(), c.out.empty());
        EXPECT_EQ(ended.err.empty(), c.err.empty()) << ended.err;
        EXPECT_EQ(adapter.configuration.load(), -1) << "the adapter was not configured";
        EXPECT_TRUE(adapter.firmware.trace().empty()) << "no request reached it";
    }
}

// The resident memory of a process, in KiB.
long residentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:")) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

// Another device plugged in and pulled out many times while the adapter stays and the
// monitor polls. libusb keeps the news of every device, and the device with it, on each of
// its contexts until that context's events are handled: the program must not keep a
// context that nobody serves.
TEST_F(ProgramOnEmulatedAdapter, OtherDevicesComingAndGoingCostNoMemory) {
#ifdef TAMSEL_SANITIZED
    GTEST_SKIP() << "a sanitizer's own bookkeeping grows the resident size";
#endif
    EmulatedAdapter adapter;
    configure(adapter);
    Program program;
    ASSERT_TRUE(program.running());
    ASSERT_TRUE(eventually([&] { return saw(adapter.firmware, 0x21); }));
    // Pulled out and plugged in again first, so start-up's scan is long done with.
    adapter.unplugAfterSubmits(0);
    ASSERT_TRUE(eventually([&] { return adapter.refusedSubmits() > 0; }));
    adapter.remove();
    const std::size_t back = adapter.firmware.trace().size();
    adapter.addBack();
    ASSERT_TRUE(eventually([&] { return saw(adapter.firmware, 0x21, back); }));

    DeviceNews news;
    const auto comeAndGo = [&](int times) {
        for (int i = 0; i < times; ++i) {
            adapter.plugOther();
            ASSERT_TRUE(news.waitFor(news.heard + 1));
            adapter.unplugOther();
            ASSERT_TRUE(news.waitFor(news.heard + 1));
        }
    };
    comeAndGo(20); // what libusb and the allocator set up once
    const long before = residentKiB(program.pid());
    // One context left to itself grew by about 1.1 KiB a device here.
    comeAndGo(300);
    const long grown = residentKiB(program.pid()) - before;
    std::printf("[ memory ] 300 arrivals and departures: resident %+ld KiB\n", grown);
    EXPECT_LT(grown, 160);
    EXPECT_EQ(program.terminate(), 0);
}

// The session manager restarts the program with Qt's own options; Qt takes them.
TEST_F(ProgramOnEmulatedAdapter, StartsWithQtsOwnOptions) {
    EmulatedAdapter adapter;
    configure(adapter);
    Program program("offscreen", {"-session", "10d2a7f_1", "-style", "Fusion", "-reverse"});
    ASSERT_TRUE(program.running());
    ASSERT_TRUE(eventually([&] {
        return saw(adapter.firmware, 0xE3) && saw(adapter.firmware, 0x21);
    })) << "it starts up and polls";
}

TEST_F(ProgramOnEmulatedAdapter, UnpluggedMidReceptionThenClosedCleanly) {
    EmulatedAdapter adapter;
    configure(adapter);
    Program program;
    ASSERT_TRUE(program.running());
    // Start-up ends with the settings dialog's reads; the monitor polls from then on.
    ASSERT_TRUE(
        eventually([&] { return saw(adapter.firmware, 0xE3) && saw(adapter.firmware, 0x21); }));
    const auto trace = adapter.firmware.trace();
    EXPECT_EQ(trace.at(0).name(), "InitModem");
    EXPECT_EQ(adapter.configuration.load(), 1);
    bool wroteBack = false;
    for (const auto& e : trace) {
        wroteBack = wroteBack ||
                    (e.code == 0x44 && std::string(e.bytes.begin(), e.bytes.end()) == "JR1YB  G");
    }
    EXPECT_TRUE(wroteBack) << "the population writes repeater 2 back";

    ScriptedReception r;
    r.header.assign(41, ' ');
    r.header[0] = 0;
    r.slowData = {'@', 'H', 'e', 'l', 'l', 'o'};
    r.slowPieces.assign(200, 0); // a long transmission
    const std::size_t before = adapter.firmware.trace().size();
    adapter.firmware.queueReception(r);
    ASSERT_TRUE(eventually([&] { return saw(adapter.firmware, 0x11, before); }));
    adapter.unplugged = true; // mid-reception
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(program.terminate(), 0);
}

TEST_F(ProgramOnEmulatedAdapter, UnpluggedDuringStartUpIsSaidAndTheDeadHandleLeftAlone) {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under xvfb-run";
    EmulatedAdapter adapter;
    configure(adapter);
    adapter.unplugAfterSubmits(6); // in the middle of the main window's population
    Program program("xcb");
    ASSERT_TRUE(program.running());
    ASSERT_TRUE(eventually(
        [&] { return captionShows(std::string(kCaption) + " - adapter disconnected\""); }));
    // Still listed but dead: at most the watcher's one try a second, never a polling loop.
    const int refused = adapter.refusedSubmits();
    std::this_thread::sleep_for(1500ms);
    EXPECT_LE(adapter.refusedSubmits() - refused, 3);
    EXPECT_EQ(program.terminate(), 0);
}

TEST_F(ProgramOnEmulatedAdapter, PulledOutAndPluggedInAgainCarriesOn) {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under xvfb-run";
    EmulatedAdapter adapter;
    configure(adapter);
    Program program("xcb");
    ASSERT_TRUE(program.running());
    ASSERT_TRUE(
        eventually([&] { return saw(adapter.firmware, 0xE3) && saw(adapter.firmware, 0x21); }));
    ASSERT_TRUE(eventually([&] { return captionShows(std::string(kCaption) + "\""); }));
    // The operator changes the message; the adapter takes it but does not store it.
    adapter.firmware.setText(0x66, "hello from the test ");

    adapter.remove();
    ASSERT_TRUE(eventually(
        [&] { return captionShows(std::string(kCaption) + " - adapter disconnected\""); }));
    const std::size_t before = adapter.firmware.trace().size();
    const auto pluggedIn = std::chrono::steady_clock::now();
    adapter.addBack();
    ASSERT_TRUE(eventually([&] { return saw(adapter.firmware, 0x21, before); }));
    const auto firstPoll = std::chrono::steady_clock::now();
    std::printf(
        "[ replug ] plugged in to the first resumed poll: %lld ms\n",
        static_cast<long long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(firstPoll - pluggedIn).count()));
    EXPECT_TRUE(eventually([&] { return captionShows(std::string(kCaption) + "\""); }));

    // InitModem, then start-up's reads in start-up's order, then the monitor.
    const auto trace = adapter.firmware.trace();
    std::vector<std::string> after;
    for (std::size_t i = before; i < trace.size() && !trace[i].isMonitorRequest(); ++i) {
        after.push_back(trace[i].name());
    }
    const std::vector<std::string> expected{
        "InitModem",  "GetRpt2Call",  "GetRpt1Call",  "GetYourCall",  "GetMyCall",
        "GetMyCall2", "GetTxMessage", "GetTxFlags",   "GetVolume",    "GetMyCall",
        "GetMyCall2", "GetDelay",     "GetKeepAlive", "GetErrorBits", "GetModemOptions",
        "GetPreBits", "GetPostBits"};
    EXPECT_EQ(after, expected);
    EXPECT_EQ(adapter.configuration.load(), 1);
    EXPECT_EQ(program.terminate(), 0);
}

// tamsel-station on the emulated adapter, with no display: its log (standard error, as the
// journal reads it) in a file, its folders its own.
class StationProgram {
public:
    // With a password for the page, it is set first (tamsel-station --set-password).
    explicit StationProgram(std::vector<std::string> args = {}, const std::string& password = {}) {
        char folder[] = "/tmp/tamsel-station-XXXXXX";
        folder_ = mkdtemp(folder);
        logPath_ = folder_ + "/log";
        std::vector<std::string> env{"XDG_CONFIG_HOME=" + folder_ + "/config",
                                     "XDG_DATA_HOME=" + folder_ + "/data", "LANG=C.UTF-8"};
        for (char** e = environ; *e != nullptr; ++e) {
            const std::string_view v(*e);
            if (!v.starts_with("DISPLAY=") && !v.starts_with("WAYLAND_DISPLAY=") &&
                !v.starts_with("QT_QPA_PLATFORM=") && !v.starts_with("XDG_") &&
                !v.starts_with("LANG") && !v.starts_with("LC_")) {
                env.emplace_back(v);
            }
        }
        std::vector<char*> envp;
        for (auto& e : env) {
            envp.push_back(e.data());
        }
        envp.push_back(nullptr);
        if (!password.empty()) {
            const std::string answers = folder_ + "/answers";
            std::ofstream(answers) << password << '\n' << password << '\n';
            posix_spawn_file_actions_t files;
            posix_spawn_file_actions_init(&files);
            posix_spawn_file_actions_addopen(&files, 0, answers.c_str(), O_RDONLY, 0);
            posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
            char* setArgv[] = {const_cast<char*>(TAMSEL_STATION_BINARY),
                               const_cast<char*>("--set-password"), nullptr};
            pid_t setter = 0;
            int status = -1;
            if (posix_spawn(&setter, TAMSEL_STATION_BINARY, &files, nullptr, setArgv,
                            envp.data()) == 0) {
                waitpid(setter, &status, 0);
            }
            posix_spawn_file_actions_destroy(&files);
            EXPECT_EQ(status, 0) << "tamsel-station --set-password";
        }
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, 2, logPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        std::vector<char*> argv{const_cast<char*>(TAMSEL_STATION_BINARY)};
        for (std::string& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        running_ = posix_spawn(&pid_, TAMSEL_STATION_BINARY, &files, nullptr, argv.data(),
                               envp.data()) == 0;
        posix_spawn_file_actions_destroy(&files);
    }
    ~StationProgram() {
        if (running_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        std::filesystem::remove_all(folder_);
    }
    std::string log() const {
        std::ifstream in(logPath_);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::size_t said(const std::string& what) const {
        const std::string text = log();
        std::size_t n = 0;
        for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
            ++n;
        }
        return n;
    }
    int terminate() {
        kill(pid_, SIGTERM);
        int status = 0;
        if (!eventually([&] { return waitpid(pid_, &status, WNOHANG) == pid_; })) {
            return -1;
        }
        running_ = false;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

private:
    std::string folder_, logPath_;
    pid_t pid_ = 0;
    bool running_ = false;
};

// Found, unplugged, plugged in again: each said once in the log, the monitor polling again
// after the header was read; and an adapter that comes only after the start is taken too.
TEST_F(ProgramOnEmulatedAdapter, TheStationFollowsTheAdapterWithoutADisplay) {
    for (const bool thereAtStart : {true, false}) {
        SCOPED_TRACE(thereAtStart ? "there at start" : "plugged in after the start");
        EmulatedAdapter adapter;
        configure(adapter);
        if (!thereAtStart) {
            adapter.remove();
        }
        StationProgram station({"--listen", "127.0.0.1:0"});
        if (!thereAtStart) {
            ASSERT_TRUE(eventually([&] { return station.said("<4>Tamsel not found.") == 1; }))
                << station.log();
            adapter.addBack();
        }
        ASSERT_TRUE(eventually([&] {
            return station.said("<5>Adapter found.") == 1 && saw(adapter.firmware, 0x21);
        })) << station.log();
        adapter.remove();
        ASSERT_TRUE(eventually([&] { return station.said("<4>The adapter is disconnected") == 1; }))
            << station.log();
        const std::size_t before = adapter.firmware.trace().size();
        adapter.addBack();
        ASSERT_TRUE(eventually([&] {
            return station.said("<5>Adapter found.") == 2 && saw(adapter.firmware, 0x21, before);
        })) << station.log();
        const auto trace = adapter.firmware.trace();
        ASSERT_GT(trace.size(), before + 1);
        EXPECT_EQ(trace[before].name(), "InitModem");
        EXPECT_EQ(trace[before + 1].name(), "GetRpt2Call");
        EXPECT_EQ(station.terminate(), 0);
        EXPECT_EQ(station.said("<6>Stopped."), 1u) << station.log();
        EXPECT_LE(station.said("Tamsel not found."), 1u);
    }
}

// A port nobody listens on now.
int freePort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

// The station's page in Debian's chromium against tamsel-station on the emulated adapter:
// signed in, the reception arrives in the page, Enter on its row in Heard Stations replies,
// and the caller's bytes reach the adapter as Station Call.
TEST_F(ProgramOnEmulatedAdapter, ThePageRepliesThroughTheAdapter) {
    EmulatedAdapter adapter;
    configure(adapter);
    std::mt19937 rng(11);
    const DemoReception heard = demoReception(rng, 0.0, adapter.firmware.text(0x60));
    adapter.firmware.queueReception(heard.script);
    std::string caller = heard.caller;
    caller.erase(caller.find_last_not_of(' ') + 1);
    const std::string port = std::to_string(freePort());
    const std::string password = "correct horse 73";
    StationProgram station({"--listen", "127.0.0.1:" + port}, password);
    ASSERT_TRUE(eventually([&] { return station.said("The station's page is at") == 1; }))
        << station.log();

    const std::string script = std::string(TAMSEL_SOURCE_DIR) + "/tests/web/station.test.mjs";
    const std::string command = "cd '" + std::string(TAMSEL_SOURCE_DIR) + "' && node '" + script +
                                "' " + port + " '" + password + "' " + caller + " 2>&1";
    std::FILE* browser = popen(command.c_str(), "r");
    ASSERT_NE(browser, nullptr);
    std::string said;
    std::array<char, 512> chunk{};
    while (std::fgets(chunk.data(), chunk.size(), browser) != nullptr) {
        said += chunk.data();
    }
    const int status = pclose(browser);
    ASSERT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 0) << said << station.log();
    EXPECT_NE(said.find("replied " + caller), std::string::npos) << said;

    std::string padded = caller;
    padded.resize(8, ' ');
    const auto trace = adapter.firmware.trace();
    EXPECT_TRUE(std::any_of(trace.begin(), trace.end(),
                            [&](const TraceEntry& e) {
                                return e.name() == "SetYourCall" &&
                                       std::string(e.bytes.begin(), e.bytes.end()) == padded;
                            }))
        << "Station Call " << padded << " never reached the adapter";
    EXPECT_EQ(station.terminate(), 0);
}

} // namespace
} // namespace tamsel
