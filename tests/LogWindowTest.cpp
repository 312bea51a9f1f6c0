// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the reception log in the running console, "Log Contact..." and the "Log" page.
#include "heard/HeardStations.h"
#include "history/Unit5.h"
#include "language/Translations.h"
#include "log/LogContact.h"
#include "log/LogPage.h"
#include "log/LogSender.h"
#include "log/ReceptionLog.h"
#include "log/Wsjtx.h"
#include "map/MapWindow.h"
#include "monitor/RadioHeader.h"
#include "monitor/Unit2.h"
#include "settings/SettingsStore.h"
#include "support/ConsoleFixture.h"
#include "support/TimeZone.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDataStream>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>
#include <QtGui/private/qguiapplication_p.h>
#include <map>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <regex>

namespace tamsel {
namespace {

using test::waitFor;

ScriptedReception reception(const std::string& my, const std::string& message) {
    ScriptedReception r;
    r.header.assign(kHeaderSize, ' ');
    r.header[0] = 0x40;
    const std::string routes = "JR1WN  GJR1WN  BCQCQCQ  ";
    std::copy(routes.begin(), routes.end(), r.header.begin() + kRpt2Offset);
    std::copy(my.begin(), my.end(), r.header.begin() + kMyOffset);
    test::addMessage(r, message);
    return r;
}

QString fieldText(QWidget* dialog, const char* accessibleName) {
    for (auto* edit : dialog->findChildren<QLineEdit*>()) {
        if (edit->accessibleName() == QLatin1String(accessibleName)) {
            return edit->text();
        }
    }
    return QStringLiteral("(no field)");
}

QLineEdit* field(QWidget* dialog, const char* accessibleName) {
    for (auto* edit : dialog->findChildren<QLineEdit*>()) {
        if (edit->accessibleName() == QLatin1String(accessibleName)) {
            return edit;
        }
    }
    return nullptr;
}

class Logs : public test::ConsoleFixture {
protected:
    void SetUp() override { qputenv("XDG_DATA_HOME", data.path().toLocal8Bit()); }
    QString folder() const { return data.filePath(QStringLiteral("tamsel")); }
    QAction* logAction() {
        for (QAction* a : Form1->menuFile->actions()) {
            if (a->text() == QLatin1String("Log Contact...")) {
                return a;
            }
        }
        return nullptr;
    }
    LogContactDialog* openDialog() {
        QAction* action = logAction();
        if (action == nullptr) {
            return nullptr;
        }
        action->trigger();
        return Form1->findChild<LogContactDialog*>();
    }
    QTemporaryDir data;
};

TEST_F(Logs, EveryReceptionIsLoggedAndARestartShowsTheLastDay) {
    start();
    receive({reception("JA1ABC  ", "hello from JA1ABC   "), reception("7M4XYZ  ", "")});
    const std::string file = (folder() + QLatin1Char('/')).toStdString() +
                             receptionFileName(std::chrono::system_clock::now());
    ASSERT_TRUE(waitFor([&] {
        return parseReceptionCsv(QFile::exists(QString::fromStdString(file)) ? [&] {
                                         QFile f(QString::fromStdString(file));
                                         f.open(QIODevice::ReadOnly);
                                         return f.readAll().toStdString();
                                     }()
                                                                                   : std::string())
                                         .size() == 2;
    }));
    console.reset();
    start();
    HeardStationsModel* model = console->heardStations()->model();
    ASSERT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->index(0, HeardStationsModel::Callsign).data().toString(), "7M4XYZ");
    EXPECT_EQ(model->index(1, HeardStationsModel::Message).data().toString(), "hello from JA1ABC");
}

// The Log page's switch and retention apply at once, not at the next start.
TEST_F(Logs, TheSwitchAndTheRetentionApplyAtOnce) {
    start();
    QDir().mkpath(folder());
    const QString old = folder() + QStringLiteral("/receptions-2020-01-01.csv");
    QFile(old).open(QIODevice::WriteOnly);
    const QString today =
        folder() + QLatin1Char('/') +
        QString::fromStdString(receptionFileName(std::chrono::system_clock::now()));
    SettingsStore* store = console->settings();
    store->set(QStringLiteral("log/reception_log"), false);
    store->commit();
    receive({reception("JA1ABC  ", "not kept            ")});
    ASSERT_TRUE(waitFor([&] { return console->heardStations()->model()->rowCount() == 1; }));
    EXPECT_FALSE(QFile::exists(today));
    EXPECT_TRUE(QFile::exists(old));

    store->set(QStringLiteral("log/reception_log"), true);
    store->set(QStringLiteral("log/retention_days"), 30);
    store->commit();
    EXPECT_FALSE(QFile::exists(old));
    receive({reception("7M4XYZ  ", "kept                ")});
    ASSERT_TRUE(waitFor([&] { return QFile::exists(today); }));
}

TEST_F(Logs, CtrlLLogsTheLastCallerAndRemembersTheFrequency) {
    start();
    receive({reception("JA1ABC B", "hello from JA1ABC   ")});
    ASSERT_NE(logAction(), nullptr);
    EXPECT_EQ(logAction()->shortcut(), QKeySequence(QStringLiteral("Ctrl+L")));
    LogContactDialog* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(fieldText(dialog, "Call"), "JA1ABC");
    EXPECT_EQ(fieldText(dialog, "Comment"), "hello from JA1ABC");
    EXPECT_EQ(fieldText(dialog, "RST sent"), "");
    EXPECT_EQ(fieldText(dialog, "Frequency (MHz)"), "");
    // A contact no logger would take is not written: no frequency, or a locator ADIF lacks.
    const struct {
        const char *frequency, *locator, *myLocator, *says;
    } refused[] = {
        {"", "PM95", "", "Enter the frequency in MHz"},
        {".", "PM95", "", "The frequency is not a number"},
        {"439.41", "PM9", "", "Their locator needs 2, 4, 6 or 8"},
        {"439.41", "PM95vq1", "", "Their locator needs 2, 4, 6 or 8"},
        {"439.41", "PM95", "JO62ab12xy", "My locator needs 2, 4, 6 or 8"},
    };
    for (const auto& r : refused) {
        field(dialog, "Frequency (MHz)")->setText(QString::fromLatin1(r.frequency));
        field(dialog, "Their locator")->setText(QString::fromLatin1(r.locator));
        field(dialog, "My locator")->setText(QString::fromLatin1(r.myLocator));
        dialog->accept();
        EXPECT_TRUE(dialog->status().startsWith(QString::fromLatin1(r.says)))
            << dialog->status().toStdString();
        EXPECT_FALSE(QFile::exists(folder() + QStringLiteral("/tamsel.adi")));
    }
    field(dialog, "Their locator")->setText(QStringLiteral("PM95vq"));
    field(dialog, "My locator")->clear();
    field(dialog, "Frequency (MHz)")->setText(QStringLiteral("439.41"));
    EXPECT_TRUE(dialog->findChild<QLabel*>() != nullptr);
    QPointer<LogContactDialog> closing(dialog);
    dialog->accept();
    // Logged, the form closes; the main window says where the contact went.
    ASSERT_TRUE(waitFor([&] { return closing == nullptr; }));
    auto* note = Form1->findChild<QLabel*>(QStringLiteral("Toast"));
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->isVisible());
    EXPECT_TRUE(note->text().startsWith(QStringLiteral("Logged to ") + folder()))
        << note->text().toStdString();
    QFile adi(folder() + QStringLiteral("/tamsel.adi"));
    ASSERT_TRUE(adi.open(QIODevice::ReadOnly));
    const QByteArray text = adi.readAll();
    EXPECT_TRUE(text.contains("<CALL:6>JA1ABC<")) << text.toStdString();
    EXPECT_TRUE(text.contains("<BAND:4>70cm<FREQ:6>439.41<")) << text.toStdString();
    EXPECT_TRUE(text.contains("<PROP_MODE:8>INTERNET<")) << text.toStdString();

