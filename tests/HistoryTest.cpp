// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the received history window.
#include "console/Unit1.h"
#include "history/Unit5.h"
#include "monitor/RadioHeader.h"
#include "support/ConsoleFixture.h"

#include <QRegularExpression>
#include <random>

namespace tamsel {
namespace {

using test::waitFor;

ScriptedReception reception(const std::string& my, std::uint8_t flag = 0,
                            const std::string& slow = "@HelloAWorld") {
    ScriptedReception r;
    r.header.assign(kHeaderSize, ' ');
    r.header[0] = flag;
    const std::string your = "CQCQCQ  ", my2 = "ID51";
    std::copy(your.begin(), your.end(), r.header.begin() + kYourOffset);
    std::copy(my.begin(), my.end(), r.header.begin() + kMyOffset);
    std::copy(my2.begin(), my2.end(), r.header.begin() + kMy2Offset);
    r.headerPieces = {8, 8, 8, 8, 8, 1};
    r.slowData.assign(slow.begin(), slow.end());
    r.slowPieces = {5, 0, 7};
    return r;
}

class Receptions : public test::ConsoleFixture {
protected:
    QStringList lines() const {
        QStringList out;
        for (int i = 0; i < Form4->History->count(); ++i) {
            const auto l = Form4->History->line(i);
            out << QString::fromLatin1(l.data(), static_cast<qsizetype>(l.size()));
        }
        return out;
    }
};

TEST_F(Receptions, FieldsShowTheLastReceptionAndNoLineWhileTheHistoryWasNeverOpened) {
    start();
    receive({reception("JA1ABC  ", 0x4B, "@Hello")});
    EXPECT_EQ(Form1->CallerCALL->text(), "JA1ABC  ");
    EXPECT_EQ(Form1->CallerCALL2->text(), "ID51");
    EXPECT_EQ(Form1->CalledCALL->text(), "CQCQCQ  ");
    EXPECT_EQ(Form1->MSG->text(), "Hello               ");
    EXPECT_EQ(Form1->FlagInfo->text(), "ACK");
    EXPECT_TRUE(QRegularExpression("^\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d$")
                    .match(Form1->DayTime->text())
                    .hasMatch())
        << Form1->DayTime->text().toStdString();
    EXPECT_EQ(Form4->History->count(), 0);
}

TEST_F(Receptions, HistoryLinesByteForByte) {
    start();
    Form1->History->trigger();
    EXPECT_EQ(historyOpen.load(), 1);
    EXPECT_TRUE(Form4->isVisible());
    receive({reception("JA1ABC  "), reception("7M4XYZ  ", 0x02)});
    const QStringList l = lines();
    ASSERT_EQ(l.size(), 2);
    EXPECT_EQ(l[0].size(), 64);
    EXPECT_TRUE(QRegularExpression("^\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d$")
                    .match(l[0].left(19))
                    .hasMatch());
    EXPECT_EQ(l[1].left(19), Form1->DayTime->text());
    EXPECT_EQ(l[0].mid(19), " JA1ABC   ID51 CQCQCQ   HelloWorld           ");
    EXPECT_EQ(l[1].mid(19), " 7M4XYZ   ID51 CQCQCQ   No Response");
    EXPECT_EQ(Form4->StaticText1->text().size(), 72);
    EXPECT_EQ(Form4->StaticText1->text(),
              "       Date/Time          Caller                 Called          Message");
}

TEST_F(Receptions, NewestSeventeenLinesStayInView) {
    start();
    Form1->HistoryClick();
    std::vector<ScriptedReception> batch;
    for (int i = 0; i < 16; ++i) {
        batch.push_back(reception("JA1ABC  ", 0, ""));
    }
    receive(batch);
    ASSERT_EQ(Form4->History->count(), 16);
    EXPECT_EQ(Form4->History->topRow(), 0);
    receive({reception("JA1ABC  ", 0, "")});
    EXPECT_EQ(Form4->History->topRow(), 0);
    receive(
        {reception("JA1ABC  ", 0, ""), reception("JA1ABC  ", 0, ""), reception("JA1ABC  ", 0, "")});
    ASSERT_EQ(Form4->History->count(), 20);
    EXPECT_EQ(Form4->History->topRow(), 3);
}

TEST_F(Receptions, ExitStopsTheHistoryAndTheCloseButtonOnlyHides) {
    start();
    Form1->HistoryClick();
    receive({reception("JA1AAA  ")});
    Form4->close(); // the title-bar close button
    EXPECT_FALSE(Form4->isVisible());
    EXPECT_EQ(historyOpen.load(), 1);
    receive({reception("JA1BBB  "), reception("JA1CCC  "), reception("JA1DDD  ")});
    Form1->HistoryClick();
    EXPECT_EQ(lines().size(), 4);
    Form4->Exit1->trigger();
    EXPECT_EQ(historyOpen.load(), 0);
    EXPECT_FALSE(Form4->isVisible());
    receive({reception("JA1EEE  ")});
    EXPECT_EQ(lines().size(), 4);
    EXPECT_EQ(Form1->CallerCALL->text(), "JA1EEE  ") << "the fields still follow";
}

TEST_F(Receptions, EraseLeavesOnlyLaterLines) {
    start();
    Form1->HistoryClick();
    Form4->Erase->trigger(); // nothing to erase
    EXPECT_EQ(Form4->History->count(), 0);
    receive({reception("JA1AAA  "), reception("JA1BBB  ")});
    Form4->Erase->trigger();
    EXPECT_EQ(Form4->History->count(), 0);
    receive({reception("JA1CCC  ")});
    ASSERT_EQ(lines().size(), 1);
    EXPECT_EQ(lines()[0].mid(20, 8), "JA1CCC  ");
}

TEST_F(Receptions, DoubleClickRepliesToTheCaller) {
    start();
    Form1->HistoryClick();
    receive({reception("JA1AB   ")});
    Form4->appendLine("2026/12/07 05:30:00 7M4XY"); // 25 characters
    sim->clearTrace();
    LineListView* list = Form4->History;
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->rowRect(0).center());
    EXPECT_EQ(Form1->YourCALL->text(), "JA1AB   ");
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->rowRect(1).center());
    EXPECT_EQ(Form1->YourCALL->text(), "7M4XY");
    EXPECT_EQ(test::describe(sim->mainTrace()),
              (std::vector<std::string>{"SetYourCall \"JA1AB   \"", "SetYourCall \"7M4XY   \""}));
    EXPECT_EQ(list->currentRow(), 1) << "the window keeps its selection";
    EXPECT_TRUE(Form4->isVisible());
}

