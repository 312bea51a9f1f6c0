// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the Preferences dialog and its Station page, opened from the main window's menu.
#include "settings/Preferences.h"
#include "WebFace.h"
#include "WebProgram.h"
#include "alerts/AlertsPage.h"
#include "aprs/AprsGate.h"
#include "heard/HeardStationsModel.h"
#include "log/LogPage.h"
#include "monitor/Unit2.h"
#include "settings/AprsPage.h"
#include "settings/PasswordStore.h"
#include "settings/RemotePage.h"
#include "settings/SettingsStore.h"
#include "station/OwnStation.h"
#include "station/StationPage.h"
#include "support/ConsoleFixture.h"
#include "support/FakeAprsIs.h"
#include "support/Receptions.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStatusBar>
#include <functional>

namespace tamsel::test {
namespace {

class PreferencesWindow : public ConsoleFixture {
protected:
    void SetUp() override {
        path = SettingsStore::defaultPath();
        QDir(QFileInfo(path).absolutePath()).removeRecursively();
    }
    static void writeFile(const QByteArray& text) {
        QDir().mkpath(QFileInfo(SettingsStore::defaultPath()).absolutePath());
        QFile f(SettingsStore::defaultPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    static QByteArray file() {
        QFile f(SettingsStore::defaultPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Opens the dialog the operator's way, from Config.
    void open() {
        QAction* item = nullptr;
        for (QAction* a : Form1->menuConfig->actions()) {
            if (a->text() == "&Preferences...") {
                item = a;
            }
        }
        ASSERT_NE(item, nullptr);
        item->trigger();
        ASSERT_TRUE(dialog()->isVisible());
    }
    Preferences* dialog() const { return console->preferences(); }
    StationPage* page() const {
        return static_cast<StationPage*>(dialog()->page(QStringLiteral("Station")));
    }
    QPushButton* button(QDialogButtonBox::StandardButton which) const {
        return dialog()->buttons()->button(which);
    }

    QString path;
};

TEST_F(PreferencesWindow, KeyboardOnlyFromTheMenuToASavedLocator) {
    start();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog()));
    EXPECT_EQ(dialog()->pageList()->currentItem()->text(), "Station");
    QTest::keyClick(dialog(), Qt::Key_S, Qt::AltModifier);
    ASSERT_EQ(dialog()->focusWidget(), page()->source);
    QTest::keyClick(page()->source, Qt::Key_Down); // None -> Maidenhead locator
    QTest::keyClick(dialog(), Qt::Key_L, Qt::AltModifier);
    ASSERT_EQ(dialog()->focusWidget(), page()->locator);
    QTest::keyClicks(page()->locator, "jn58td");
    EXPECT_EQ(page()->resultLocator->text(), "JN58td");
    EXPECT_EQ(page()->resultPosition->text(), "48.14583, 11.62500");
    QTest::keyClick(page()->locator, Qt::Key_Return); // OK is the default button

    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_TRUE(file().contains("source=locator")) << file().toStdString();
    EXPECT_TRUE(file().contains("locator=JN58td")) << file().toStdString();
    ASSERT_TRUE(console->ownStation()->position());
    EXPECT_NEAR(console->ownStation()->position()->latitude, 48.1458333, 1e-6);
    EXPECT_TRUE(notifier.boxes.empty());
}

TEST_F(PreferencesWindow, RefusesWhatItCannotSaveAndSavesNothing) {
    start();
    const struct {
        PositionSource source;
        QLineEdit* StationPage::*field;
        const char* text;
        const char* problem;
    } cases[] = {
        {PositionSource::Locator, &StationPage::locator, "JN58t", "The locator needs"},
        {PositionSource::Locator, &StationPage::locator, "ZZ99", "The locator needs"},
        {PositionSource::LatLon, &StationPage::latitude, "90.5", "The latitude needs"},
        {PositionSource::LatLon, &StationPage::latitude, "north", "The latitude needs"},
        {PositionSource::LatLon, &StationPage::longitude, "-181", "The longitude needs"},
        {PositionSource::Gpsd, &StationPage::gpsd, "localhost:99999", "gpsd needs"},
        {PositionSource::Gpsd, &StationPage::gpsd, "", "gpsd needs"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        open();
        page()->source->setCurrentIndex(static_cast<int>(c.source));
        page()->latitude->setText("48.1"); // a first start leaves it empty
        (page()->*c.field)->setText(QString::fromLatin1(c.text));
        button(QDialogButtonBox::Ok)->click();
        EXPECT_TRUE(dialog()->isVisible());
        EXPECT_TRUE(dialog()->problem()->isVisibleTo(dialog()));
        EXPECT_TRUE(dialog()->problem()->text().startsWith(c.problem))
            << dialog()->problem()->text().toStdString();
        EXPECT_EQ(dialog()->focusWidget(), page()->*c.field);
        EXPECT_FALSE(QFile::exists(path));
        EXPECT_EQ(console->ownStation()->settings().source, PositionSource::None);
        dialog()->reject();
    }
}

TEST_F(PreferencesWindow, AHandEditedFileIsReadAtStartWithItsDefaultsShown) {
    writeFile("[station]\nsource = latlon\nlatitude = 95\nlongitude = -0.13\nunits = imperial\n");
    start();
    EXPECT_EQ(console->ownStation()->position(), (LatLon{0, -0.13}));
    EXPECT_EQ(console->ownStation()->units(), Units::Imperial);
    open();
    EXPECT_EQ(page()->source->currentIndex(), static_cast<int>(PositionSource::LatLon));
    EXPECT_EQ(page()->latitude->text(), "0");
    EXPECT_EQ(page()->resultPosition->text(), "0.00000, -0.13000");
    EXPECT_EQ(page()->resultLocator->text(), "IJ90wa");
    EXPECT_TRUE(page()->defaults->isVisibleTo(dialog()));
    EXPECT_EQ(page()->defaults->text(),
              "Not usable in the settings file, default shown: latitude.");
    EXPECT_EQ(page()->gpsd->text(), "") << "not in the file, and not used";

    // OK puts right what the file held and the page could not show, though left as shown.
    button(QDialogButtonBox::Ok)->click();
    EXPECT_TRUE(file().contains("latitude=0\n")) << file().toStdString();
    EXPECT_FALSE(file().contains("gpsd=")) << "a default left as shown is not written";
}

// On first start nothing on the Station page looks set: the fields are empty, their hints
// hold no value, and the page says so in words. What the file holds is shown.
TEST_F(PreferencesWindow, AnUnsetPositionLooksUnset) {
    const struct {
        const char* file;
        const char* locator;
        const char* latitude;
        const char* gpsd;
        const char* note;
    } cases[] = {
        {"", "", "", "", "Your position is not set."},
        {"[station]\nsource=none\nlocator=JN58td\n", "JN58td", "", "", "Your position is not set."},
        {"[station]\nsource=latlon\nlatitude=-33.87\nlongitude=151.21\n", "", "-33.87", "", ""},
        {"[station]\nsource=gpsd\n", "", "", "localhost:2947", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        writeFile(c.file);
        start();
        open();
        EXPECT_EQ(page()->locator->text(), c.locator);
        EXPECT_EQ(page()->latitude->text(), c.latitude);
        EXPECT_EQ(page()->gpsd->text(), c.gpsd);
        EXPECT_EQ(page()->defaults->text(), c.note);
        EXPECT_EQ(page()->defaults->isVisibleTo(dialog()), *c.note != 0);
        for (const QLineEdit* field :
             {page()->locator, page()->latitude, page()->longitude, page()->gpsd}) {
            EXPECT_FALSE(field->placeholderText().contains(QRegularExpression("[0-9]")))
                << field->accessibleName().toStdString() << ": "
                << field->placeholderText().toStdString();
        }
        console.reset();
    }
    // Choosing gpsd offers its usual address, there to be changed; OK then uses it.
    QFile::remove(path);
    start();
    open();
    page()->source->setCurrentIndex(static_cast<int>(PositionSource::Gpsd));
    EXPECT_EQ(page()->gpsd->text(), "localhost:2947");
    EXPECT_FALSE(page()->defaults->isVisibleTo(dialog())); // no longer "not set"
    button(QDialogButtonBox::Ok)->click();
    EXPECT_FALSE(dialog()->isVisible()) << dialog()->problem()->text().toStdString();
    EXPECT_EQ(console->ownStation()->settings().source, PositionSource::Gpsd);
    EXPECT_EQ(console->ownStation()->settings().gpsd, "localhost:2947");
}

// Keyboard only: Tab runs from the page list into the page's fields, then to OK, Cancel and
// Apply; Enter is OK wherever the focus is, also after Cancel had it and after the dialog
// was closed and opened again; Alt with a letter is an access key and never typed.
TEST_F(PreferencesWindow, EnterIsOkFromEveryFieldAndTabKeepsToThePage) {
    start();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog()));
    QListWidget* pages = dialog()->pageList();
    const auto focus = [this] { return dialog()->focusWidget(); };
    const auto key = [&focus](int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(focus(), static_cast<Qt::Key>(k), mods);
    };
    for (int row = 0; row < pages->count(); ++row) {
        SCOPED_TRACE(pages->item(row)->text().toStdString());
        pages->setCurrentRow(row);
        pages->setFocus();
        std::vector<QWidget*> stops;
        for (int i = 0; i < 40 && (stops.empty() || focus() != pages); ++i) {
            key(Qt::Key_Tab);
            stops.push_back(focus());
        }
        std::string path;
        for (QWidget* w : stops) {
            path += std::string(w->metaObject()->className()) + " " +
                    w->accessibleName().toStdString() + ", ";
        }
        SCOPED_TRACE(path);
        ASSERT_GE(stops.size(), 5u);
        ASSERT_EQ(stops.back(), pages) << "Tab comes round to the page list";
        stops.pop_back();
        const auto* page = dialog()->page(pages->item(row)->text());
        for (std::size_t i = 0; i + 3 < stops.size(); ++i) {
            EXPECT_TRUE(page->isAncestorOf(stops[i]))
                << i << ": " << stops[i]->metaObject()->className() << " "
                << stops[i]->accessibleName().toStdString();
        }
        EXPECT_EQ(stops[stops.size() - 3], button(QDialogButtonBox::Ok));
        EXPECT_EQ(stops[stops.size() - 2], button(QDialogButtonBox::Cancel));
        EXPECT_EQ(stops[stops.size() - 1], button(QDialogButtonBox::Apply));
    }
    // Alt with a letter that names nothing types nothing, in a line edit as in the list.
    pages->setCurrentRow(0);
    page()->source->setCurrentIndex(static_cast<int>(PositionSource::Locator));
    page()->locator->setText("JN58");
    page()->locator->setFocus();
    key(Qt::Key_Q, Qt::AltModifier);
    EXPECT_EQ(page()->locator->text(), "JN58");
    dialog()->reject();

    // Each row starts in the watch list with a new entry typed, from the page list.
    enum class Then { Closed, Open };
    const struct {
        const char* what;
        std::function<void()> keys;
        Then then;
        bool saved;
    } rows[] = {
        {"Enter on Cancel",
         [&] {
             while (focus() != button(QDialogButtonBox::Cancel)) {
                 key(Qt::Key_Tab);
             }
             key(Qt::Key_Return);
         },
         Then::Closed, true},
        {"Enter after Tab over Cancel",
         [&] {
             while (focus() != button(QDialogButtonBox::Cancel)) {
                 key(Qt::Key_Tab);
             }
             key(Qt::Key_Tab);
             key(Qt::Key_Return);
         },
         Then::Closed, true},
        {"Enter back in a field after Cancel had the focus",
         [&] {
             while (focus() != button(QDialogButtonBox::Cancel)) {
                 key(Qt::Key_Tab);
             }
             key(Qt::Key_Backtab);
             key(Qt::Key_Backtab);
             key(Qt::Key_Return);
         },
         Then::Closed, true},
        {"Enter in the spin box",
         [&] {
             key(Qt::Key_P, Qt::AltModifier); // Once per station within
             key(Qt::Key_Tab);
             key(Qt::Key_Enter, Qt::KeypadModifier);
         },
         Then::Closed, true},
        {"Alt+O", [&] { key(Qt::Key_O, Qt::AltModifier); }, Then::Closed, true},
        {"Alt+A", [&] { key(Qt::Key_A, Qt::AltModifier); }, Then::Open, true},
        {"Alt+C", [&] { key(Qt::Key_C, Qt::AltModifier); }, Then::Closed, false},
        {"Escape", [&] { key(Qt::Key_Escape); }, Then::Closed, false},
    };
    auto* alerts = static_cast<AlertsPage*>(dialog()->page(QStringLiteral("Alerts")));
    auto* watch = alerts->findChild<QPlainTextEdit*>();
    ASSERT_NE(watch, nullptr);
    QStringList kept;
    int n = 0;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        open();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog()));
        EXPECT_TRUE(button(QDialogButtonBox::Ok)->isDefault());
        for (QDialogButtonBox::StandardButton b :
             {QDialogButtonBox::Cancel, QDialogButtonBox::Apply}) {
            EXPECT_FALSE(button(b)->isDefault() || button(b)->autoDefault());
        }
        pages->setFocus();
        for (int row = 0; row < pages->count(); ++row) {
            if (pages->item(row)->text() == "Alerts") {
                pages->setCurrentRow(row);
            }
        }
        key(Qt::Key_W, Qt::AltModifier);
        ASSERT_EQ(focus(), watch);
        const QString entry = QStringLiteral("JA%1*").arg(++n);
        QTest::keyClick(watch, Qt::Key_End, Qt::ControlModifier);
        key(Qt::Key_Return); // a new line in the list, not OK
        ASSERT_TRUE(dialog()->isVisible());
        QTest::keyClicks(watch, entry);
        key(Qt::Key_Q, Qt::AltModifier); // names nothing
        EXPECT_TRUE(watch->toPlainText().endsWith("\n" + entry))
            << watch->toPlainText().toStdString();
        r.keys();
        // An access key clicks its button a moment later, as a click shows.
        const auto held = [this] {
            return SettingsStore(path).raw(QStringLiteral("alerts/watch")).value_or(QString());
        };
        EXPECT_TRUE(waitFor([&] {
            return dialog()->isVisible() == (r.then == Then::Open) &&
                   (!r.saved || held().contains(entry));
        }));
        EXPECT_EQ(held().contains(entry), r.saved) << held().toStdString();
        if (r.saved) {
            kept << entry;
        }
        for (const QString& before : kept) {
            EXPECT_TRUE(held().contains(before))
                << "the watch list survives: " << held().toStdString();
        }
        dialog()->reject();
    }
}

TEST_F(PreferencesWindow, CancelForgetsApplySavesAndStaysOpen) {
    start();
    QSignalSpy units(console->ownStation(), &OwnStation::unitsChanged);
    open();
    page()->units->setCurrentIndex(1);
    button(QDialogButtonBox::Cancel)->click();
    EXPECT_FALSE(dialog()->isVisible());
    open();
    EXPECT_EQ(page()->units->currentIndex(), 0);
    EXPECT_FALSE(QFile::exists(path));

    page()->units->setCurrentIndex(1);
    button(QDialogButtonBox::Apply)->click();
    EXPECT_TRUE(dialog()->isVisible());
    ASSERT_EQ(units.size(), 1);
    EXPECT_EQ(units.at(0).at(0).value<Units>(), Units::Imperial);
    EXPECT_TRUE(file().contains("units=imperial"));
    // Only the changed key was written; the rest still come from their defaults.
    EXPECT_FALSE(page()->defaults->text().contains("units"))
        << page()->defaults->text().toStdString();
}

// Saving writes only what the operator changed on a page: a value saved meanwhile by another
// console, or by this one's Log Contact, stays, whether the file held the key before or not.
TEST_F(PreferencesWindow, OkKeepsWhatWasSavedBehindTheDialogsBack) {
    // Each case's keys are its own, so they run one after the other on the same file.
    const struct {
        const char* page;
        bool otherConsole; // else this console's own store, as Log Contact writes it
        const char* key;
        const char* value;
        std::function<void(PreferencesPage*)> edit;
        const char* editedKey;
        const char* editedValue;
    } cases[] = {
        {"Station", true, "station/units", "imperial",
         [](PreferencesPage* p) {
             auto* page = static_cast<StationPage*>(p);
             page->source->setCurrentIndex(static_cast<int>(PositionSource::Locator));
             page->locator->setText("JN58td");
         },
         "station/locator", "JN58td"},
        {"Station", true, "station/gpsd", "gps.example:2948",
         [](PreferencesPage* p) { static_cast<StationPage*>(p)->units->setCurrentIndex(0); },
         "station/units", "metric"},
        {"Log", false, "log/last_frequency", "433.5",
         [](PreferencesPage* p) {
             auto* page = static_cast<LogPage*>(p);
             LogSettings s = page->values();
             s.retentionDays = 30;
             page->setValues(s);
         },
         "log/retention_days", "30"},
        {"Log", true, "log/adif_file", "/tmp/other.adi",
         [](PreferencesPage* p) {
             auto* page = static_cast<LogPage*>(p);
             LogSettings s = page->values();
             s.receptionLog = false;
             page->setValues(s);
         },
         "log/reception_log", "false"},
        {"Alerts", true, "alerts/watch", "JA1*",
         [](PreferencesPage* p) {
             auto* page = static_cast<AlertsPage*>(p);
             AlertSettings s = page->values();
             s.sound = false;
             page->setValues(s);
         },
         "alerts/sound", "false"},
    };
    writeFile("[station]\nunits=metric\n[log]\nlast_frequency=145\n[alerts]\nwatch=JA2*\n");
    start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        open();
        {
            SettingsStore other(path);
            SettingsStore& writer = c.otherConsole ? other : *console->settings();
            writer.set(QString::fromLatin1(c.key), QString::fromLatin1(c.value));
            ASSERT_TRUE(writer.commit());
        }
        PreferencesPage* page = dialog()->page(QString::fromLatin1(c.page));
        ASSERT_NE(page, nullptr);
        c.edit(page);
        button(QDialogButtonBox::Ok)->click();
        ASSERT_FALSE(dialog()->isVisible()) << dialog()->problem()->text().toStdString();

        const SettingsStore saved(path);
        const auto held = [&saved](const char* key) {
            return saved.raw(QString::fromLatin1(key)).value_or(QStringLiteral("(none)"));
        };
        EXPECT_EQ(held(c.key), QString::fromLatin1(c.value)) << file().toStdString();
        EXPECT_EQ(held(c.editedKey), QString::fromLatin1(c.editedValue)) << file().toStdString();
    }
}

