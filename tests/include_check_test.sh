#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The include check passes on the tree as it is and fails on each planted wrong arrow.
set -uo pipefail
root="$1"
check="$root/scripts/check-includes"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$check" "$root/src" || { echo "FAIL: the tree itself"; exit 1; }

failures=0
# file to change | include planted at its top | what it shows
cases=(
    'memory/Unit4.cpp|#include "console/Unit1.h"|a window includes another window'
    'history/Unit5.cpp|#include "memory/Unit4.h"|the history includes the memory window'
    'console/Unit1.cpp|#include "history/HistoryFlag.h"|a window reaches into the history folder'
    'widgets/Controls.cpp|#include "dialogs/Unit6.h"|a widget includes a window'
    'monitor/ReceptionMachine.cpp|#include "widgets/Text.h"|the logic includes a widget'
    'adapter/Catalogue.cpp|#include "monitor/RadioHeader.h"|the adapter includes the logic'
    'memory/MemoryFile.cpp|#include <QLabel>|the logic includes a Qt widget'
    'log/Adif.cpp|#include <QDialog>|the log logic includes a Qt widget'
    'log/LogContact.cpp|#include "heard/HeardStations.h"|the log dialog includes another window'
    'calls/Routes.cpp|#include "calls/CallMenu.h"|the call routes include the Call menu'
    'calls/CallMenu.cpp|#include "console/Unit1.h"|the Call menu includes the main window'
    'calls/Targets.cpp|#include <QComboBox>|the call logic includes a Qt widget'
    'base/Columns.h|#include "adapter/Payload.h"|the base reaches up into the adapter'
    'station/OwnStation.cpp|#include "station/StationPage.h"|the station logic includes its page'
    'settings/SettingsStore.cpp|#include "settings/PreferencesPage.h"|the store includes the page interface'
    'station/StationPage.cpp|#include "settings/Preferences.h"|a page includes the dialog'
    'station/GpsdClient.cpp|#include <QWidget>|the gpsd client includes a Qt widget'
)
for c in "${cases[@]}"; do
    IFS='|' read -r file include what <<<"$c"
    rm -rf "$work/src" && cp -r "$root/src" "$work/src"
    { echo "$include"; cat "$work/src/$file"; } >"$work/src/$file.new" && mv "$work/src/$file.new" "$work/src/$file"
    if "$check" "$work/src" >/dev/null; then
        echo "FAIL: not caught: $what"
        failures=$((failures + 1))
    else
        echo "ok: caught: $what"
    fi
done
[ "$failures" -eq 0 ]
