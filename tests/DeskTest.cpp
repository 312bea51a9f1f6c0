// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of daily use at the desk: focus, typing limits, keyboard, contrast, fonts, placement.
#include "dialogs/Unit3.h"
#include "dialogs/Unit6.h"
#include "history/Unit5.h"
#include "memory/MemoryFile.h"
#include "memory/Unit12.h"
#include "memory/Unit4.h"
#include "support/ConsoleFixture.h"
#include "widgets/CallsignFont.h"
#include "widgets/Contrast.h"
#include "widgets/Foreground.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QClipboard>
#include <QEnterEvent>
#include <QFontDatabase>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QRasterWindow>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>

namespace tamsel {
namespace {

using test::waitFor;

class Desk : public test::ConsoleFixture {
protected:
    void TearDown() override {
        applicationHasFocus = programHasFocus;
        QApplication::setFont(QFont());
        QApplication::setPalette(QPalette());
        test::ConsoleFixture::TearDown();
    }
};

// The pointer crossing the main window while another program has the keyboard: the window
// comes to the front, the keyboard stays where it was. Among our windows, as before.
TEST_F(Desk, PointerTakesTheKeyboardOnlyFromOurOwnWindows) {
    for (const bool ours : {false, true}) {
        SCOPED_TRACE(ours ? "focus in our program" : "focus in another program");
        start();
        Form1->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
        QRasterWindow other; // stands for the other program's window
        other.resize(100, 100);
        other.show();
        other.requestActivate();
        ASSERT_TRUE(waitFor([&] { return QGuiApplication::focusWindow() == &other; }));
        applicationHasFocus = ours ? +[] { return true; } : +[] { return false; };
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(Form1, &enter);
        QCoreApplication::processEvents();
        if (ours) {
            EXPECT_TRUE(waitFor([] { return Form1->isActiveWindow(); }));
        } else {
            QTest::qWait(50); // give a wrong activation the time to happen
            EXPECT_EQ(QGuiApplication::focusWindow(), &other);
            EXPECT_FALSE(Form1->YourCALL->hasFocus());
        }
        console.reset();
    }
}

// The memory search opens beside the memory window and clear of the main window; the main
// window, activated by the operator with the pointer crossing into it before the
// activation arrives, keeps the keyboard.
TEST_F(Desk, TheMainWindowActivatedOverTheSearchKeepsTheKeyboard) {
    start();
    const QRect room = Form1->screen()->availableGeometry();
    Form1->move(room.topLeft());
    Form1->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    applicationHasFocus = +[] { return true; };
    Form1->Memory1->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form3));
    emit Form3->searchRequested();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form12));
    EXPECT_FALSE(Form12->frameGeometry().intersects(Form1->frameGeometry()));

    Form1->activateWindow(); // arrives after the pointer's entering
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(Form1, &enter);
    const auto* rule = qApp->findChild<QTimer*>(QStringLiteral("PointerRule"));
    EXPECT_TRUE(waitFor([rule] { return rule == nullptr || !rule->isActive(); }));
    QCoreApplication::processEvents();
    EXPECT_TRUE(Form1->isActiveWindow());
    EXPECT_TRUE(Form1->YourCALL->hasFocus());
}

TEST_F(Desk, TypingStopsAtWhatIsSent) {
    start();
    Form1->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    const struct {
        TEdit* edit;
        const char* typed;
        const char* shown;
    } cases[] = {{Form1->YourCALL, "599", "CQCQCQ 5"}, // a padding blank gives way to the 5
                 {Form1->RPT1CALL, "ABCDEFGHIJ", "ABCDEFGH"},
                 {Form1->SendMSG, "a message that is too long", "a message that is to"},
                 {Form2->mycallsign, "ja1abcdefg", "ja1abcde"},
                 {Form2->mycallsign2, "id51x", "id51"}};
    Form1->YourCALL->setText(QStringLiteral("CQCQCQ  "));
    for (const auto& c : cases) {
        if (c.edit != Form1->YourCALL) {
            c.edit->clear();
        }
        c.edit->end(false);
        QTest::keyClicks(c.edit, QString::fromLatin1(c.typed));
        EXPECT_EQ(c.edit->text(), QString::fromLatin1(c.shown)) << c.typed;
    }
    EXPECT_EQ(test::describe(sim->mainTrace()).back(), "SetTxMessage \"a message that is to\"");
}

