// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the Preferences dialog and its Station page, opened from the main window's menu.
#include "settings/Preferences.h"
#include "alerts/AlertsPage.h"
#include "log/LogPage.h"
#include "settings/SettingsStore.h"
#include "station/OwnStation.h"
#include "station/StationPage.h"
#include "support/ConsoleFixture.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
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
              "Not usable in the settings file, default shown: latitude. Not set in the "
              "settings file, default shown: gpsd, locator.");

    // OK puts right what the file held and the page could not show, though left as shown.
    button(QDialogButtonBox::Ok)->click();
    EXPECT_TRUE(file().contains("latitude=0\n")) << file().toStdString();
    EXPECT_FALSE(file().contains("gpsd=")) << "a default left as shown is not written";
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

} // namespace
} // namespace tamsel::test
