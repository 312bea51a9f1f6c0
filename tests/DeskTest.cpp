// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of daily use at the desk: focus, typing limits, keyboard, contrast, fonts, placement.
#include "dialogs/Unit3.h"
#include "dialogs/Unit6.h"
#include "history/Unit5.h"
#include "memory/MemoryFile.h"
#include "memory/Unit12.h"
#include "memory/Unit4.h"
#include "support/ConsoleFixture.h"
#include "widgets/Contrast.h"
#include "widgets/Foreground.h"

#include <QApplication>
#include <QEnterEvent>
#include <QRasterWindow>
#include <QStyle>
#include <QStyleFactory>

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

TEST_F(Desk, TypingStopsAtWhatIsSent) {
    start();
    Form1->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    const struct {
        TEdit* edit;
        const char* typed;
        const char* shown;
    } cases[] = {{Form1->YourCALL, "599", "CQCQCQ  "},
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

} // namespace
} // namespace tamsel
