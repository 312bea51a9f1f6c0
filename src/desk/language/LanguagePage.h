// SPDX-License-Identifier: GPL-3.0-or-later
// LanguagePage: the Preferences page "Language": the desktop's language or one chosen here.
#pragma once

#include "settings/PreferencesPage.h"

#include <QWidget>

class QComboBox;
class QLabel;

namespace tamsel {

// The choice is kept in the settings file ([interface] language: system, en, ja or de) and
// takes effect when the console starts next.
class LanguagePage : public PreferencesPage {
    Q_OBJECT
public:
    explicit LanguagePage(QWidget* parent = nullptr);

    QString title() const override { return tr("Language"); }
    void load(const SettingsStore& store) override;
    std::optional<Problem> validate() const override { return std::nullopt; }
    void save(SettingsWriter& store) override;

    QComboBox* choice() const { return choice_; }

private:
    QComboBox* choice_;
    QLabel* note_;
};

} // namespace tamsel
