// SPDX-License-Identifier: GPL-3.0-or-later
// ConsoleFixture: all windows on a simulated adapter, for window tests.
#pragma once

#include "adapter/Discovery.h"
#include "console/Console.h"
#include "console/Unit1.h"
#include "memory/Unit4.h"
#include "monitor/RadioHeader.h"
#include "sim/SimulatedAdapter.h"
#include "support/RecordingNotifier.h"
#include "support/Trace.h"

#include <QTest>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace tamsel::test {

// All six windows on a simulated adapter, torn down after each test.
class ConsoleFixture : public ::testing::Test {
protected:
    void start() {
        // An idle adapter answers each poll in about a millisecond.
        sim->setIdlePollDelay(std::chrono::milliseconds(1));
        adapterFound = 1; // as discovery leaves it

        console = std::make_unique<Console>(*sim, notifier);
        populated = sim->mainTrace().size();
    }
    void TearDown() override { console.reset(); }

    // Plays the receptions through the real monitor thread and waits until each is over
    // and its updates have reached the windows.
    void receive(const std::vector<ScriptedReception>& list) {
        for (const auto& r : list) {
            sim->queueReception(r);
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return !sim->receptionsPending(); }, 5000));
        // The monitor's next poll follows its last update, so once it has asked for a header
        // again every update of the finished receptions has been queued before it.
        const std::size_t seen = sim->requestCount();
        ASSERT_TRUE(QTest::qWaitFor([&] { return sim->requestCount() > seen + 2; }, 5000));
        QCoreApplication::processEvents();
    }

    // What the UI thread sent after the windows were created.
    std::vector<TraceEntry> sentSinceStart() const {
        auto all = sim->mainTrace();
        return {all.begin() + static_cast<std::ptrdiff_t>(populated), all.end()};
    }

    std::shared_ptr<SimulatedAdapter> sim = std::make_shared<SimulatedAdapter>();
    RecordingNotifier notifier;
    std::unique_ptr<Console> console;
    std::size_t populated = 0;
};

// A header as a repeater hands it on, from `my` to `your`, flags clear and no slow data.
inline ScriptedReception header(const std::string& rpt1, const std::string& rpt2,
                                const std::string& your, const std::string& my) {
    ScriptedReception r;
    r.header.assign(kHeaderSize, ' ');
    r.header[0] = r.header[1] = r.header[2] = 0;
    for (const auto& [at, text] : {std::pair{kRpt2Offset, &rpt2}, std::pair{kRpt1Offset, &rpt1},
                                   std::pair{kYourOffset, &your}, std::pair{kMyOffset, &my}}) {
        std::copy(text->begin(), text->end(), r.header.begin() + static_cast<std::ptrdiff_t>(at));
    }
    return r;
}

// Appends `message` to a reception's slow data as the four 5-character message blocks.
inline void addMessage(ScriptedReception& r, const std::string& message) {
    for (std::size_t part = 0; part < message.size() / 5; ++part) {
        r.slowData.push_back(static_cast<std::uint8_t>('@' + part));
        r.slowData.insert(r.slowData.end(), message.begin() + static_cast<std::ptrdiff_t>(5 * part),
                          message.begin() + static_cast<std::ptrdiff_t>(5 * part + 5));
    }
}

// A payload as text, bytes outside printable ASCII as \xNN.
inline std::string printable(const std::vector<std::uint8_t>& data) {
    std::string s;
    for (std::uint8_t b : data) {
        if (b < 0x20 || b >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            s += hex;
        } else {
            s += static_cast<char>(b);
        }
    }
    return s;
}

// A compact form of a trace entry for comparing whole sequences: name, then the payload
// for OUT data, the wValue for value requests.
inline std::string describe(const TraceEntry& e) {
    std::string s = e.name();
    if (e.requestType == kRequestTypeOut && e.length > 0) {
        s += " \"" + printable(e.bytes) + "\"";
    } else if (e.wIndex == 1) {
        s += " " + std::to_string(e.wValue);
    }
    return s;
}

// Waits, turning the event loop, until `done` holds; fails the test after five seconds.
template <typename F> bool waitFor(F done) {
    return QTest::qWaitFor(done, 5000);
}

// Until the list the memory window is importing has been taken in (shown and kept).
inline bool importDone() {
    return waitFor([] { return !Form3->importing(); });
}

// Imports a repeater list as File, Import Repeater List does, and waits until it is in.
inline bool importList(const QString& path) {
    return Form3->importList(path) && importDone();
}

inline std::vector<std::string> describe(const std::vector<TraceEntry>& trace) {
    std::vector<std::string> out;
    for (const auto& e : trace) {
        out.push_back(describe(e));
    }
    return out;
}

} // namespace tamsel::test
