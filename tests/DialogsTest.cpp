// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the station callsign and default settings dialogs.
#include "dialogs/Unit3.h"
#include "dialogs/Unit6.h"
#include "support/CaseName.h"
#include "support/ConsoleFixture.h"

#include <QDir>
#include <QTimer>

namespace tamsel {
namespace {

using test::describe;
using Trace = std::vector<std::string>;

class StationDialog : public test::ConsoleFixture {
protected:
    void SetUp() override {
        sim->setText(0x60, "JA1ABC  ");
        sim->setText(0x61, "ID51");
    }
    // Opens the dialog as the operator does and runs `act` while it is open; the dialog is
    // closed afterwards in any case, so a broken test fails instead of hanging.
    void whileOpen(const std::function<void()>& open, const std::function<void()>& act) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ran = true;
            EXPECT_TRUE(Form2->isVisible());
            act();
            if (Form2->isVisible()) {
                Form2->Exit1->trigger();
            }
        });
        open();
        EXPECT_TRUE(ran);
        EXPECT_FALSE(Form2->isVisible());
    }
};

TEST_F(StationDialog, CreationReadsBothValues) {
    start();
    EXPECT_EQ(Form2->mycallsign->text(), "JA1ABC  ");
    EXPECT_EQ(Form2->mycallsign2->text(), "ID51");
    EXPECT_EQ(Form2->windowTitle(), "My CallSign Set");
    EXPECT_EQ(Form2->mycallsign->accessibleName(), "CallSign");
    EXPECT_EQ(Form2->mycallsign2->accessibleName(), "CallSign2");
    EXPECT_FALSE(Form2->mycallsign->upperCase());
}

TEST_F(StationDialog, SaveSendsShowsSentThenReportedValues) {
    start();
    QStringList shownAfterSend;
    whileOpen([] { Form1->mycallsignClick(); },
              [&] {
                  Form2->mycallsign->setText("ab1cd");
                  Form2->mycallsign2->setText("p");
                  sim->refuseWrites(0x41);              // the adapter keeps its suffix
                  sim->failCode(0x47, FaultKind::Fail); // a failed store changes nothing
                  Form2->Save1->trigger();
                  EXPECT_EQ(Form2->mycallsign->text(), "ab1cd") << "the dialog keeps the text";
              });
    const auto sent = sentSinceStart();
    EXPECT_EQ(describe(sent),
              (Trace{"GetMyCall", "GetMyCall2", "SetMyCall \"AB1CD   \"", "SetMyCall2 \"P   \"",
                     "SaveSettings", "GetMyCall", "GetMyCall2"}));
    EXPECT_GE(sent[5].time - sent[4].time, std::chrono::milliseconds(200));
    EXPECT_EQ(Form1->MyCALL->text(), "AB1CD   ");
    EXPECT_EQ(Form1->MyCALL2->text(), "ID51");
}

TEST_F(StationDialog, CtrlSSavesLikeTheMenuAndRepeatsEveryStep) {
    start();
    whileOpen([] { Form1->mycallsign->trigger(); },
              [&] {
                  Form2->mycallsign->setText("JA1ABCDEFG");
                  Form2->mycallsign2->setText("");
                  Form2->activateWindow();
                  EXPECT_TRUE(QTest::qWaitForWindowActive(Form2));
                  QTest::keyClick(Form2->mycallsign, Qt::Key_S, Qt::ControlModifier);
                  QTest::keyClick(Form2->mycallsign, Qt::Key_S, Qt::ControlModifier);
                  EXPECT_EQ(Form2->mycallsign->text(), "JA1ABCDEFG");
              });
    const Trace once{"SetMyCall \"JA1ABCDE\"", "SetMyCall2 \"    \"", "SaveSettings", "GetMyCall",
                     "GetMyCall2"};
    Trace expected{"GetMyCall", "GetMyCall2"};
    expected.insert(expected.end(), once.begin(), once.end());
    expected.insert(expected.end(), once.begin(), once.end());
    EXPECT_EQ(describe(sentSinceStart()), expected);
}

TEST_F(StationDialog, ExitSendsNothingAndReopeningShowsTheAdapterValues) {
    start();
    whileOpen([] { Form1->mycallsignClick(); }, [&] { Form2->mycallsign->setText("typed"); });
    EXPECT_EQ(describe(sentSinceStart()), (Trace{"GetMyCall", "GetMyCall2"}));
    QString shown;
    whileOpen([] { QTest::mouseDClick(Form1->MyCALL2, Qt::LeftButton); },
              [&] { shown = Form2->mycallsign->text(); });
    EXPECT_EQ(shown, "JA1ABC  ");
}

TEST_F(StationDialog, FailedReadKeepsThePreviousText) {
    start();
    sim->failCode(0x60, FaultKind::Fail);
    sim->failCode(0x61, FaultKind::Short, 1, 2);
    whileOpen([] { Form1->mycallsignClick(); }, [] {});
    EXPECT_EQ(Form2->mycallsign->text(), "JA1ABC  ");
    EXPECT_EQ(Form2->mycallsign2->text(), "ID51");
}

class SettingsDialog : public test::ConsoleFixture {
protected:
    void SetUp() override {
        sim->setValue(0x52, {25});
        sim->setValue(0x53, {0});
        sim->setValue(0x54, {3});
        sim->setValue(0xD0, {0x83});
        sim->setValue(0xE2, {0xAB});
        sim->setValue(0xE3, {0x05});
    }
    void save() {
        sim->clearTrace();
        Form11->Save1->trigger();
    }
};