    LogContactDialog* next = openDialog();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(fieldText(next, "Frequency (MHz)"), "439.41");
}

// Logging a contact keeps its frequency alone: what another console saved meanwhile in
// [log] stays.
TEST_F(Logs, TheRememberedFrequencyIsTheOnlyKeyWritten) {
    start();
    receive({reception("JA1ABC B", "hello from JA1ABC   ")});
    LogContactDialog* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    SettingsStore other;
    other.set(QStringLiteral("log/retention_days"), 7);
    ASSERT_TRUE(other.commit());
    field(dialog, "Frequency (MHz)")->setText(QStringLiteral("439.41"));
    dialog->accept();
    SettingsStore after;
    EXPECT_EQ(after.integer(QStringLiteral("log/retention_days"), 90, 1, 3650).value, 7);
    EXPECT_EQ(after.number(QStringLiteral("log/last_frequency"), 0, 0, 1e6).value, 439.41);
}

// While a station is being received, Ctrl+L takes it, as the main window shows it, not the
// station before it.
TEST_F(Logs, CtrlLDuringAReceptionTakesTheStationUnderWay) {
    start();
    receive({reception("JE2TUV  ", "the one before      ")});
    ASSERT_TRUE(waitFor([&] { return console->heardStations()->model()->rowCount() == 1; }));
    StationReport header;
    header.kind = StationReport::Kind::Heard;
    header.caller = "JK1WXY  ";
    header.rpt1 = "JR1WN  B";
    header.rpt2 = "JR1WN  G";
    header.utcStart = std::chrono::system_clock::now();
    emit Form1->monitor()->stationReport(header);
    StationReport message;
    message.kind = StationReport::Kind::Message;
    message.message = "under way";
    emit Form1->monitor()->stationReport(message);
    LogContactDialog* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(fieldText(dialog, "Call"), "JK1WXY");
    EXPECT_EQ(fieldText(dialog, "Comment"), "under way");
    delete dialog;
}

