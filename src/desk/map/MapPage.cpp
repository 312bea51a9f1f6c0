// SPDX-License-Identifier: GPL-3.0-or-later
// MapPage: the "Map" page of Preferences: OpenStreetMap tiles on or off, and their server.
#include "map/MapPage.h"

#include "map/Tiles.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QUrl>

namespace tamsel {

namespace {

constexpr QLatin1String kTiles{"map/tiles"};
constexpr QLatin1String kTileServer{"map/tile_server"};

} // namespace

bool validTileServer(const QString& address) {
    QString filled = address;
    filled.replace(QLatin1String("{z}"), QLatin1String("1"))
        .replace(QLatin1String("{x}"), QLatin1String("1"))
        .replace(QLatin1String("{y}"), QLatin1String("1"));
    const QUrl url(filled, QUrl::StrictMode);
    return url.isValid() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) &&
           !url.host().isEmpty() && address.contains(QLatin1String("{z}")) &&
           address.contains(QLatin1String("{x}")) && address.contains(QLatin1String("{y}"));
}

MapSettings loadMapSettings(const SettingsStore& store) {
    return {store.flag(kTiles, false).value,
            store.text(kTileServer, TileLayer::kDefaultServer, validTileServer).value};
}

void saveMapSettings(SettingsWriter& store, const MapSettings& settings) {
    store.set(kTiles, settings.tiles);
    store.set(kTileServer, settings.tileServer);
}

MapPage::MapPage(QWidget* parent)
    : PreferencesPage(parent),
      tiles_(new QCheckBox(tr("Show OpenStreetMap tiles (needs the internet)"), this)),
      server_(new QLineEdit(this)) {
    auto* form = new QFormLayout(this);
    form->addRow(tiles_);
    auto* label = new QLabel(tr("&Tile server:"), this);
    label->setBuddy(server_);
    server_->setAccessibleName(tr("Tile server"));
    server_->setPlaceholderText(TileLayer::kDefaultServer);
    form->addRow(label, server_);
    auto* note = new QLabel(tr("Without tiles, or without the internet, the map shown is the "
                               "one that comes with the console."),
                            this);
    note->setWordWrap(true);
    form->addRow(note);
}

void MapPage::load(const SettingsStore& store) {
    const MapSettings s = loadMapSettings(store);
    tiles_->setChecked(s.tiles);
    server_->setText(s.tileServer);
}

std::optional<PreferencesPage::Problem> MapPage::validate() const {
    if (validTileServer(server_->text().trimmed())) {
        return std::nullopt;
    }
    return Problem{tr("The tile server must be an http or https address with {z}, {x} and {y} "
                      "in it, such as %1.")
                       .arg(TileLayer::kDefaultServer),
                   server_};
}

void MapPage::save(SettingsWriter& store) {
    saveMapSettings(store, {tiles_->isChecked(), server_->text().trimmed()});
}

} // namespace tamsel
