// SPDX-License-Identifier: GPL-3.0-or-later
// AlertsPage: the Preferences page "Alerts": calls to me, the watch list, how often, sound.
#pragma once

#include "alerts/AlertRules.h"
#include "alerts/AlertSettings.h"
#include "settings/PreferencesPage.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;

namespace tamsel {

class AlertsPage : public PreferencesPage {
    Q_OBJECT
public:
    explicit AlertsPage(QWidget* parent = nullptr);

    QString title() const override { return tr("Alerts"); }
    void load(const SettingsStore& store) override { setValues(loadAlertSettings(store)); }
    std::optional<Problem> validate() const override;
    void save(SettingsWriter& store) override { saveAlertSettings(store, values()); }

    void setValues(const AlertSettings& settings);
    AlertSettings values() const;
    // What is wrong with the page's input, or empty when it can be kept.
    QString problem() const;

private:
    void showRefused();

    QCheckBox* callsToMe_;
    QPlainTextEdit* watch_;
    QLabel* refused_;
    QRadioButton* every_;
    QRadioButton* once_;
    QSpinBox* quiet_;
    QCheckBox* sound_;
};

} // namespace tamsel
