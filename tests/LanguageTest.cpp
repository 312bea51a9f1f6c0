// SPDX-License-Identifier: GPL-3.0-or-later
// Which language the console speaks: the preference, else the desktop's as the C library
// reads it.
#include "language/Language.h"

#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using tamsel::Language;

namespace {

struct Case {
    const char* name;
    QMap<QString, QString> environment;
    const char* expected;
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
    {"LANG bare code", {{"LANG", "ja"}}, "ja"},
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
    {"LANGUAGE ignored under C.UTF-8", {{"LANGUAGE", "de"}, {"LC_ALL", "C.UTF-8"}}, "en"},
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
