// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the Heard Stations window and of keeping the received history.
#include "heard/HeardStations.h"
#include "history/Unit5.h"
#include "log/Formats.h"
#include "monitor/RadioHeader.h"
#include "station/Locator.h"
#include "station/OwnStation.h"
#include "support/ConsoleFixture.h"
#include "support/TimeZone.h"
#include "widgets/Contrast.h"
#include "widgets/SaveFile.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolTip>
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
    test::addMessage(r, message);
    for (std::size_t at = 0; at < data.size(); at += 5) {
        const std::size_t n = std::min<std::size_t>(5, data.size() - at);
        r.slowData.push_back(static_cast<std::uint8_t>(0x30 + n));
        r.slowData.insert(r.slowData.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                          data.begin() + static_cast<std::ptrdiff_t>(at + n));
        r.slowData.resize(r.slowData.size() + 5 - n, 'f');
    }
    return r;
}

StationReport heard(const std::string& call, const std::string& your = "CQCQCQ  ",
                    const std::string& rpt1 = "DIRECT  ", const std::string& rpt2 = "DIRECT  ") {
    StationReport r;
    r.caller = call;
    r.called = your;
    r.rpt1 = rpt1;
    r.rpt2 = rpt2;
    r.time = "2026/12/08 10:00:00";
    r.utcStart = *parseLocalText(r.time); // as the monitor gives both
    return r;
}

StationReport at(double latitude, double longitude, std::optional<int> course = {}) {
    StationReport r;
    r.kind = StationReport::Kind::Position;
    r.position.latitude = latitude;
    r.position.longitude = longitude;
    r.position.course = course;
    return r;
}

QString cellOf(const HeardStationsModel& m, int row, int column, int role = Qt::DisplayRole) {
    return m.index(row, column).data(role).toString();
}

QStringList column(const HeardStationsModel& m, int c) {
    QStringList out;
    for (int row = 0; row < m.rowCount(); ++row) {
        out << cellOf(m, row, c);
    }
    return out;
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

    // Enter on the second row replies to JA1ABC the way it was heard (simplex), through the
    // change rule.
    Form1->HeardStations1Click();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    window().table()->setCurrentIndex(window().model()->index(1, 0));
    QTest::keyClick(window().table(), Qt::Key_Return);
    EXPECT_EQ(Form1->YourCALL->text(), "JA1ABC  ");
    const auto sent = test::describe(sentSinceStart());
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(std::vector(sent.end() - 3, sent.end()),
              (std::vector<std::string>{"SetYourCall \"JA1ABC  \"", "SetRpt1Call \"DIRECT  \"",
                                        "SetRpt2Call \"DIRECT  \""}));

    const QStringList csv = QString::fromUtf8(HeardStations::csv(*window().model()))
                                .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(csv.size(), 3);
    EXPECT_EQ(csv[0],
              "Callsign,Suffix,Last Heard,Count,Called,Route,Message,Locator,Latitude,"
              "Longitude,Distance (km),Bearing,Course,Speed (km/h),Altitude (m),Comment,Gated");
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
                                "J.P. HT ID-52PLUS,"))
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
        EXPECT_EQ(actions, QStringList({"Show on &Map", "Open in Map &Program", "&Copy Position",
                                        "", "&Log Contact..."}));
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
        // Each pass starts afresh: the reception log would bring back the last pass's calls.
        const QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
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
// browser, else the operator is told no program could show it and may copy the position.
TEST_F(Heard, MapFallsBackToOpenStreetMapThenOffersThePosition) {
    start();
    receive({reception("KO6JXH  ", "", kCapture)});
    const HeardStation station = window().model()->station(0);
    const QString geo = "geo:32.65783,-116.96317";
    const QString web = "https://www.openstreetmap.org/?mlat=32.65783&mlon=-116.96317"
                        "#map=14/32.65783/-116.96317";
    const struct {
        bool geoOpens, webOpens, copy;
        QStringList tried;
        bool offered;
        QString clipboard;
    } rows[] = {
        {true, true, true, {geo}, false, "before"},
        {false, true, true, {geo, web}, false, "before"},
        {false, false, false, {geo, web}, true, "before"},
        {false, false, true, {geo, web}, true, "32.65783, -116.96317 (DM12mp)"},
    };
    for (const auto& r : rows) {
        QApplication::clipboard()->setText(QStringLiteral("before"));
        QStringList tried;
        window().openUrl = [&](const QUrl& url) {
            tried << url.toString();
            return url.scheme() == "geo" ? r.geoOpens : r.webOpens;
        };
        QString offered;
        window().offerToCopy = [&](const QString& text) {
            offered = text;
            return r.copy;
        };
        window().openMap(station);
        EXPECT_EQ(tried, r.tried);
        EXPECT_EQ(!offered.isEmpty(), r.offered);
        if (r.offered) {
            EXPECT_TRUE(offered.startsWith(QStringLiteral("No program could show the map")))
                << offered.toStdString();
        }
        EXPECT_EQ(QApplication::clipboard()->text(), r.clipboard);
    }
}

