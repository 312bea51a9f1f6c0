// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the adapter unplugged and plugged in again while the console runs.
#include "adapter/Connection.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit6.h"
#include "history/Unit5.h"
#include "monitor/RadioHeader.h"
#include "sim/SimulatedBus.h"
#include "support/CaseName.h"
#include "support/ConsoleFixture.h"

#include <random>

namespace tamsel {
namespace {

using namespace std::chrono_literals;
using test::describe;
using test::waitFor;

const char* const kStartUpReads[] = {
    "GetRpt2Call",  "GetRpt1Call",     "GetYourCall", "GetMyCall",  "GetMyCall2", "GetTxMessage",
    "GetTxFlags",   "GetVolume",       "GetMyCall",   "GetMyCall2", "GetDelay",   "GetKeepAlive",
    "GetErrorBits", "GetModemOptions", "GetPreBits",  "GetPostBits"};

struct ReplugCase {
    const char* what;
    // Sets the adapter up to go away during something the operator or the monitor does.
    std::function<void(SimulatedAdapter&)> unplugDuring;
    std::function<void()> act;
    // What the window shows while the adapter is gone.
    std::function<void(test::RecordingNotifier&)> whileGone;
    // The requests after the replug's InitModem, the monitor's polls left out.
    std::vector<std::string> after;
};

ScriptedReception longReception() {
    ScriptedReception r;
    r.header.assign(kHeaderSize, ' ');
    r.header[0] = 0;
    const std::string my = "JA1LNG  ";
    std::copy(my.begin(), my.end(), r.header.begin() + kMyOffset);
    r.slowData = {'@', 'H', 'e', 'l', 'l', 'o'};
    r.slowPieces.assign(400, 0); // still under way when the adapter goes
    return r;
}

// The start-up reads, with a write-back inserted after the read named `after`.
std::vector<std::string> readsWith(const char* after, const std::string& writeBack) {
    std::vector<std::string> out;
    for (const char* r : kStartUpReads) {
        out.emplace_back(r);
        if (std::string(r) == after) {
            out.push_back(writeBack);
        }
    }
    return out;
}

class ReplugFixture : public ::testing::Test {
protected:
    void start() {
        sim->setIdlePollDelay(1ms);
        sim->setText(0x62, "CQCQCQ  ");
        sim->setValue(0x52, {25}); // delay 250 ms
        SimulatedBus bus(SimulatedBus::oneAdapter(), sim);
        Discovery found = discoverAdapter(bus);
        ASSERT_EQ(found.outcome, Discovery::Outcome::Found);
        auto adapter = sim;
        auto locked = openFails;
        connection = std::make_unique<AdapterConnection>(
            std::move(found.link),
            [adapter, locked] {
                auto bus = std::make_unique<SimulatedBus>(SimulatedBus::oneAdapter(), adapter);
                bus->openFails = *locked;
                return bus;
            },
            // Hotplug as the platform gives it: news once, as soon as it is back.
            [adapter, was = std::make_shared<bool>(false)](std::chrono::milliseconds limit) {
                const bool now = adapter->pluggedIn();
                const bool arrived = now && !*was;
                *was = now;
                if (!arrived) {
                    std::this_thread::sleep_for(std::min(limit, 5ms));
                }
                return arrived;
            });
        console = std::make_unique<Console>(*connection, notifier);
        ASSERT_TRUE(waitFor([&] { return monitorPolled(); }));
    }
    void TearDown() override {
        console.reset();
        connection.reset();
    }
    bool monitorPolled(std::size_t from = 0) const {
        const auto t = sim->trace();
        return std::any_of(t.begin() + static_cast<std::ptrdiff_t>(std::min(from, t.size())),
                           t.end(), [](const TraceEntry& e) { return e.isMonitorRequest(); });
    }
    bool captionEndsWith(const char* suffix) const {
        return Form1->windowTitle().endsWith(QString::fromLatin1(suffix));
    }

