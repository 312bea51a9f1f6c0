// SPDX-License-Identifier: GPL-3.0-or-later
// AlertSettings: the alert rules' settings in the settings file.
#pragma once

#include "alerts/AlertRules.h"
#include "settings/SettingsStore.h"

namespace tamsel {

// The settings file's keys, group [alerts]: calls_to_me, watch (the entries, blank between),
// every_reception, quiet_minutes, sound.
AlertSettings loadAlertSettings(const SettingsStore& store);
void saveAlertSettings(SettingsWriter& store, const AlertSettings& settings);

} // namespace tamsel
