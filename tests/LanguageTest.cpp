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
    Language expected;
};

tamsel::Environment environmentOf(const QMap<QString, QString>& values) {
    return [values](const char* name) { return values.value(QLatin1String(name)); };
}

const Case kCases[] = {
    {"nothing set is the C locale", {}, Language::English},
    {"LANG alone", {{"LANG", "ja_JP.UTF-8"}}, Language::Japanese},
    {"LANG German", {{"LANG", "de_DE.UTF-8"}}, Language::German},
    {"LANG of Austria", {{"LANG", "de_AT@euro"}}, Language::German},
    {"LANG bare code", {{"LANG", "ja"}}, Language::Japanese},
    {"LANG not one of ours", {{"LANG", "fr_FR.UTF-8"}}, Language::English},
    {"LANG English", {{"LANG", "en_GB.UTF-8"}}, Language::English},
    {"C.UTF-8", {{"LANG", "C.UTF-8"}}, Language::English},
    {"POSIX", {{"LANG", "POSIX"}}, Language::English},
    {"LC_MESSAGES over LANG",
     {{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "ja_JP.UTF-8"}},
     Language::Japanese},
    {"LC_ALL over LC_MESSAGES",
     {{"LANG", "ja_JP.UTF-8"}, {"LC_MESSAGES", "ja_JP.UTF-8"}, {"LC_ALL", "de_DE.UTF-8"}},
     Language::German},
    {"an empty LC_ALL does not count", {{"LC_ALL", ""}, {"LANG", "de_DE.UTF-8"}}, Language::German},
    {"LC_ALL=C over a Japanese LANG",
     {{"LC_ALL", "C"}, {"LANG", "ja_JP.UTF-8"}},
     Language::English},
    {"LANGUAGE before the locale", {{"LANGUAGE", "de"}, {"LANG", "ja_JP.UTF-8"}}, Language::German},
    {"LANGUAGE: first entry spoken wins",
     {{"LANGUAGE", "fr:ja_JP:de"}, {"LANG", "de_DE.UTF-8"}},
     Language::Japanese},
    {"LANGUAGE: English early stops",
     {{"LANGUAGE", "en_US:de"}, {"LANG", "de_DE.UTF-8"}},
     Language::English},
    {"LANGUAGE naming none of ours is English, not the locale",
     {{"LANGUAGE", "fr:it"}, {"LANG", "ja_JP.UTF-8"}},
     Language::English},
    {"LANGUAGE empty entries skipped",
     {{"LANGUAGE", "::de"}, {"LANG", "fr_FR.UTF-8"}},
     Language::German},
    {"LANGUAGE ignored under C", {{"LANGUAGE", "ja"}, {"LANG", "C"}}, Language::English},
    {"LANGUAGE ignored under C.UTF-8",
     {{"LANGUAGE", "de"}, {"LC_ALL", "C.UTF-8"}},
     Language::English},
    {"LANGUAGE ignored with no locale", {{"LANGUAGE", "ja"}}, Language::English},
    {"empty LANGUAGE is unset", {{"LANGUAGE", ""}, {"LANG", "de_DE.UTF-8"}}, Language::German},
};

TEST(LanguageTest, DesktopLanguageAsTheCLibraryReadsIt) {
    for (const Case& c : kCases) {
        EXPECT_EQ(tamsel::desktopLanguage(environmentOf(c.environment)), c.expected) << c.name;
    }
}

TEST(LanguageTest, PreferenceOverridesTheDesktop) {
    const auto japaneseDesktop = environmentOf({{"LANG", "ja_JP.UTF-8"}});
    const struct {
        const char* preference;
        Language expected;
    } cases[] = {
        {"system", Language::Japanese}, {"en", Language::English}, {"ja", Language::Japanese},
        {"de", Language::German},       {"", Language::Japanese},  {"fr", Language::Japanese},
        {"DE", Language::Japanese},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tamsel::chooseLanguage(QLatin1String(c.preference), japaneseDesktop), c.expected)
            << c.preference;
    }
    EXPECT_EQ(tamsel::chooseLanguage(QStringLiteral("ja"), environmentOf({{"LANG", "C"}})),
              Language::Japanese);
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