// Ctrl+L takes the station being worked: the one in Station Call when it was heard in the
// last ten minutes, else the last caller; a Call changed by hand takes that station's own
// last reception, or none of another station's.
TEST_F(Logs, CtrlLTakesTheStationWorkedAndACallTypedTakesItsOwnReception) {
    const struct {
        const char* stationCall;
        int workedMinutesAgo; // when JA0NOP was last heard; 7M4QRS called a minute ago
        const char* typed;    // into Call, or nothing
        const char *call, *suffix, *rpt1, *comment;
    } rows[] = {
        {"JA0NOP", 3, nullptr, "JA0NOP", "NOP", "JR1WN  B", "worked"},
        {"JA0NOP", 11, nullptr, "7M4QRS", "QRS", "JR1YF  A", "cq"},
        {"CQCQCQ", 3, nullptr, "7M4QRS", "QRS", "JR1YF  A", "cq"},
        {"CQCQCQ", 3, "JA0NOP", "JA0NOP", "NOP", "JR1WN  B", "worked"},
        {"CQCQCQ", 3, "DL1XYZ", "DL1XYZ", "", "", ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.stationCall) + " " + (r.typed ? r.typed : "-"));
        start();
        const auto now = std::chrono::system_clock::now();
        const auto hear = [](const char* caller, const char* suffix, const char* rpt1,
                             const char* message, std::chrono::system_clock::time_point at) {
            StationReport h;
            h.caller = caller;
            h.suffix = suffix;
            h.rpt1 = rpt1;
            h.utcStart = at;
            emit Form1->monitor()->stationReport(h);
            h.kind = StationReport::Kind::Message;
            h.message = message;
            emit Form1->monitor()->stationReport(h);
            h.kind = StationReport::Kind::End;
            h.duration = std::chrono::seconds(1);
            emit Form1->monitor()->stationReport(h);
        };
        hear("JA0NOP  ", "NOP ", "JR1WN  B", "worked",
             now - std::chrono::minutes(r.workedMinutesAgo));
        hear("7M4QRS  ", "QRS ", "JR1YF  A", "cq", now - std::chrono::minutes(1));
        QCoreApplication::processEvents();
        Form1->YourCALL->setText(QLatin1String(r.stationCall));
        LogContactDialog* dialog = openDialog();
        ASSERT_NE(dialog, nullptr);
        if (r.typed != nullptr) {
            field(dialog, "Call")->clear();
            QTest::keyClicks(field(dialog, "Call"), QLatin1String(r.typed));
        }
        const Contact c = dialog->contact();
        EXPECT_EQ(c.call + "|" + c.suffix + "|" + c.rpt1 + "|" + c.comment,
                  std::string(r.call) + "|" + r.suffix + "|" + r.rpt1 + "|" + r.comment);
        const auto started = *r.comment == 'w'   ? now - std::chrono::minutes(r.workedMinutesAgo)
                             : *r.comment == 'c' ? now - std::chrono::minutes(1)
                                                 : now;
        EXPECT_LT(std::chrono::abs(c.on - started), std::chrono::seconds(2));
        delete dialog;
        console.reset();
    }
}

// The form by keyboard: one Tab stop per field, an access key for each.
TEST_F(Logs, TheFormByKeyboard) {
    start();
    Form1->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    LogContactDialog* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    ASSERT_TRUE(waitFor([&] { return QApplication::activeWindow() == dialog; }));
    field(dialog, "Call")->setFocus();
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(QApplication::focusWidget(), field(dialog, "Frequency (MHz)"));
    const struct {
        Qt::Key key;
        const char* field;
    } keys[] = {
        {Qt::Key_C, "Call"},         {Qt::Key_F, "Frequency (MHz)"}, {Qt::Key_S, "RST sent"},
        {Qt::Key_R, "RST received"}, {Qt::Key_T, "Their locator"},   {Qt::Key_A, "Name"},
        {Qt::Key_M, "Comment"},      {Qt::Key_Y, "My Call"},         {Qt::Key_L, "My locator"}};
    for (const auto& k : keys) {
        QTest::keyClick(QApplication::focusWidget(), k.key, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), field(dialog, k.field)) << k.field;
    }
    EXPECT_EQ(fieldText(dialog, "Call"), ""); // Alt+key typed nothing
    delete dialog;
}

// The form's times are the contact's UTC instants, whatever the local zone does: in the
// hour that comes twice in Berlin too.
TEST_F(Logs, TheFormKeepsUtcInstantsInTheRepeatedHour) {
    const test::TimeZone berlin("Europe/Berlin");
    LogSettings settings;
    ContactLogger logger(settings, "3.5.0");
    for (const char* utc :
         {"2026-10-25T00:30:00Z", "2026-10-25T01:30:00Z", "2026-03-29T01:30:00Z"}) {
        Contact c;
        c.call = "JA1ABC";
        c.on = *parseUtcIso(utc);
        c.off = c.on + std::chrono::minutes(1);
        LogContactDialog* dialog = openLogContact(nullptr, c, logger);
        EXPECT_EQ(utcText(dialog->contact().on, UtcForm::Iso), utc);
        delete dialog;
    }
}

