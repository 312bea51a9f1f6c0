// SPDX-License-Identifier: GPL-3.0-or-later
// StationPage: the Preferences page "Station": where the console is and which units it shows.
#pragma once

#include "settings/PreferencesPage.h"
#include "station/OwnStation.h"
#include "station/StationSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace tamsel {

// The position's source (none, a locator, latitude and longitude, gpsd) with its fields,
// the units, and the resulting locator and position: worked out from the fields as they
// are typed, or gpsd's live fix (or "no fix", "gpsd not reachable", or its last fix marked
// stale) once gpsd is applied.
class StationPage : public PreferencesPage {
    Q_OBJECT
public:
    explicit StationPage(const OwnStation& station, QWidget* parent = nullptr);

    QString title() const override { return tr("Station"); }
    void load(const SettingsStore& store) override;
    std::optional<Problem> validate() const override;
    void save(SettingsWriter& store) override;

    QComboBox* source;
    QLineEdit* locator;
    QLineEdit* latitude;
    QLineEdit* longitude;
    QLineEdit* gpsd;
    QComboBox* units;
    QCheckBox* followRepeater;
    QLabel* resultLocator;
    QLabel* resultPosition;
    QLabel* defaults;

private:
    PositionSource chosenSource() const;
    void showResult();
    void showNotes();

    const OwnStation& station_;
    StationSettings loaded_;
    QStringList invalid_; // settings the file holds that could not be used
};

} // namespace tamsel
