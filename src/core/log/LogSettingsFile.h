// SPDX-License-Identifier: GPL-3.0-or-later
// LogSettingsFile: the logs' settings in the settings file.
#pragma once

#include "log/LogSettings.h"
#include "settings/SettingsStore.h"

namespace tamsel {

// The settings file's keys, group [log]: reception_log, retention_days, adif_file, sender
// (off, wsjtx, adif), host, port, last_frequency (MHz).
LogSettings loadLogSettings(const SettingsStore& store);
void saveLogSettings(SettingsWriter& store, const LogSettings& settings);
// The frequency of the last contact logged, alone.
void saveLastFrequency(SettingsWriter& store, double mhz);

} // namespace tamsel