// In the hour that comes twice in autumn one station is heard at 02:30:00 and again at
// 02:30:00 an hour later: "Log Contact..." on each history line logs that line's reception.
TEST_F(Logs, HistoryLinesKeepTheirMomentInTheRepeatedHour) {
    const test::TimeZone berlin("Europe/Berlin");
    start();
    Form4->openHistory();
    // The monitor hands each line over with the moment its reception began.
    receive({reception("JA1ABC B", "")});
    HeardStationsModel* heard = console->heardStations()->model();
    ASSERT_EQ(Form4->History->count(), 1);
    EXPECT_EQ(Form4->receptionStart(0), heard->station(0).utcStart);

    for (const auto& [utc, message] : {std::pair{"2026-10-25T00:30:00Z", "first"},
                                       std::pair{"2026-10-25T01:30:00Z", "second"}}) {
        StationReport header;
        header.caller = "7M4XYZ  ";
        header.called = "CQCQCQ  ";
        header.utcStart = *parseUtcIso(utc);
        header.time = localText(header.utcStart);
        heard->apply(header);
        StationReport whole;
        whole.kind = StationReport::Kind::Message;
        whole.message = message;
        heard->apply(whole);
        const std::string line = header.time + " 7M4XYZ        CQCQCQ   " + message;
        Form4->appendLine(QByteArray::fromStdString(line), header.utcStart);
    }
    ASSERT_EQ(Form4->History->line(1).substr(0, 19), "2026/10/25 02:30:00");
    ASSERT_EQ(Form4->History->line(2).substr(0, 19), "2026/10/25 02:30:00");
    for (const auto& [row, message] : {std::pair{1, "first"}, std::pair{2, "second"}}) {
        SCOPED_TRACE(message);
        Form4->History->selectRow(row);
        Form4->LogContact1->trigger();
        auto* dialog = Form4->findChild<LogContactDialog*>();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(fieldText(dialog, "Comment"), message);
        delete dialog;
    }
}

