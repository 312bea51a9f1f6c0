// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the Call menu on the main window: request traces, refusals, dialogs, keyboard.
#include "calls/CallMenu.h"
#include "alerts/Alerting.h"
#include "heard/HeardStations.h"
#include "monitor/RadioHeader.h"
#include "settings/SettingsStore.h"
#include "support/CaseName.h"
#include "support/ConsoleFixture.h"

#include <QAccessible>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QShortcut>
#include <QSignalSpy>

namespace tamsel {
namespace {

using test::describe;
using Trace = std::vector<std::string>;

const std::string kSetFlag = "SetTxFlags \"@\\x00\\x00\"";
const std::string kClearFlag = "SetTxFlags \"\\x00\\x00\\x00\"";

class CallMenuFixture : public test::ConsoleFixture {
protected:
    // The adapter's header: CQ through the gateway of JR1YB B, flags as given.
    void startWith(const std::string& rpt1, std::uint8_t flags) {
        sim->setText(0x64, "JR1YB  G");
        sim->setText(0x63, rpt1);
        sim->setText(0x62, "CQCQCQ  ");
        sim->setText(0x60, "JA1ABC  ");
        sim->setValue(0x65, {flags, 0, 0});
        start();
    }
    CallMenu& menu() { return *Form1->findChild<CallMenu*>(); }

public:
    // Types into a dialog's field and presses Enter there.
    void answer(CallDialog::Kind kind, const char* text, const char* module = nullptr) {
        CallDialog* d = menu().dialog(kind);
        ASSERT_TRUE(d->isVisible());
        if (module != nullptr) {
            d->Module->setCurrentText(QString::fromLatin1(module));
        }
        d->Field->setText(QString::fromLatin1(text));
        QTest::keyClick(d->Field, Qt::Key_Return);
    }
};

struct ItemCase {
    const char* what;
    std::uint8_t flags;
    std::function<void(CallMenuFixture&, CallMenu&)> act;
    Trace sent;
    const char *your, *rpt1, *rpt2;
};

class CallItemTrace : public CallMenuFixture, public ::testing::WithParamInterface<ItemCase> {};

TEST_P(CallItemTrace, OneRequestPerChangedFieldThenTheFlag) {
    const ItemCase& c = GetParam();
    startWith("JR1YB  B", c.flags);
    c.act(*this, menu());
    EXPECT_EQ(describe(sentSinceStart()), c.sent) << c.what;
    EXPECT_EQ(Form1->YourCALL->text(), c.your);
    EXPECT_EQ(Form1->RPT1CALL->text(), c.rpt1);
    EXPECT_EQ(Form1->RPT2CALL->text(), c.rpt2);
    EXPECT_EQ(Form1->Repeater->isChecked(), std::string(c.rpt1) != "DIRECT  ");
    EXPECT_TRUE(notifier.boxes.empty());
}

const Trace kFlagOn{"GetTxFlags", kSetFlag, "GetTxFlags"};
Trace withFlag(Trace fields) {
    fields.insert(fields.end(), kFlagOn.begin(), kFlagOn.end());
    return fields;
}

INSTANTIATE_TEST_SUITE_P(
    CallMenu, CallItemTrace,
    ::testing::Values(
        ItemCase{"gateway CQ where everything but the flag already stands", 0x00,
                 [](auto&, CallMenu& m) { m.GatewayCQ1->trigger(); }, kFlagOn, "CQCQCQ  ",
                 "JR1YB  B", "JR1YB  G"},
        ItemCase{"gateway CQ where all already stands sends nothing",
                 0x40,
                 [](auto&, CallMenu& m) { m.GatewayCQ1->trigger(); },
                 {},
                 "CQCQCQ  ",
                 "JR1YB  B",
                 "JR1YB  G"},
        ItemCase{"local CQ", 0x00, [](auto&, CallMenu& m) { m.LocalCQ1->trigger(); },
                 withFlag({"SetRpt2Call \"JR1YB  B\""}), "CQCQCQ  ", "JR1YB  B", "JR1YB  B"},
        ItemCase{"unlink",
                 0x40,
                 [](auto&, CallMenu& m) { m.Unlink1->trigger(); },
                 {"SetYourCall \"       U\""},
                 "       U",
                 "JR1YB  B",
                 "JR1YB  G"},
        ItemCase{"info",
                 0x40,
                 [](auto&, CallMenu& m) { m.Info1->trigger(); },
                 {"SetYourCall \"       I\""},
                 "       I",
                 "JR1YB  B",
                 "JR1YB  G"},
        ItemCase{"echo test", 0x00, [](auto&, CallMenu& m) { m.EchoTest1->trigger(); },
                 withFlag({"SetYourCall \"       E\""}), "       E", "JR1YB  B", "JR1YB  G"},
        ItemCase{"link REF30 on module C", 0x00,
                 [](CallMenuFixture& f, CallMenu& m) {
                     m.LinkReflector1->trigger();
                     f.answer(CallDialog::Kind::Reflector, "ref30", "C");
                 },
                 withFlag({"SetYourCall \"REF030CL\""}), "REF030CL", "JR1YB  B", "JR1YB  G"},
        ItemCase{"call a station",
                 0x40,
                 [](CallMenuFixture& f, CallMenu& m) {
                     m.CallStation1->trigger();
                     f.answer(CallDialog::Kind::Station, "dl1abc");
                 },
                 {"SetYourCall \"DL1ABC  \""},
                 "DL1ABC  ",
                 "JR1YB  B",
                 "JR1YB  G"},
        ItemCase{"route to a repeater",
                 0x40,
                 [](CallMenuFixture& f, CallMenu& m) {
                     m.RouteRepeater1->trigger();
                     f.answer(CallDialog::Kind::Repeater, "jp1yiu", "A");
                 },
                 {"SetYourCall \"/JP1YIUA\""},
                 "/JP1YIUA",
                 "JR1YB  B",
                 "JR1YB  G"},
        ItemCase{"simplex clears the flag",
                 0x40,
                 [](auto&, CallMenu& m) { m.Simplex1->trigger(); },
                 {"SetRpt1Call \"DIRECT  \"", "SetRpt2Call \"DIRECT  \"", "GetTxFlags", kClearFlag,
                  "GetTxFlags"},
                 "CQCQCQ  ",
                 "DIRECT  ",
                 "DIRECT  "}),
    test::ByWhat());

TEST_F(CallMenuFixture, WithoutARepeaterEveryRepeaterItemRefusesAndSendsNothing) {
    for (const char* rpt1 : {"        ", "DIRECT  "}) {
        SCOPED_TRACE(rpt1);
        startWith(rpt1, 0x00);
        CallMenu& m = menu();
        const QList<QAction*> items{m.GatewayCQ1, m.LocalCQ1,  m.LinkReflector1, m.Unlink1,
                                    m.Info1,      m.EchoTest1, m.CallStation1,   m.RouteRepeater1};
        for (QAction* item : items) {
            item->trigger();
        }
        EXPECT_TRUE(sentSinceStart().empty()) << describe(sentSinceStart()).front();
        ASSERT_EQ(notifier.boxes.size(), static_cast<std::size_t>(items.size()));
        for (const auto& box : notifier.boxes) {
            EXPECT_EQ(box.text, "Choose your repeater first: Repeater 1 holds none.");
        }
        for (auto kind : {CallDialog::Kind::Reflector, CallDialog::Kind::Station}) {
            EXPECT_FALSE(m.dialog(kind)->isVisible());
        }
        notifier.boxes.clear();
        console.reset();
    }
}

// After Simplex, the repeater items go back through the repeater Repeater 1 held last, each
// field sent by its own change handler; the last repeater is kept across restarts.
TEST_F(CallMenuFixture, AfterSimplexTheRepeaterItemsReturnToTheLastRepeater) {
    startWith("JR1YB  B", 0x40);
    const struct {
        const char* what;
        std::function<void(CallMenuFixture&, CallMenu&)> act;
        Trace sent;
    } cases[] = {
        {"gateway CQ", [](auto&, CallMenu& m) { m.GatewayCQ1->trigger(); },
         withFlag({"SetRpt1Call \"JR1YB  B\"", "SetRpt2Call \"JR1YB  G\""})},
        {"local CQ", [](auto&, CallMenu& m) { m.LocalCQ1->trigger(); },
         withFlag({"SetRpt1Call \"JR1YB  B\"", "SetRpt2Call \"JR1YB  B\""})},
        {"call a station via the gateway",
         [](CallMenuFixture& f, CallMenu& m) {
             m.CallStation1->trigger();
             f.answer(CallDialog::Kind::Station, "dl1abc");
         },
         withFlag(
             {"SetYourCall \"DL1ABC  \"", "SetRpt1Call \"JR1YB  B\"", "SetRpt2Call \"JR1YB  G\""})},
        {"link a reflector",
         [](CallMenuFixture& f, CallMenu& m) {
             m.LinkReflector1->trigger();
             f.answer(CallDialog::Kind::Reflector, "xlx307", "B");
         },
         withFlag(
             {"SetYourCall \"XLX307BL\"", "SetRpt1Call \"JR1YB  B\"", "SetRpt2Call \"JR1YB  G\""})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        menu().Simplex1->trigger();
        ASSERT_EQ(Form1->RPT1CALL->text(), "DIRECT  ");
        sim->clearTrace();
        c.act(*this, menu());
        EXPECT_EQ(describe(sim->mainTrace()), c.sent);
        EXPECT_TRUE(Form1->Repeater->isChecked());
        EXPECT_TRUE(notifier.boxes.empty());
    }

    // A new console on an adapter left at DIRECT knows the repeater from the settings file.
    menu().Simplex1->trigger();
    EXPECT_EQ(console->settings()->text(QStringLiteral("calls/repeater"), {}).value, "JR1YB  B");
    console.reset();
    start();
    ASSERT_EQ(Form1->RPT1CALL->text(), "DIRECT  ");
    menu().EchoTest1->trigger();
    EXPECT_EQ(describe(sentSinceStart()),
              withFlag({"SetYourCall \"       E\"", "SetRpt1Call \"JR1YB  B\"",
                        "SetRpt2Call \"JR1YB  G\""}));
}

// A repeater typed with one blank is that repeater and module: it takes its 8-place form
// when the operator leaves the field, becomes the last repeater, and the calls go through it.
TEST_F(CallMenuFixture, Repeater1TypedWithOneBlankIsThatRepeater) {
    startWith("JR1YB  B", 0x40);
    Form1->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    Form1->RPT1CALL->setFocus();
    Form1->RPT1CALL->selectAll();
    sim->clearTrace();
    QTest::keyClicks(Form1->RPT1CALL, QStringLiteral("jp1yiu a"));
    EXPECT_EQ(Form1->RPT1CALL->text(), "JP1YIU A") << "all 8 places typed";
    Form1->RPT1CALL->selectAll();
    QTest::keyClicks(Form1->RPT1CALL, QStringLiteral("jr1yb c"));
    ASSERT_EQ(Form1->RPT1CALL->text(), "JR1YB C");
    EXPECT_EQ(describe(sim->mainTrace()).back(), "SetRpt1Call \"JR1YB C \"") << "as typed";
    QTest::keyClick(Form1->RPT1CALL, Qt::Key_Tab);
    EXPECT_EQ(Form1->RPT1CALL->text(), "JR1YB  C");
    EXPECT_EQ(describe(sim->mainTrace()).back(), "SetRpt1Call \"JR1YB  C\"");
    EXPECT_EQ(menu().lastRepeater(), "JR1YB  C");
    EXPECT_EQ(console->settings()->text(QStringLiteral("calls/repeater"), {}).value, "JR1YB  C");

    // Typed so and not left, the Call menu reads it the same way.
    Form1->RPT1CALL->setText(QStringLiteral("JP1YIU A"));
    Form1->RPT1CALL->setText(QStringLiteral("JR1YB B"));
    sim->clearTrace();
    menu().LocalCQ1->trigger();
    EXPECT_EQ(describe(sim->mainTrace()),
              (Trace{"SetRpt1Call \"JR1YB  B\"", "SetRpt2Call \"JR1YB  B\""}));
    EXPECT_TRUE(notifier.boxes.empty());
}

TEST_F(CallMenuFixture, DialogsRefuseWhatIsNoTargetAndStayOpen) {
    startWith("JR1YB  B", 0x40);
    const struct {
        QAction* CallMenu::*item;
        CallDialog::Kind kind;
        const char* text;
    } cases[] = {{&CallMenu::LinkReflector1, CallDialog::Kind::Reflector, "RF030"},
                 {&CallMenu::LinkReflector1, CallDialog::Kind::Reflector, "REF0301"},
                 {&CallMenu::CallStation1, CallDialog::Kind::Station, "DL-ABC"},
                 {&CallMenu::CallStation1, CallDialog::Kind::Station, ""},
                 {&CallMenu::RouteRepeater1, CallDialog::Kind::Repeater, "JR"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        (menu().*c.item)->trigger();
        answer(c.kind, c.text);
        CallDialog* d = menu().dialog(c.kind);
        EXPECT_TRUE(d->isVisible());
        EXPECT_FALSE(d->Problem->isHidden());
        EXPECT_FALSE(d->Problem->text().isEmpty());
        d->reject();
    }
    EXPECT_TRUE(sentSinceStart().empty());
    EXPECT_TRUE(notifier.boxes.empty());
}

// A refusal shows whole at every common font size, the dialog growing round it, and a screen
// reader reads its words.
TEST_F(CallMenuFixture, RefusalsShowWholeAndReadAsTheirWords) {
    const QFont font = QApplication::font();
    const struct {
        QAction* CallMenu::*item;
        CallDialog::Kind kind;
        const char* text;
    } cases[] = {{&CallMenu::LinkReflector1, CallDialog::Kind::Reflector, "RF030"},
                 {&CallMenu::CallStation1, CallDialog::Kind::Station, "DL-ABC"}};
    for (const int points : {9, 11, 12}) {
        QFont sized = font;
        sized.setPointSize(points);
        QApplication::setFont(sized);
        startWith("JR1YB  B", 0x40);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::to_string(points) + " pt, " + c.text);
            (menu().*c.item)->trigger();
            CallDialog* d = menu().dialog(c.kind);
            ASSERT_TRUE(QTest::qWaitForWindowExposed(d));
            answer(c.kind, c.text);
            QLabel* problem = d->Problem;
            ASSERT_TRUE(problem->isVisible());
            ASSERT_FALSE(problem->text().isEmpty());
            // Laid out once the window system has grown the dialog: the words' height at the
            // label's width, the buttons below them, all within the dialog.
            const auto laidOut = [&] {
                return problem->height() >= problem->heightForWidth(problem->width()) &&
                       problem->geometry().bottom() < d->Buttons->geometry().top() &&
                       d->rect().contains(d->Buttons->geometry());
            };
            EXPECT_TRUE(test::waitFor(laidOut))
                << problem->height() << " high, " << problem->heightForWidth(problem->width())
                << " needed at " << problem->width() << " wide; buttons at "
                << d->Buttons->geometry().top() << " in " << d->height();
            EXPECT_GE(problem->width(), problem->minimumSizeHint().width());
            EXPECT_TRUE(d->rect().contains(problem->geometry()));
            EXPECT_GE(problem->x(), d->layout()->contentsMargins().left());

            QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(problem);
            EXPECT_EQ(spoken->text(QAccessible::Name).toStdString(), problem->text().toStdString());
            QAccessibleInterface* field = QAccessible::queryAccessibleInterface(d->Field);
            EXPECT_EQ(field->text(QAccessible::Description).toStdString(),
                      problem->text().toStdString())
                << "read with the field that has the keyboard";
            d->reject();
        }
        console.reset();
    }
    QApplication::setFont(font);
}

TEST_F(CallMenuFixture, LinkedReflectorsAreOfferedNewestFirstAndReported) {
    startWith("JR1YB  B", 0x40);
    CallMenu& m = menu();
    m.setRecentReflectors({"XRF757 A", "REF1234", "REF30 c", "hello world", "XRF757 A"});
    EXPECT_EQ(m.recentReflectors(), (QStringList{"XRF757 A", "REF030 C"}));
    QSignalSpy changed(&m, &CallMenu::recentReflectorsChanged);
    m.LinkReflector1->trigger();
    CallDialog* d = m.dialog(CallDialog::Kind::Reflector);
    ASSERT_GE(d->Names->count(), 3);
    EXPECT_EQ(d->Names->itemText(0), "XRF757 A");
    EXPECT_EQ(d->Names->itemText(1), "REF030 C");
    EXPECT_EQ(d->Names->itemText(2), "REF001") << "the shipped list follows";
    // Choosing a recent one brings its module.
    d->Names->setCurrentIndex(1);
    EXPECT_EQ(d->Module->currentText(), "C");
    QTest::keyClick(d->Field, Qt::Key_Return);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(Form1->YourCALL->text(), "REF030CL");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toStringList(), (QStringList{"REF030 C", "XRF757 A"}));