    std::shared_ptr<SimulatedAdapter> sim = std::make_shared<SimulatedAdapter>();
    std::shared_ptr<std::atomic<bool>> openFails = std::make_shared<std::atomic<bool>>(false);
    test::RecordingNotifier notifier;
    std::unique_ptr<AdapterConnection> connection;
    std::unique_ptr<Console> console;
};

// Many unplugs at random moments, with receptions under way and the operator editing:
// the handle is swapped under requests of both threads (run under ThreadSanitizer too).
TEST_F(ReplugFixture, TwoHundredUnplugsAtRandomMoments) {
    adapterFound = 1;
    start();
    const QString caption = Form1->windowTitle();
    Form4->openHistory();
    std::mt19937 rng(20261208);
    for (int cycle = 0; cycle < 200; ++cycle) {
        SCOPED_TRACE(cycle);
        sim->queueReception(longReception());
        sim->unplugAfter(std::uniform_int_distribution<std::size_t>(0, 24)(rng));
        int edits = 0;
        ASSERT_TRUE(waitFor([&] {
            Form1->SendMSG->setText(QString::number(++edits)); // the UI thread's requests
            return captionEndsWith(Console::kDisconnected);
        }));
        sim->replug();
        ASSERT_TRUE(waitFor([&] { return Form1->windowTitle() == caption; }));
    }
}

// Gone again at the monitor's first poll after the windows have read it: the resume (UI
// thread) and the loss (monitor thread) are told at nearly the same moment, and their
// notices may cross. However they cross, the caption ends up saying it is gone.
TEST_F(ReplugFixture, GoneAgainAtTheFirstPollAfterTheReplugStaysShown) {
    adapterFound = 1;
    start();
    sim->unplug();
    ASSERT_TRUE(waitFor([&] { return captionEndsWith(Console::kDisconnected); }));
    for (int cycle = 0; cycle < 200; ++cycle) {
        SCOPED_TRACE(cycle);
        const unsigned before = connection->generation();
        sim->replug();
        sim->unplugOn(0x21); // GetRxHeader, the monitor's first poll
        ASSERT_TRUE(waitFor([&] {
            const auto now = connection->status();
            return now.generation == before + 1 &&
                   now.state == AdapterConnection::State::Disconnected;
        }));
        // The loss's notice follows its change of state within microseconds; let every
        // notice under way be handled.
        QTest::qWait(5);
        ASSERT_TRUE(captionEndsWith(Console::kDisconnected)) << Form1->windowTitle().toStdString();
    }
}

class Replug : public ReplugFixture, public ::testing::WithParamInterface<ReplugCase> {};

TEST_F(ReplugFixture, BackButNotAccessibleIsSaidAndWatchedUntilItOpens) {
    adapterFound = 1;
    start();
    const QString caption = Form1->windowTitle();
    *openFails = true;
    sim->unplug();
    Form1->VolumeChange();
    ASSERT_TRUE(waitFor([&] { return captionEndsWith(Console::kDisconnected); }));
    sim->replug();
    ASSERT_TRUE(waitFor([&] { return captionEndsWith(Console::kNotAccessible); }));
    EXPECT_EQ(Form1->windowTitle(), caption + Console::kNotAccessible);
    sim->unplug(); // pulled out again before anyone fixed the permissions
    ASSERT_TRUE(waitFor([&] { return captionEndsWith(Console::kDisconnected); }));
    sim->replug();
    ASSERT_TRUE(waitFor([&] { return captionEndsWith(Console::kNotAccessible); }));
    *openFails = false; // the udev rule is in place now
    ASSERT_TRUE(waitFor([&] { return Form1->windowTitle() == caption; }));
}

TEST_P(Replug, TheCaptionSaysSoNothingPollsAndStartUpsReadsFollowTheReplug) {
    const ReplugCase& c = GetParam();
    adapterFound = 1;
    start();
    const QString caption = Form1->windowTitle();
    Form4->openHistory();
    c.unplugDuring(*sim);
    c.act();
    ASSERT_TRUE(waitFor([&] { return captionEndsWith(Console::kDisconnected); }));
    EXPECT_EQ(Form1->windowTitle(), caption + Console::kDisconnected);

    // Gone: an edit reaches nothing, and nothing polls the dead handle.
    const std::size_t gone = sim->requestCount();
    Form1->SendMSG->clear();
    QTest::keyClicks(Form1->SendMSG, "typed meanwhile");
    c.whileGone(notifier);
    QTest::qWait(300);
    EXPECT_EQ(sim->requestCount(), gone);

    sim->replug();
    ASSERT_TRUE(waitFor([&] { return Form1->windowTitle() == caption; }));
    ASSERT_TRUE(waitFor([&] { return monitorPolled(gone); }));

    const auto trace = sim->trace();
    std::vector<std::string> after;
    bool polled = false;
    for (std::size_t i = gone + 1; i < trace.size() && !polled; ++i) {
        polled = trace[i].isMonitorRequest();
        if (!polled) {
            after.push_back(describe(trace[i]));
        }
    }
    ASSERT_EQ(trace.at(gone).name(), "InitModem") << "the replug starts with it";
    EXPECT_EQ(after, c.after) << c.what;
    // The adapter went back to its stored settings, and the window shows them.
    EXPECT_EQ(Form1->SendMSG->text(), QString(20, ' '));
    EXPECT_FALSE(Form1->Break->isChecked());
    EXPECT_EQ(Form4->History->count(), 0) << "a reception under way when it went is not kept";
}

std::vector<std::string> messageBack() {
    return readsWith("GetTxMessage", "SetTxMessage \"                    \"");
}

INSTANTIATE_TEST_SUITE_P(
    Adapter, Replug,
    ::testing::Values(ReplugCase{"during a reception",
                                 [](SimulatedAdapter& s) {
                                     s.queueReception(longReception());
                                     s.unplugOn(0x11); // GetSlowData
                                 },
                                 [] {}, [](test::RecordingNotifier&) {}, messageBack()},
                      ReplugCase{"during a population read",
                                 [](SimulatedAdapter& s) { s.unplugOn(0x62); }, // GetYourCall
                                 [] { Form1->populate(); },
                                 [](test::RecordingNotifier& boxes) {
                                     Form1->PICVersion1Click();
                                     ASSERT_EQ(boxes.boxes.size(), 1u);
                                     EXPECT_EQ(boxes.boxes[0].kind, "failure")
                                         << "not an empty version box";
                                 },
                                 messageBack()},
                      ReplugCase{"during a flag update",
                                 [](SimulatedAdapter& s) { s.unplugOn(0x45); }, // SetTxFlags
                                 [] { Form1->Break->setChecked(true); },
                                 [](test::RecordingNotifier&) {
                                     EXPECT_FALSE(Form1->Break->isChecked())
                                         << "the click did not reach it";
                                     Form1->EMR->setChecked(true);
                                     EXPECT_FALSE(Form1->EMR->isChecked());
                                 },
                                 messageBack()},
                      ReplugCase{"during a settings Save",
                                 [](SimulatedAdapter& s) { s.unplugOn(0xE0); }, // SetPreBits
                                 [] { Form11->Save1Click(); },
                                 [](test::RecordingNotifier&) {
                                     Form11->Cancel1Click();
                                     EXPECT_EQ(Form11->Delay->text(), "250")
                                         << "kept, not a made-up 00";
                                 },
                                 messageBack()}),
    test::ByWhat());

} // namespace
} // namespace tamsel
