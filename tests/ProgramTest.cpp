// SPDX-License-Identifier: GPL-3.0-or-later
// The real tamsel program on an adapter emulated by umockdev: start-up, receptions, and
// the adapter unplugged in the middle of a reception and in the middle of the window's
// start-up; the program keeps going and ends cleanly when asked to close.
#include "support/EmulatedAdapter.h"

#include <gtest/gtest.h>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace tamsel {
namespace {

using namespace std::chrono_literals;

class Program {
public:
    Program() {
        // The child inherits the preload and UMOCKDEV_DIR of this test process.
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        char* argv[] = {const_cast<char*>(TAMSEL_BINARY), nullptr};
        running_ = posix_spawn(&pid_, TAMSEL_BINARY, nullptr, nullptr, argv, environ) == 0;
    }
    ~Program() {
        if (running_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    bool running() const { return running_; }
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

template <typename F> bool eventually(F done, std::chrono::milliseconds limit = 15s) {
    for (auto waited = 0ms; waited < limit; waited += 5ms) {
        if (done()) {
            return true;
        }
        std::this_thread::sleep_for(5ms);
    }
    return false;
}

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

TEST_F(ProgramOnEmulatedAdapter, UnpluggedDuringStartUpThenClosedCleanly) {
    EmulatedAdapter adapter;
    configure(adapter);
    adapter.unplugAfterSubmits(6); // in the middle of the main window's population
    Program program;
    ASSERT_TRUE(program.running());
    ASSERT_TRUE(eventually([&] { return adapter.refusedSubmits() > 30; }))
        << "the program goes on issuing requests (the monitor polls)";
    EXPECT_EQ(program.terminate(), 0);
}

} // namespace
} // namespace tamsel