// Save dialogs start in the documents folder, then in the folder used last; never in the
// folder the console was started in.
TEST_F(Heard, SaveDialogsStartInTheDocumentsFolderThenTheLastUsed) {
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    QDir(home.path()).mkpath(QStringLiteral("Documents"));
    EXPECT_EQ(saveFolder(), home.filePath(QStringLiteral("Documents")));
    EXPECT_NE(saveFolder(), QDir::currentPath());
    QDir(home.path()).mkpath(QStringLiteral("logs"));
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->directory().absolutePath(), home.filePath(QStringLiteral("Documents")));
        dialog->selectFile(home.filePath(QStringLiteral("logs/heard.csv")));
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(chooseSaveFile(nullptr, QStringLiteral("heard.csv")),
              home.filePath(QStringLiteral("logs/heard.csv")));
    EXPECT_EQ(saveFolder(), home.filePath(QStringLiteral("logs")));
    qputenv("HOME", oldHome);
}

// View > Sort By sorts by any column from the keyboard, and the sort is kept across restarts.
TEST_F(Heard, SortByAnyColumnFromTheMenuKeptAcrossRestarts) {
    start();
    receive({reception("KO6JXH  ", "", kCapture), reception("JA1ABC  ", "")});
    QMenu* sortBy = window().findChild<QMenu*>(QStringLiteral("SortBy"));
    ASSERT_NE(sortBy, nullptr);
    QStringList items;
    QString keys;
    for (QAction* a : sortBy->actions()) {
        if (a->isCheckable() && a != window().SortDescending) {
            items << QString(a->text())
                         .remove(QLatin1Char('&'))
                         .remove(QRegularExpression(" \\(.\\)$"));
            const auto at = a->text().indexOf(QLatin1Char('&'));
            ASSERT_GE(at, 0) << a->text().toStdString();
            EXPECT_FALSE(keys.contains(a->text().at(at + 1).toLower())) << a->text().toStdString();
            keys += a->text().at(at + 1).toLower();
        }
    }
    EXPECT_EQ(items.size(), HeardStationsModel::ColumnCount);
    EXPECT_EQ(items.front(), "Callsign");
    sortBy->actions().at(HeardStationsModel::Callsign)->trigger();
    EXPECT_EQ(window().model()->sortColumn(), HeardStationsModel::Callsign);
    EXPECT_EQ(window().model()->station(0).callsign, "JA1ABC");
    window().SortDescending->trigger();
    EXPECT_EQ(window().model()->station(0).callsign, "KO6JXH");
    EXPECT_TRUE(sortBy->actions().at(HeardStationsModel::Callsign)->isChecked());

    console.reset();
    start();
    EXPECT_EQ(window().model()->sortColumn(), HeardStationsModel::Callsign);
    EXPECT_EQ(window().table()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_TRUE(window().SortDescending->isChecked());
    window().SortByLastHeard->trigger();
    console.reset();
    start();
    EXPECT_EQ(window().model()->sortColumn(), -1);
    EXPECT_FALSE(window().SortDescending->isEnabled());
}

// Distance and bearing from your position to the station's last one, in your units; blank
// while either is unknown.
TEST(HeardModel, DistanceAndBearingInYourUnits) {
    const LatLon jn58td = *locatorCentre("JN58td");
    const LatLon fn31pr = *locatorCentre("FN31pr");
    const LatLon near = *locatorCentre("JN58td25");
    const LatLon east = *locatorCentre("JN58td35"); // 620.5 m east
    using M = HeardStationsModel;
    const struct {
        std::optional<LatLon> own, station;
        Units units;
        const char *distance, *bearing;
    } rows[] = {
        {jn58td, fn31pr, Units::Metric, "6,353", "298"}, // 6353097.51 m at 297.69 degrees
        {jn58td, fn31pr, Units::Imperial, "3,948", "298"},
        {near, east, Units::Metric, "0.6", "90"},
        {near, east, Units::Imperial, "0.4", "90"},
        {std::nullopt, fn31pr, Units::Metric, "", ""},
        {jn58td, std::nullopt, Units::Metric, "", ""},
    };
    for (const auto& r : rows) {
        M m;
        m.apply(heard("JA1ABC"));
        if (r.station) {
            m.apply(at(r.station->latitude, r.station->longitude));
        }
        m.setOwnPosition(r.own);
        m.setUnits(r.units);
        EXPECT_EQ(cellOf(m, 0, M::Distance), r.distance);
        EXPECT_EQ(cellOf(m, 0, M::Bearing), r.bearing);
    }
}

// The table writes numbers as the interface language does; a file always with a point and
// no grouping, whatever the language.
TEST(HeardModel, NumbersAsTheLanguageWritesThemFilesWithAPoint) {
    using M = HeardStationsModel;
    const QLocale before;
    const struct {
        QLocale::Language language;
        const char *latitude, *distance, *altitude;
    } rows[] = {
        {QLocale::English, "35.50000", "9,401", "1,234"},
        {QLocale::German, "35,50000", "9.401", "1.234"},
    };
    for (const auto& r : rows) {
        QLocale::setDefault(QLocale(r.language));
        M m;
        m.apply(heard("JA1ABC"));
        StationReport report = at(35.5, 139.5);
        report.position.altitudeFeet = 1234 / 0.3048;
        m.apply(report);
        m.setOwnPosition(LatLon{48.14, 11.58}); // Munich
        EXPECT_EQ(cellOf(m, 0, M::Latitude), r.latitude);
        EXPECT_EQ(cellOf(m, 0, M::Distance), r.distance);
        EXPECT_EQ(cellOf(m, 0, M::Altitude), r.altitude);
        EXPECT_EQ(m.exportText(m.station(0), M::Latitude), "35.50000");
        EXPECT_EQ(m.exportText(m.station(0), M::Distance), "9401");
        EXPECT_EQ(m.exportText(m.station(0), M::Altitude), "1234");
    }
    QLocale::setDefault(before);
}

// An ambiguous position says how large its box is on the cells that show where it is.
TEST(HeardModel, AnAmbiguousPositionSaysHowLargeItsBoxIs) {
    using M = HeardStationsModel;
    const struct {
        const char* packet;
        Units units;
        const char* box; // empty: an exact position, no tooltip
    } rows[] = {
        {"!35  .  N/139  .  E>", Units::Metric, "111 km"},
        {"!35  .  N/139  .  E>", Units::Imperial, "69.1 mi"},
        {"!3521.  N/13941.  E>", Units::Metric, "1.9 km"},
        {"!3521.5 N/13941.50E>", Units::Metric, "0.2 km"},
        {"!3521.50N/13941.50E>", Units::Metric, ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.packet);
        M m;
        m.apply(heard("JA1ABC"));
        StationReport report = at(0, 0);
        report.position = *decodeAprs(r.packet);
        m.apply(report);
        m.setOwnPosition(LatLon{35.0, 135.0});
        m.setUnits(r.units);
        const QString expected =
            *r.box == 0 ? QString()
                        : QStringLiteral("Approximate position: the station sent only a box %1 "
                                         "from north to south; shown at its centre.")
                              .arg(QLatin1String(r.box));
        for (const int column : {M::Locator, M::Latitude, M::Longitude, M::Distance, M::Bearing}) {
            EXPECT_EQ(cellOf(m, 0, column, Qt::ToolTipRole), expected) << column;
        }
    }
}

// A file names the moment a station was heard, also where the local time shown skips an hour
// in spring or shows one twice in autumn.
TEST(HeardModel, ExportedTimeIsTheMomentAcrossDaylightSavingTime) {
    const test::TimeZone berlin("Europe/Berlin");
    using M = HeardStationsModel;
    const struct {
        const char *utc, *shown, *exported;
    } rows[] = {
        {"2026-03-29T00:59:59Z", "2026/03/29 01:59:59", "2026-03-29T01:59:59+01:00"},
        {"2026-03-29T01:00:00Z", "2026/03/29 03:00:00", "2026-03-29T03:00:00+02:00"},
        {"2026-10-25T00:30:00Z", "2026/10/25 02:30:00", "2026-10-25T02:30:00+02:00"},
        {"2026-10-25T01:30:00Z", "2026/10/25 02:30:00", "2026-10-25T02:30:00+01:00"},
        {"2026-10-25T02:00:00Z", "2026/10/25 03:00:00", "2026-10-25T03:00:00+01:00"},
    };
    for (const auto& r : rows) {
        M m;
        StationReport report = heard("JA1ABC");
        report.utcStart = *parseUtcIso(r.utc);
        report.time = localText(report.utcStart); // as the monitor shows it
        m.apply(report);
        EXPECT_EQ(cellOf(m, 0, M::LastHeard), r.shown) << r.utc;
        EXPECT_EQ(m.exportText(m.station(0), M::LastHeard), r.exported) << r.utc;
    }
}

// Sorted by distance, the order follows your station as it moves (once nothing aims at it).
TEST(HeardModel, SortedByDistanceFollowsYourStation) {
    using M = HeardStationsModel;
    M m;
    m.apply(heard("JA1WEST"));
    m.apply(at(35.0, 135.0));
    m.apply(heard("JA1EAST"));
    m.apply(at(35.0, 140.0));
    m.setOwnPosition(LatLon{35.0, 134.0});
    m.sort(M::Distance, Qt::AscendingOrder);
    EXPECT_EQ(column(m, M::Callsign), QStringList({"JA1WEST", "JA1EAST"}));
    m.setHeld(true);
    m.setOwnPosition(LatLon{35.0, 141.0});
    EXPECT_EQ(column(m, M::Callsign), QStringList({"JA1WEST", "JA1EAST"})) << "held still";
    m.setHeld(false);
    EXPECT_EQ(column(m, M::Callsign), QStringList({"JA1EAST", "JA1WEST"}));
    m.setOwnPosition(LatLon{35.0, 137.4995});
    EXPECT_EQ(column(m, M::Callsign), QStringList({"JA1WEST", "JA1EAST"}));
    m.setOwnPosition(LatLon{35.0, 137.5005}); // 91 m on, past half way: jitter, no new order
    EXPECT_EQ(column(m, M::Callsign), QStringList({"JA1WEST", "JA1EAST"}));
    m.setOwnPosition(LatLon{35.0, 137.6});
    EXPECT_EQ(column(m, M::Callsign), QStringList({"JA1EAST", "JA1WEST"}));
}

// The Route column names what each station's last header asked for; the CSV carries it.
TEST(HeardModel, RouteOfTheLastHeader) {
    const struct {
        const char *your, *rpt1, *rpt2, *route;
    } rows[] = {
        {"REF030CL", "JR1YB  B", "JR1YB  G", "link REF030 C"},
        {"CQCQCQ  ", "JR1YB  G", "JR1YB  B", "via gateway JR1YB"},
        {"/JR1YB B", "JR1YB  G", "JR1YB  B", "routed to JR1YB B"},
        {"CQCQCQ  ", "JR1YB  B", "JR1YB  B", "local JR1YB B"},
        {"CQCQCQ  ", "DIRECT  ", "DIRECT  ", "simplex"},
    };
    HeardStationsModel m;
    for (const auto& r : rows) {
        m.apply(heard("JA1ABC", r.your, r.rpt1, r.rpt2));
        EXPECT_EQ(cellOf(m, 0, HeardStationsModel::Route), r.route);
    }
    EXPECT_TRUE(HeardStations::csv(m).split('\n').at(1).startsWith(
        "JA1ABC,,2026-12-08T10:00:00")); // the time, then count, called, route
    EXPECT_TRUE(HeardStations::csv(m).contains(",5,CQCQCQ,simplex,"))
        << HeardStations::csv(m).toStdString();
}

// Numbers sort as numbers and blanks go last in both directions; among equals the newest
// comes first; a station heard while sorted takes its place at once, or the end while held.
TEST(HeardModel, SortsNumbersAndBlanksLast) {
    using M = HeardStationsModel;
    M m;
    for (const auto& [call, times, latitude] :
         {std::tuple{"JA1AAA", 10, std::optional<double>(35.5)},
          {"JA1BBB", 9, std::nullopt},
          {"JA1CCC", 2, std::optional<double>(-2.0)},
          {"JA1DDD", 2, std::nullopt}}) {
        for (int i = 0; i < times; ++i) {
            m.apply(heard(call));
            if (latitude) {
                m.apply(at(*latitude, 139.0));
            }
        }
    }
    const struct {
        int column;
        Qt::SortOrder order;
        QStringList calls;
    } rows[] = {
        {M::Count, Qt::AscendingOrder, {"JA1DDD", "JA1CCC", "JA1BBB", "JA1AAA"}},
        {M::Count, Qt::DescendingOrder, {"JA1AAA", "JA1BBB", "JA1DDD", "JA1CCC"}},
        {M::Latitude, Qt::AscendingOrder, {"JA1CCC", "JA1AAA", "JA1DDD", "JA1BBB"}},
        {M::Latitude, Qt::DescendingOrder, {"JA1AAA", "JA1CCC", "JA1DDD", "JA1BBB"}},
        {M::Callsign, Qt::DescendingOrder, {"JA1DDD", "JA1CCC", "JA1BBB", "JA1AAA"}},
        {-1, Qt::AscendingOrder, {"JA1DDD", "JA1CCC", "JA1BBB", "JA1AAA"}},
    };
    for (const auto& r : rows) {
        m.sort(r.column, r.order);
        EXPECT_EQ(column(m, M::Callsign), r.calls) << r.column;
    }
    m.sort(M::Count, Qt::DescendingOrder);
    m.apply(heard("JA1CCC")); // now 3
    m.apply(heard("JA1EEE")); // 1
    EXPECT_EQ(column(m, M::Callsign),
              QStringList({"JA1AAA", "JA1BBB", "JA1CCC", "JA1DDD", "JA1EEE"}));
    m.setHeld(true);
    m.apply(heard("JA1DDD"));
    m.apply(heard("JA1DDD"));
    m.apply(heard("JA1FFF"));
    EXPECT_EQ(column(m, M::Callsign),
              QStringList({"JA1AAA", "JA1BBB", "JA1CCC", "JA1DDD", "JA1EEE", "JA1FFF"}));
    EXPECT_EQ(cellOf(m, 3, M::Count), "4");
    m.setHeld(false);
    EXPECT_EQ(column(m, M::Callsign),
              QStringList({"JA1AAA", "JA1BBB", "JA1DDD", "JA1CCC", "JA1FFF", "JA1EEE"}));
}

// A marked row carries its mark in words for assistive technology, an icon beside the
// callsign, and a background whose text stays readable in a light and a dark theme.
TEST(HeardModel, MarkedRowsReadableAndNamed) {
    using M = HeardStationsModel;
    const QPalette original = QApplication::palette();
    QString myCall = "JA1ABC";
    M m;
    m.setMarker([&](const HeardStation& s) -> std::optional<M::Mark> {
        if (QString::fromStdString(s.called).trimmed() == myCall) {
            return M::Mark::CallingYou;
        }
        if (s.callsign.starts_with("7M")) {
            return M::Mark::Watched;
        }
        return std::nullopt;
    });
    m.apply(heard("JA9XYZ"));
    m.apply(heard("7M4XYZ"));
    m.apply(heard("JA1QQQ", "JA1ABC  "));
    const struct {
        int row;
        const char *name, *words;
    } rows[] = {{0, "JA1QQQ", "calling you"}, {1, "7M4XYZ", "watched"}, {2, "JA9XYZ", nullptr}};
    for (const auto& [name, palette] : {std::pair{"light", QPalette()}, {"dark", darkPalette()}}) {
        SCOPED_TRACE(name);
        QApplication::setPalette(palette);
        const QColor base = palette.color(QPalette::Base);
        for (const auto& r : rows) {
            SCOPED_TRACE(r.name);
            const QModelIndex call = m.index(r.row, M::Callsign);
            const QModelIndex message = m.index(r.row, M::Message);
            if (r.words == nullptr) {
                EXPECT_FALSE(call.data(Qt::BackgroundRole).isValid());
                EXPECT_EQ(call.data(Qt::AccessibleTextRole).toString(), r.name);
                EXPECT_TRUE(call.data(Qt::DecorationRole).isNull());
                continue;
            }
            EXPECT_EQ(call.data(Qt::AccessibleTextRole).toString(),
                      QString(r.name) + ", " + r.words);
            EXPECT_EQ(message.data(Qt::AccessibleDescriptionRole).toString(), r.words);
            EXPECT_FALSE(call.data(Qt::DecorationRole).value<QIcon>().isNull());
            for (const QModelIndex& i : {call, message}) {
                const QColor back = i.data(Qt::BackgroundRole).value<QColor>();
                const QColor text = i.data(Qt::ForegroundRole).value<QColor>();
                EXPECT_NE(back, base);
                EXPECT_GE(contrastRatio(text, back), 4.5);
            }
        }
    }
    QApplication::setPalette(original);
    // What the marker decides by changed: asked again for every station.
    myCall = "JA9ZZZ";
    m.refreshMarks();
    EXPECT_FALSE(m.mark(0).has_value());
    EXPECT_EQ(m.mark(1), M::Mark::Watched);
}

// Your station reaches the window: the distance appears with a position and goes without
// one, in the units chosen, headers and CSV alike, without a row moving; gpsd's trouble
// shows in the status bar.
TEST_F(Heard, DistanceFollowsYourStation) {
    start();
    receive({reception("KO6JXH  ", "", kCapture), reception("JA1ABC  ", "")});
    using M = HeardStationsModel;
    showWindow();
    EXPECT_EQ(cell(1, M::Distance), "");
    table()->sortByColumn(M::Callsign, Qt::AscendingOrder);
    EXPECT_EQ(callsigns(), QStringList({"JA1ABC", "KO6JXH"}));
    OwnStation& own = *console->ownStation();
    StationSettings settings;
    settings.source = PositionSource::Locator;
    settings.locator = "JN58td";
    own.configure(settings);
    const QString metric = cell(1, M::Distance);
    EXPECT_FALSE(metric.isEmpty());
    EXPECT_EQ(cell(0, M::Distance), "") << "JA1ABC sent no position";
    settings.units = Units::Imperial;
    own.configure(settings);
    EXPECT_NEAR(cell(1, M::Distance).toDouble(), metric.toDouble() * 1000 / 1609.344, 1.0);
    EXPECT_EQ(window().model()->headerData(M::Distance, Qt::Horizontal, Qt::DisplayRole),
              "Distance (mi)");
    const QByteArray csv = HeardStations::csv(*window().model());
    EXPECT_TRUE(csv.contains(",Distance (mi),Bearing,Course,Speed (mph),Altitude (ft),"));
    EXPECT_TRUE(csv.contains("," + cell(1, M::Distance).remove(',').toUtf8() + "," +
                             cell(1, M::Bearing).toUtf8())); // without the grouping
    settings.locator = "PM95vr"; // now KO6JXH is nearer than before, still second
    own.configure(settings);
    table()->sortByColumn(M::Distance, Qt::AscendingOrder);
    EXPECT_EQ(callsigns(), QStringList({"KO6JXH", "JA1ABC"}));
    settings.locator = "DM12mp";
    own.configure(settings);
    EXPECT_EQ(callsigns(), QStringList({"KO6JXH", "JA1ABC"}));
    settings.source = PositionSource::Gpsd;
    settings.gpsd = "127.0.0.1:1"; // nothing listens there
    own.configure(settings);
    ASSERT_TRUE(waitFor([&] { return window().ownStatus() == "gpsd not reachable"; }));
    EXPECT_EQ(cell(0, M::Distance), "");
}

// Sorted by a column, the reply (double-click, Enter) and the context menu act on the
// station shown in the row; "Sort by Last Heard" brings the newest-first order back.
TEST_F(Heard, SortedRowsActOnTheirStations) {
    start();
    receive({reception("KO6JXH  ", "", kCapture), reception("JA1ABC  ", ""),
             reception("7M4XYZ  ", "")});
    using M = HeardStationsModel;
    showWindow();
    QHeaderView* header = table()->horizontalHeader();
    const QPoint title = QPoint(header->sectionViewportPosition(M::Callsign) + 5, 5);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, title);
    EXPECT_EQ(callsigns(), QStringList({"7M4XYZ", "JA1ABC", "KO6JXH"}));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, title);
    EXPECT_EQ(callsigns(), QStringList({"KO6JXH", "JA1ABC", "7M4XYZ"}));

    QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, rowCentre(1));
    QTest::mouseDClick(table()->viewport(), Qt::LeftButton, {}, rowCentre(1));
    QTest::mouseRelease(table()->viewport(), Qt::LeftButton, {}, rowCentre(1));
    EXPECT_EQ(Form1->YourCALL->text(), "JA1ABC  ");
    table()->setFocus();
    table()->setCurrentIndex(window().model()->index(2, 0));
    QTest::keyClick(table(), Qt::Key_Return);
    EXPECT_EQ(Form1->YourCALL->text(), "7M4XYZ  ");
    table()->setCurrentIndex(window().model()->index(0, 0));
    QApplication::clipboard()->clear();
    QTimer::singleShot(0, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* a : menu->actions()) {
                if (a->text() == "&Copy Position") {
                    a->trigger();
                }
            }
            menu->close();
        }
    });
    QTest::keyClick(table(), Qt::Key_Menu);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::clipboard()->text(), "32.65783, -116.96317 (DM12mp)");

    // Selected (held): a new station joins the end, the selection stays on its station.
    receive({reception("JA1AAA  ", "")});
    EXPECT_EQ(callsigns(), QStringList({"KO6JXH", "JA1ABC", "7M4XYZ", "JA1AAA"}));
    window().SortByLastHeard->trigger(); // still held: the newcomer stays at the end
    EXPECT_EQ(callsigns(), QStringList({"7M4XYZ", "JA1ABC", "KO6JXH", "JA1AAA"}));
    EXPECT_EQ(cell(table()->currentIndex().row(), M::Callsign), "KO6JXH");
    EXPECT_EQ(header->sortIndicatorSection(), -1);
    table()->clearSelection();
    QTest::mouseMove(window().menuBar(), window().menuBar()->rect().center());
    ASSERT_TRUE(waitFor([&] { return !window().model()->held(); }));
    EXPECT_EQ(callsigns(), QStringList({"JA1AAA", "7M4XYZ", "JA1ABC", "KO6JXH"}));
}

// Hovering over a row tells how to reply and open its menu.
TEST_F(Heard, ReplyHintOverTheRows) {
    start();
    receive({reception("JA1ABC  ", "")});
    showWindow();
    QHelpEvent hover(QEvent::ToolTip, rowCentre(0), table()->viewport()->mapToGlobal(rowCentre(0)));
    QApplication::sendEvent(table()->viewport(), &hover);
    ASSERT_TRUE(waitFor([] { return QToolTip::isVisible(); }));
    EXPECT_TRUE(QToolTip::text().startsWith(HeardStations::kReplyHint))
        << QToolTip::text().toStdString();
    EXPECT_TRUE(QToolTip::text().contains("Shift+F10"));
    QToolTip::hideText();
}

} // namespace
} // namespace tamsel
