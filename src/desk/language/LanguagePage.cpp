// SPDX-License-Identifier: GPL-3.0-or-later
// LanguagePage: the Preferences page "Language": the desktop's language or one chosen here.
#include "language/LanguagePage.h"

#include "language/Language.h"
#include "language/Translations.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

namespace tamsel {

namespace {

// What the settings file holds for each choice of the list, in its order.
QStringList values() {
    return QStringList{QLatin1String(kLanguageSystem), QStringLiteral("en")} +
           Translations::available();
}

} // namespace

LanguagePage::LanguagePage(QWidget* parent)
    : PreferencesPage(parent), choice_(new QComboBox), note_(new QLabel) {
    //: The language the desktop is set to
    choice_->addItem(tr("System"));
    // Each language by its own name ("日本語", "Deutsch"), so that one who reads it finds it
    // whatever language the console speaks now.
    choice_->addItem(QStringLiteral("English"));
    for (const Language& code : Translations::available()) {
        choice_->addItem(QLocale(code).nativeLanguageName());
    }
    choice_->setAccessibleName(tr("Language"));
    note_->setText(tr("The console changes its language when it starts next."));
    note_->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(tr("&Language:"), choice_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note_);
    layout->addStretch(1);
}

void LanguagePage::load(const SettingsStore& store) {
    const QString value =
        store.choice(QLatin1String(kLanguageKey), values(), QLatin1String(kLanguageSystem)).value;
    choice_->setCurrentIndex(static_cast<int>(values().indexOf(value)));
}

void LanguagePage::save(SettingsWriter& store) {
    store.set(QLatin1String(kLanguageKey), values().value(choice_->currentIndex()));
}

} // namespace tamsel
