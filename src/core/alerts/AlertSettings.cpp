// SPDX-License-Identifier: GPL-3.0-or-later
// AlertSettings: the alert rules' settings in the settings file.
#include "alerts/AlertSettings.h"

#include <QStringList>

namespace tamsel {

namespace {

constexpr QLatin1String kCallsToMe{"alerts/calls_to_me"};
constexpr QLatin1String kWatch{"alerts/watch"};
constexpr QLatin1String kEvery{"alerts/every_reception"};
constexpr QLatin1String kQuiet{"alerts/quiet_minutes"};
constexpr QLatin1String kSound{"alerts/sound"};

} // namespace

AlertSettings loadAlertSettings(const SettingsStore& store) {
    AlertSettings s;
    s.callsToMe = store.flag(kCallsToMe, true).value;
    for (const QString& entry :
         store.text(kWatch, {}).value.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        s.watch.push_back(entry.toStdString());
    }
    s.everyReception = store.flag(kEvery, false).value;
    s.quietTime = std::chrono::minutes(store.integer(kQuiet, 10, 1, 24 * 60).value);
    s.sound = store.flag(kSound, true).value;
    return s;
}

void saveAlertSettings(SettingsWriter& store, const AlertSettings& settings) {
    QStringList watch;
    for (const std::string& line : settings.watch) {
        // One entry a line on the page; comments stay on the page, not in the file.
        const QString entry = QString::fromStdString(line.substr(0, line.find('#'))).trimmed();
        if (!entry.isEmpty()) {
            watch << entry.toUpper();
        }
    }
    store.set(kCallsToMe, settings.callsToMe);
    store.set(kWatch, watch.join(QLatin1Char(' ')));
    store.set(kEvery, settings.everyReception);
    store.set(kQuiet, static_cast<int>(settings.quietTime.count()));
    store.set(kSound, settings.sound);
}

} // namespace tamsel
