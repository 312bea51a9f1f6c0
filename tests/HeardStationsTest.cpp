// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the Heard Stations window and of keeping the received history.
#include "heard/HeardStations.h"
#include "history/Unit5.h"
#include "monitor/RadioHeader.h"
#include "support/ConsoleFixture.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

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
    void TearDown() override {
        QApplication::setFont(QFont());
        test::ConsoleFixture::TearDown();
    }
    HeardStations& window() { return *console->heardStations(); }
    QTableView* table() { return window().table(); }
    QString cell(int row, int column) {
        return window().model()->index(row, column).data().toString();
    }
    QStringList callsigns() {
        QStringList out;
        for (int row = 0; row < window().model()->rowCount(); ++row) {
            out << cell(row, HeardStationsModel::Callsign);
        }
        return out;
    }
    // Shown where no other window covers it, so the pointer reaches it.
    void showWindow() {
        Form1->HeardStations1Click();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
        Form1->move(0, 2000);
        window().move(0, 0);
    }
    QPoint rowCentre(int row) {
        return table()->visualRect(window().model()->index(row, 0)).center();
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
    EXPECT_EQ(csv[0], "Callsign,Suffix,Last Heard,Count,Called,Route,Message,Locator,Latitude,"
                      "Longitude,Distance (km),Bearing,Course,Speed (km/h),Altitude (m),Comment");
    EXPECT_TRUE(csv[1].startsWith("KO6JXH,,")) << csv[1].toStdString();
    // The time as ISO 8601 with its offset, the same moment the table shows.
    const QString time = csv[1].section(QLatin1Char(','), 2, 2);
    EXPECT_TRUE(
        QRegularExpression(
            QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d(Z|[+-]\\d\\d:\\d\\d)$"))
            .match(time)
            .hasMatch())
        << time.toStdString();
    EXPECT_EQ(QDateTime::fromString(time, Qt::ISODate),
              QDateTime::fromString(cell(0, M::LastHeard), QStringLiteral("yyyy/MM/dd HH:mm:ss")));
    EXPECT_TRUE(csv[2].startsWith("JA1ABC,,")) << "padding trimmed";
    EXPECT_TRUE(csv[1].endsWith(",ID-52PLUS on the air,DM12mp,32.65783,-116.96317,,,179,0,,"
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

// Cells that a spreadsheet would run as formulas are written as text; numbers stay numbers.
TEST_F(Heard, CsvCellsNeverRunAsFormulas) {
    const struct {
        QString text, cell;
    } rows[] = {
        {"=HYPERLINK(\"http://x\")", "\"'=HYPERLINK(\"\"http://x\"\")\""},
        {"+1+cmd|' /C calc'!A0", "'+1+cmd|' /C calc'!A0"},
        {"-2+3", "'-2+3"},
        {"@SUM(A1:A9)", "'@SUM(A1:A9)"},
        {"\t=1", "'\t=1"},
        {"\r=1", "\"'\r=1\""},
        {"-", "'-"},
        {"-116.96317", "-116.96317"},
        {"+12", "+12"},
        {"-1e5", "'-1e5"},
        {"hello, world", "\"hello, world\""},
        {"JA1ABC", "JA1ABC"},
        {"", ""},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(HeardStations::csvCell(r.text), r.cell) << r.text.toStdString();
    }
    // Through the file: the callsign and the message come from any station on the air.
    start();
    receive({reception("=2+5    ", "@cmd and more       ", kCapture)});
    const QByteArray csv = HeardStations::csv(*window().model());
    const QByteArray row = csv.split('\n').at(1);
    EXPECT_TRUE(row.startsWith("'=2+5,")) << row.toStdString();
    EXPECT_TRUE(row.contains(",'@cmd and more,DM12mp,32.65783,-116.96317,")) << row.toStdString();
}

// A reception under way with a part of its message leaves the station's last whole message
// in the list (the main window shows what is coming in, as always).
TEST_F(Heard, MessageKeptUntilTheNewOneIsWhole) {
    start();
    using M = HeardStationsModel;
    receive({reception("JA1ABC  ", "hello from JA1ABC   ")});
    receive({reception("JA1ABC  ", "QRV mobile")}); // two of its four parts
    EXPECT_EQ(cell(0, M::Count), "2");
    EXPECT_EQ(cell(0, M::Message), "hello from JA1ABC");
    EXPECT_TRUE(Form1->MSG->text().startsWith("QRV mobile")) << "the live message";
    receive({reception("JA1ABC  ", "QRV mobile in Tokyo ")});
    EXPECT_EQ(cell(0, M::Message), "QRV mobile in Tokyo");
}

// The context menu opens on the row the pointer or the keyboard names (Menu key, Shift+F10,
// a keyboard context-menu request) and acts on the station it opened on, while receptions go
// on: a new station joins the end of the view until nothing aims at the rows any more.
TEST_F(Heard, ContextMenuActsOnItsStationWhateverArrives) {
    const struct {
        const char* name;
        std::function<void(QTableView*, QPoint)> open;
    } openers[] = {
        {"right click",
         [](QTableView* t, QPoint at) {
             QContextMenuEvent e(QContextMenuEvent::Mouse, at, t->viewport()->mapToGlobal(at));
             QApplication::sendEvent(t->viewport(), &e);
         }},
        {"Menu key", [](QTableView* t, QPoint) { QTest::keyClick(t, Qt::Key_Menu); }},
        {"Shift+F10",
         [](QTableView* t, QPoint) { QTest::keyClick(t, Qt::Key_F10, Qt::ShiftModifier); }},
        {"keyboard request",
         [](QTableView* t, QPoint) {
             QContextMenuEvent e(QContextMenuEvent::Keyboard, QPoint(1, 1),
                                 t->mapToGlobal(QPoint(1, 1)));
             QApplication::sendEvent(t, &e);
         }},
    };
    for (const auto& opener : openers) {
        SCOPED_TRACE(opener.name);
        start();
        receive({reception("KO6JXH  ", "", kCapture), reception("JA1ABC  ", "")});
        showWindow();
        table()->setFocus();
        table()->setCurrentIndex(window().model()->index(1, 0)); // KO6JXH
        QApplication::clipboard()->clear();
        QStringList actions;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) {
                return;
            }
            receive({reception("7M4XYZ  ", "")}); // a new station while the menu is open
            for (QAction* a : menu->actions()) {
                actions << a->text();
                if (a->text() == "&Copy Position") {
                    a->trigger();
                }
            }
            menu->close();
        });
        opener.open(table(), rowCentre(1));
        QCoreApplication::processEvents();
        EXPECT_EQ(actions, QStringList({"Open in &Map", "&Copy Position"}));
        EXPECT_EQ(QApplication::clipboard()->text(), "32.65783, -116.96317 (DM12mp)");
        EXPECT_EQ(callsigns(), QStringList({"JA1ABC", "KO6JXH", "7M4XYZ"}));
        table()->clearSelection();
        EXPECT_EQ(callsigns(), QStringList({"7M4XYZ", "JA1ABC", "KO6JXH"}));
        console.reset();
    }
}

// While the pointer is over the table or a row is selected, receptions change cells in
// place and add new stations at the end; a double-click replies to the station shown under
// the pointer. Once nothing aims at the rows they move to the top in the order heard.
TEST_F(Heard, RowsStayWhileAimedAtAndMoveAfter) {
    for (const bool pointer : {true, false}) {
        SCOPED_TRACE(pointer ? "pointer over the table" : "a row selected");
        start();
        receive({reception("JA1AAA  ", ""), reception("JA1BBB  ", ""), reception("JA1CCC  ", "")});
        showWindow();
        if (pointer) {
            QTest::mouseMove(table()->viewport(), rowCentre(1));
            ASSERT_TRUE(waitFor([&] { return window().model()->held(); }));
        } else {
            table()->selectRow(1);
        }
        receive({reception("JA1AAA  ", "moved?              "), reception("JA1DDD  ", "")});
        EXPECT_EQ(callsigns(), QStringList({"JA1CCC", "JA1BBB", "JA1AAA", "JA1DDD"}));
        EXPECT_EQ(cell(2, HeardStationsModel::Count), "2");
        EXPECT_EQ(cell(2, HeardStationsModel::Message), "moved?");
        if (pointer) {
            // A double-click as the pointer gives it: press, release, press again, release.
            QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, rowCentre(1));
            QTest::mouseDClick(table()->viewport(), Qt::LeftButton, {}, rowCentre(1));
            QTest::mouseRelease(table()->viewport(), Qt::LeftButton, {}, rowCentre(1));
            EXPECT_EQ(Form1->YourCALL->text(), "JA1BBB  ");
            table()->clearSelection(); // the double-click selected the row
            EXPECT_TRUE(window().model()->held()) << "the pointer is still over it";
            QTest::mouseMove(window().menuBar(), window().menuBar()->rect().center());
        } else {
            QTest::keyClick(table(), Qt::Key_Return);
            EXPECT_EQ(Form1->YourCALL->text(), "JA1BBB  ");
            table()->clearSelection();
        }
        ASSERT_TRUE(waitFor([&] { return !window().model()->held(); }));
        EXPECT_EQ(callsigns(), QStringList({"JA1DDD", "JA1AAA", "JA1CCC", "JA1BBB"}));
        console.reset();
    }
}

