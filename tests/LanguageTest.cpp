// SPDX-License-Identifier: GPL-3.0-or-later
// Which language the console speaks: the preference, else the desktop's as the C library
// reads it.
#include "language/Language.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using tamsel::Language;

namespace {

struct Case {
    const char* name;
    QMap<QString, QString> environment;
    const char* expected;
    // False where the locale named is none the C library has: gettext then speaks English,
    // while the console still takes the language from the name.
    bool libcLocale = true;
};

tamsel::Environment environmentOf(const QMap<QString, QString>& values) {
    return [values](const char* name) { return values.value(QLatin1String(name)); };
}

const QStringList kSpoken{QStringLiteral("ja"), "de"};

const Case kCases[] = {
    {"nothing set is the C locale", {}, "en"},
    {"LANG alone", {{"LANG", "ja_JP.UTF-8"}}, "ja"},
    {"LANG German", {{"LANG", "de_DE.UTF-8"}}, "de"},
    {"LANG of Austria", {{"LANG", "de_AT@euro"}}, "de"},
    {"LANG bare code", {{"LANG", "ja"}}, "ja", false},
    {"LANG not one of ours", {{"LANG", "fr_FR.UTF-8"}}, "en"},
    {"LANG English", {{"LANG", "en_GB.UTF-8"}}, "en"},
    {"C.UTF-8", {{"LANG", "C.UTF-8"}}, "en"},
    {"POSIX", {{"LANG", "POSIX"}}, "en"},
    {"LC_MESSAGES over LANG", {{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "ja_JP.UTF-8"}}, "ja"},
    {"LC_ALL over LC_MESSAGES",
     {{"LANG", "ja_JP.UTF-8"}, {"LC_MESSAGES", "ja_JP.UTF-8"}, {"LC_ALL", "de_DE.UTF-8"}},
     "de"},
    {"an empty LC_ALL does not count", {{"LC_ALL", ""}, {"LANG", "de_DE.UTF-8"}}, "de"},
    {"LC_ALL=C over a Japanese LANG", {{"LC_ALL", "C"}, {"LANG", "ja_JP.UTF-8"}}, "en"},
    {"LANGUAGE before the locale", {{"LANGUAGE", "de"}, {"LANG", "ja_JP.UTF-8"}}, "de"},
    {"LANGUAGE: first entry spoken wins",
     {{"LANGUAGE", "fr:ja_JP:de"}, {"LANG", "de_DE.UTF-8"}},
     "ja"},
    {"LANGUAGE: English early stops", {{"LANGUAGE", "en_US:de"}, {"LANG", "de_DE.UTF-8"}}, "en"},
    {"LANGUAGE naming none of ours is English, not the locale",
     {{"LANGUAGE", "fr:it"}, {"LANG", "ja_JP.UTF-8"}},
     "en"},
    {"LANGUAGE empty entries skipped", {{"LANGUAGE", "::de"}, {"LANG", "fr_FR.UTF-8"}}, "de"},
    {"LANGUAGE ignored under C", {{"LANGUAGE", "ja"}, {"LANG", "C"}}, "en"},
    {"LANGUAGE honoured under C.UTF-8", {{"LANGUAGE", "de"}, {"LC_ALL", "C.UTF-8"}}, "de"},
    {"LANGUAGE list under LANG=C.UTF-8", {{"LANGUAGE", "ja:de"}, {"LANG", "C.UTF-8"}}, "ja"},
    {"LANGUAGE ignored under POSIX", {{"LANGUAGE", "de"}, {"LC_MESSAGES", "POSIX"}}, "en"},
    {"LANGUAGE ignored under LC_ALL=C",
     {{"LANGUAGE", "ja"}, {"LC_ALL", "C"}, {"LANG", "C.UTF-8"}},
     "en"},
    {"LANGUAGE ignored with no locale", {{"LANGUAGE", "ja"}}, "en"},
    {"empty LANGUAGE is unset", {{"LANGUAGE", ""}, {"LANG", "de_DE.UTF-8"}}, "de"},
};

TEST(LanguageTest, DesktopLanguageAsTheCLibraryReadsIt) {
    for (const Case& c : kCases) {
        EXPECT_EQ(tamsel::desktopLanguage(environmentOf(c.environment), kSpoken),
                  QLatin1String(c.expected))
            << c.name;
    }
}

// The language the gettext program of the C library answers in, for the environment `values`,
// from `catalogues`: the console's languages, each with the one message "write error".
QString gettextLanguage(const QMap<QString, QString>& values, const QString& locales,
                        const QString& catalogues) {
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
    environment.insert(QStringLiteral("LOCPATH"), locales);
    environment.insert(QStringLiteral("TEXTDOMAINDIR"), catalogues);
    environment.insert(QStringLiteral("TEXTDOMAIN"), QStringLiteral("tamsel"));
    for (auto it = values.begin(); it != values.end(); ++it) {
        environment.insert(it.key(), it.value());
    }
    QProcess gettext;
    gettext.setProcessEnvironment(environment);
    gettext.start(QStringLiteral("gettext"), {QStringLiteral("write error")});
    if (!gettext.waitForFinished(10000) || gettext.exitCode() != 0) {
        return QStringLiteral("failed: ") + QString::fromLocal8Bit(gettext.readAllStandardError());
    }
    const QString said = QString::fromUtf8(gettext.readAllStandardOutput());
    if (said == QLatin1String("write error")) {
        return QStringLiteral("en");
    }
    if (said == QString::fromUtf8("Schreibfehler")) {
        return QStringLiteral("de");
    }
    if (said == QString::fromUtf8("書き込みエラー")) {
        return QStringLiteral("ja");
    }
    return QStringLiteral("unknown: ") + said;
}

// A catalogue of one message translated as itself: English has a catalogue of its own, as
// the console speaks it (else gettext would go on to the next language of LANGUAGE).
QByteArray englishCatalogue() {
    const char message[] = "write error";
    const quint32 length = sizeof message - 1;
    const quint32 words[] = {0x950412de, 0, 1, 28, 36, 0, 44, length, 44, length, 44};
    QByteArray mo(reinterpret_cast<const char*>(words), sizeof words);
    mo.append(message, sizeof message);
    return mo;
}

TEST(LanguageTest, DecidesAsTheGettextProgram) {
    const QString locales = QStringLiteral(TAMSEL_TEST_LOCALES);
    QDir().mkpath(locales);
    const char* const needed[][3] = {{"de_DE.UTF-8", "de_DE", "UTF-8"},
                                     {"ja_JP.UTF-8", "ja_JP", "UTF-8"},
                                     {"fr_FR.UTF-8", "fr_FR", "UTF-8"},
                                     {"en_GB.UTF-8", "en_GB", "UTF-8"},
                                     {"de_AT@euro", "de_AT@euro", "ISO-8859-15"}};
    for (const auto& locale : needed) {
        const QString path = locales + QLatin1Char('/') + QLatin1String(locale[0]);
        if (QFile::exists(path + QStringLiteral("/LC_MESSAGES"))) {
            continue;
        }
        QProcess localedef;
        localedef.start(QStringLiteral("localedef"),
                        {QStringLiteral("-i"), QLatin1String(locale[1]), QStringLiteral("-f"),
                         QLatin1String(locale[2]), path});
        ASSERT_TRUE(localedef.waitForFinished(120000)) << locale[0];
        ASSERT_EQ(localedef.exitCode(), 0) << locale[0] << localedef.readAllStandardError().data();
    }
    // The console's languages as catalogues: Debian's German and Japanese of coreutils.
    QTemporaryDir catalogues;
    for (const char* code : {"en", "de", "ja"}) {
        const QString folder = catalogues.filePath(QLatin1String(code) + "/LC_MESSAGES");
        ASSERT_TRUE(QDir().mkpath(folder));
        const QString mo = folder + QStringLiteral("/tamsel.mo");
        if (QLatin1String(code) == QLatin1String("en")) {
            QFile file(mo);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(englishCatalogue());
        } else {
            ASSERT_TRUE(QFile::copy(
                QStringLiteral("/usr/share/locale/%1/LC_MESSAGES/coreutils.mo").arg(code), mo));
        }
    }
    for (const Case& c : kCases) {
        if (!c.libcLocale) {
            continue;
        }
        EXPECT_EQ(tamsel::desktopLanguage(environmentOf(c.environment), kSpoken),
                  gettextLanguage(c.environment, locales, catalogues.path()))
            << c.name;
    }
}

TEST(LanguageTest, PreferenceOverridesTheDesktop) {
    const auto japaneseDesktop = environmentOf({{"LANG", "ja_JP.UTF-8"}});
    const struct {
        const char* preference;
        const char* expected;
    } cases[] = {
        {"system", "ja"}, {"en", "en"}, {"ja", "ja"}, {"de", "de"},
        {"", "ja"},       {"fr", "ja"}, {"DE", "ja"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tamsel::chooseLanguage(QLatin1String(c.preference), japaneseDesktop, kSpoken),
                  QLatin1String(c.expected))
            << c.preference;
    }
    EXPECT_EQ(tamsel::chooseLanguage(QStringLiteral("ja"), environmentOf({{"LANG", "C"}}), kSpoken),
              QStringLiteral("ja"));
}

TEST(LanguageTest, PreferenceReadFromTheSettingsFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tamsel.conf"));
    EXPECT_EQ(tamsel::languagePreference(dir.filePath(QStringLiteral("none.conf"))),
              QLatin1String("system"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[station]\nlocator=JO31\n[interface]\nlanguage=de\n");
    file.close();
    EXPECT_EQ(tamsel::languagePreference(path), QLatin1String("de"));
}

} // namespace
