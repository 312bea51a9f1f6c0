// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the Heard Stations window and of keeping the received history.
#include "heard/HeardStations.h"
#include "history/Unit5.h"
#include "monitor/RadioHeader.h"
#include "support/ConsoleFixture.h"

#include <QFile>
#include <QTemporaryDir>

namespace tamsel {
namespace {

using test::waitFor;

const std::string kCapture =
    "$$CRC1FC0,KO6JXH-7>API52,DSTAR*:/141625z3239.47N/11657.79W[179/000/J.P. HT ID-52PLUS\r";

// A reception from `my`, its message in the message blocks and `data` in data blocks.
ScriptedReception reception(const std::string& my, const std::string& message,
                            const std::string& data = {}) {
    ScriptedReception r;
    r.header.assign(kHeaderSize, ' ');
    r.header[0] = 0;
    const std::string your = "CQCQCQ  ";
    std::copy(your.begin(), your.end(), r.header.begin() + kYourOffset);
    std::copy(my.begin(), my.end(), r.header.begin() + kMyOffset);
    for (std::size_t part = 0; part < message.size() / 5; ++part) {
        r.slowData.push_back(static_cast<std::uint8_t>('@' + part));
        r.slowData.insert(r.slowData.end(), message.begin() + static_cast<std::ptrdiff_t>(5 * part),
                          message.begin() + static_cast<std::ptrdiff_t>(5 * part + 5));
    }
    for (std::size_t at = 0; at < data.size(); at += 5) {
        const std::size_t n = std::min<std::size_t>(5, data.size() - at);
        r.slowData.push_back(static_cast<std::uint8_t>(0x30 + n));
        r.slowData.insert(r.slowData.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                          data.begin() + static_cast<std::ptrdiff_t>(at + n));
        r.slowData.resize(r.slowData.size() + 5 - n, 'f');
    }
    return r;
}

class Heard : public test::ConsoleFixture {
protected:
    HeardStations& window() { return *console->heardStations(); }
    QString cell(int row, int column) {
        return window().model()->index(row, column).data().toString();
    }
};

TEST_F(Heard, NewestOnTopWithPositionsReplyAndCsv) {
    start();
    // Collected without the window ever being opened.
    receive({reception("KO6JXH  ", "ID-52PLUS on the air", kCapture),
             reception("JA1ABC  ", "hello from JA1ABC   "), reception("KO6JXH  ", "")});
    using M = HeardStationsModel;
    ASSERT_EQ(window().model()->rowCount(), 2);
    EXPECT_EQ(cell(0, M::Callsign), "KO6JXH");
    EXPECT_EQ(cell(0, M::Count), "2");
    EXPECT_EQ(cell(0, M::Message), "ID-52PLUS on the air") << "the latest that carried one";
    EXPECT_EQ(cell(0, M::Locator), "DM12mp");
    EXPECT_EQ(cell(0, M::Latitude), "32.65783");
    EXPECT_EQ(cell(0, M::Longitude), "-116.96317");
    EXPECT_EQ(cell(0, M::Course), "179");
    EXPECT_EQ(cell(0, M::Speed), "0");
    EXPECT_EQ(cell(0, M::Comment), "J.P. HT ID-52PLUS");
    EXPECT_EQ(cell(1, M::Callsign), "JA1ABC");
    EXPECT_EQ(cell(1, M::Message), "hello from JA1ABC");
    EXPECT_EQ(cell(1, M::Locator), "");

    // Enter on the second row replies to JA1ABC, through the change rule.
    Form1->HeardStations1Click();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    window().table()->setCurrentIndex(window().model()->index(1, 0));
    QTest::keyClick(window().table(), Qt::Key_Return);
    EXPECT_EQ(Form1->YourCALL->text(), "JA1ABC  ");
    EXPECT_EQ(test::describe(sentSinceStart()).back(), "SetYourCall \"JA1ABC  \"");

    const QStringList csv = QString::fromUtf8(HeardStations::csv(*window().model()))
                                .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(csv.size(), 3);
    EXPECT_EQ(csv[0], "Callsign,Suffix,Last Heard,Count,Called,Message,Locator,Latitude,"
                      "Longitude,Course,Speed,Altitude,Comment");
    EXPECT_TRUE(csv[1].startsWith("KO6JXH,,")) << csv[1].toStdString();
    EXPECT_TRUE(csv[1].endsWith(",ID-52PLUS on the air,DM12mp,32.65783,-116.96317,179,0,,"
                                "J.P. HT ID-52PLUS"))
        << csv[1].toStdString();
}

TEST_F(Heard, HistorySavedAsShownOnePerLine) {
    start();
    Form1->HistoryClick();
    receive({reception("JA1ABC  ", "Hello World Again   "), reception("7M4XYZ  ", "")});
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("history.txt"));
    Form4->chooseFile = [&] { return path; };
    Form4->SaveAs1->trigger();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 3); // two lines, each ended by LF
    EXPECT_EQ(lines[0].size(), 64);
    EXPECT_EQ(lines[0].mid(20, 8), "JA1ABC  ");
    EXPECT_EQ(lines[0].mid(43, 20), "Hello World Again   ");
    EXPECT_EQ(lines[1].mid(20, 8), "7M4XYZ  ");
    EXPECT_TRUE(lines[2].isEmpty());
    EXPECT_TRUE(notifier.boxes.empty());

    Form4->chooseFile = [] { return QStringLiteral("/nonexistent/folder/history.txt"); };
    Form4->SaveAs1->trigger();
    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_EQ(notifier.boxes[0].kind, "failure");
}

} // namespace
} // namespace tamsel
