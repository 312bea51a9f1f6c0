// SPDX-License-Identifier: GPL-3.0-or-later
// LogPage: the "Log" page of Preferences: reception log, retention, ADIF file, logging program.
#pragma once

#include "settings/PreferencesPage.h"

#include "log/LogSettings.h"
#include "log/LogSettingsFile.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace tamsel {

class LogPage : public PreferencesPage {
    Q_OBJECT
public:
    explicit LogPage(QWidget* parent = nullptr);

    QString title() const override { return tr("Log"); }
    void load(const SettingsStore& store) override { setValues(loadLogSettings(store)); }
    std::optional<Problem> validate() const override;
    void save(SettingsWriter& store) override { saveLogSettings(store, values()); }

    void setValues(const LogSettings& s);
    LogSettings values() const;
    // Empty when the values can be kept, otherwise what is wrong.
    QString problem() const;

private:
    void senderChanged(int index);

    QCheckBox* receptionLog_;
    QSpinBox* retention_;
    QLineEdit* adifFile_;
    QComboBox* sender_;
    QLineEdit* host_;
    QSpinBox* port_;
    double lastFrequency_ = 0; // kept as it came: the page does not show it
};

} // namespace tamsel
