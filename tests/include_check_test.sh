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
    'desk/memory/Unit4.cpp|#include "console/Unit1.h"|a window includes another window'
    'desk/history/Unit5.cpp|#include "memory/Unit4.h"|the history includes the memory window'
    'desk/console/Unit1.cpp|#include "history/HistoryFlag.h"|a window reaches into the history folder'
    'desk/widgets/Controls.cpp|#include "dialogs/Unit6.h"|a widget includes a window'
    'core/monitor/ReceptionMachine.cpp|#include "widgets/Controls.h"|the logic includes a widget'
    'core/Station.cpp|#include "console/Console.h"|the station core includes the desk'
    'core/Station.cpp|#include <QMainWindow>|the station core includes a Qt widget'
    'core/alerts/AlertSettings.cpp|#include "alerts/AlertsPage.h"|the alert settings include their page'
    'core/adapter/Catalogue.cpp|#include "monitor/RadioHeader.h"|the adapter includes the logic'
    'core/memory/MemoryFile.cpp|#include <QLabel>|the logic includes a Qt widget'
    'core/log/Adif.cpp|#include <QDialog>|the log logic includes a Qt widget'
    'desk/log/LogContact.cpp|#include "heard/HeardStations.h"|the log dialog includes another window'
    'core/calls/Routes.cpp|#include "calls/CallMenu.h"|the call routes include the Call menu'
    'desk/calls/CallMenu.cpp|#include "console/Unit1.h"|the Call menu includes the main window'
    'core/calls/Targets.cpp|#include <QComboBox>|the call logic includes a Qt widget'
    'core/base/Columns.h|#include "adapter/Payload.h"|the base reaches up into the adapter'
    'core/station/OwnStation.cpp|#include "station/StationPage.h"|the station logic includes its page'
    'core/settings/SettingsStore.cpp|#include "settings/PreferencesPage.h"|the store includes the page interface'
    'desk/station/StationPage.cpp|#include "settings/Preferences.h"|a page includes the dialog'
    'core/station/GpsdClient.cpp|#include <QWidget>|the gpsd client includes a Qt widget'
    'desk/console/Console.cpp|#include "WebFace.h"|the desk includes the web face'
    'web/WebFace.cpp|#include "heard/HeardStationsModel.h"|the web face includes a window'
    'core/Station.cpp|#include "WebFace.h"|the station core includes the web face'
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
