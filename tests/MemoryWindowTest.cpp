// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the memory window and the memory search.
#include "memory/Text.h"
#include "memory/Unit12.h"
#include "memory/Unit4.h"
#include "support/ConsoleFixture.h"

#include <QAccessible>
#include <QDir>
#include <QTemporaryDir>
#include <fstream>

namespace tamsel {
namespace {

using test::describe;
using Trace = std::vector<std::string>;

class MemoryWindow : public test::ConsoleFixture {
protected:
    void SetUp() override {
        sim->setText(0x62, "CQCQCQ  ");
        sim->setText(0x63, "JR1YB  A");
        sim->setText(0x64, "JR1YB  G");
    }
    QString write(const std::string& name, const std::string& content) {
        const QString path = dir.filePath(QString::fromStdString(name));
        std::ofstream(path.toStdString(), std::ios::binary) << content;
        return path;
    }
    void open(const QString& path) {
        Form3->chooseFile = [path] { return path; };
        Form3->File->trigger();
    }
    void select(int row) {
        sim->clearTrace();
        Form3->Memory->selectRow(row);
    }
    QTemporaryDir dir;
};

const std::string kFile = "Tokyo    JA1ABC   JR1YB  B JR1YB  G first\n"
                          "Short    JA1ABC   JR\n"
                          "\n"
                          "lower    ja1xyz   jr1yb  b jr1yb  g\n"
                          "Same     CQCQCQ   JR1YB  A JR1YB  G\n";

TEST_F(MemoryWindow, SelectingALineAppliesItsThreeCallsigns) {
    start();
    Form1->Memory1->trigger();
    EXPECT_TRUE(Form3->isVisible());
    open(write("m.txt", kFile));
    ASSERT_EQ(Form3->Memory->count(), 5);
    EXPECT_TRUE(sentSinceStart().empty()) << "loading sends nothing";

    const std::vector<std::pair<int, Trace>> cases{
        // Repeater 2 already holds JR1YB  G: no change, nothing sent.
        {0, {"SetYourCall \"JA1ABC  \"", "SetRpt1Call \"JR1YB  B\""}},
        {1, {"SetRpt1Call \"JR      \"", "SetRpt2Call \"        \""}},
        {2, {"SetYourCall \"        \"", "SetRpt1Call \"        \""}},
        {3, {"SetYourCall \"JA1XYZ  \"", "SetRpt1Call \"JR1YB  B\"", "SetRpt2Call \"JR1YB  G\""}},
        {4, {"SetYourCall \"CQCQCQ  \"", "SetRpt1Call \"JR1YB  A\""}},
        {4, {}},
    };
    for (const auto& [row, expected] : cases) {
        select(row);
        EXPECT_EQ(describe(sim->mainTrace()), expected) << "line " << row;
    }
    EXPECT_EQ(Form1->YourCALL->text(), "CQCQCQ  ");
    EXPECT_EQ(Form1->RPT2CALL->text(), "JR1YB  G");
}

TEST_F(MemoryWindow, ArrowKeysApplyEachLine) {
    start();
    open(write("m.txt", kFile));
    Form3->Memory->selectRow(0);
    sim->clearTrace();
    QTest::keyClick(Form3->Memory, Qt::Key_Down);
    EXPECT_EQ(Form3->Memory->currentRow(), 1);
    QTest::keyClick(Form3->Memory, Qt::Key_Down);
    QTest::keyClick(Form3->Memory, Qt::Key_Up);
    EXPECT_EQ(describe(sim->mainTrace()),
              (Trace{"SetRpt1Call \"JR      \"", "SetRpt2Call \"        \"",
                     "SetYourCall \"        \"", "SetRpt1Call \"        \"",
                     "SetYourCall \"JA1ABC  \"", "SetRpt1Call \"JR      \""}));
}

TEST_F(MemoryWindow, SecondFileReplacesTheFirstAndCancelKeepsIt) {
    start();
    open(write("a.txt", kFile));
    open(write("b.txt", "one\r\ntwo"));
    ASSERT_EQ(Form3->Memory->count(), 2);
    EXPECT_EQ(Form3->Memory->line(1), "two");
    EXPECT_EQ(Form3->Memory->currentRow(), -1);
    open(QString());
    EXPECT_EQ(Form3->Memory->count(), 2);
    EXPECT_TRUE(notifier.boxes.empty());
}

TEST_F(MemoryWindow, UnreadableFileIsReportedAndTheListKept) {
    start();
    open(write("a.txt", kFile));
    for (const QString& bad : {dir.filePath("missing.txt"), dir.path()}) {
        notifier.boxes.clear();
        open(bad);
        ASSERT_EQ(notifier.boxes.size(), 1u);
        EXPECT_EQ(notifier.boxes[0].kind, "failure");
        EXPECT_TRUE(notifier.boxes[0].text.contains(QDir::toNativeSeparators(bad)));
        EXPECT_EQ(Form3->Memory->count(), 5);
    }
    EXPECT_TRUE(notifier.boxes[0].text.contains("Is a directory"));
}

TEST_F(MemoryWindow, NulBytesAndVeryLongLinesLoadWithoutHarm) {
    start();
    Form3->show();
    std::string content("Name\0\0\0\0 JA1NUL\0  JR1YB  B\n", 27);
    content += "Long     JA1LNG   " + std::string(2'000'000, 'x') + "\n";
    open(write("odd.txt", content));
    ASSERT_EQ(Form3->Memory->count(), 2);
    EXPECT_EQ(Form3->Memory->line(1).size(), 2'000'018u);
    EXPECT_FALSE(Form3->grab().isNull()); // draws both lines
    select(0);
    EXPECT_EQ(Form1->YourCALL->text().toLatin1(), QByteArray("JA1NUL\0 ", 8));
    select(1);
    EXPECT_EQ(Form1->RPT1CALL->text(), "XXXXXXXX");
}

TEST_F(MemoryWindow, ShiftJisCommentsShowAndColumnsComeFromTheBytes) {
    start();
    // "東京" in Shift_JIS is 0x93 0x8C 0x8B 0x9E: four bytes, so the callsign still starts
    // at byte 10.
    open(write("jp.txt", "\x93\x8C\x8B\x9E     JA1ABC   JR1YB  B JR1YB  G\n\xff\xfe broken\n"));
    EXPECT_EQ(decodeMemoryLine(Form3->Memory->line(0)).left(2), QString::fromUtf8("東京"));
    EXPECT_EQ(decodeMemoryLine(Form3->Memory->line(1)), QString::fromLatin1("\xff\xfe broken"));
    // A screen reader hears the line as it is shown, not its bytes.
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(Form3->Memory);
    ASSERT_EQ(list->childCount(), 2);
    EXPECT_EQ(list->child(0)->text(QAccessible::Name).left(2), QString::fromUtf8("東京"));
    select(0);
    EXPECT_EQ(Form1->YourCALL->text(), "JA1ABC  ");
}

class Search : public MemoryWindow {
protected:
    void enter(const QString& key) {
        Form12->SearchKey->setText(key);
        QTest::keyClick(Form12->SearchKey, Qt::Key_Return);
    }
};

TEST_F(Search, TenLinesFourEnters) {
    start();
    std::string content;
    for (int i = 0; i < 10; ++i) {
        content += (i == 2 || i == 7) ? "JA1ABC   hit\n" : "nothing\n";
    }
    Form3->show();
    open(write("ten.txt", content));
    Form3->Serech1->trigger();
    EXPECT_TRUE(Form12->isVisible());
    EXPECT_EQ(Form12->SearchKey->text(), " ");
    Form3->resize(400, 120); // fewer rows than lines, so lines can scroll to the top
    sim->clearTrace();
    std::vector<int> tops;
    for (int i = 0; i < 4; ++i) {
        enter("hit");
        tops.push_back(Form3->Memory->topRow());
    }
    EXPECT_EQ(tops[0], 2);
    EXPECT_EQ(tops[1], std::min(7, 10 - Form3->Memory->visibleRows()));
    EXPECT_EQ(tops[3], 2);
    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_EQ(notifier.boxes[0].kind, "information");
    EXPECT_EQ(notifier.boxes[0].text, "Not found.");
    EXPECT_EQ(Form3->Memory->currentRow(), -1) << "a found line is not selected";
    EXPECT_TRUE(sim->mainTrace().empty()) << "nothing is sent";
}

TEST_F(Search, SingleSpaceNoFileAndStalePosition) {
    start();
    QTest::keyClick(Form12->SearchKey, Qt::Key_Return);
    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_EQ(searchPosition, 0u);
    open(write("a.txt", "nospace\nhas space\nxx\nyy\n"));
    QTest::keyClick(Form12->SearchKey, Qt::Key_Return); // the initial single space
    EXPECT_EQ(searchPosition, 2u);
    open(write("b.txt", "a b\n"));
    QTest::keyClick(Form12->SearchKey, Qt::Key_Return);
    EXPECT_EQ(notifier.boxes.size(), 1u) << "found line 0 of the new file";
    EXPECT_EQ(searchPosition, 0u);
}

// Each line is searched in its own encoding, Shift_JIS or UTF-8; text that Shift_JIS cannot
// hold is looked for in UTF-8 lines only.
TEST_F(Search, FindsTextInShiftJisAndUtf8Lines) {
    start();
    open(write("mixed.txt", "\x93\x8C\x8B\x9E     JA1ABC   JR1YB  B JR1YB  G\n"
                            "Osaka    JA3ABC   JP3YHH A JP3YHH G\n"
                            "\xE6\x9D\xB1\xE4\xBA\xAC   JA1XYZ   JR1YB  B JR1YB  G 430MHz\n"
                            "Chen\xFC\xFCves JA1ABC   F1ZDJ  B F1ZDJ  G\n"
                            "Chenoves JA1ABC   F1ZDJ  B F1ZDJ  G Chen\xC3\xB4ves\n"
                            "last\n"));
    const std::vector<std::pair<QString, std::vector<int>>> cases{
        {QString::fromUtf8("東京"), {0, 2}},
        {QStringLiteral("430MHz"), {2}},
        {QString::fromUtf8("Chenôves"), {4}},
        {QStringLiteral("JA1ABC"), {0, 3, 4}},
    };
    for (const auto& [key, rows] : cases) {
        searchPosition = 0;
        std::vector<int> found;
        for (std::size_t i = 0; i <= rows.size(); ++i) { // one more: "Not found."
            notifier.boxes.clear();
            Form3->Memory->setMarkedRow(-1);
            enter(key);
            if (notifier.boxes.empty()) {
                found.push_back(Form3->Memory->markedRow());
            }
        }
        EXPECT_EQ(found, rows) << key.toStdString();
        EXPECT_EQ(notifier.boxes.size(), 1u) << key.toStdString();
    }
}

TEST_F(Search, ScreenshotsAndNames) {
    start();
    Form3->show();
    open(write("m.txt", kFile));
    Form3->Memory->selectRow(0);
    Form12->show();
    EXPECT_EQ(Form3->Memory->accessibleName(), "Memory");
    EXPECT_EQ(Form12->SearchKey->accessibleName(), "Search");
    EXPECT_TRUE(Form12->SearchKey->font().bold());
    QDir().mkpath("screenshots");
    EXPECT_TRUE(Form3->grab().save("screenshots/memory.png"));
    EXPECT_TRUE(Form12->grab().save("screenshots/search.png"));
}

} // namespace
} // namespace tamsel