// Only padding (the blanks a field held before the operator typed) gives way to what is
// typed next, never a blank the operator just typed: typing on where the field is full
// stops at the limit, with the typed blank kept.
TEST_F(Desk, TypedBlanksAreNoPadding) {
    start();
    Form1->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    const struct {
        TEdit* edit;
        QString before;
        int cursor;
        const char* typed;
        const char* shown;
        const char* sent; // the last request
    } cases[] = {
        {Form1->SendMSG, QString(20, ' '), 0, "Hello, fast typing! 12345", "Hello, fast typing! ",
         "SetTxMessage \"Hello, fast typing! \""},
        {Form1->SendMSG, QStringLiteral("QRV                 "), 3, "  on 439",
         "QRV  on 439         ", "SetTxMessage \"QRV  on 439         \""},
        {Form1->YourCALL, QString(8, ' '), 0, "ja1 abcde", "JA1 ABCD", "SetYourCall \"JA1 ABCD\""},
        {Form1->YourCALL, QString(8, ' '), 0, "a  b  c d", "A  B  C ", "SetYourCall \"A  B  C \""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        c.edit->setText(c.before);
        c.edit->setFocus();
        c.edit->setCursorPosition(c.cursor);
        QTest::keyClicks(c.edit, QString::fromLatin1(c.typed));
        EXPECT_EQ(c.edit->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(test::describe(sim->mainTrace()).back(), c.sent);
    }
    // Padding still gives way, also once a blank was typed before it.
    Form1->SendMSG->setText(QString(20, ' '));
    Form1->SendMSG->home(false);
    QTest::keyClicks(Form1->SendMSG, QStringLiteral("73 "));
    sim->clearTrace();
    QTest::keyClicks(Form1->SendMSG, QStringLiteral("de JA1ABC"));
    EXPECT_EQ(Form1->SendMSG->text(), "73 de JA1ABC        ");
    // One request a character, but none for the blank: in place of padding, it sends the
    // same bytes.
    EXPECT_EQ(test::describe(sim->mainTrace()).size(), 8u);
}

TEST_F(Desk, TabFollowsTheScreenAndVolumeTakesTheArrows) {
    start();
    Form1->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    Form1->SendMSG->setFocus();
    std::vector<QString> order{Form1->SendMSG->accessibleName()};
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order.push_back(QApplication::focusWidget()->accessibleName());
    }
    EXPECT_EQ(order,
              (std::vector<QString>{"Send Message", "Station Call", "Repeater 1", "Repeater 2",
                                    "My Call", "My Call suffix", "Repeater", "Break", "EMR"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), Form1->Volume);
    sim->clearTrace();
    const int before = Form1->Volume->value();
    QTest::keyClick(Form1->Volume, before < 255 ? Qt::Key_Down : Qt::Key_Up);
    EXPECT_NE(Form1->Volume->value(), before);
    EXPECT_EQ(
        test::describe(sim->mainTrace()),
        std::vector<std::string>{"SetVolume " + std::to_string(255 - Form1->Volume->value())});
}

TEST_F(Desk, EscapeEnterSearchMarkPlacementAndTitledBoxes) {
    start();
    Form1->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    // Escape hides each secondary window, as its close button does.
    for (QWidget* w : std::initializer_list<QWidget*>{Form3, Form4, Form11, Form12}) {
        showWindow(w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(w)) << w->windowTitle().toStdString();
        QTest::keyClick(w, Qt::Key_Escape);
        EXPECT_FALSE(w->isVisible()) << w->windowTitle().toStdString();
    }
    // Opened from the menu, a window stands beside the main window, not over its corner.
    Form1->Memory1->trigger();
    EXPECT_FALSE(Form3->frameGeometry().intersects(Form1->frameGeometry()));
    // Enter on a history line replies, as a double-click does.
    Form4->appendLine("2026/12/08 10:00:00 JA1XYZ   ID51 CQCQCQ   hello");
    Form4->History->selectRow(0);
    QTest::keyClick(Form4->History, Qt::Key_Return);
    EXPECT_EQ(Form1->YourCALL->text(), "JA1XYZ  ");
    // A search hit is marked with a tint and not selected: nothing is applied.
    const std::string memory = "One      CQCQCQ   JR1YB  B JR1YB  G\nTwo      JA1ABC   JR1YB  B\n";
    ByteBuffer bytes(memory.begin(), memory.end());
    MemoryLines split = splitLines(std::move(bytes));
    Form3->Memory->replaceAll(std::move(split.bytes), std::move(split.starts), true);
    sim->clearTrace();
    Form12->SearchKey->setText(QStringLiteral("JA1ABC"));
    Form12->SearchKeyKeyPress('\r');
    EXPECT_EQ(Form3->Memory->markedRow(), 1);
    EXPECT_EQ(Form3->Memory->currentRow(), -1);
    EXPECT_TRUE(sim->mainTrace().empty());
    // The settings dialog's boxes keep their texts and name the field in their titles.
    Form11->Delay->setText(QStringLiteral("x"));
    Form11->KeepAlive->setText(QStringLiteral("x"));
    Form11->Save1Click();
    ASSERT_EQ(notifier.boxes.size(), 2u);
    EXPECT_EQ(notifier.boxes[0].text, "Invalid character");
    EXPECT_EQ(notifier.boxes[0].title, "Delay Time");
    EXPECT_EQ(notifier.boxes[1].title, "Keep Alive");
}

// Every text against the background it is drawn on, in a light and a dark theme.
TEST_F(Desk, EveryTextReadableInLightAndDarkThemes) {
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    const std::pair<const char*, QPalette> themes[] = {{"light", fusion->standardPalette()},
                                                       {"dark", darkPalette()}};
    double lowest = 21;
    for (const auto& [name, palette] : themes) {
        SCOPED_TRACE(name);
        QApplication::setPalette(palette);
        start();
        std::vector<std::pair<QWidget*, QPalette::ColorRole>> texts;
        for (QWidget* w : Form1->centralwidget->findChildren<QWidget*>()) {
            if (qobject_cast<QLabel*>(w) != nullptr && w != Form1->Image1) {
                texts.push_back({w, QPalette::Window});
            } else if (qobject_cast<QLineEdit*>(w) != nullptr || qobject_cast<TMemo*>(w)) {
                texts.push_back({w, QPalette::Base});
            } else if (qobject_cast<QCheckBox*>(w) != nullptr) {
                texts.push_back({w, QPalette::Window});
            }
        }
        texts.push_back({Form4->StaticText1, QPalette::Window});
        texts.push_back({Form4->History, QPalette::Base});
        for (const auto& [w, background] : texts) {
            const QPalette::ColorGroup group =
                w->isEnabled() ? QPalette::Active : QPalette::Disabled;
            const QPalette& p = w->palette();
            const QPalette::ColorRole text =
                background == QPalette::Base ? QPalette::Text : QPalette::WindowText;
            const double ratio = contrastRatio(p.color(group, text), p.color(group, background));
            lowest = std::min(lowest, ratio);
            EXPECT_GE(ratio, 4.5) << w->objectName().toStdString();
        }
        console.reset();
    }
    std::printf("[ contrast ] lowest ratio: %.2f:1\n", lowest);
}

// From 9 to 12 pt nothing in the main window is clipped and nothing overlaps.
TEST_F(Desk, MainWindowFitsItsFontFrom9To12Points) {
    for (const int points : {9, 10, 11, 12}) {
        SCOPED_TRACE(points);
        QFont font = QApplication::font();
        font.setPointSize(points);
        QApplication::setFont(font);
        start();
        const auto children =
            Form1->centralwidget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (QWidget* w : children) {
            if (qobject_cast<QLabel*>(w) != nullptr || qobject_cast<QCheckBox*>(w) != nullptr) {
                if (w != Form1->Image1) {
                    EXPECT_LE(w->sizeHint().width(), w->width()) << w->objectName().toStdString();
                }
            } else if (qobject_cast<QLineEdit*>(w) != nullptr || qobject_cast<TMemo*>(w)) {
                EXPECT_LE(QFontMetrics(w->font()).height(), w->height())
                    << w->objectName().toStdString();
            }
            for (QWidget* other : children) {
                if (other != w && other->isVisible() && w->isVisible()) {
                    EXPECT_FALSE(w->geometry().intersects(other->geometry()))
                        << w->objectName().toStdString() << " and "
                        << other->objectName().toStdString();
                }
            }
        }
        EXPECT_GE(Form1->centralwidget->width(), 546);
        console.reset();
    }
}

// Typing, the context menu's Paste, drag and drop and an input method's commit all end in
// the same text: padding blanks at the end give way first, then what does not fit is not
// taken. The last request sent shows what reached the adapter ("": nothing).
TEST_F(Desk, EveryWayTextGetsInKeepsTheLimit) {
    start();
    Form1->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    enum class Way { Keys, Paste, Drop, InputMethod };
    TEdit* const your = Form1->YourCALL;
    TEdit* const rpt1 = Form1->RPT1CALL;
    const QString kanji = QStringLiteral("ＣＱ　こちらは東京の局です、どうぞよろしく");
    const struct {
        Way way;
        TEdit* edit;
        QString before;
        int cursor; // -1: at the end
        QString in, after;
        std::string sent;
    } cases[] = {
        {Way::Keys, your, "CQCQCQ  ", 6, "REF030CL", "CQCQCQRE", "SetYourCall \"CQCQCQRE\""},
        {Way::Keys, your, "CQCQCQ  ", -1, "xyz", "CQCQCQ X", "SetYourCall \"CQCQCQ X\""},
        {Way::Keys, rpt1, "JR1YB   ", -1, "B", "JR1YB  B", "SetRpt1Call \"JR1YB  B\""},
        {Way::Keys, rpt1, "JR1YB  B", 5, " ", "JR1YB  B", ""}, // inner blanks are no padding
        {Way::Paste, your, "", 0, "JA1ABC/P and more", "JA1ABC/P", "SetYourCall \"JA1ABC/P\""},
        {Way::Paste, your, "CQCQCQ  ", 0, "JA1", "JACQCQCQ", "SetYourCall \"JACQCQCQ\""},
        {Way::Paste, Form1->SendMSG, QString(20, ' '), 0, "QRV on 439.01, 73 de JA1ABC",
         "QRV on 439.01, 73 de", "SetTxMessage \"QRV on 439.01, 73 de\""},
        {Way::Drop, rpt1, "JP1YIU  ", -1, "a", "JP1YIU A", "SetRpt1Call \"JP1YIU A\""},
        {Way::InputMethod, Form1->SendMSG, "", 0, kanji, kanji.left(20), "SetTxMessage"},
        {Way::InputMethod, your, "ABCDEFGH", -1, "IJ", "ABCDEFGH", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in.toStdString() + " into " + c.edit->accessibleName().toStdString());
        c.edit->setText(c.before);
        c.edit->setFocus();
        c.edit->setCursorPosition(c.cursor < 0 ? static_cast<int>(c.before.size()) : c.cursor);
        sim->clearTrace();
        QMimeData data;
        data.setText(c.in);
        const QPointF end(c.edit->width() - 2, c.edit->height() / 2.0);
        QDragEnterEvent enter(end.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
        QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, {});
        QInputMethodEvent commit;
        commit.setCommitString(c.in);
        if (c.way == Way::Keys) {
            QTest::keyClicks(c.edit, c.in);
        } else if (c.way == Way::Paste) {
            QGuiApplication::clipboard()->setText(c.in);
            const std::unique_ptr<QMenu> menu(c.edit->createStandardContextMenu());
            for (QAction* action : menu->actions()) {
                if (action->text().remove(QLatin1Char('&')).startsWith(QStringLiteral("Paste"))) {
                    action->trigger();
                }
            }
        } else if (c.way == Way::Drop) {
            QApplication::sendEvent(c.edit, &enter);
            QApplication::sendEvent(c.edit, &drop);
        } else {
            QApplication::sendEvent(c.edit, &commit);
        }
        EXPECT_EQ(c.edit->text(), c.after);
        const std::vector<std::string> sent = test::describe(sim->mainTrace());
        EXPECT_EQ(sent.empty() ? "" : sent.back().substr(0, c.sent.size()), c.sent);
    }
    // The program's own text is never cut; its first 8 characters are sent.
    sim->clearTrace();
    Form1->setDestination(QStringLiteral("JA1ABC/PORTABLE"));
    EXPECT_EQ(your->text(), "JA1ABC/PORTABLE");
    EXPECT_EQ(test::describe(sim->mainTrace()),
              std::vector<std::string>{"SetYourCall \"JA1ABC/P\""});

    // What was received is read out and copied, but takes no typing and no Tab; the click
    // on the caller still replies to it.
    Form1->showReception(ReceptionField::Caller, "JA1XYZ  ");
    Form1->showReception(ReceptionField::Message, "hello from Tokyo    ");
    QWidget* const received[] = {Form1->CallerCALL, Form1->CallerCALL2, Form1->CalledCALL,
                                 Form1->MSG};
    for (QWidget* field : received) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(field);
        const QString shown = a->textInterface()->text(0, a->textInterface()->characterCount());
        QTest::keyClicks(field, QStringLiteral("zz"));
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("zz"));
        QApplication::sendEvent(field, &commit);
        EXPECT_TRUE(a->state().readOnly) << field->objectName().toStdString();
        EXPECT_EQ(a->textInterface()->text(0, a->textInterface()->characterCount()), shown);
    }
    Form1->MSG->selectAll();
    Form1->MSG->copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "hello from Tokyo    ");
    for (int i = 0; i < 20; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(std::count(std::begin(received), std::end(received), QApplication::focusWidget()),
                  0);
    }
    sim->clearTrace();
    QTest::mouseClick(Form1->CallerCALL->viewport(), Qt::LeftButton);
    EXPECT_EQ(test::describe(sim->mainTrace()).front(), "SetYourCall \"JA1XYZ  \"");
}

