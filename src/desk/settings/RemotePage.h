// SPDX-License-Identifier: GPL-3.0-or-later
// RemotePage: the "Remote" page of Preferences: the station's page for browsers (a phone, a
// laptop elsewhere) served by the console too, off by default; where it listens, the
// password, and a certificate for HTTPS.
#pragma once

#include "settings/PreferencesPage.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace tamsel {

class RemotePage : public PreferencesPage {
    Q_OBJECT
public:
    explicit RemotePage(QWidget* parent = nullptr);

    QString title() const override { return tr("Remote"); }
    void load(const SettingsStore& store) override;
    std::optional<Problem> validate() const override;
    // Also keeps a new password's hash (beside the settings file), when one was typed.
    void save(SettingsWriter& store) override;

    QCheckBox* enabled() const { return enabled_; }
    QLineEdit* listen() const { return listen_; }
    QLineEdit* password() const { return password_; }
    QLineEdit* again() const { return again_; }
    QLineEdit* certificate() const { return certificate_; }
    QLineEdit* key() const { return key_; }

private:
    bool passwordKept() const;
    QCheckBox* enabled_;
    QLineEdit* listen_;
    QLineEdit* password_;
    QLineEdit* again_;
    QLineEdit* certificate_;
    QLineEdit* key_;
    QLabel* passwordState_;
    QString passwordFile_; // beside the settings file
};

} // namespace tamsel
