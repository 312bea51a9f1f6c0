#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The station without a display: tamsel-station needs no Qt Widgets and nothing of X or
# Wayland, neither to link nor once running; without an adapter it says so once and keeps
# running; SIGTERM ends it with status 0. The demo station hears, writes each reception to
# its log whole, and ends as cleanly.
#   station_apart_test.sh TAMSEL-STATION TAMSEL-DEMO
set -uo pipefail
station=$1
demo=$2
work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
display_libs='libQt6Widgets|libX11|libxcb|libwayland|libQt6XcbQpa'

# Waits, up to 30 seconds, until FILE holds a line matching PATTERN.
wait_for() {
    for _ in $(seq 1 300); do
        grep -Eq "$2" "$1" && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Runs PROGRAM ARGS... with no display and folders of its own, its log in $work/log. A
# sanitizer build's options go with it.
start() {
    local keep=()
    for name in ASAN_OPTIONS TSAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
        [ -n "${!name:-}" ] && keep+=("$name=${!name}")
    done
    env -i PATH="$PATH" HOME="$work/home" LANG=C.UTF-8 XDG_CONFIG_HOME="$work/config" \
        XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache" "${keep[@]}" "$@" 2> "$work/log" &
    pid=$!
}

# Ends the program with SIGTERM; it must end with status 0 and say so.
stop() {
    kill -TERM "$pid"
    wait "$pid"
    local status=$?
    pid=""
    [ "$status" -eq 0 ] || fail "$1 ended with status $status after SIGTERM"
    tail -1 "$work/log" | grep -qx '<6>Stopped.' || fail "$1 did not say it stopped: $(tail -3 "$work/log")"
}

if readelf -d "$station" | grep NEEDED | grep -E "$display_libs"; then
    fail "tamsel-station links a display library"
fi

# 1. tamsel-station with no adapter on this machine (or with one: then it is found).
start "$station" --listen 127.0.0.1:0
wait_for "$work/log" 'Tamsel not found\.|Adapter found\.' || fail "no word of the adapter: $(cat "$work/log")"
if grep -E "$display_libs" "/proc/$pid/maps"; then
    fail "a running tamsel-station has loaded a display library"
fi
grep -Ev '^<[3-7]>' "$work/log" && fail "a log line without a priority"
# Its page is served: the address it names answers.
wait_for "$work/log" "The station's page is at http://127.0.0.1:[0-9]+/" || fail "no page: $(cat "$work/log")"
page_port=$(grep -Eo "page is at http://127.0.0.1:[0-9]+/" "$work/log" | grep -Eo '[0-9]+/$' | tr -d /)
exec 3<>"/dev/tcp/127.0.0.1/$page_port" || fail "nothing listens on $page_port"
printf 'GET /api/session HTTP/1.1\r\nHost: 127.0.0.1:%s\r\nConnection: close\r\n\r\n' "$page_port" >&3
read -r -t 10 status_line <&3
exec 3<&-
[[ "$status_line" == "HTTP/1.1 200 OK"* ]] || fail "the page's session answered: $status_line"
found=$(grep -c 'Tamsel not found\.' "$work/log")
[ "$found" -le 1 ] || fail "no adapter was said $found times"
stop tamsel-station

# 2. The demo station: a reception is heard, logged whole, and SIGTERM comes at any moment.
start "$demo" --station --listen 127.0.0.1:0
wait_for "$work/log" '^<6>Heard ' || fail "the demo station heard nothing: $(cat "$work/log")"
# SIGHUP reads the settings again and the station goes on.
kill -HUP "$pid"
wait_for "$work/log" '^<5>Settings read again from ' || fail "SIGHUP did not reload: $(cat "$work/log")"
stop "tamsel-demo --station"
heard=$(grep -c '^<6>Heard ' "$work/log")
log=$(ls "$work"/data/tamsel-demo/receptions-*.csv) || fail "no reception log"
logged=$(grep -vc "^start_utc," "$log")
[ "$logged" -eq "$heard" ] || fail "$heard receptions heard, $logged logged"
[ "$(tail -c 1 "$log" | od -An -c | tr -d ' ')" = '\n' ] || fail "the reception log ends half-written"
echo "station apart: no display library, $found word of no adapter, $heard reception(s) logged whole"
