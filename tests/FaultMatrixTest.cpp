// SPDX-License-Identifier: GPL-3.0-or-later
// Every request in every place it is issued, under every kind of fault: a failure once, a
// failure always, a short reply, a reply of no bytes, a time-out and an unplug. The cases
// are generated from what each action sends when nothing goes wrong.
#include "adapter/Catalogue.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit6.h"
#include "history/Unit5.h"
#include "monitor/RadioHeader.h"
#include "support/ConsoleFixture.h"

#include <QTimer>
#include <algorithm>
#include <set>

namespace tamsel {
namespace {

enum class Fault { FailOnce, FailAlways, Short, Zero, Timeout, Unplug };
constexpr Fault kFaults[] = {Fault::FailOnce, Fault::FailAlways, Fault::Short,
                             Fault::Zero,     Fault::Timeout,    Fault::Unplug};

const char* name(Fault f) {
    switch (f) {
    case Fault::FailOnce:
        return "fails once";
    case Fault::FailAlways:
        return "fails always";
    case Fault::Short:
        return "short reply";
    case Fault::Zero:
        return "zero bytes";
    case Fault::Timeout:
        return "time-out";
    case Fault::Unplug:
        return "unplugged";
    }
    return "?";
}

void inject(SimulatedAdapter& sim, std::uint8_t code, Fault f) {
    switch (f) {
    case Fault::FailOnce:
        sim.failCode(code, FaultKind::Fail, 1);
        break;
    case Fault::FailAlways:
        sim.failCode(code, FaultKind::Fail, -1);
        break;
    case Fault::Short:
        sim.failCode(code, FaultKind::Short, -1, 1);
        break;
    case Fault::Zero:
        sim.failCode(code, FaultKind::Zero, -1);
        break;
    case Fault::Timeout:
        sim.failCode(code, FaultKind::Timeout, 1);
        break;
    case Fault::Unplug:
        sim.unplugOn(code);
        break;
    }
}

// A write as the adapter received it.
using Write = std::tuple<std::uint8_t, std::uint16_t, std::vector<std::uint8_t>>;

// What the adapter holds before an action may always be written back: the flag update
// does so when the adapter refuses a bit.
std::set<Write> adapterValues(const SimulatedAdapter& sim) {
    std::set<Write> out;
    for (std::uint8_t set = 0x40; set <= 0x45; ++set) {
        out.insert({set, 0, sim.value(static_cast<std::uint8_t>(set + 0x20))});
    }
    out.insert({0x48, 0, sim.value(0x66)});
    return out;
}

std::set<Write> writes(const std::vector<TraceEntry>& trace) {
    std::set<Write> out;
    for (const auto& e : trace) {
        if (e.requestType == kRequestTypeOut) {
            out.insert({e.code, e.wValue, e.bytes});
        }
    }
    return out;
}

struct Action {
    const char* name;
    std::function<void()> run;
    // Fields whose text the operator typed in this action; they must keep it.
    std::function<std::vector<std::pair<QString, QString>>()> typed = [] {
        return std::vector<std::pair<QString, QString>>{};
    };
};

// Runs the station callsign dialog modally and saves from inside it.
void saveStationCallsign() {
    QTimer::singleShot(0, [] {
        Form2->mycallsign->setText("ja1new");
        Form2->mycallsign2->setText("a");
        Form2->Save1Click();
        Form2->Exit1Click();
    });
    QTimer::singleShot(10000, [] { Form2->reject(); }); // never hang on a broken case
    Form1->mycallsignClick();
}

std::vector<Action> actions() {
    auto edit = [](const char* name, TEdit* TForm1::*field, const char* text) {
        return Action{name, [=] { (Form1->*field)->setText(text); },
                      [=] {
                          return std::vector<std::pair<QString, QString>>{
                              {(Form1->*field)->text(), QString(text).toUpper()}};
                      }};
    };
    return {
        edit("RPT2CALLChange", &TForm1::RPT2CALL, "JR1ZZ  C"),
        edit("RPT1CALLChange", &TForm1::RPT1CALL, "JR1ZZ  A"),
        edit("YourCALLChange", &TForm1::YourCALL, "JA9QQQ"),
        Action{"SendMSGChange", [] { Form1->SendMSG->setText("new message"); },
               [] {
                   return std::vector<std::pair<QString, QString>>{
                       {Form1->SendMSG->text(), "new message"}};
               }},
        Action{"YourCallClick", [] { Form1->YourCallClick(); }},
        Action{"CallerCALLClick", [] { Form1->CallerCALLClick(); }},
        Action{"RepeaterClick", [] { Form1->Repeater->click(); }},
        Action{"BreakClick", [] { Form1->Break->click(); }},
        Action{"EMRClick", [] { Form1->EMR->click(); }},
        Action{"VolumeChange", [] { Form1->Volume->setValue(40); }},
        Action{"Save1Click", [] { Form1->Save1Click(); }},
        Action{"PICVersion1Click", [] { Form1->PICVersion1Click(); }},
        Action{"station callsign Save", saveStationCallsign,
               [] {
                   return std::vector<std::pair<QString, QString>>{
                       {Form2->mycallsign->text(), "ja1new"}};
               }},
        Action{"default setting Save", [] { Form11->Save1Click(); }},
        Action{"default setting Cancel", [] { Form11->Cancel1Click(); }},
    };
}

class FaultMatrix : public test::ConsoleFixture {
protected:
    void prepare() {
        sim = std::make_shared<SimulatedAdapter>();
        sim->setText(0x60, "JA1ABC  ");
        sim->setText(0x61, "ID51");
        sim->setText(0x62, "CQCQCQ  ");
        sim->setText(0x63, "JR1YB  B");
        sim->setText(0x64, "JR1YB  G");
        sim->setText(0x66, "hello               ");
        sim->setValue(0x65, {0x48, 0x01, 0x02});
        sim->setValue(0x82, {100});
        sim->setValue(0x52, {25});
        sim->setValue(0xE2, {0xAB});
        sim->setVersion("Tamsel 03.05 firmware");
        notifier.boxes.clear();
    }

