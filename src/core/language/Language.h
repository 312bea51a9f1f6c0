// SPDX-License-Identifier: GPL-3.0-or-later
// Language: which of the console's languages to speak, from the preference and the desktop's.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace tamsel {

// A language by its two-letter code, as its translation file is named (tamsel_ja.ts):
// "en" (the source language, no file), "ja", "de", ...
using Language = QString;

// The settings file's key, group [interface], and its value for the desktop's language.
inline constexpr const char* kLanguageKey = "interface/language";
inline constexpr const char* kLanguageSystem = "system";

// Reads one environment variable; empty when it is unset.
using Environment = std::function<QString(const char* name)>;
Environment processEnvironment();

// The language the desktop asks for among `spoken` (codes; English is always spoken), read
// as the C library reads it for messages: the locale is the first non-empty of LC_ALL,
// LC_MESSAGES and LANG; LANGUAGE, a list of languages separated by colons, is used before it
// unless that locale is named C or POSIX (or unset; C.UTF-8 does not count). The first entry spoken
// wins; English where none is.
Language desktopLanguage(const Environment& environment, const QStringList& spoken);

// The language to speak: the preference ("system", "en" or a code of `spoken`; anything
// else counts as "system") or, for "system", the desktop's.
Language chooseLanguage(const QString& preference, const Environment& environment,
                        const QStringList& spoken);

// The preference as the settings file at `path` holds it ("system" when it holds none).
QString languagePreference(const QString& path);

} // namespace tamsel
