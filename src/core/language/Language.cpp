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

// The code of `locale` when it is one of `spoken` or English.
std::optional<Language> among(const QString& locale, const QStringList& spoken) {
    const QString code = languagePart(locale);
    if (code == QLatin1String("en") || spoken.contains(code)) {
        return code;
    }
    return std::nullopt;
}

// gettext ignores LANGUAGE only under the locale named exactly C (POSIX is the same locale);
// C.UTF-8 is a locale of its own, so LANGUAGE still counts there.
bool isCLocale(const QString& locale) {
    return locale.isEmpty() || locale == QLatin1String("C") || locale == QLatin1String("POSIX");
}

} // namespace

Environment processEnvironment() {
    return [](const char* name) { return qEnvironmentVariable(name); };
}

Language desktopLanguage(const Environment& environment, const QStringList& spoken) {
    QString locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = environment(name);
        if (!locale.isEmpty()) {
            break;
        }
    }
    if (isCLocale(locale)) {
        return QStringLiteral("en");
    }
    const QString list = environment("LANGUAGE");
    if (!list.isEmpty()) {
        for (const QString& entry : list.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
            if (entry == QLatin1String("C") || entry == QLatin1String("POSIX")) {
                return QStringLiteral("en");
            }
            if (const auto language = among(entry, spoken)) {
                return *language;
            }
        }
        // As with gettext: a list that names none of them means the source language, not
        // the locale's.
        return QStringLiteral("en");
    }
    return among(locale, spoken).value_or(QStringLiteral("en"));
}

Language chooseLanguage(const QString& preference, const Environment& environment,
                        const QStringList& spoken) {
    if (preference == QLatin1String("en") || spoken.contains(preference)) {
        return preference;
    }
    return desktopLanguage(environment, spoken);
}

QString languagePreference(const QString& path) {
    // Read only: the settings store itself, created later, deals with a broken file.
    const QSettings file(path, QSettings::IniFormat);
    return file.value(QLatin1String(kLanguageKey), QLatin1String(kLanguageSystem)).toString();
}

} // namespace tamsel