// The Station page shows degrees as the interface language writes them (the default locale
// is the interface language's) and takes back what it shows, a point and a comma too.
TEST_F(PreferencesWindow, DegreesAsTheInterfaceLanguageWritesThem) {
    const struct {
        const char *language, *shown, *typed, *result;
    } rows[] = {
        {"de", "-33,875", "151,5", "-33,87500; 151,50000"},
        {"de", "-33,875", "151.5", "-33,87500; 151,50000"},
        {"en", "-33.875", "151,5", "-33.87500, 151.50000"},
        {"ja", "-33.875", "\uFF11\uFF15\uFF11\uFF0E\uFF15", "-33.87500, 151.50000"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.language) + " " + r.typed);
        const QLocale before;
        QLocale::setDefault(QLocale(QLatin1String(r.language)));
        writeFile("[station]\nsource=latlon\nlatitude=-33.875\nlongitude=0\n");
        start();
        open();
        EXPECT_EQ(page()->latitude->text(), r.shown);
        page()->longitude->setText(QString::fromUtf8(r.typed));
        EXPECT_EQ(page()->resultPosition->text(), r.result);
        button(QDialogButtonBox::Ok)->click();
        EXPECT_EQ(console->ownStation()->position(), (LatLon{-33.875, 151.5}));
        console.reset();
        QLocale::setDefault(before);
    }
}