    // Kept in the settings file, and offered again by the next console.
    EXPECT_EQ(console->settings()->text(QStringLiteral("calls/recent"), {}).value,
              "REF030 C,XRF757 A");
    console.reset();
    console = std::make_unique<Console>(*sim, notifier);
    EXPECT_EQ(menu().recentReflectors(), (QStringList{"REF030 C", "XRF757 A"}));
}

using test::header;

TEST_F(CallMenuFixture, ReplyAnswersTheLastReceptionTheWayItCame) {
    startWith("JR1YB  B", 0x40);
    menu().Reply1->trigger();
    ASSERT_EQ(notifier.boxes.size(), 1u) << "nothing heard yet";
    EXPECT_TRUE(sentSinceStart().empty());
    const struct {
        ScriptedReception reception;
        Trace sent;
    } cases[] = {
        {header("JR1YB  G", "JR1YB  B", "JA1ABC  ", "DL1ABC  "), {"SetYourCall \"DL1ABC  \""}},
        {header("JR1YB  G", "JR1YB  B", "CQCQCQ  ", "DL1ABC  "), {"SetYourCall \"CQCQCQ  \""}},
        {header("JR1YB  B", "JR1YB  B", "CQCQCQ  ", "JA2XYZ  "),
         {"SetYourCall \"JA2XYZ  \"", "SetRpt2Call \"JR1YB  B\""}},
        // A local station's gateway CQ is answered through the gateway too.
        {header("JR1YB  B", "JR1YB  G", "CQCQCQ  ", "JA4XYZ  "),
         {"SetYourCall \"CQCQCQ  \"", "SetRpt2Call \"JR1YB  G\""}},
        {header("DIRECT  ", "DIRECT  ", "CQCQCQ  ", "JA3XYZ  "),
         {"SetYourCall \"JA3XYZ  \"", "SetRpt1Call \"DIRECT  \"", "SetRpt2Call \"DIRECT  \"",
          "GetTxFlags", kClearFlag, "GetTxFlags"}},
    };
    for (const auto& c : cases) {
        receive({c.reception});
        sim->clearTrace();
        menu().Reply1->trigger();
        EXPECT_EQ(describe(sim->mainTrace()), c.sent);
    }
}

// Reply on the Call menu, on a notification and in Heard Stations answer a header alike.
TEST_F(CallMenuFixture, EveryReplyAnswersTheWayTheHeaderCame) {
    using Path = std::function<void(Console&, const StationReport&)>;
    const struct {
        const char* what;
        Path reply;
    } paths[] = {
        {"Call menu", [this](Console&, const StationReport&) { menu().Reply1->trigger(); }},
        {"notification",
         [](Console& c, const StationReport& last) { emit c.alerting()->replyRequested(last); }},
        {"Heard Stations",
         [](Console& c, const StationReport&) {
             c.heardStations()->replyTo(c.heardStations()->model()->index(0, 0));
         }},
    };
    const struct {
        const char* what;
        ScriptedReception reception;
        Trace sent;
    } headers[] = {
        {"a local station's gateway CQ",
         header("JR1YB  B", "JR1YB  G", "CQCQCQ  ", "JA4XYZ  "),
         {"SetYourCall \"CQCQCQ  \"", "SetRpt2Call \"JR1YB  G\""}},
        {"relayed by a hotspot, flag clear",
         header("JR1YB  B", "JR1YB  B", "CQCQCQ  ", "JA4XYZ  "),
         {"SetYourCall \"JA4XYZ  \""}},
    };
    startWith("JR1YB  B", 0x40);
    for (const auto& h : headers) {
        for (const auto& p : paths) {
            SCOPED_TRACE(std::string(h.what) + " answered from the " + p.what);
            Form1->YourCALL->setText(QStringLiteral("JA1ZZZ  "));
            Form1->RPT2CALL->setText(QStringLiteral("JR1YB  B"));
            receive({h.reception});
            HeardStationsModel* heard = console->heardStations()->model();
            ASSERT_EQ(heard->index(0, HeardStationsModel::Callsign).data().toString(), "JA4XYZ");
            sim->clearTrace();
            p.reply(*console, lastReception(heard->station(0)));
            EXPECT_EQ(describe(sim->mainTrace()), h.sent);
            EXPECT_TRUE(notifier.boxes.empty());
        }
    }
}

TEST_F(CallMenuFixture, MenuWorksByKeyboardAlone) {
    startWith("JR1YB  B", 0x40);
    Form1->show();
    Form1->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    // Alt+A opens the menu; its access keys choose the items.
    QTest::keyClick(Form1, Qt::Key_A, Qt::AltModifier);
    ASSERT_TRUE(test::waitFor([this] { return QApplication::activePopupWidget() == &menu(); }));
    QTest::keyClick(&menu(), Qt::Key_O);
    EXPECT_EQ(Form1->RPT2CALL->text(), "JR1YB  B") << "Local CQ";
    ASSERT_TRUE(test::waitFor([] { return QApplication::activePopupWidget() == nullptr; }));
    QTest::keyClick(Form1, Qt::Key_A, Qt::AltModifier);
    ASSERT_TRUE(test::waitFor([this] { return QApplication::activePopupWidget() == &menu(); }));
    QTest::keyClick(&menu(), Qt::Key_S);
    CallDialog* station = menu().dialog(CallDialog::Kind::Station);
    ASSERT_TRUE(test::waitFor([station] { return QApplication::focusWidget() == station->Field; }));
    QTest::keyClicks(QApplication::focusWidget(), "dl1abc");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Form1->YourCALL->text(), "DL1ABC  ");
    EXPECT_FALSE(station->isVisible());
    Form1->activateWindow(); // the offscreen platform does not hand it back by itself
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));

    // The shortcuts work from the header fields, whose own keys they leave alone.
    const struct {
        QKeySequence keys;
        const char* your;
        const char* rpt2;
    } shortcuts[] = {{QKeySequence(Qt::CTRL | Qt::Key_T), "       E", "JR1YB  G"},
                     {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L), "       U", "JR1YB  G"},
                     {QKeySequence(Qt::CTRL | Qt::Key_G), "CQCQCQ  ", "JR1YB  G"}};
    for (TEdit* edit : {Form1->YourCALL, Form1->SendMSG}) {
        for (const auto& s : shortcuts) {
            Form1->RPT2CALL->setText(QStringLiteral("JR1YB  B"));
            edit->setFocus();
            const QKeyCombination key = s.keys[0];
            QTest::keyClick(edit, key.key(), key.keyboardModifiers());
            EXPECT_EQ(Form1->YourCALL->text(), s.your) << s.keys.toString().toStdString();
            EXPECT_EQ(Form1->RPT2CALL->text(), s.rpt2) << s.keys.toString().toStdString();
        }
    }
    Form1->YourCALL->setFocus();
    QTest::keyClick(Form1->YourCALL, Qt::Key_R, Qt::ControlModifier);
    CallDialog* link = menu().dialog(CallDialog::Kind::Reflector);
    ASSERT_TRUE(test::waitFor([link] { return link->isVisible(); }));
    QTest::keyClick(link, Qt::Key_Escape);
    EXPECT_FALSE(link->isVisible());
}

TEST_F(CallMenuFixture, ShortcutsClashWithNoOtherShortcut) {
    startWith("JR1YB  B", 0x40);
    QList<QKeySequence> ours, others;
    for (QAction* item : menu().actions()) {
        if (!item->shortcut().isEmpty()) {
            ours << item->shortcut();
        }
    }
    EXPECT_EQ(ours.size(), 4);
    for (QWidget* w : QApplication::allWidgets()) {
        for (QAction* a : w->actions()) {
            if (a->parent() != &menu() && !a->shortcut().isEmpty()) {
                others << a->shortcut();
            }
        }
        for (QShortcut* s : w->findChildren<QShortcut*>(Qt::FindDirectChildrenOnly)) {
            others << s->key();
        }
    }
    EXPECT_GE(others.size(), 2) << "the other windows' shortcuts were found";
    for (const QKeySequence& key : ours) {
        EXPECT_EQ(ours.count(key), 1) << key.toString().toStdString();
        EXPECT_FALSE(others.contains(key)) << key.toString().toStdString();
    }
}

} // namespace
} // namespace tamsel
