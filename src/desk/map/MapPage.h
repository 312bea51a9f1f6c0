// SPDX-License-Identifier: GPL-3.0-or-later
// MapPage: the "Map" page of Preferences: OpenStreetMap tiles on or off, and their server.
#pragma once

#include "settings/PreferencesPage.h"

class QCheckBox;
class QLineEdit;

namespace tamsel {

// The settings file's keys, group [map]: tiles (true, false), tile_server (an http or https
// address with {z}, {x} and {y}).
struct MapSettings {
    bool tiles = false;
    QString tileServer;
};
MapSettings loadMapSettings(const SettingsStore& store);
void saveMapSettings(SettingsWriter& store, const MapSettings& settings);
// An address tiles can be asked from.
bool validTileServer(const QString& address);

class MapPage : public PreferencesPage {
    Q_OBJECT
public:
    explicit MapPage(QWidget* parent = nullptr);

    QString title() const override { return tr("Map"); }
    void load(const SettingsStore& store) override;
    std::optional<Problem> validate() const override;
    void save(SettingsWriter& store) override;

    QCheckBox* tiles() const { return tiles_; }
    QLineEdit* server() const { return server_; }

private:
    QCheckBox* tiles_;
    QLineEdit* server_;
};

} // namespace tamsel
