// SPDX-License-Identifier: GPL-3.0-or-later
// Translations: the console's own texts and Qt's in the chosen language.
#include "language/Translations.h"

#include "settings/SettingsStore.h"

#include <QDir>
#include <QLibraryInfo>

namespace tamsel {

namespace {

std::unique_ptr<QTranslator> installed(const QString& file) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(file) || !QCoreApplication::installTranslator(translator.get())) {
        return nullptr;
    }
    return translator;
}

} // namespace

QString Translations::ownFile(const Language& language) {
    return QStringLiteral(":/i18n/tamsel_%1.qm").arg(language);
}

QString Translations::qtFile(const Language& language) {
    return QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        .filePath(QStringLiteral("qtbase_%1.qm").arg(language));
}

QStringList Translations::available() {
    QStringList codes;
    const QDir built(QStringLiteral(":/i18n"), QStringLiteral("tamsel_*.qm"), QDir::Name);
    for (const QString& file : built.entryList(QDir::Files)) {
        codes << file.mid(7, file.size() - 7 - 3); // tamsel_<code>.qm
    }
    return codes;
}

Translations::Translations(const Language& language) : language_(language) {
    // Numbers as the interface language writes them, not as the desktop's locale does: an
    // English console in Germany shows and reads 439.150.
    QLocale::setDefault(QLocale(language));
    if (language == QLatin1String("en")) {
        return;
    }
    own_ = installed(ownFile(language));
    qt_ = installed(qtFile(language));
}

Translations::~Translations() {
    QLocale::setDefault(before_);
    if (QCoreApplication::instance() == nullptr) {
        return;
    }
    for (QTranslator* t : {own_.get(), qt_.get()}) {
        if (t != nullptr) {
            QCoreApplication::removeTranslator(t);
        }
    }
}

Language languageOfThisRun() {
    return chooseLanguage(languagePreference(SettingsStore::defaultPath()), processEnvironment(),
                          Translations::available());
}

} // namespace tamsel