namespace tamsel {
namespace {

TEST_F(MemoryWindow, TheShippedExampleLoadsAndApplies) {
    start();
    open(QStringLiteral(TAMSEL_SOURCE_DIR "/examples/memory.txt"));
    ASSERT_EQ(Form3->Memory->count(), 12);
    EXPECT_EQ(decodeMemoryLine(Form3->Memory->line(0)).mid(36), QString::fromUtf8("東京 430MHz"));
    select(3);
    EXPECT_EQ(Form1->YourCALL->text(), "JA1ABC  ");
    EXPECT_EQ(Form1->RPT1CALL->text(), "JR1YB  B");
    select(6);
    EXPECT_EQ(Form1->YourCALL->text(), "       E") << "the echo test";
}

// An operator's repeater list imported, a line chosen: its three callsigns go out.
TEST_F(MemoryWindow, ImportedRepeaterListsApplyLikeMemoryLines) {
    start();
    const struct {
        const char* file;
        int lines;
        int chosen;
        const char* name; // as shown, columns 1 to 9
        Trace sent;
    } cases[] = {
        {"/examples/icom-repeaters.csv",
         4,
         0,
         "東京 中 ",
         {"SetYourCall \"CQCQCQ  \"", "SetRpt1Call \"JR1YB  B\"", "SetRpt2Call \"JR1YB  G\""}},
        {"/examples/chirp-export.csv",
         3,
         2,
         "Sapporo  ",
         {"SetYourCall \"CQCQCQ  \"", "SetRpt1Call \"JL8YAA B\"", "SetRpt2Call \"JL8YAA G\""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        notifier.boxes.clear();
        const QString path = QStringLiteral(TAMSEL_SOURCE_DIR) + QString::fromLatin1(c.file);
        Form3->chooseList = [&] { return path; };
        Form3->Import1->trigger();
        ASSERT_TRUE(test::importDone());
        ASSERT_EQ(notifier.boxes.size(), 1u);
        EXPECT_EQ(notifier.boxes[0].kind, "information");
        EXPECT_EQ(notifier.boxes[0].text,
                  QStringLiteral("Imported %1 repeaters from %2").arg(c.lines).arg(path));
        ASSERT_EQ(Form3->Memory->count(), c.lines);
        EXPECT_TRUE(
            decodeMemoryLine(Form3->Memory->line(c.chosen)).startsWith(QString::fromUtf8(c.name)));
        // Set the fields apart from the line first, so each one changes.
        Form1->setRoute(QStringLiteral("X"), QStringLiteral("X"), QStringLiteral("X"));
        select(c.chosen); // from a clear trace
        EXPECT_EQ(test::describe(sim->mainTrace()), c.sent);
    }
    // Neither format: an error naming the file and both formats; the list keeps its lines.
    const QString notAList = QStringLiteral(TAMSEL_SOURCE_DIR "/examples/memory.txt");
    Form3->chooseList = [&] { return notAList; };
    notifier.boxes.clear();
    Form3->Import1->trigger();
    ASSERT_TRUE(test::importDone());
    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_EQ(notifier.boxes[0].kind, "failure");
    EXPECT_TRUE(notifier.boxes[0].text.startsWith(notAList));
    EXPECT_TRUE(notifier.boxes[0].text.contains("Icom") &&
                notifier.boxes[0].text.contains("CHIRP"));
    EXPECT_EQ(Form3->Memory->count(), 3);
}

// A list written under a comma-decimal locale comes in; a D-STAR row that gives no line is
// named in the box.
TEST_F(MemoryWindow, ImportNamesTheRowsItSkips) {
    start();
    const QString path = write("br.csv", "Name;Repeater Call Sign;Gateway Call Sign;Frequency;Dup;"
                                         "Offset;Mode\r\n"
                                         "Belo Horizonte;PY4RPF B;PY4RPF G;439,9;DUP-;5,0;DV\r\n"
                                         "Sem repetidora;;;439,9;DUP-;5,0;DV\r\n"
                                         "Longo;PY4RPFXX B;PY4RPF G;439,9;DUP-;5,0;DV\r\n"
                                         "FM;;;146,0;OFF;0,0;FM\r\n");
    Form3->chooseList = [&] { return path; };
    Form3->Import1->trigger();
    ASSERT_TRUE(test::importDone());
    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_EQ(notifier.boxes[0].text,
              QStringLiteral("Imported 1 repeaters from %1\n\nSkipped 2 D-STAR rows with no "
                             "repeater callsign or a callsign longer than 8 characters, at "
                             "lines 3, 4.")
                  .arg(QDir::toNativeSeparators(path)));
    ASSERT_EQ(Form3->Memory->count(), 1);
    EXPECT_EQ(Form3->Memory->line(0).substr(35), " 439.9 MHz DUP- 5.0");
}

} // namespace
} // namespace tamsel
