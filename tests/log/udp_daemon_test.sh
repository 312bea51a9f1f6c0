#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The console as a client of WSJT-X's own reference server, udp_daemon: the probe logs one
# contact to it as the console does, and the server must have taken the console for a
# WSJT-X client (a heartbeat first, then a status), the contact with its call, mode and
# frequency, and the close when the probe ends.
#   udp_daemon_test.sh PROBE
# The conditions in single quotes, and the variables only they use, are expanded when waitfor
# evaluates them.
# shellcheck disable=SC2016,SC2034
set -uo pipefail
probe="$1"
work="$(mktemp -d)"
start=$SECONDS
daemon_pid=""
cleanup() {
    if [ -n "$daemon_pid" ]; then
        kill "$daemon_pid" 2>/dev/null
        wait "$daemon_pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT
# The probe's dialog needs no screen.
export HOME="$work/home" XDG_DATA_HOME="$work/data" LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"

fail() {
    echo "FAIL after $((SECONDS - start)) s: $*"
    echo "udp_daemon printed:"
    cat "$work/daemon.out"
    exit 1
}
# Polls a condition every 0.1 s until a deadline (10 s unless given); stops early when
# udp_daemon has ended.
waitfor() {
    local deadline=$((SECONDS + ${2:-10}))
    while [ "$SECONDS" -lt "$deadline" ]; do
        eval "$1" && return 0
        if ! kill -0 "$daemon_pid" 2>/dev/null; then
            wait "$daemon_pid"
            fail "udp_daemon ended by itself with status $?"
        fi
        sleep 0.1
    done
    return 1
}
# said TEXT [MORE]: a line printed holds TEXT (and MORE after it).
said() { grep -F -- "$1" "$work/daemon.out" | grep -qF -- "${2:-}"; }
expect() {
    waitfor "said '$1'" || fail "udp_daemon never printed: $1"
    echo "ok: $1"
}

# A UDP port nobody uses, for the server to listen on.
port="$(python3 -c 'import socket; s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
# Unicast on that port (it takes no address to bind to and listens on all of them); it prints
# the logged contact's mode only in a debug line.
QT_LOGGING_RULES="default.debug=true" udp_daemon --port "$port" >"$work/daemon.out" 2>&1 &
daemon_pid=$!
listening=":$(printf '%04X' "$port") "
waitfor 'cat /proc/net/udp /proc/net/udp6 2>/dev/null | grep -q "$listening"' ||
    fail "udp_daemon does not listen on $port"

"$probe" "$work/tamsel.adi" JH3ABC 439.41 "$port" ||
    fail "the probe could not log the contact"
ended=$SECONDS

# The client as the server names it, "Tamsel Console(ADDRESS)"; the server prints a client's
# version only when its first message was a heartbeat.
waitfor 'said "Discovered WSJT-X instance: Tamsel Console("' || fail "udp_daemon never saw the console"
discovered="$(grep -F "Discovered WSJT-X instance: Tamsel Console(" "$work/daemon.out" | head -1)"
client="${discovered#Discovered WSJT-X instance: }"
client="${client%%)*})"
[ "$discovered" = "Discovered WSJT-X instance: $client v0.0-probe" ] ||
    fail "the console's first message was not a heartbeat: $discovered"
echo "ok: the console was a client from its first message on (a heartbeat)"
expect "$client: Dial frequency changed to 439410000"
expect "$client: Mode changed to DSTAR"
expect "$client: Logged JH3ABC "
said "$client: Logged JH3ABC " " freq: 439410000 " || fail "the contact's frequency is not 439410000 Hz"
waitfor 'said "dx_call: \"JH3ABC\" " " mode: \"DIGITALVOICE\" "' || fail "the contact's mode is not DIGITALVOICE"
echo "ok: $(grep -F "$client: Logged" "$work/daemon.out")"
# The close, not the server's own time-out: that forgets a client only after 15 s of silence.
expect "Removed WSJT-X instance: $client"
[ $((SECONDS - ended)) -lt 15 ] || fail "the client was dropped by time-out, not closed"
echo "udp_daemon: all passed in $((SECONDS - start)) s"