// Ctrl+L in the history and in Heard Stations logs the line or station chosen there, not the
// last caller; what a history line leaves out comes from Heard Stations while it is that
// station's last reception.
TEST_F(Logs, TheHistoryAndHeardStationsLogWhatIsChosenThere) {
    start();
    Form4->openHistory();
    receive({reception("JA1ABC B", "hello from JA1ABC   "), reception("7M4XYZ  ", "")});
    HeardStations* heard = console->heardStations();
    struct Case {
        const char* name;
        std::function<void()> choose;
        QWidget* window;
        QAction* action;
        const char* call;
        const char* comment;
    };
    const std::vector<Case> cases{
        {"history, nothing chosen: the newest", [] {}, Form4, Form4->LogContact1, "7M4XYZ", ""},
        {"history, chosen line", [] { Form4->History->selectRow(0); }, Form4, Form4->LogContact1,
         "JA1ABC", "hello from JA1ABC"},
        {"heard, nothing chosen, sorted: the station heard last",
         [heard] {
             heard->table()->sortByColumn(HeardStationsModel::Callsign, Qt::DescendingOrder);
             heard->table()->clearSelection();
         },
         heard, heard->LogContact1, "7M4XYZ", ""},
        {"heard, chosen row",
         [heard] {
             heard->sortByLastHeard();
             heard->table()->setCurrentIndex(heard->model()->index(1, 0));
         },
         heard, heard->LogContact1, "JA1ABC", "hello from JA1ABC"},
        {"heard, context menu",
         [heard] {
             heard->table()->setCurrentIndex(heard->model()->index(0, 0));
             QTimer::singleShot(0, [] {
                 if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                     menu->actions().back()->trigger();
                     menu->close();
                 }
             });
             QTest::keyClick(heard->table(), Qt::Key_Menu);
         },
         heard, nullptr, "7M4XYZ", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.action != nullptr) {
            EXPECT_EQ(c.action->shortcut(), QKeySequence(QStringLiteral("Ctrl+L")));
            ASSERT_TRUE(c.action->isEnabled());
        }
        c.choose();
        if (c.action != nullptr) {
            c.action->trigger();
        }
        auto* dialog = c.window->findChild<LogContactDialog*>();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(fieldText(dialog, "Call"), c.call);
        EXPECT_EQ(fieldText(dialog, "Comment"), c.comment);
        if (QLatin1String(c.call) == QLatin1String("JA1ABC")) {
            field(dialog, "Frequency (MHz)")->setText(QStringLiteral("439.41"));
            dialog->accept(); // the route, which the history line does not show, is logged
            QFile adi(folder() + QStringLiteral("/tamsel.adi"));
            ASSERT_TRUE(adi.open(QIODevice::ReadOnly));
            const QByteArray text = adi.readAll();
            EXPECT_TRUE(text.endsWith("<APP_TAMSEL_RPT2:8>JR1WN  G<EOR>\n")) << text.toStdString();
        }
        delete dialog;
    }
    Form4->EraseClick();
    EXPECT_FALSE(Form4->LogContact1->isEnabled());

    // Export ADIF: the table in its order as listening reports from your station.
    // Each station on the frequency it was heard on; the others on the one the operator
    // names when asked, offered the last contact's. Cancelled, nothing is written.
    console->station().setMyCall(QStringLiteral("JJ1ZZZ"), QString());
    const QString path = data.filePath(QStringLiteral("heard.adi"));
    std::vector<std::optional<double>> offered;
    std::optional<double> answer;
    heard->chooseFrequency = [&](std::optional<double> suggested) {
        offered.push_back(suggested);
        return answer;
    };
    heard->stationFrequency = [](const HeardStation& s) {
        return s.callsign.starts_with("7M4XYZ") ? std::optional<double>(145.375) : std::nullopt;
    };
    EXPECT_FALSE(heard->exportAdif(path));
    EXPECT_FALSE(QFile::exists(path));
    answer = 430.5;
    ASSERT_TRUE(heard->exportAdif(path));
    EXPECT_EQ(offered, (std::vector<std::optional<double>>{439.41, 439.41}));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray adif = file.readAll();
    EXPECT_TRUE(adif.startsWith("Tamsel Console ADIF log")) << adif.toStdString();
    EXPECT_EQ(adif.count("<SWL:1>Y"), 2);
    EXPECT_EQ(adif.count("<BAND:4>70cm<FREQ:5>430.5<"), 1) << adif.toStdString();
    EXPECT_EQ(adif.count("<BAND:2>2m<FREQ:7>145.375<"), 1) << adif.toStdString();
    EXPECT_LT(adif.indexOf("<CALL:6>7M4XYZ"), adif.indexOf("<CALL:6>JA1ABC"));
    EXPECT_EQ(adif.count("<STATION_CALLSIGN:6>JJ1ZZZ"), 2) << adif.toStdString();
    // Never over the ADIF log, which only grows.
    const QString log = folder() + QStringLiteral("/tamsel.adi");
    const QByteArray before = [&] {
        QFile f(log);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    EXPECT_FALSE(heard->exportAdif(log));
    // Nor through a link to it.
    const QString link = data.filePath(QStringLiteral("link.adi"));
    ASSERT_TRUE(QFile::link(log, link));
    EXPECT_FALSE(heard->exportAdif(link));
    QFile after(log);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
    EXPECT_TRUE(notifier.texts().last().contains(QStringLiteral("is your ADIF log")))
        << notifier.texts().join(QLatin1Char('|')).toStdString();
}

// No window's save replaces a log, by its name or through a link: the ADIF log and the
// reception log's day files (one there already, or one still to come) stay as they were.
TEST_F(Logs, NoSaveReplacesALog) {
    start();
    QDir().mkpath(folder());
    const auto now = std::chrono::system_clock::now();
    const auto inFolder = [&](const std::string& name) {
        return folder() + QLatin1Char('/') + QString::fromStdString(name);
    };
    const QString adif = inFolder("tamsel.adi");
    const QString today = inFolder(receptionFileName(now));
    for (const QString& kept : {adif, today}) {
        QFile f(kept);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("kept") == 4);
    }
    const QString adifLink = data.filePath(QStringLiteral("link.adi"));
    ASSERT_TRUE(QFile::link(adif, adifLink));
    const QString hardLink = data.filePath(QStringLiteral("hard.csv"));
    std::filesystem::create_hard_link(today.toStdString(), hardLink.toStdString());
    const QString tomorrow = inFolder(receptionFileName(now + std::chrono::hours(24)));
    const QString other = data.filePath(QStringLiteral("other"));

    HeardStations* heard = console->heardStations();
    MapWindow* map = console->map();
    const struct {
        const char* what;
        std::function<bool(const QString&)> save;
    } saves[] = {
        {"Heard Stations' Save As", [heard](const QString& p) { return heard->saveAs(p); }},
        {"Export ADIF", [heard](const QString& p) { return heard->exportAdif(p); }},
        {"the history's Save As", [](const QString& p) { return Form4->saveAs(p); }},
        {"the map's Save Image", [map](const QString& p) { return map->saveImage(p); }},
    };
    for (const auto& s : saves) {
        for (const QString& target : {adif, adifLink, today, hardLink, tomorrow}) {
            notifier.boxes.clear();
            EXPECT_FALSE(s.save(target)) << s.what << " " << target.toStdString();
            ASSERT_EQ(notifier.boxes.size(), 1u) << s.what << " " << target.toStdString();
            EXPECT_EQ(notifier.boxes[0].kind, "failure");
            EXPECT_TRUE(notifier.boxes[0].text.contains(QStringLiteral("which is only ever added")))
                << notifier.boxes[0].text.toStdString();
        }
        EXPECT_TRUE(s.save(other)) << s.what;
    }
    for (const QString& kept : {adif, today}) {
        QFile f(kept);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), "kept") << kept.toStdString();
    }
    EXPECT_FALSE(QFile::exists(tomorrow));
}

