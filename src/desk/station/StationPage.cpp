// SPDX-License-Identifier: GPL-3.0-or-later
// StationPage: the Preferences page "Station": where the console is and which units it shows.
#include "station/StationPage.h"

#include "language/Numbers.h"
#include "station/Locator.h"

#include <QFormLayout>
#include <QLocale>
#include <QRegularExpression>

namespace tamsel {
namespace {

// Decimal degrees as typed, with a point or a comma in any language (degrees never need
// a group separator), within [-limit, limit].
std::optional<double> parseDegrees(const QString& text, double limit) {
    QString t = text;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    const auto v = typedNumber(t);
    if (!v || !(*v >= -limit && *v <= limit)) {
        return std::nullopt;
    }
    return v;
}

std::optional<QString> parseLocator(const QString& text) {
    const auto grid = normaliseLocator(text.trimmed().toStdString());
    return grid ? std::optional(QString::fromStdString(*grid)) : std::nullopt;
}

QString showPosition(const LatLon& p) {
    // Where the decimal separator is a comma, a semicolon parts the two.
    const bool comma = QLocale().decimalPoint() == QLatin1String(",");
    return QStringLiteral("%1%2 %3").arg(shownNumber(p.latitude, 5, 5),
                                         comma ? QStringLiteral(";") : QStringLiteral(","),
                                         shownNumber(p.longitude, 5, 5));
}

QString unitsText(Units u) {
    const auto name = [](std::string_view s) {
        return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
    };
    //: The units and their symbols: "Metric (km, km/h, m)"
    return StationPage::tr("%1 (%2, %3, %4)")
        .arg(u == Units::Metric ? StationPage::tr("Metric") : StationPage::tr("Imperial"),
             name(distanceUnit(u)), name(speedUnit(u)), name(altitudeUnit(u)));
}

} // namespace

StationPage::StationPage(const OwnStation& station, QWidget* parent)
    : PreferencesPage(parent), source(new QComboBox(this)), locator(new QLineEdit(this)),
      latitude(new QLineEdit(this)), longitude(new QLineEdit(this)), gpsd(new QLineEdit(this)),
      units(new QComboBox(this)),
      followRepeater(new QCheckBox(tr("&Follow the nearest repeater"), this)),
      resultLocator(new QLabel(this)), resultPosition(new QLabel(this)), defaults(new QLabel(this)),
      station_(station) {
    // In the order of PositionSource and Units.
    source->addItems({tr("None"), tr("Maidenhead locator"), tr("Latitude and longitude"),
                      QStringLiteral("gpsd")});
    units->addItems({unitsText(Units::Metric), unitsText(Units::Imperial)});
    // Hints that cannot be taken for a value: an empty field is one not set.
    latitude->setPlaceholderText(tr("decimal degrees, negative south"));
    longitude->setPlaceholderText(tr("decimal degrees, negative west"));
    defaults->setWordWrap(true);

    auto* form = new QFormLayout(this);
    const auto row = [this, form](const QString& label, QWidget* field) {
        auto* l = new QLabel(label, this);
        l->setBuddy(field);
        form->addRow(l, field);
        // The label without its access key ("&Source:", "位置の取得元(&S):") and colon.
        QString name = label;
        name.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
        field->setAccessibleName(name.remove(QLatin1Char('&')).chopped(1));
    };
    row(tr("&Source:"), source);
    row(tr("&Locator:"), locator);
    row(tr("La&titude:"), latitude);
    row(tr("Lo&ngitude:"), longitude);
    row(tr("&gpsd (host:port):"), gpsd);
    row(tr("&Units:"), units);
    form->addRow(followRepeater);
    followRepeater->setAccessibleName(tr("Follow the nearest repeater"));
    followRepeater->setToolTip(tr("While your position comes from gpsd, Repeater 1 changes "
                                  "by itself to a repeater that has become clearly nearer"));
    row(tr("Your locator:"), resultLocator);
    row(tr("Your position:"), resultPosition);
    form->addRow(defaults);
    defaults->setAccessibleName(tr("Defaults"));

    connect(source, &QComboBox::currentIndexChanged, this, [this] {
        // gpsd chosen with no address yet: the usual one, there to be changed.
        if (chosenSource() == PositionSource::Gpsd && gpsd->text().trimmed().isEmpty()) {
            gpsd->setText(StationSettings::kDefaultGpsd);
        }
        showResult();
    });
    for (QLineEdit* e : {locator, latitude, longitude, gpsd}) {
        connect(e, &QLineEdit::textChanged, this, &StationPage::showResult);
    }
    connect(&station_, &OwnStation::positionChanged, this, &StationPage::showResult);
    showResult();
}

void StationPage::load(const SettingsStore& store) {
    loaded_ = StationSettings::load(store);
    // A field shows what the file holds, or the default the source in use takes; one the
    // file lacks and the source does not use stays empty, so that nothing looks set that
    // is not.
    const auto shown = [this](QLatin1String key, PositionSource usedBy) {
        return loaded_.source == usedBy ||
               loaded_.defaulted.value(key, SettingsStore::Origin::Stored) !=
                   SettingsStore::Origin::Missing;
    };
    const auto degrees = [](double value) { return shownNumber(value, 0, 9); };
    source->setCurrentIndex(static_cast<int>(loaded_.source));
    locator->setText(loaded_.locator);
    latitude->setText(shown(StationSettings::kLatitude, PositionSource::LatLon)
                          ? degrees(loaded_.latitude)
                          : QString());
    longitude->setText(shown(StationSettings::kLongitude, PositionSource::LatLon)
                           ? degrees(loaded_.longitude)
                           : QString());
    gpsd->setText(shown(StationSettings::kGpsd, PositionSource::Gpsd) ? loaded_.gpsd : QString());
    units->setCurrentIndex(static_cast<int>(loaded_.units));
    followRepeater->setChecked(loaded_.followRepeater);

    invalid_.clear();
    for (auto it = loaded_.defaulted.cbegin(); it != loaded_.defaulted.cend(); ++it) {
        if (it.value() == SettingsStore::Origin::Invalid) {
            invalid_ << it.key().section(QLatin1Char('/'), 1);
        }
    }
    showNotes();
}

void StationPage::showNotes() {
    // What the page shows now, not what the file held: a position just chosen is set.
    QStringList notes;
    if (chosenSource() == PositionSource::None) {
        notes << tr("Your position is not set.");
    }
    if (!invalid_.isEmpty()) {
        //: %1 lists keys of the settings file, such as "latitude, gpsd"
        notes << tr("Not usable in the settings file, default shown: %1.")
                     .arg(invalid_.join(QStringLiteral(", ")));
    }
    defaults->setText(notes.join(QLatin1Char(' ')));
    defaults->setVisible(!notes.isEmpty());
}

PositionSource StationPage::chosenSource() const {
    return static_cast<PositionSource>(source->currentIndex());
}

std::optional<PreferencesPage::Problem> StationPage::validate() const {
    switch (chosenSource()) {
    case PositionSource::None:
        break;
    case PositionSource::Locator:
        if (!parseLocator(locator->text())) {
            return Problem{tr("The locator needs 4, 6, 8 or 10 characters, such as "
                              "JN58, JN58td or JN58td25."),
                           locator};
        }
        break;
    case PositionSource::LatLon:
        if (!parseDegrees(latitude->text(), 90)) {
            return Problem{tr("The latitude needs decimal degrees from -90 to 90 "
                              "(negative south)."),
                           latitude};
        }
        if (!parseDegrees(longitude->text(), 180)) {
            return Problem{tr("The longitude needs decimal degrees from -180 to 180 "
                              "(negative west)."),
                           longitude};
        }
        break;
    case PositionSource::Gpsd:
        if (!parseGpsdAddress(gpsd->text())) {
            return Problem{tr("gpsd needs a host and port, such as localhost:2947."), gpsd};
        }
        break;
    }
    return std::nullopt;
}

void StationPage::save(SettingsWriter& store) {
    // A field the chosen source does not use keeps its stored value unless it holds a
    // usable one.
    StationSettings s = loaded_;
    s.source = chosenSource();
    s.units = static_cast<Units>(units->currentIndex());
    s.followRepeater = followRepeater->isChecked();
    if (const auto grid = parseLocator(locator->text())) {
        s.locator = *grid;
    } else if (locator->text().trimmed().isEmpty()) {
        s.locator.clear();
    }
    if (const auto lat = parseDegrees(latitude->text(), 90)) {
        s.latitude = *lat;
    }
    if (const auto lon = parseDegrees(longitude->text(), 180)) {
        s.longitude = *lon;
    }
    if (parseGpsdAddress(gpsd->text())) {
        s.gpsd = gpsd->text().trimmed();
    }
    s.save(store);
}

void StationPage::showResult() {
    const PositionSource chosen = chosenSource();
    locator->setEnabled(chosen == PositionSource::Locator);
    latitude->setEnabled(chosen == PositionSource::LatLon);
    longitude->setEnabled(chosen == PositionSource::LatLon);
    gpsd->setEnabled(chosen == PositionSource::Gpsd);
    showNotes();

    std::optional<LatLon> position;
    QString why;
    switch (chosen) {
    case PositionSource::None:
        //: No position: the source chosen is None
        why = tr("none");
        break;
    case PositionSource::Locator:
        if (const auto grid = parseLocator(locator->text())) {
            position = locatorCentre(grid->toStdString());
        } else {
            why = tr("not a locator yet");
        }
        break;
    case PositionSource::LatLon: {
        const auto lat = parseDegrees(latitude->text(), 90);
        const auto lon = parseDegrees(longitude->text(), 180);
        if (lat && lon) {
            position = LatLon{*lat, *lon};
        } else {
            why = tr("not a position yet");
        }
        break;
    }
    case PositionSource::Gpsd: {
        const StationSettings& live = station_.settings();
        if (live.source == PositionSource::Gpsd && live.gpsd == gpsd->text().trimmed()) {
            position = station_.position();
            why = station_.status();
        } else {
            why = tr("followed from gpsd once applied");
        }
        break;
    }
    }
    if (position) {
        // A locator shows as typed; any other position as the 6 characters of its square.
        resultLocator->setText(chosen == PositionSource::Locator
                                   ? *parseLocator(locator->text())
                                   : QString::fromStdString(locatorOf(*position)));
        resultPosition->setText(showPosition(*position));
    } else {
        resultLocator->clear();
        resultPosition->setText(why);
    }
}

} // namespace tamsel