TEST_F(Receptions, DoubleClickWithoutSelectionDoesNothing) {
    start();
    Form1->HistoryClick();
    sim->clearTrace();
    Form4->HistoryDblClick();
    EXPECT_EQ(Form1->YourCALL->text(), "        ");
    EXPECT_TRUE(sim->mainTrace().empty());
}

TEST_F(Receptions, AppendingStaysCheapAtAMillionLines) {
    start();
    LineListView* list = Form4->History;
    ByteBuffer bytes;
    LineStarts starts;
    const std::string line(64, 'x');
    for (int i = 0; i < 1'000'000; ++i) {
        starts.push_back(bytes.size());
        bytes.insert(bytes.end(), line.begin(), line.end());
    }
    list->replaceAll(std::move(bytes), std::move(starts));
    Form4->appendLine(QByteArray(64, 'y'));
    EXPECT_EQ(list->count(), 1'000'001);
    EXPECT_EQ(list->topRow(), 1'000'001 - TForm4::kRowsInView);
    // Eight bytes of bookkeeping per line on top of the line itself.
    EXPECT_LE(list->lines().memoryUsed(), 1'000'001u * (64 + 16) + 4096);
}

class Shutdown : public Receptions {};

// Closing the main window at any moment of a reception ends the monitor cleanly; no update
// reaches a window after it is gone. Run under the asan and tsan presets as well.
TEST_F(Shutdown, CloseAtRandomMomentsFiveHundredTimes) {
    std::mt19937 rng(20261207);
    for (int i = 0; i < 500; ++i) {
        sim = std::make_shared<SimulatedAdapter>();
        sim->setTracing(false);
        start();
        Form1->HistoryClick();
        ScriptedReception r = reception("JA1ABC  ");
        r.slowPieces.assign(static_cast<std::size_t>(rng() % 7) * 3, 0);
        r.slowPieces.push_back(static_cast<int>(rng() % 9));
        sim->queueReception(r);
        const std::size_t until = 1 + rng() % 16; // anywhere from the first header piece on
        ASSERT_TRUE(waitFor([&] { return sim->requestCount() >= until; }));
        Form1->close();
        console.reset();
        ASSERT_EQ(Form1, nullptr);
    }
}

} // namespace
} // namespace tamsel