TEST_F(PreferencesWindow, AFailedWriteIsToldAndTheNewPositionIsInUse) {
    start();
    // A file where the settings folder should be: nothing can be written there.
    QDir().mkpath(QFileInfo(QFileInfo(path).absolutePath()).absolutePath());
    QFile blocker(QFileInfo(path).absolutePath());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    open();
    page()->source->setCurrentIndex(static_cast<int>(PositionSource::LatLon));
    page()->latitude->setText("-33,87");
    page()->longitude->setText("151.21");
    button(QDialogButtonBox::Ok)->click();
    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_EQ(notifier.boxes[0].kind, "failure");
    EXPECT_TRUE(notifier.boxes[0].text.contains(path));
    EXPECT_EQ(console->ownStation()->position(), (LatLon{-33.87, 151.21}));
    QFile::remove(QFileInfo(path).absolutePath());
}

TEST_F(PreferencesWindow, ABrokenFileAtStartIsKeptAsideAndTold) {
    writeFile("[station\nsource=gpsd\n");
    start();
    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_TRUE(notifier.boxes[0].text.contains(path + ".bad"));
    EXPECT_EQ(console->ownStation()->settings().source, PositionSource::None);
    QFile kept(path + ".bad");
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "[station\nsource=gpsd\n");
}