// The keys and the pointer go where the operator expects: the history's first arrow key,
// the Window menu, the volume bar, and tooltips that name the hidden shortcuts.
TEST_F(Desk, HistoryWindowMenuVolumeAndTooltips) {
    start();
    Form1->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));

    // 40 lines, the newest 17 in view: the first arrow key takes the newest line in view,
    // also after the operator scrolled up.
    Form1->HistoryClick();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form4));
    const int inView = Form4->History->visibleRows();
    for (const auto& [top, key] :
         {std::pair{-1, Qt::Key_Up}, {-1, Qt::Key_Down}, {5, Qt::Key_Up}}) {
        Form4->History->clear();
        for (char i = 0; i < 40; ++i) {
            Form4->appendLine(QByteArray("2026/12/08 10:00:00 JA1X") + char('A' + i % 26) +
                              "   ID51 CQCQCQ   hi");
        }
        if (top >= 0) {
            Form4->History->setTopRow(top);
        }
        const int newestInView = Form4->History->topRow() + inView - 1;
        QTest::keyClick(Form4->History, key);
        EXPECT_EQ(Form4->History->currentRow(), top < 0 ? 39 : newestInView) << key;
    }
    QTest::keyClick(Form4->History, Qt::Key_Return);
    EXPECT_EQ(Form1->YourCALL->text(),
              QStringLiteral("JA1X%1   ").arg(QChar('A' + (5 + inView - 1) % 26)));

    // The Window menu gives the window it names the keyboard, even when the pointer crosses
    // the main window before the activation lands (as it does when the menu closes).
    for (QAction* item : {Form1->History, Form1->Memory1, Form1->HeardStations1}) {
        SCOPED_TRACE(item->text().toStdString());
        Form1->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
        item->trigger();
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(Form1, &enter);
        ASSERT_TRUE(waitFor([] { return QApplication::activeWindow() != Form1; }));
        QWidget* named = QApplication::activeWindow();
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->window(), named);
        QTest::qWait(20); // a late activation of the main window would land here
        EXPECT_EQ(QApplication::activeWindow(), named);
    }

    // Volume: a sixteenth of the range a page, one SetVolume each; the value as a
    // percentage; the focus drawn.
    Form1->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    VolumeBar* volume = Form1->Volume;
    volume->setValue(100);
    volume->clearFocus();
    const QImage unfocused = volume->grab().toImage();
    volume->setFocus(Qt::TabFocusReason);
    EXPECT_NE(volume->grab().toImage(), unfocused);
    sim->clearTrace();
    QTest::keyClick(volume, Qt::Key_PageDown);
    QTest::keyClick(volume, Qt::Key_PageDown);
    QTest::keyClick(volume, Qt::Key_PageUp);
    EXPECT_EQ(volume->value(), 116);
    EXPECT_EQ(test::describe(sim->mainTrace()),
              (std::vector<std::string>{"SetVolume 139", "SetVolume 123", "SetVolume 139"}));
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(volume);
    for (const auto& [position, shown] :
         {std::pair{0, "100%"}, {116, "55%"}, {128, "50%"}, {255, "0%"}}) {
        volume->setValue(position);
        EXPECT_EQ(a->text(QAccessible::Value), shown);
        EXPECT_EQ(volume->toolTip(), QStringLiteral("Volume: ") + shown);
        EXPECT_EQ(a->valueInterface()->currentValue().toInt(), QString(shown).chopped(1).toInt());
    }

    // Tooltips name the click and double-click shortcuts.
    const std::pair<QWidget*, const char*> tips[] = {{Form1->YourCALL, "Double-click"},
                                                     {Form1->CallerCALL, "Click"},
                                                     {Form1->MyCALL, "Double-click"},
                                                     {Form1->MyCALL2, "Double-click"},
                                                     {Form4->History, "Enter"}};
    for (const auto& [w, gesture] : tips) {
        EXPECT_TRUE(w->toolTip().contains(QString::fromLatin1(gesture)))
            << w->objectName().toStdString();
    }
}

