// SPDX-License-Identifier: GPL-3.0-or-later
// Translations: the console's own texts and Qt's in the chosen language.
#pragma once

#include "language/Language.h"

#include <QCoreApplication>
#include <QLocale>
#include <QString>
#include <QTranslator>
#include <memory>
#include <vector>

namespace tamsel {

// The translators of one language, installed in the application while this lives, and its
// way of writing numbers as the default locale (what the windows show and read).
class Translations {
public:
    // No translator is installed for English, the source language. A missing file of Qt's
    // own (qt6-translations-l10n not installed) leaves Qt's buttons in English, nothing else.
    explicit Translations(const Language& language);
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    Language language() const { return language_; }
    // Whether the console's own texts and Qt's own were found and installed.
    bool ownLoaded() const { return own_ != nullptr; }
    bool qtLoaded() const { return qt_ != nullptr; }

    // Where the console's own translation of `language` is (in the program's resources).
    static QString ownFile(const Language& language);
    // Where Qt's own translation of `language` is (Qt's translations folder).
    static QString qtFile(const Language& language);
    // The languages the console speaks besides English: one for each translation built in
    // (a translations/tamsel_<code>.ts file of the source tree).
    static QStringList available();

private:
    Language language_;
    QLocale before_; // the default locale again when these go
    std::unique_ptr<QTranslator> own_;
    std::unique_ptr<QTranslator> qt_;
};

// The language of this run: the preference kept in the settings file, else the desktop's.
Language languageOfThisRun();

} // namespace tamsel