// The APRS-IS page refuses what no server takes; saved, the console logs in, says so under
// the main window, and a position heard shows in Heard Stations as gated. Off, the main
// window is as it always was.
TEST_F(PreferencesWindow, AprsIsRefusesWhatNoServerTakesThenGatesAndSaysSo) {
    start();
    const int height = Form1->height();
    const auto page = [&] {
        return static_cast<AprsPage*>(dialog()->page(QStringLiteral("APRS-IS")));
    };
    const struct {
        const char* server;
        const char* callsign;
        const char* ssid;
        const char* passcode;
        const char* problem;
    } cases[] = {
        {"rotate.aprs2.net", "", "", "", "The server takes"},
        {"rotate.aprs2.net:0", "", "", "", "The server takes"},
        {"rotate.aprs2.net:14580", "T2ABCDEFG", "10", "", "T2ABCDEFG-10 is not a callsign"},
        {"rotate.aprs2.net:14580", "T2XYZ", "", "99999", "The passcode is a number"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        open();
        page()->gate()->setChecked(true);
        page()->server()->setText(QString::fromLatin1(c.server));
        page()->callsign()->setText(QString::fromLatin1(c.callsign));
        page()->ssid()->setText(QString::fromLatin1(c.ssid));
        page()->passcode()->setText(QString::fromLatin1(c.passcode));
        button(QDialogButtonBox::Ok)->click();
        EXPECT_TRUE(dialog()->isVisible());
        EXPECT_TRUE(dialog()->problem()->text().startsWith(c.problem))
            << dialog()->problem()->text().toStdString();
        dialog()->reject();
    }
    EXPECT_FALSE(file().contains("[aprs]"));
    EXPECT_EQ(Form1->gateStatus(), nullptr);
    // The login offered is My Call as the adapter holds it now, not when the dialog was made.
    console->station().setMyCall(QStringLiteral("T2NEW"), {});
    open();
    EXPECT_EQ(page()->callsign()->placeholderText(), "T2NEW");
    dialog()->reject();

    FakeAprsIs server(true);
    open();
    page()->gate()->setChecked(true);
    page()->server()->setText(QStringLiteral("127.0.0.1:%1").arg(server.port()));
    page()->callsign()->setText(QStringLiteral("t2gate"));
    page()->ssid()->setText(QStringLiteral("10"));
    page()->passcode()->setText(QStringLiteral("12345"));
    button(QDialogButtonBox::Ok)->click();
    ASSERT_FALSE(dialog()->isVisible()) << dialog()->problem()->text().toStdString();
    EXPECT_TRUE(file().contains("login=T2GATE-10")) << file().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return Form1->gateStatus() != nullptr &&
               Form1->gateStatus()->text() == "APRS-IS: connected, 0 gated";
    }));
    EXPECT_TRUE(Form1->statusBar()->isVisible());
    EXPECT_GT(Form1->height(), height);
    open();
    EXPECT_EQ(page()->connection()->text(), "Connected to T2TEST, verified");
    dialog()->reject();

    for (const StationReport& r :
         tamsel::test::receive("KO6JXH  ", "    ", "",
                               "$$CRC1FC0,KO6JXH-7>API52,DSTAR*:/141625z3239.47N/11657.79W[179/000/"
                               "J.P. HT ID-52PLUS\r")) {
        emit console->station().monitor()->stationReport(r);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.lines.empty(); }));
    EXPECT_EQ(Form1->gateStatus()->text(), "APRS-IS: connected, 1 gated");
    const HeardStationsModel* heard = console->heardModel();
    EXPECT_FALSE(heard->index(0, HeardStationsModel::Gated).data().toString().isEmpty());

    open();
    page()->gate()->setChecked(false);
    button(QDialogButtonBox::Ok)->click();
    EXPECT_FALSE(Form1->statusBar()->isVisible());
    EXPECT_EQ(Form1->height(), height);
}

} // namespace
} // namespace tamsel::test

