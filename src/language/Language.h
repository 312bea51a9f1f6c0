// SPDX-License-Identifier: GPL-3.0-or-later
// Language: which of the console's languages to speak, from the preference and the desktop's.
#pragma once

#include <QString>
#include <functional>

namespace tamsel {

// The languages the console speaks; English is the source text.
enum class Language { English, Japanese, German };

// The settings file's key, group [interface], and its values.
inline constexpr const char* kLanguageKey = "interface/language";
inline constexpr const char* kLanguageSystem = "system";

// The two-letter code of a language ("en", "ja", "de"), as the .qm files are named.
QString languageCode(Language language);

// Reads one environment variable; empty when it is unset.
using Environment = std::function<QString(const char* name)>;
Environment processEnvironment();

// The language the desktop asks for, read as the C library reads it for messages: the
// locale is the first non-empty of LC_ALL, LC_MESSAGES and LANG; LANGUAGE, a list of
// languages separated by colons, is used before it unless that locale is C or POSIX (or
// unset). The first entry the console speaks wins; English where none is one of them.
Language desktopLanguage(const Environment& environment);

// The language to speak: the preference ("system", "en", "ja" or "de"; anything else counts
// as "system") or, for "system", the desktop's.
Language chooseLanguage(const QString& preference, const Environment& environment);

// The preference as the settings file at `path` holds it ("system" when it holds none).
QString languagePreference(const QString& path);

} // namespace tamsel
