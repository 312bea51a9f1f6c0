// SPDX-License-Identifier: GPL-3.0-or-later
// OwnStation: the console's own position and units, from the station settings and gpsd.
#include "station/OwnStation.h"

#include "language/Numbers.h"
#include "station/Locator.h"

namespace tamsel {

OwnStation::OwnStation(QObject* parent) : QObject(parent) {
    connect(&gpsd_, &GpsdClient::changed, this, &OwnStation::follow);
}

void OwnStation::configure(const StationSettings& settings) {
    const bool unitsChange = settings.units != settings_.units;
    const bool gpsdChange = settings.source != settings_.source || settings.gpsd != settings_.gpsd;
    settings_ = settings;
    if (gpsdChange) {
        const auto address = parseGpsdAddress(settings.gpsd);
        if (settings.source == PositionSource::Gpsd && address) {
            gpsd_.start(address->host, address->port);
        } else {
            gpsd_.stop();
        }
    }
    follow();
    if (unitsChange) {
        emit unitsChanged(settings_.units);
    }
}

void OwnStation::follow() {
    std::optional<LatLon> position;
    QString status;
    switch (settings_.source) {
    case PositionSource::None:
        break;
    case PositionSource::Locator:
        position = locatorCentre(settings_.locator.toStdString());
        break;
    case PositionSource::LatLon:
        position = LatLon{settings_.latitude, settings_.longitude};
        break;
    case PositionSource::Gpsd:
        switch (gpsd_.state()) {
        case GpsdClient::State::Fix:
            position = gpsd_.position();
            break;
        case GpsdClient::State::Stale:
            // Not where the console is now, so nothing is measured from it; shown as it was.
            //: %1, %2: latitude and longitude of the receiver's last position fix, too old
            //: to count as where the station is now.
            status = tr("last fix %1, %2 (stale)")
                         .arg(shownNumber(gpsd_.position()->latitude, 5, 5),
                              shownNumber(gpsd_.position()->longitude, 5, 5));
            break;
        case GpsdClient::State::NotReachable:
            status = tr("gpsd not reachable"); // kNotReachable in English
            break;
        case GpsdClient::State::Off:
        case GpsdClient::State::NoFix:
            status = tr("no fix"); // kNoFix in English
            break;
        }
        break;
    }
    if (position == position_ && status == status_) {
        return;
    }
    position_ = position;
    status_ = status;
    emit positionChanged();
}

} // namespace tamsel