// From 9 to 12 pt the window opens within the screen, and every column is as wide as its
// title and its usual content.
TEST_F(Heard, SizedFromTheFontWithinTheScreen) {
    for (const int points : {9, 11, 12}) {
        SCOPED_TRACE(points);
        QFont font = QApplication::font();
        font.setPointSize(points);
        QApplication::setFont(font);
        test::RecordingNotifier boxes;
        HeardStations heard(boxes);
        const QRect room = heard.screen()->availableGeometry();
        EXPECT_LE(heard.width(), room.width());
        EXPECT_LE(heard.height(), room.height());
        EXPECT_GE(heard.height(), 10 * heard.fontMetrics().height());
        const QFontMetrics metrics(heard.table()->font());
        const QStringList titles = heard.model()->headers();
        for (int c = 0; c < HeardStationsModel::ColumnCount; ++c) {
            const auto& column = HeardStationsModel::kColumns[static_cast<std::size_t>(c)];
            EXPECT_GT(heard.table()->columnWidth(c),
                      std::max(metrics.horizontalAdvance(QLatin1String(column.widest)),
                               metrics.horizontalAdvance(titles[c])))
                << column.title;
        }
    }
}

// Open in Map: the desktop's geo: handler, else the same place on OpenStreetMap in the web
// browser, else a box that names the address.
TEST_F(Heard, MapFallsBackToOpenStreetMap) {
    start();
    receive({reception("KO6JXH  ", "", kCapture)});
    const HeardStation station = window().model()->station(0);
    const QString geo = "geo:32.65783,-116.96317";
    const QString web = "https://www.openstreetmap.org/?mlat=32.65783&mlon=-116.96317"
                        "#map=14/32.65783/-116.96317";
    const struct {
        bool geoOpens, webOpens;
        QStringList tried;
        std::size_t boxes;
    } rows[] = {
        {true, true, {geo}, 0},
        {false, true, {geo, web}, 0},
        {false, false, {geo, web}, 1},
    };
    for (const auto& r : rows) {
        QStringList tried;
        window().openUrl = [&](const QUrl& url) {
            tried << url.toString();
            return url.scheme() == "geo" ? r.geoOpens : r.webOpens;
        };
        notifier.boxes.clear();
        window().openMap(station);
        EXPECT_EQ(tried, r.tried);
        ASSERT_EQ(notifier.boxes.size(), r.boxes);
        if (r.boxes > 0) {
            EXPECT_EQ(notifier.boxes[0].kind, "failure");
            EXPECT_TRUE(notifier.boxes[0].text.contains(web));
        }
    }
}

} // namespace
} // namespace tamsel