    // The event loop still turns: a queued call gets through.
    static bool loopTurns() {
        bool ran = false;
        QTimer::singleShot(0, [&] { ran = true; });
        return test::waitFor([&] { return ran; });
    }

    // The monitor still issues its requests.
    bool monitorPolls() const {
        auto count = [&] {
            std::size_t n = 0;
            for (const auto& e : sim->trace()) {
                n += e.isMonitorRequest() ? 1 : 0;
            }
            return n;
        };
        const std::size_t before = count();
        return test::waitFor([&] { return count() > before; });
    }

    int cases = 0;
};

TEST_F(FaultMatrix, StartUpNeverWritesWhatWasNotRead) {
    prepare();
    start();
    const auto clean = sim->mainTrace();
    const std::set<Write> allowed = writes(clean);
    std::set<std::uint8_t> codes;
    for (const auto& e : clean) {
        codes.insert(e.code);
    }
    console.reset();
    for (std::uint8_t code : codes) {
        for (Fault f : kFaults) {
            SCOPED_TRACE("code " + std::to_string(code) + " " + name(f));
            prepare();
            inject(*sim, code, f);
            start();
            for (const Write& w : writes(sim->mainTrace())) {
                EXPECT_TRUE(allowed.count(w)) << "wrote code " << int(std::get<0>(w));
            }
            EXPECT_TRUE(loopTurns());
            EXPECT_TRUE(monitorPolls());
            console.reset();
            ++cases;
        }
    }
    std::printf("[ fault cases ] start-up: %d\n", cases);
    EXPECT_GE(cases, 90);
}

class HandlerFaults : public FaultMatrix, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(HandlerFaults, NoJunkWrittenAndTheOperatorsTextKept) {
    const Action action = actions().at(GetParam());
    prepare();
    start();
    std::size_t from = sim->mainTrace().size();
    action.run();
    auto clean = sim->mainTrace();
    clean.erase(clean.begin(), clean.begin() + static_cast<std::ptrdiff_t>(from));
    std::set<Write> allowed = writes(clean);
    std::set<std::pair<std::uint8_t, std::uint8_t>> codes;
    for (const auto& e : clean) {
        codes.insert({e.requestType, e.code});
    }
    ASSERT_FALSE(codes.empty()) << action.name;
    console.reset();
    for (const auto& [type, code] : codes) {
        for (Fault f : kFaults) {
            const RequestInfo* row = findByCode(type, code);
            SCOPED_TRACE(std::string(action.name) + ", " + std::string(row->name) + " " + name(f));
            prepare();
            start();
            from = sim->mainTrace().size();
            std::set<Write> permitted = allowed;
            permitted.merge(adapterValues(*sim));
            inject(*sim, code, f);
            action.run();
            auto sent = sim->mainTrace();
            sent.erase(sent.begin(), sent.begin() + static_cast<std::ptrdiff_t>(from));
            for (const Write& w : writes(sent)) {
                EXPECT_TRUE(permitted.count(w)) << "junk written with code " << int(std::get<0>(w));
            }
            for (const auto& [now, typed] : action.typed()) {
                EXPECT_EQ(now, typed) << "the operator's text is kept";
            }
            EXPECT_TRUE(loopTurns());
            EXPECT_TRUE(monitorPolls());
            console.reset();
            ++cases;
        }
    }
    std::printf("[ fault cases ] %s: %d\n", action.name, cases);
    EXPECT_GE(cases, 6);
}

INSTANTIATE_TEST_SUITE_P(FaultMatrix, HandlerFaults, ::testing::Range<std::size_t>(0, 15),
                         [](const auto& info) {
                             std::string n = actions().at(info.param).name;
                             std::replace(n.begin(), n.end(), ' ', '_');
                             return n;
                         });

ScriptedReception reception(const std::string& my) {
    ScriptedReception r;
    r.header.assign(kHeaderSize, ' ');
    r.header[0] = 0;
    std::copy(my.begin(), my.end(), r.header.begin() + kMyOffset);
    r.slowData = {'@', 'H', 'e', 'l', 'l', 'o'};
    r.slowPieces = {3, 0, 3, 0, 0};
    return r;
}

TEST_F(FaultMatrix, MonitorRequests) {
    for (std::uint8_t code : {0x21, 0x11, 0x30}) {
        for (Fault f : kFaults) {
            SCOPED_TRACE(std::string(findByCode(kRequestTypeIn, code)->name) + " " + name(f));
            prepare();
            start();
            Form1->HistoryClick();
            inject(*sim, code, f);
            sim->queueReception(reception("JA1AAA  "));
            // Whatever becomes of it, the windows take events and the monitor goes on.
            const std::size_t queued = sim->requestCount();
            ASSERT_TRUE(test::waitFor([&] { return sim->requestCount() > queued + 40; }));
            EXPECT_TRUE(loopTurns());
            EXPECT_TRUE(monitorPolls());
            const QString caller = Form1->CallerCALL->text();
            EXPECT_TRUE(caller == "JA1AAA  " || caller == "        ") << caller.toStdString();
            if (f != Fault::Unplug) {
                // Once the fault is gone and the adapter has been idle for a poll, receptions
                // are shown again.
                sim->clearFaults();
                ASSERT_TRUE(test::waitFor([&] { return !sim->receptionsPending(); }));
                const std::size_t seen = sim->requestCount();
                ASSERT_TRUE(test::waitFor([&] { return sim->requestCount() > seen + 4; }));
                sim->queueReception(reception("JA1BBB  "));
                EXPECT_TRUE(test::waitFor([&] { return Form1->CallerCALL->text() == "JA1BBB  "; }));
            }
            console.reset();
            ++cases;
        }
    }
    std::printf("[ fault cases ] monitor: %d\n", cases);
}

} // namespace
} // namespace tamsel
