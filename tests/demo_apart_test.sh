#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The demo keeps its made-up receptions in a folder of its own: the operator's reception
# log never sees them.
#   demo_apart_test.sh DEMO
set -uo pipefail
demo="$1"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null; wait; rm -rf "$work"' EXIT
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=offscreen
"$demo" >"$work/demo.out" 2>&1 &
# The first made-up reception ends within about ten seconds.
for _ in $(seq 300); do
    compgen -G "$work/data/tamsel-demo/receptions-*.csv" >/dev/null && break
    sleep 0.1
done
compgen -G "$work/data/tamsel-demo/receptions-*.csv" >/dev/null \
    || { echo "FAIL: no reception logged by the demo"; cat "$work/demo.out"; exit 1; }
if [ -e "$work/data/tamsel" ]; then
    echo "FAIL: the demo wrote into the operator's own folder"; find "$work"; exit 1
fi
echo "ok: the demo logs into $XDG_DATA_HOME/tamsel-demo only"