// The pixel of `image` with the most contrast against `base` at the same place, where the
// two differ: what a change draws (a tick) against what was there (its box).
double strongestChange(const QImage& image, const QImage& base) {
    double best = 1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != base.pixel(x, y)) {
                best = std::max(best, contrastRatio(image.pixelColor(x, y), base.pixelColor(x, y)));
            }
        }
    }
    return best;
}

// What a callsign field needs of its font is that its characters line up, whatever the font
// says of its pitch: Noto Sans Mono (pulled in by ghostscript) calls itself proportional.
TEST(CallsignFont, ChosenByTheAdvanceOfCallsignCharacters) {
    const std::pair<const char*, bool> families[] = {
        {"DejaVu Sans Mono", true}, {"Noto Sans Mono", true}, {"DejaVu Sans", false}};
    int tried = 0;
    for (const auto& [family, even] : families) {
        if (!QFontDatabase::hasFamily(QString::fromLatin1(family))) {
            continue;
        }
        ++tried;
        QFont font{QString::fromLatin1(family)};
        font.setPointSize(11);
        EXPECT_EQ(evenCallsignAdvance(font), even) << family;
    }
    EXPECT_GE(tried, 2);
    for (const int points : {9, 12}) {
        const QFont chosen = callsignFont(points);
        EXPECT_TRUE(evenCallsignAdvance(chosen)) << chosen.family().toStdString();
        EXPECT_EQ(QFontInfo(chosen).pointSize(), points);
    }
}