TEST_F(Logs, AFileThatCannotBeWrittenKeepsTheDialogOpenWithTheReason) {
    LogSettings settings;
    settings.adifFile = data.filePath(QStringLiteral("blocker/log.adi"));
    QFile blocker(data.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ContactLogger logger(settings, "3.5.0");
    Contact c;
    c.call = "JA1ABC";
    c.frequencyMHz = 145.375;
    LogContactDialog* dialog = openLogContact(nullptr, c, logger);
    dialog->accept();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->status().startsWith(QStringLiteral("Not logged: ")))
        << dialog->status().toStdString();
    EXPECT_TRUE(dialog->status().contains(QStringLiteral("blocker")))
        << dialog->status().toStdString();
    field(dialog, "Call")->clear();
    dialog->accept();
    EXPECT_EQ(dialog->status(), "Enter the callsign of the station worked.");
    delete dialog;
}

// The frequency is read as the interface language writes it, or with a point; what is not
// a frequency in an amateur band is refused with the reason, and only what was logged is
// offered next time.
TEST_F(Logs, TheFrequencyIsReadAsTheLanguageWritesItAndOnlyABandIsLogged) {
    const struct {
        const char* language;
        const char* typed;
        double logged; // 0: refused
        const char* says;
    } rows[] = {
        {"de", "439,150", 439.15, ""},
        {"de", " 439.15 ", 439.15, ""},
        {"ja", "\uFF14\uFF13\uFF19\uFF0E\uFF11\uFF15", 439.15, ""}, // full-width, as an IME types
        {"en", "1296", 1296, ""},
        {"en", "439,150", 0, "such as 145.375"}, // an English comma groups: not 439150
        {"de", "10.368,1", 0, "145,375"},        // two separators: ambiguous
        {"en", "1e3", 0, "such as 145.375"},
        {"en", "500", 0, "500 MHz is in no amateur band"},
        {"de", "-145,5", 0, "-145,5 MHz"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.language) + " " + r.typed);
        const Translations language{QLatin1String(r.language)};
        LogSettings settings;
        settings.adifFile = data.filePath(QStringLiteral("log.adi"));
        settings.lastFrequencyMHz = 145.5;
        ContactLogger logger(settings, "3.5.0");
        Contact c;
        c.call = "JA1ABC";
        c.frequencyMHz = settings.lastFrequencyMHz;
        QPointer<LogContactDialog> dialog = openLogContact(nullptr, c, logger);
        QLineEdit* frequency = nullptr; // the one whose hint gives an example
        for (auto* edit : dialog->findChildren<QLineEdit*>()) {
            frequency = edit->placeholderText().contains("145") ? edit : frequency;
        }
        ASSERT_NE(frequency, nullptr);
        EXPECT_EQ(frequency->text(), *r.language == 'd' ? "145,5" : "145.5");
        frequency->clear();
        frequency->insert(QString::fromUtf8(r.typed)); // as typed or pasted: nothing dropped
        EXPECT_EQ(frequency->text(), QString::fromUtf8(r.typed));
        dialog->accept();
        if (r.logged > 0) {
            EXPECT_EQ(settings.lastFrequencyMHz, r.logged);
            EXPECT_TRUE(dialog == nullptr || !dialog->isVisible());
        } else {
            EXPECT_TRUE(dialog->status().contains(QString::fromUtf8(r.says)))
                << dialog->status().toStdString();
            EXPECT_EQ(settings.lastFrequencyMHz, 145.5) << "only what was logged is remembered";
        }
        delete dialog;
    }
}

