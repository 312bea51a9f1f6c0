// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the main window: population, editing, menu commands.
#include "console/Unit1.h"
#include "support/CaseName.h"
#include "support/ConsoleFixture.h"

#include <QDir>
#include <QScrollBar>

namespace tamsel {
namespace {

using test::describe;
using Trace = std::vector<std::string>;

class MainWindow : public test::ConsoleFixture {
protected:
    void SetUp() override {
        sim->setText(0x64, "JR1YB  G");
        sim->setText(0x63, "JR1YB  B");
        sim->setText(0x62, "CQCQCQ  ");
        sim->setText(0x60, "JA1ABC  ");
        sim->setText(0x61, "ID  ");
        sim->setText(0x66, "hello from JA1ABC   ");
        sim->setValue(0x82, {255});
    }
    TForm1& w() { return *Form1; }
};

const Trace kCallsignPopulation{"GetRpt2Call",  "SetRpt2Call \"JR1YB  G\"",
                                "GetRpt1Call",  "SetRpt1Call \"JR1YB  B\"",
                                "GetYourCall",  "SetYourCall \"CQCQCQ  \"",
                                "GetMyCall",    "GetMyCall2",
                                "GetTxMessage", "SetTxMessage \"hello from JA1ABC   \"",
                                "GetTxFlags"};

struct PopulationCase {
    const char* what;
    std::vector<std::uint8_t> flags;
    std::uint8_t volume;
    Trace tail; // what follows the callsigns, message and first flag read
    bool repeater, brk, emr;
    int position;
};

class Population : public MainWindow, public ::testing::WithParamInterface<PopulationCase> {};

TEST_P(Population, ReadsEveryFieldAndWritesEachChangeBack) {
    const PopulationCase& c = GetParam();
    sim->setValue(0x65, c.flags);
    sim->setValue(0x82, {c.volume});
    start();
    Trace expected = kCallsignPopulation;
    expected.insert(expected.end(), c.tail.begin(), c.tail.end());
    // Then the station callsign dialog and the settings dialog read theirs, in that order.
    for (const char* later : {"GetMyCall", "GetMyCall2", "GetDelay", "GetKeepAlive", "GetErrorBits",
                              "GetModemOptions", "GetPreBits", "GetPostBits"}) {
        expected.push_back(later);
    }
    EXPECT_EQ(describe(sim->mainTrace()), expected) << c.what;

    EXPECT_EQ(w().RPT2CALL->text(), "JR1YB  G");
    EXPECT_EQ(w().RPT1CALL->text(), "JR1YB  B");
    EXPECT_EQ(w().YourCALL->text(), "CQCQCQ  ");
    EXPECT_EQ(w().MyCALL->text(), "JA1ABC  ");
    EXPECT_EQ(w().MyCALL2->text(), "ID  ");
    EXPECT_EQ(w().SendMSG->text(), "hello from JA1ABC   ");
    EXPECT_EQ(w().Repeater->isChecked(), c.repeater);
    EXPECT_EQ(w().Break->isChecked(), c.brk);
    EXPECT_EQ(w().EMR->isChecked(), c.emr);
    EXPECT_EQ(w().Volume->value(), c.position);
    // Reception fields show only spaces until the first reception.
    EXPECT_EQ(w().CallerCALL->text(), "        ");
    EXPECT_EQ(w().CallerCALL2->text(), "    ");
    EXPECT_EQ(w().CalledCALL->text(), "        ");
    EXPECT_EQ(w().MSG->text(), " ");
    EXPECT_EQ(w().FlagInfo->text(), " ");
    EXPECT_EQ(w().DayTime->text(), " ");
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, Population,
    ::testing::Values(
        PopulationCase{"no flags, volume byte 255 leaves the bar at the top",
                       {0x00, 0x00, 0x00},
                       255,
                       {"GetVolume"},
                       false,
                       false,
                       false,
                       0},
        PopulationCase{"flag byte 0x48 checks Repeater and EMR",
                       {0x48, 0x12, 0x34},
                       200,
                       {"GetTxFlags", "SetTxFlags \"H\\x124\"", "GetTxFlags", "GetTxFlags",
                        "SetTxFlags \"H\\x124\"", "GetTxFlags", "GetVolume", "SetVolume 200"},
                       true,
                       false,
                       true,
                       55},
        PopulationCase{"all three bits, volume byte 0 puts the bar at the bottom",
                       {0x68, 0x00, 0x00},
                       0,
                       {"GetTxFlags", "SetTxFlags \"h\\x00\\x00\"", "GetTxFlags", "GetTxFlags",
                        "SetTxFlags \"h\\x00\\x00\"", "GetTxFlags", "GetTxFlags",
                        "SetTxFlags \"h\\x00\\x00\"", "GetTxFlags", "GetVolume", "SetVolume 0"},
                       true,
                       true,
                       true,
                       255}),
    test::ByWhat());

TEST_F(MainWindow, FailedReadIsRetriedAtOnceOrAfter50ms) {
    sim->failCode(0x64, FaultKind::Fail);
    sim->failCode(0x66, FaultKind::Fail);
    start();
    const auto trace = sim->mainTrace();
    const Trace names = test::names(trace);
    ASSERT_GE(names.size(), 12u);
    EXPECT_EQ(Trace(names.begin(), names.begin() + 3),
              (Trace{"GetRpt2Call", "GetRpt2Call", "SetRpt2Call"}));
    EXPECT_EQ(w().RPT2CALL->text(), "JR1YB  G");
    auto first = std::find_if(trace.begin(), trace.end(), [](auto& e) { return e.code == 0x66; });
    ASSERT_NE(first + 1, trace.end());
    EXPECT_EQ((first + 1)->code, 0x66);
    EXPECT_GE((first + 1)->time - first->time, std::chrono::milliseconds(50));
    EXPECT_EQ(w().SendMSG->text(), "hello from JA1ABC   ");
}

struct LostReadCase {
    const char* what;
    std::uint8_t code;
    FaultKind kind;
    int times;
    Trace mustNotSend;
};

class LostRead : public MainWindow, public ::testing::WithParamInterface<LostReadCase> {};

// A value that never arrived keeps the placeholder and sends nothing back.
TEST_P(LostRead, KeepsTheFieldAndWritesNothing) {
    const LostReadCase& c = GetParam();
    sim->setValue(0x65, {0x48, 0, 0});
    sim->setValue(0x82, {200});
    sim->failCode(c.code, c.kind, c.times, 3);
    start();
    for (const auto& sent : describe(sim->mainTrace())) {
        for (const auto& name : c.mustNotSend) {
            EXPECT_NE(sent.rfind(name, 0), 0u) << c.what << ": sent " << sent;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, LostRead,
    ::testing::Values(
        LostReadCase{"repeater 2 fails twice", 0x64, FaultKind::Fail, 2, {"SetRpt2Call"}},
        LostReadCase{"destination short", 0x62, FaultKind::Short, 1, {"SetYourCall"}},
        LostReadCase{"message fails twice", 0x66, FaultKind::Fail, 2, {"SetTxMessage"}},
        LostReadCase{"message of zero bytes", 0x66, FaultKind::Zero, 1, {"SetTxMessage"}},
        LostReadCase{"flags lost", 0x65, FaultKind::Fail, 1, {"SetTxFlags"}},
        LostReadCase{"volume lost", 0x82, FaultKind::Fail, 1, {"SetVolume"}}),
    test::ByWhat());

TEST_F(MainWindow, PlaceholdersStayWhenTheAdapterIsGone) {
    sim->unplug();
    start();
    EXPECT_EQ(w().RPT2CALL->text(), "RPT2CALL");
    EXPECT_EQ(w().YourCALL->text(), "YOURCALL");
    EXPECT_EQ(w().MyCALL->text(), "MyCALL");
    EXPECT_EQ(w().SendMSG->text(), "SendMSG");
    for (const auto& e : sim->mainTrace()) {
        EXPECT_EQ(e.requestType, kRequestTypeIn) << "nothing is written: " << e.name();
    }
}

struct EditCase {
    const char* what;
    std::function<void(TForm1&)> act;
    Trace sent;
};

class Editing : public MainWindow, public ::testing::WithParamInterface<EditCase> {};

TEST_P(Editing, SendsEachChangeByteForByte) {
    const EditCase& c = GetParam();
    sim->setValue(0x65, {0x40, 0, 0});
    start();
    c.act(w());
    EXPECT_EQ(describe(sentSinceStart()), c.sent) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, Editing,
    ::testing::Values(
        EditCase{
            "typing a then b into an empty destination",
            [](TForm1& f) {
                f.YourCALL->clear();
                QTest::keyClicks(f.YourCALL, "ab");
                EXPECT_EQ(f.YourCALL->text(), "AB");
            },
            {"SetYourCall \"        \"", "SetYourCall \"A       \"", "SetYourCall \"AB      \""}},
        EditCase{"emptying repeater 1",
                 [](TForm1& f) { f.RPT1CALL->setText(""); },
                 {"SetRpt1Call \"        \""}},
        EditCase{"ten characters in repeater 2",
                 [](TForm1& f) {
                     f.RPT2CALL->setText("jr1ybcdefg");
                     EXPECT_EQ(f.RPT2CALL->text(), "JR1YBCDEFG");
                 },
                 {"SetRpt2Call \"JR1YBCDE\""}},
        EditCase{"the same text in other case is no change",
                 [](TForm1& f) { f.RPT1CALL->setText("jr1yb  b"); },
                 {}},
        EditCase{"lower-case message",
                 [](TForm1& f) { f.SendMSG->setText("hello"); },
                 {"SetTxMessage \"hello               \""}},
        EditCase{"25-character message",
                 [](TForm1& f) { f.SendMSG->setText("abcdefghijklmnopqrstuvwxy"); },
                 {"SetTxMessage \"abcdefghijklmnopqrst\""}},
        EditCase{
            "double-click while another destination shows",
            [](TForm1& f) {
                f.YourCALL->setText("JA1XYZ");
                QTest::mouseDClick(f.YourCALL, Qt::LeftButton);
                EXPECT_EQ(f.YourCALL->text(), "CQCQCQ  ");
            },
            {"SetYourCall \"JA1XYZ  \"", "SetYourCall \"CQCQCQ  \"", "SetYourCall \"CQCQCQ  \""}},
        EditCase{"double-click while CQCQCQ already shows",
                 [](TForm1& f) { QTest::mouseDClick(f.YourCALL, Qt::LeftButton); },
                 {"SetYourCall \"CQCQCQ  \""}},
        EditCase{"click on the caller before any reception",
                 [](TForm1& f) {
                     QTest::mouseClick(f.CallerCALL->viewport(), Qt::LeftButton);
                     EXPECT_EQ(f.YourCALL->text(), "        ");
                 },
                 {"SetYourCall \"        \"", "GetYourCall", "SetYourCall \"        \""}},
        EditCase{"Break accepted on 0x40",
                 [](TForm1& f) {
                     f.Break->click();
                     EXPECT_TRUE(f.Break->isChecked());
                 },
                 {"GetTxFlags", "SetTxFlags \"`\\x00\\x00\"", "GetTxFlags"}},
        EditCase{
            "volume to position 10", [](TForm1& f) { f.Volume->setValue(10); }, {"SetVolume 245"}},
        EditCase{"each further position sends one more",
                 [](TForm1& f) {
                     f.Volume->triggerAction(QAbstractSlider::SliderSingleStepAdd);
                     f.Volume->triggerAction(QAbstractSlider::SliderSingleStepAdd);
                 },
                 {"SetVolume 254", "SetVolume 253"}},
        EditCase{"Save sends exactly one request",
                 [](TForm1& f) {
                     f.SendMSG->setText("x");
                     f.Save1->trigger();
                 },
                 {"SetTxMessage \"x                   \"", "SaveSettings"}}),
    test::ByWhat());

TEST_F(MainWindow, RefusedBreakIsUncheckedAndTheAdapterValueWrittenBack) {
    sim->setValue(0x65, {0x40, 0, 0});
    sim->refuseWrites(0x45);
    start();
    w().Break->click();
    EXPECT_FALSE(w().Break->isChecked());
    const auto sent = sentSinceStart();
    EXPECT_EQ(describe(sent), (Trace{"GetTxFlags", "SetTxFlags \"`\\x00\\x00\"", "GetTxFlags",
                                     "GetTxFlags", "SetTxFlags \"@\\x00\\x00\"", "GetTxFlags"}));
    EXPECT_EQ(sent[1].bytes, (std::vector<std::uint8_t>{0x60, 0, 0}));
    EXPECT_EQ(sent[4].bytes, (std::vector<std::uint8_t>{0x40, 0, 0}));
}

TEST_F(MainWindow, FlagUpdateWritesNothingWhenTheFirstReadFails) {
    start();
    sim->failCode(0x65, FaultKind::Fail);
    w().EMR->click();
    EXPECT_EQ(describe(sentSinceStart()), Trace{"GetTxFlags"});
}

TEST_F(MainWindow, CallsignRetryAfter50ms) {
    start();
    sim->failCode(0x43, FaultKind::Fail);
    w().RPT1CALL->setText("JR1YB");
    const auto sent = sentSinceStart();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(describe(sent[1]), "SetRpt1Call \"JR1YB   \"");
    EXPECT_GE(sent[1].time - sent[0].time, std::chrono::milliseconds(50));
}

TEST_F(MainWindow, CallerClickShowsWhatTheAdapterTook) {
    start();
    w().CallerCALL->setText("7M4XYZ  ");
    sim->refuseWrites(0x42); // the adapter keeps its old destination
    QTest::mouseClick(w().CallerCALL->viewport(), Qt::LeftButton);
    EXPECT_EQ(w().YourCALL->text(), "CQCQCQ  ");
    EXPECT_EQ(describe(sentSinceStart()), (Trace{"SetYourCall \"7M4XYZ  \"", "GetYourCall"}));
}

struct VersionCase {
    std::string version;
    bool endless;
    QString shown;
    std::size_t requests;
};

class VersionBox : public MainWindow, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(VersionBox, ShowsTheVersionText) {
    const VersionCase& c = GetParam();
    sim->setVersion(c.version, c.endless);
    start();
    w().PICVersion1->trigger();
    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_EQ(notifier.boxes[0].kind, "information");
    EXPECT_EQ(notifier.boxes[0].text, c.shown);
    EXPECT_EQ(sentSinceStart().size(), c.requests);
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, VersionBox,
    ::testing::Values(VersionCase{"Tamsel PIC 03.05 beta", false, "Tamsel PIC 03.05 beta", 3},
                      VersionCase{"0123456789ABCDEF", false, "0123456789ABCDEF", 3},
                      VersionCase{"", false, "", 1},
                      VersionCase{"ABCDEFGHIJ", true, QString("ABCDEFGHIJ").repeated(14).left(131),
                                  17}),
    [](const auto& info) {
        const VersionCase& c = info.param;
        return test::readableName((c.version.empty() ? std::string("empty") : c.version) +
                                      (c.endless ? " endless" : ""),
                                  info.index);
    });

TEST_F(MainWindow, AboutTextByteForByte) {
    start();
    w().About1->trigger();
    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_EQ(notifier.boxes[0].kind, "information");
    const QString text = notifier.boxes[0].text;
    EXPECT_TRUE(text.startsWith("             Tamsel V03.05\n")) << text.toStdString();
    EXPECT_EQ(text.count('\n'), 1);
    EXPECT_GT(text.size(), 27);
    EXPECT_TRUE(sentSinceStart().empty());
}

TEST_F(MainWindow, ActivationPutsTheFocusIntoTheDestination) {
    start();
    w().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    w().SendMSG->setFocus();
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    w().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    EXPECT_EQ(QApplication::focusWidget(), w().YourCALL);
}

TEST_F(MainWindow, ControlsCarryTheirAccessibleNames) {
    start();
    const std::vector<std::pair<QWidget*, QString>> names{
        {w().CallerCALL, "Caller Callsign"},
        {w().CallerCALL2, "Caller Callsign suffix"},
        {w().CalledCALL, "Called Callsign"},
        {w().MSG, "Received Message"},
        {w().DayTime, "Received Time"},
        {w().FlagInfo, "Flags Info."},
        {w().SendMSG, "Send Message"},
        {w().YourCALL, "Station Call"},
        {w().RPT1CALL, "Repeater 1"},
        {w().RPT2CALL, "Repeater 2"},
        {w().MyCALL, "My Call"},
        {w().MyCALL2, "My Call suffix"},
        {w().Volume, "Volume"},
        {w().Image1, "Logo"},
        {w().Repeater, "Repeater"},
        {w().Break, "Break"},
        {w().EMR, "EMR"}};
    for (const auto& [widget, name] : names) {
        EXPECT_EQ(widget->accessibleName(), name) << widget->objectName().toStdString();
    }
}

TEST_F(MainWindow, MenuCaptionsAndProperties) {
    start();
    QStringList captions;
    for (QAction* menu : w().menuBar()->actions()) {
        captions << menu->text();
        for (QAction* item : menu->menu()->actions()) {
            captions << item->text();
        }
    }
    EXPECT_EQ(captions, (QStringList{"&File",
                                     "&Save",
                                     "Log Contact...",
                                     "E&xit",
                                     "&Config",
                                     "&MyCALL/2 ",
                                     "&Default Setting",
                                     "&Preferences...",
                                     "C&all",
                                     "&Gateway CQ",
                                     "L&ocal CQ",
                                     "&Link Reflector...",
                                     "&Unlink",
                                     "&Info",
                                     "&Echo Test",
                                     "",
                                     "Call a &Station...",
                                     "&Route to a Repeater...",
                                     "",
                                     "Si&mplex",
                                     "Re&ply to Last Caller",
                                     "",
                                     "Use &Nearest Repeater",
                                     "&Window",
                                     "Received &History",
                                     "&Memory",
                                     "Heard &Stations",
                                     "Ma&p",
                                     "&Repeaters",
                                     "&Help",
                                     "&PIC Version",
                                     "&About..."}));
    EXPECT_FALSE(w().CalledCALL->isEnabled());
    EXPECT_FALSE(w().DayTime->isEnabled());
    EXPECT_FALSE(w().FlagInfo->isEnabled());
    EXPECT_TRUE(w().FlagInfo->isReadOnly());
    EXPECT_TRUE(w().MyCALL->isReadOnly());
    EXPECT_TRUE(w().MyCALL2->isReadOnly());
    EXPECT_TRUE(w().YourCALL->upperCase());
    EXPECT_FALSE(w().SendMSG->upperCase());
    EXPECT_EQ(w().Volume->minimum(), 0);
    EXPECT_EQ(w().Volume->maximum(), 255);
    EXPECT_EQ(w().pos(), QPoint(0, 0));
}

TEST_F(MainWindow, RendersAt546By281WithTheLogo) {
    start();
    const QImage shot = w().centralWidget()->grab().toImage();
    EXPECT_EQ(shot.size(), QSize(546, 281));
    const QRect logoArea = w().Image1->geometry();
    int dark = 0;
    for (int y = logoArea.top(); y <= logoArea.bottom(); y += 4) {
        for (int x = logoArea.left(); x <= logoArea.right(); x += 4) {
            dark += qGray(shot.pixel(x, y)) < 128;
        }
    }
    EXPECT_GT(dark, 100) << "the logo is drawn";
    // A reception in the fields, so the picture shows every control in use.
    w().CallerCALL->setText("7M4XYZ  ");
    w().CallerCALL2->setText("ID51");
    w().CalledCALL->setText("CQCQCQ  ");
    w().MSG->setText("Hello from Tokyo    ");
    w().DayTime->setText("2026/12/07 05:30:00");
    w().FlagInfo->setText("NULL");
    QDir().mkpath("screenshots");
    EXPECT_TRUE(w().grab().save("screenshots/main-window.png"));
}

} // namespace
} // namespace tamsel