// Light and dark, 9 to 12 pt: callsigns in a fixed pitch that fits eight characters, a tick
// that stands out from its box, a volume track of the theme, room for "Volume", and a
// memory window as wide as its lines and no wider than the screen.
TEST_F(Desk, LooksInLightAndDarkFrom9To12Points) {
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    const std::pair<const char*, QPalette> themes[] = {{"light", fusion->standardPalette()},
                                                       {"dark", darkPalette()}};
    for (const auto& [theme, palette] : themes) {
        for (const int points : {9, 11, 12}) {
            SCOPED_TRACE(std::string(theme) + " " + std::to_string(points) + " pt");
            QApplication::setPalette(palette);
            QFont font = QApplication::font();
            font.setPointSize(points);
            QApplication::setFont(font);
            start();
            const std::pair<QWidget*, int> callsigns[] = {
                {Form1->YourCALL, 8},    {Form1->RPT1CALL, 8},  {Form1->RPT2CALL, 8},
                {Form1->MyCALL, 8},      {Form1->MyCALL2, 4},   {Form1->CallerCALL, 8},
                {Form1->CallerCALL2, 4}, {Form1->CalledCALL, 8}};
            for (const auto& [w, characters] : callsigns) {
                const QFontMetrics m(w->font());
                EXPECT_TRUE(evenCallsignAdvance(w->font())) << w->objectName().toStdString();
                EXPECT_EQ(QFontInfo(w->font()).pointSize(), points)
                    << w->objectName().toStdString();
                EXPECT_LE(m.horizontalAdvance(QString(characters, QLatin1Char('W'))) + 4,
                          w->contentsRect().width())
                    << w->objectName().toStdString();
            }
            for (QCheckBox* box : {Form1->Repeater, Form1->Break, Form1->EMR}) {
                const QSignalBlocker quiet(box);
                box->setChecked(false);
                const QImage off = box->grab().toImage();
                box->setChecked(true);
                EXPECT_GE(strongestChange(box->grab().toImage(), off), 3.0)
                    << box->objectName().toStdString();
            }
            {
                const QSignalBlocker quiet(Form1->Volume);
                Form1->Volume->setValue(0); // the handle at the top
            }
            const QImage bar = Form1->Volume->grab().toImage();
            const QColor window = Form1->centralwidget->palette().color(QPalette::Window);
            const QColor track = bar.pixelColor(bar.width() / 2, bar.height() - 12);
            const QColor handle = bar.pixelColor(bar.width() / 2, 12);
            EXPECT_LT(contrastRatio(track, window), 1.6) << track.name().toStdString();
            EXPECT_GE(contrastRatio(handle, track), 3.0) << handle.name().toStdString();
            const QLabel* label = Form1->Label10;
            EXPECT_LE(label->sizeHint().width(), label->width());
            EXPECT_LE(label->geometry().right(), Form1->centralwidget->width() - 5);

            showWindow(Form3);
            ASSERT_TRUE(QTest::qWaitForWindowExposed(Form3));
            const QRect screen = Form3->screen()->availableGeometry();
            const int columns = QFontMetrics(Form3->Memory->font())
                                    .horizontalAdvance(QString(100, QLatin1Char('M')));
            EXPECT_LE(Form3->frameGeometry().width(), screen.width());
            EXPECT_LE(Form3->frameGeometry().height(), screen.height());
            EXPECT_GE(Form3->Memory->viewport()->width(),
                      std::min(columns, screen.width() * 8 / 10));
            EXPECT_GE(Form3->Memory->visibleRows(), 20);
            EXPECT_GE(Form3->width(), Form3->menuBar()->sizeHint().width());
            console.reset();
        }
    }
}