TEST_F(SettingsDialog, RefreshShowsTheAdapterBytes) {
    sim->setValue(0xE3, {0x00});
    start();
    EXPECT_EQ(Form11->Delay->text(), "250");
    EXPECT_EQ(Form11->KeepAlive->text(), "00");
    EXPECT_EQ(Form11->ErrorBits->text(), "3");
    EXPECT_TRUE(Form11->TxInv->isChecked());
    EXPECT_TRUE(Form11->RxInv->isChecked());
    EXPECT_TRUE(Form11->AutoDetect->isChecked());
    EXPECT_EQ(Form11->PreBits->text(), "AB");
    EXPECT_EQ(Form11->PostBits->text(), "  ");
    EXPECT_FALSE(Form11->isVisible());
}

TEST_F(SettingsDialog, SaveWithoutEditsSendsTheSameBytesBack) {
    start();
    save();
    const auto sent = sim->mainTrace();
    EXPECT_EQ(describe(sent), (Trace{"SetDelay 25", "SetKeepAlive 0", "SetErrorBits 3",
                                     "SetTxInvert 1", "SetRxInvert 1", "SetRxAutoDetect 1",
                                     "SetPreBits 171", "SetPostBits 5", "InitModem"}));
    EXPECT_GE(sent[8].time - sent[7].time, std::chrono::milliseconds(100));
    EXPECT_TRUE(notifier.boxes.empty());
}

struct SaveCase {
    const char* what;
    QString delay, keepAlive, errorBits;
    QStringList messages;
    Trace numbers; // the number requests sent before the options
};

class SettingsSave : public SettingsDialog, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SettingsSave, RefusedNumbersShowTheirMessageAndTheRestIsSent) {
    const SaveCase& c = GetParam();
    start();
    Form11->Delay->setText(c.delay);
    Form11->KeepAlive->setText(c.keepAlive);
    Form11->ErrorBits->setText(c.errorBits);
    Form11->TxInv->setChecked(false);
    save();
    QStringList shown;
    for (const auto& b : notifier.boxes) {
        EXPECT_EQ(b.kind, "plain");
        shown << b.text;
    }
    EXPECT_EQ(shown, c.messages) << c.what;
    Trace expected = c.numbers;
    for (const char* rest : {"SetTxInvert 0", "SetRxInvert 1", "SetRxAutoDetect 1",
                             "SetPreBits 171", "SetPostBits 5", "InitModem"}) {
        expected.push_back(rest);
    }
    EXPECT_EQ(describe(sim->mainTrace()), expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    SettingsDialog, SettingsSave,
    ::testing::Values(SaveCase{"125 sends 12",
                               "125",
                               "2550",
                               "24",
                               {},
                               {"SetDelay 12", "SetKeepAlive 255", "SetErrorBits 24"}},
                      SaveCase{"one over each limit",
                               "2551",
                               "2551",
                               "25",
                               {"Delay Time is too big. (max. 2550)",
                                "Keep Alive Time is too big. (max. 2550)",
                                "ReSync Error Bits is too big. (max. 24)"},
                               {}},
                      SaveCase{"letters in Delay",
                               "abc",
                               "100",
                               "3",
                               {"Invalid character"},
                               {"SetKeepAlive 10", "SetErrorBits 3"}},
                      SaveCase{"negative Delay is refused",
                               "-100",
                               "120 ms",
                               " 3",
                               {"Delay Time is too small. (min. 0)", "Invalid character"},
                               {"SetKeepAlive 12"}}),
    test::ByWhat());

TEST_F(SettingsDialog, CancelReadsTheAdapterAgainAndExitSendsNothing) {
    start();
    Form1->DefaultSetting1->trigger();
    EXPECT_TRUE(Form11->isVisible());
    Form11->Delay->setText("125");
    save();
    Form11->Delay->setText("999");
    Form11->Cancel1->trigger();
    EXPECT_EQ(Form11->Delay->text(), "120");
    sim->clearTrace();
    Form11->Delay->setText("7");
    Form11->Eixit1->trigger();
    EXPECT_FALSE(Form11->isVisible());
    Form1->DefaultSetting1->trigger();
    EXPECT_EQ(Form11->Delay->text(), "7") << "showing reads nothing";
    EXPECT_TRUE(sim->mainTrace().empty());
}

TEST_F(SettingsDialog, FailedReadShowsZero) {
    sim->failCode(0x52, FaultKind::Fail);
    sim->failCode(0xE2, FaultKind::Zero);
    start();
    EXPECT_EQ(Form11->Delay->text(), "00");
    EXPECT_EQ(Form11->PreBits->text(), "  ");
}

TEST_F(SettingsDialog, AccessibleNamesAndScreenshots) {
    start();
    const std::vector<std::pair<QWidget*, QString>> names{
        {Form11->Delay, "Delay Time"},          {Form11->KeepAlive, "Keep Alive"},
        {Form11->ErrorBits, "Error Bits"},      {Form11->RxInv, "RX Invert"},
        {Form11->AutoDetect, "RX Auto Detect"}, {Form11->TxInv, "TX Invert"},
        {Form11->PreBits, "PreBitPattern"},     {Form11->PostBits, "PostBitPattern"}};
    for (const auto& [w, name] : names) {
        EXPECT_EQ(w->accessibleName(), name);
    }
    EXPECT_TRUE(Form11->PreBits->upperCase());
    QDir().mkpath("screenshots");
    Form11->show();
    EXPECT_TRUE(Form11->grab().save("screenshots/default-setting.png"));
    Form2->show();
    EXPECT_EQ(Form2->size().width(), 219);
    EXPECT_TRUE(Form2->grab().save("screenshots/station-callsign.png"));
    Form2->hide();
}

} // namespace
} // namespace tamsel