// A refusal is said to a screen reader: the keyboard goes to the field at fault, which
// carries the reason, and an alert is raised with the reason as its text.
TEST_F(Logs, ARefusalMovesTheFocusAndRaisesAnAlert) {
    static QStringList alerts;
    alerts.clear();
    // As when a screen reader runs: the platform's accessibility on, its events seen here.
    QPlatformAccessibility* platform =
        QGuiApplicationPrivate::platformIntegration()->accessibility();
    ASSERT_NE(platform, nullptr);
    platform->setActive(true);
    QAccessible::installUpdateHandler([](QAccessibleEvent* e) {
        if (e->type() == QAccessible::Alert && e->accessibleInterface() != nullptr) {
            alerts << e->accessibleInterface()->text(QAccessible::Description);
        }
    });
    const struct {
        const char *call, *frequency, *locator, *myLocator;
        int offBeforeOn;
        const char* focus;
    } rows[] = {
        {"", "439.15", "", "", 0, "Call"},
        {"JA1ABC", "439.15", "", "", 1, "Off (UTC)"},
        {"JA1ABC", "", "", "", 0, "Frequency (MHz)"},
        {"JA1ABC", "600", "", "", 0, "Frequency (MHz)"},
        {"JA1ABC", "439.15", "PM9", "", 0, "Their locator"},
        {"JA1ABC", "439.15", "", "JO62ab12xy", 0, "My locator"},
    };
    LogSettings settings;
    ContactLogger logger(settings, "3.5.0");
    for (const auto& r : rows) {
        SCOPED_TRACE(r.focus);
        Contact c;
        c.on = std::chrono::system_clock::now();
        c.off = c.on - std::chrono::hours(r.offBeforeOn);
        LogContactDialog* dialog = openLogContact(nullptr, c, logger);
        field(dialog, "Call")->setText(QLatin1String(r.call));
        field(dialog, "Frequency (MHz)")->setText(QLatin1String(r.frequency));
        field(dialog, "Their locator")->setText(QLatin1String(r.locator));
        field(dialog, "My locator")->setText(QLatin1String(r.myLocator));
        field(dialog, "Comment")->setFocus();
        dialog->accept();
        ASSERT_NE(dialog->focusWidget(), nullptr);
        EXPECT_EQ(dialog->focusWidget()->accessibleName(), r.focus);
        EXPECT_EQ(dialog->focusWidget()->accessibleDescription(), dialog->status());
        EXPECT_EQ(alerts, QStringList{dialog->status()});
        alerts.clear();
        delete dialog;
    }
    QAccessible::installUpdateHandler(nullptr);
    platform->setActive(false);
}

// What a logger was sent, one word a datagram: the WSJT-X message's name, or "ADIF" for a
// plain record; reads until `enough` holds for what came (five seconds at most).
template <typename F> QStringList receivedTill(QUdpSocket& logger, F enough) {
    QStringList got;
    waitFor([&] {
        while (logger.hasPendingDatagrams()) {
            QByteArray d(static_cast<int>(logger.pendingDatagramSize()), 0);
            logger.readDatagram(d.data(), d.size());
            QDataStream in(d);
            quint32 magic = 0, schema = 0, type = 0;
            in >> magic >> schema >> type;
            const std::map<quint32, QString> names = {{kWsjtxHeartbeat, "Heartbeat"},
                                                      {kWsjtxStatus, "Status"},
                                                      {kWsjtxQsoLogged, "QSO Logged"},
                                                      {kWsjtxClose, "Close"},
                                                      {kWsjtxLoggedAdif, "Logged ADIF"}};
            got << (magic != kWsjtxMagic   ? QStringLiteral("ADIF")
                    : names.contains(type) ? names.at(type)
                                           : QString::number(type));
            if (got.back() == "ADIF") {
                EXPECT_TRUE(d.contains("<CALL:6>JA1ABC")) << d.toStdString();
            }
        }
        return enough(got);
    });
    return got;
}
// The first `count` (or what came in five seconds), as "Heartbeat, Status".
std::string received(QUdpSocket& logger, qsizetype count) {
    return receivedTill(logger, [count](const QStringList& got) { return got.size() >= count; })
        .join(", ")
        .toStdString();
}
// Up to and with the first `last`.
std::string receivedUntil(QUdpSocket& logger, const QString& last) {
    return receivedTill(logger, [&](const QStringList& got) { return got.contains(last); })
        .join(", ")
        .toStdString();
}

// Heartbeats until the close, and nothing else.
bool beatsThenCloses(const std::string& got) {
    return std::regex_match(got, std::regex("(Heartbeat, )*Close"));
}

TEST(LogSend, EachContactGoesOnceToTheLoggerAndASilentOneNeverBlocks) {
    QUdpSocket logger;
    ASSERT_TRUE(logger.bind(QHostAddress::LocalHost, 0));
    QTemporaryDir data;
    LogSettings settings;
    settings.adifFile = data.filePath(QStringLiteral("log.adi"));
    settings.port = logger.localPort();
    Contact c;
    c.call = "JA1ABC";
    // As WSJT-X: known to the server (heartbeat) from the start, a status before the
    // contact, and a close when the console goes; as ADIF: the record alone.
    const std::vector<std::tuple<LogSettings::Sender, int, std::string>> cases = {
        {LogSettings::Sender::Adif, 1, "ADIF"},
        {LogSettings::Sender::Wsjtx, 4, "Heartbeat, Status, QSO Logged, Logged ADIF"},
    };
    for (const auto& [sender, count, expected] : cases) {
        settings.sender = sender;
        ContactLogger contacts(settings, "3.5.0");
        const auto outcome = contacts.log(c, std::chrono::system_clock::now());
        EXPECT_TRUE(outcome.error.isEmpty());
        EXPECT_TRUE(
            outcome.status.contains(QStringLiteral("Sent to 127.0.0.1:%1").arg(settings.port)))
            << outcome.status.toStdString();
        EXPECT_EQ(received(logger, count), expected);
    }
    EXPECT_EQ(received(logger, 1), "Close");
    logger.close(); // nobody listening now: the record still goes to the file
    ContactLogger contacts(settings, "3.5.0");
    EXPECT_TRUE(contacts.log(c, std::chrono::system_clock::now()).error.isEmpty());
}

