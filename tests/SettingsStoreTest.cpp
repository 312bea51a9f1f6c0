// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the settings store: typed values, the station keys, broken files, failed writes
// and two consoles writing at once; the folders the console makes.
#include "settings/SettingsStore.h"
#include "aprs/AprsSettings.h"
#include "base/Folders.h"
#include "log/AppendFile.h"
#include "station/StationSettings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tamsel {
namespace {

using Origin = SettingsStore::Origin;

class Store : public ::testing::Test {
protected:
    QString path() const { return home_.filePath(QStringLiteral("tamsel/tamsel.conf")); }
    void write(const QByteArray& text) const {
        QDir().mkpath(home_.filePath(QStringLiteral("tamsel")));
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    static QByteArray read(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
    }

    QTemporaryDir home_;
};

TEST_F(Store, TheDefaultPathFollowsXdgConfigHome) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", home_.path().toLocal8Bit());
    EXPECT_EQ(SettingsStore::defaultPath(), home_.filePath(QStringLiteral("tamsel/tamsel.conf")));
    qputenv("XDG_CONFIG_HOME", saved);
}

TEST_F(Store, AHandEditedFileReadsTypedAndChecked) {
    write("; my station\n"
          "[station]\n"
          "source = locator ; the comment goes\n"
          "locator = jn58td\n"
          "latitude = 91\n"
          "longitude = 11,5\n"
          "gpsd = gps.lan:70000\n"
          "units = Imperial\n"
          "[other]\n"
          "count = 12\n"
          "big = 120\n"
          "on = true\n"
          "odd = yes\n");
    SettingsStore store(path());
    EXPECT_TRUE(store.startWarning().isEmpty());

    const struct {
        const char* key;
        SettingsStore::Value<int> got;
        int value;
        Origin origin;
    } integers[] = {
        {"count", store.integer("other/count", 5, 0, 100), 12, Origin::Stored},
        {"big", store.integer("other/big", 5, 0, 100), 5, Origin::Invalid},
        {"none", store.integer("other/none", 5, 0, 100), 5, Origin::Missing},
    };
    for (const auto& c : integers) {
        EXPECT_EQ(c.got.value, c.value) << c.key;
        EXPECT_EQ(c.got.origin, c.origin) << c.key;
    }
    EXPECT_TRUE(store.flag("other/on", false).value);
    EXPECT_EQ(store.flag("other/odd", false).origin, Origin::Invalid);

    const StationSettings s = StationSettings::load(store);
    EXPECT_EQ(s.source, PositionSource::Locator);
    EXPECT_EQ(s.locator, "JN58td");
    EXPECT_EQ(s.latitude, 0);
    EXPECT_EQ(s.gpsd, "localhost:2947");
    EXPECT_EQ(s.units, Units::Metric);
    EXPECT_EQ(s.defaulted, (QMap<QString, Origin>{{"station/latitude", Origin::Invalid},
                                                  {"station/longitude", Origin::Invalid},
                                                  {"station/gpsd", Origin::Invalid},
                                                  {"station/units", Origin::Invalid}}));
}

TEST_F(Store, SettingsSurviveARestartInAPlainFile) {
    StationSettings s;
    s.source = PositionSource::LatLon;
    s.latitude = -33.87;
    s.longitude = 151.21;
    s.locator = "QF56od";
    s.gpsd = "[::1]:2948";
    s.units = Units::Imperial;
    {
        SettingsStore store(path());
        s.save(store);
        EXPECT_TRUE(store.commit());
    }
    SettingsStore again(path());
    const StationSettings back = StationSettings::load(again);
    EXPECT_EQ(back, s);
    EXPECT_TRUE(back.defaulted.isEmpty());
    const QByteArray file = read(path());
    EXPECT_TRUE(file.contains("[station]\n")) << file.toStdString();
    EXPECT_TRUE(file.contains("latitude=-33.87\n")) << file.toStdString();
    EXPECT_TRUE(file.contains("source=latlon\n")) << file.toStdString();
}

// The gate's group: what is saved is read back, what no server takes gives the default, and
// the file that holds the passcode is the owner's alone, even one made readable to others.
TEST_F(Store, TheAprsGroupRoundTripsAndTheFileIsTheOwnersAlone) {
    write("[aprs]\ngate=true\nserver=nohost\nlogin=T2ABC-123\npasscode=99999\n");
    QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                      QFileDevice::ReadGroup | QFileDevice::ReadOther);
    {
        SettingsStore store(path());
        const AprsSettings read = loadAprsSettings(store);
        EXPECT_TRUE(read.gate);
        EXPECT_EQ(read.server, AprsSettings::kDefaultServer);
        EXPECT_EQ(read.login, QString());
        EXPECT_EQ(read.passcode, QString());
        EXPECT_TRUE(read.receiveOnly());
        saveAprsSettings(store, {true, QStringLiteral("[2001:db8::1]:14580"),
                                 QStringLiteral("T2XYZ-10"), QStringLiteral("12345")});
        EXPECT_TRUE(store.commit());
    }
    namespace fs = std::filesystem;
    EXPECT_EQ(fs::status(path().toStdString()).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    SettingsStore again(path());
    const AprsSettings back = loadAprsSettings(again);
    EXPECT_EQ(back, (AprsSettings{true, QStringLiteral("[2001:db8::1]:14580"),
                                  QStringLiteral("T2XYZ-10"), QStringLiteral("12345")}));
    EXPECT_FALSE(back.receiveOnly());
}

TEST_F(Store, ABrokenFileIsMovedAsideNeverOverwritten) {
    const struct {
        const char* what;
        QByteArray content; // empty: a folder stands where the file should be
        bool earlierBad;
    } cases[] = {
        {"unterminated group", "[station\nsource=gpsd\n", false},
        {"a line without a value", "[station]\nsource gpsd\n", false},
        {"a # comment", "# mine\n[station]\nunits=metric\n", false},
        {"binary",
         QByteArray("\x7f"
                    "ELF\x02\x01\x01\0\0\0\n\xff\xfe",
                    14),
         false},
        {"unreadable", {}, false},
        {"with an earlier one kept aside", "[station\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(home_.filePath("tamsel")).removeRecursively();
        QDir().mkpath(home_.filePath("tamsel"));
        if (c.content.isEmpty()) {
            QDir().mkpath(path());
        } else {
            write(c.content);
        }
        if (c.earlierBad) {
            QFile earlier(path() + ".bad");
            ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
            earlier.write("earlier");
        }
        const QString aside = path() + (c.earlierBad ? ".bad.1" : ".bad");

        SettingsStore store(path());
        EXPECT_TRUE(store.startWarning().contains(aside)) << store.startWarning().toStdString();
        EXPECT_FALSE(store.startWarning().contains('\n'));
        EXPECT_EQ(StationSettings::load(store).source, PositionSource::None);
        EXPECT_EQ(StationSettings::load(store).defaulted.size(), 6);
        if (!c.content.isEmpty()) {
            EXPECT_EQ(read(aside), c.content);
        }
        if (c.earlierBad) {
            EXPECT_EQ(read(path() + ".bad"), "earlier");
        }
        // The new file starts afresh beside what was kept.
        store.set(StationSettings::kUnits, QStringLiteral("imperial"));
        EXPECT_TRUE(store.commit());
        EXPECT_TRUE(read(path()).contains("units=imperial"));
    }
}

TEST_F(Store, AFailedWriteSaysSoAndKeepsTheValuesInUse) {
    SettingsStore store(path());
    store.set(StationSettings::kUnits, QStringLiteral("imperial"));
    ASSERT_TRUE(store.commit());

    // The folder is gone and a file stands in its way: nothing can be written there, even
    // by root.
    const QString folder = home_.filePath("tamsel");
    ASSERT_TRUE(QDir().rename(folder, home_.filePath("moved")));
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    int told = 0;
    QObject::connect(&store, &SettingsStore::changed, [&told] { ++told; });
    store.set(StationSettings::kSource, QStringLiteral("gpsd"));
    EXPECT_FALSE(store.commit());
    EXPECT_TRUE(store.writeError().contains(path())) << store.writeError().toStdString();
    EXPECT_EQ(told, 1);
    EXPECT_EQ(StationSettings::load(store).source, PositionSource::Gpsd);

    // Once the folder is back, the next commit writes what is in use.
    ASSERT_TRUE(QFile::remove(folder));
    ASSERT_TRUE(QDir().rename(home_.filePath("moved"), folder));
    EXPECT_TRUE(store.commit());
    EXPECT_TRUE(store.writeError().isEmpty());
    EXPECT_TRUE(read(path()).contains("source=gpsd")) << read(path()).toStdString();
}

// Two consoles committing at once: the file's lock and QSettings' merge keep every key of
// both, where unguarded read-modify-write would lose some.
TEST_F(Store, TwoWritersAtOnceLoseNothing) {
    constexpr int kKeys = 40;
    QProcess a;
    QProcess b;
    a.start(QStringLiteral(TAMSEL_SETTINGS_WRITER), {path(), "a", QString::number(kKeys)});
    b.start(QStringLiteral(TAMSEL_SETTINGS_WRITER), {path(), "b", QString::number(kKeys)});
    ASSERT_TRUE(a.waitForFinished(60000));
    ASSERT_TRUE(b.waitForFinished(60000));
    EXPECT_EQ(a.exitCode(), 0);
    EXPECT_EQ(b.exitCode(), 0);

    SettingsStore store(path());
    EXPECT_TRUE(store.startWarning().isEmpty());
    for (int i = 0; i < kKeys; ++i) {
        EXPECT_EQ(store.integer(QStringLiteral("a/k%1").arg(i), -1, 0, kKeys).value, i);
        EXPECT_EQ(store.integer(QStringLiteral("b/k%1").arg(i), -1, 0, kKeys).value, i);
    }
    EXPECT_EQ(store.choice("both/last", {"a", "b"}, {}).origin, Origin::Stored);
}

// Folders the console makes are its owner's alone; a folder that was there keeps its mode.
TEST_F(Store, FoldersAreMadeForTheOwnerOnly) {
    const mode_t umask = ::umask(022); // the usual one, under which a plain mkdir gives 0755
    const auto modeOf = [](const QString& folder) {
        struct stat st {};
        return ::stat(QFile::encodeName(folder).constData(), &st) == 0 ? st.st_mode & 07777
                                                                       : mode_t(0);
    };
    const QString kept = home_.filePath("kept");
    ASSERT_TRUE(QDir().mkdir(kept));
    ASSERT_TRUE(QFile::setPermissions(kept, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                                QFileDevice::ExeGroup));
    const struct {
        const char* what;
        std::function<bool(const QString& folder)> make;
    } cases[] = {
        {"settings",
         [](const QString& folder) {
             SettingsStore store(folder + "/tamsel.conf");
             store.set(QStringLiteral("a/b"), 1);
             return store.commit();
         }},
        {"log file",
         [](const QString& folder) {
             AppendFile file;
             return file.open((folder + "/log.csv").toStdString()).empty();
         }},
        {"helper", [](const QString& folder) { return !makeFolders(folder.toStdString()); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString top = home_.filePath(QStringLiteral("kept/%1").arg(c.what));
        ASSERT_TRUE(c.make(top + "/tamsel/inner"));
        for (const QString& folder : {top, top + "/tamsel", top + "/tamsel/inner"}) {
            EXPECT_EQ(modeOf(folder), 0700u) << folder.toStdString();
        }
        EXPECT_EQ(modeOf(kept), 0750u);
    }
    EXPECT_FALSE(makeFolders(home_.filePath("kept").toStdString())) << "made already";
    QFile(home_.filePath("file")).open(QIODevice::WriteOnly);
    EXPECT_TRUE(makeFolders(home_.filePath("file/below").toStdString()));
    ::umask(umask);
}

} // namespace
} // namespace tamsel
