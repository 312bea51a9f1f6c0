// SPDX-License-Identifier: GPL-3.0-or-later
// Language: which of the console's languages to speak, from the preference and the desktop's.
#include "language/Language.h"

#include <QSettings>
#include <QStringList>
#include <optional>

namespace tamsel {

namespace {

// "ja_JP.UTF-8@variant" -> "ja".
QString languagePart(const QString& locale) {
    qsizetype end = locale.size();
    for (const QChar stop : {QLatin1Char('_'), QLatin1Char('.'), QLatin1Char('@')}) {
        const qsizetype at = locale.indexOf(stop);
        if (at >= 0 && at < end) {
            end = at;
        }
    }
    return locale.left(end).toLower();
}

std::optional<Language> spoken(const QString& locale) {
    const QString code = languagePart(locale);
    if (code == QLatin1String("en")) {
        return Language::English;
    }
    if (code == QLatin1String("ja")) {
        return Language::Japanese;
    }
    if (code == QLatin1String("de")) {
        return Language::German;
    }
    return std::nullopt;
}

bool isCLocale(const QString& locale) {
    return locale.isEmpty() || locale == QLatin1String("C") || locale == QLatin1String("POSIX") ||
           locale.startsWith(QLatin1String("C."));
}

} // namespace

QString languageCode(Language language) {
    switch (language) {
    case Language::Japanese:
        return QStringLiteral("ja");
    case Language::German:
        return QStringLiteral("de");
    case Language::English:
        break;
    }
    return QStringLiteral("en");
}

Environment processEnvironment() {
    return [](const char* name) { return qEnvironmentVariable(name); };
}

Language desktopLanguage(const Environment& environment) {
    QString locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = environment(name);
        if (!locale.isEmpty()) {
            break;
        }
    }
    if (isCLocale(locale)) {
        return Language::English;
    }
    const QString list = environment("LANGUAGE");
    if (!list.isEmpty()) {
        for (const QString& entry : list.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
            if (entry == QLatin1String("C") || entry == QLatin1String("POSIX")) {
                return Language::English;
            }
            if (const auto language = spoken(entry)) {
                return *language;
            }
        }
        // As with gettext: a list that names none of them means the source language, not
        // the locale's.
        return Language::English;
    }
    return spoken(locale).value_or(Language::English);
}

Language chooseLanguage(const QString& preference, const Environment& environment) {
    if (preference == QLatin1String("en")) {
        return Language::English;
    }
    if (preference == QLatin1String("ja")) {
        return Language::Japanese;
    }
    if (preference == QLatin1String("de")) {
        return Language::German;
    }
    return desktopLanguage(environment);
}

QString languagePreference(const QString& path) {
    // Read only: the settings store itself, created later, deals with a broken file.
    const QSettings file(path, QSettings::IniFormat);
    return file.value(QLatin1String(kLanguageKey), QLatin1String(kLanguageSystem)).toString();
}

} // namespace tamsel