TEST(LogSend, AsAWsjtxClientItBeatsWhileOnAndClosesWhenSwitchedOffMovedOrGone) {
    using namespace std::chrono_literals;
    QUdpSocket first;
    QUdpSocket second;
    ASSERT_TRUE(first.bind(QHostAddress::LocalHost, 0));
    ASSERT_TRUE(second.bind(QHostAddress::LocalHost, 0));
    const std::string beats = "Heartbeat, Heartbeat, Heartbeat";
    LogSettings s;
    s.sender = LogSettings::Sender::Wsjtx;
    s.port = first.localPort();
    auto sender = std::make_unique<LogSender>(20ms);
    sender->follow(s, "3.5.0");
    EXPECT_EQ(received(first, 3), beats) << "one at once, then every pulse";
    s.port = second.localPort(); // moved: a close where it was, a heartbeat where it is
    sender->follow(s, "3.5.0");
    EXPECT_PRED1(beatsThenCloses, receivedUntil(first, "Close"));
    EXPECT_EQ(received(second, 3), beats);
    s.sender = LogSettings::Sender::Adif; // switched to plain ADIF: no longer a client
    sender->follow(s, "3.5.0");
    EXPECT_PRED1(beatsThenCloses, receivedUntil(second, "Close"));
    s.sender = LogSettings::Sender::Wsjtx;
    sender->follow(s, "3.5.0");
    EXPECT_EQ(received(second, 1), "Heartbeat");
    sender.reset(); // the console ends
    EXPECT_PRED1(beatsThenCloses, receivedUntil(second, "Close"));
}

TEST_F(Logs, TheConsoleIsAWsjtxClientFromThePreferencesOnUntilItEnds) {
    QUdpSocket server;
    ASSERT_TRUE(server.bind(QHostAddress::LocalHost, 0));
    start();
    SettingsStore* store = console->settings();
    LogSettings s = loadLogSettings(*store);
    s.sender = LogSettings::Sender::Wsjtx;
    s.port = server.localPort();
    saveLogSettings(*store, s);
    ASSERT_TRUE(store->commit());
    EXPECT_EQ(received(server, 1), "Heartbeat") << "at once, not at the first contact";
    console.reset();
    EXPECT_PRED1(beatsThenCloses, receivedUntil(server, "Close"));
}

TEST(LogPageTest, ValuesRoundTripAndThePortFollowsTheKind) {
    LogPage page;
    EXPECT_EQ(page.title(), "Log");
    EXPECT_EQ(page.values(), LogSettings());
    LogSettings s;
    s.receptionLog = false;
    s.retentionDays = 30;
    s.adifFile = QStringLiteral("/tmp/x.adi");
    s.sender = LogSettings::Sender::Wsjtx;
    s.port = 2240;
    s.lastFrequencyMHz = 145.375;
    page.setValues(s);
    EXPECT_EQ(page.values(), s);
    {
        // Through the settings file and back; a hand-edited bad value gives its default.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tamsel.conf"));
        SettingsStore store(path);
        page.save(store);
        ASSERT_TRUE(store.commit());
        EXPECT_EQ(loadLogSettings(SettingsStore(path)), s);
        store.set(QStringLiteral("log/sender"), QStringLiteral("carrier pigeon"));
        store.set(QStringLiteral("log/retention_days"), -4);
        EXPECT_EQ(loadLogSettings(store).sender, LogSettings::Sender::Off);
        EXPECT_EQ(loadLogSettings(store).retentionDays, LogSettings::kDefaultRetentionDays);
    }
    auto* kind = page.findChild<QComboBox*>();
    kind->setCurrentIndex(static_cast<int>(LogSettings::Sender::Adif));
    EXPECT_EQ(page.values().port, 2240) << "a port of the operator's own stays";
    s.port = LogSettings::kWsjtxPort;
    page.setValues(s);
    kind->setCurrentIndex(static_cast<int>(LogSettings::Sender::Adif));
    EXPECT_EQ(page.values().port, LogSettings::kAdifPort);
    EXPECT_EQ(page.problem(), "");
    for (auto* edit : page.findChildren<QLineEdit*>()) {
        if (edit->accessibleName() == QLatin1String("Logging program address")) {
            edit->setText(QStringLiteral("localhost:2237"));
        }
    }
    EXPECT_FALSE(page.problem().isEmpty());
}

} // namespace
} // namespace tamsel