namespace tamsel::test {
namespace {

// The Remote page refuses what could not be served; once on, the console serves the page,
// and stops when it is off again.
TEST_F(PreferencesWindow, RemoteRefusesWhatCannotBeServedAndTheConsoleServesThePage) {
    start();
    console->serveRemote(deskWebFace(QCoreApplication::applicationFilePath()));
    EXPECT_EQ(console->remote(), nullptr); // off unless asked
    const auto remote = [&] {
        return static_cast<RemotePage*>(dialog()->page(QStringLiteral("Remote")));
    };
    const struct {
        const char* listen;
        const char* password;
        const char* again;
        const char* certificate;
        const char* problem;
    } cases[] = {
        {"localhost", "", "", "", "Listen on takes"},
        {"0.0.0.0:0", "", "", "", "Set a password first"},
        {"127.0.0.1:0", "short", "short", "", "The password needs"},
        {"127.0.0.1:0", "long enough 1", "long enough 2", "", "The two passwords differ"},
        {"127.0.0.1:0", "", "", "/nonexistent/cert.pem", "HTTPS needs both"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        open();
        remote()->enabled()->setChecked(true);
        remote()->listen()->setText(QString::fromLatin1(c.listen));
        remote()->password()->setText(QString::fromLatin1(c.password));
        remote()->again()->setText(QString::fromLatin1(c.again));
        remote()->certificate()->setText(QString::fromLatin1(c.certificate));
        button(QDialogButtonBox::Ok)->click();
        EXPECT_TRUE(dialog()->isVisible());
        EXPECT_TRUE(dialog()->problem()->text().startsWith(c.problem))
            << dialog()->problem()->text().toStdString();
        EXPECT_EQ(console->remote(), nullptr);
        dialog()->reject();
    }
    open();
    remote()->enabled()->setChecked(true);
    remote()->listen()->setText(QStringLiteral("0.0.0.0:0"));
    remote()->password()->setText(QStringLiteral("long enough 1"));
    remote()->again()->setText(QStringLiteral("long enough 1"));
    button(QDialogButtonBox::Ok)->click();
    ASSERT_FALSE(dialog()->isVisible()) << dialog()->problem()->text().toStdString();
    EXPECT_TRUE(file().contains("[web]")) << file().toStdString();
    EXPECT_TRUE(
        PasswordStore(PasswordStore::fileBeside(path)).verify(QStringLiteral("long enough 1")));
    auto* face = qobject_cast<WebFace*>(console->remote());
    ASSERT_NE(face, nullptr) << (notifier.boxes.empty() ? ""
                                                        : notifier.boxes.back().text.toStdString());
    EXPECT_GT(face->port(), 0);

    open();
    remote()->enabled()->setChecked(false);
    button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(console->remote(), nullptr);
}

} // namespace
} // namespace tamsel::test