// What the other face sets goes out once, from the station, and shows in the main window's
// fields and boxes without their handlers sending it again.
TEST_F(Desk, AChangeFromTheOtherFaceShowsWithoutBeingSentTwice) {
    start();
    Station& station = console->station();
    sim->clearTrace();
    EXPECT_TRUE(
        station
            .setRoute(QStringLiteral("cq"), QStringLiteral("DB0ABC C"), QStringLiteral("DB0ABC G"))
            .isEmpty());
    EXPECT_EQ(Form1->YourCALL->text(), "CQ");
    EXPECT_EQ(Form1->RPT1CALL->text(), "DB0ABC C");
    EXPECT_EQ(Form1->RPT2CALL->text(), "DB0ABC G");
    EXPECT_EQ(test::describe(sim->mainTrace()),
              (std::vector<std::string>{"SetYourCall \"CQ      \"", "SetRpt1Call \"DB0ABC C\"",
                                        "SetRpt2Call \"DB0ABC G\""}));
    const bool was = Form1->Break->isChecked();
    sim->clearTrace();
    ASSERT_TRUE(station.setFlag(HeaderFlag::Break, !was).has_value());
    EXPECT_EQ(Form1->Break->isChecked(), !was);
    EXPECT_EQ(test::describe(sim->mainTrace()).size(), 3u); // read, write, read back: once
}

} // namespace
} // namespace tamsel
