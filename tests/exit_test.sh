#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The demo program ends when asked, whatever windows are open: every window of the Window
# menu is opened by its keys, then the program is ended by File > Exit, and in a second run
# by one SIGTERM. It must end within a few seconds with exit status 0.
#   exit_test.sh DEMO        (runs itself again under xvfb-run when there is no display)
# The conditions in single quotes are expanded when waitfor evaluates them.
# shellcheck disable=SC2016
set -uo pipefail
demo="$1"
if [ -z "${DISPLAY:-}" ]; then
    exec "$(dirname "$0")/with-xvfb" -s "-screen 0 1600x1000x24" "$0" "$@"
fi
work="$(mktemp -d)"
pid=""
cleanup() {
    if [ -n "$pid" ]; then
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    LC_ALL=C.UTF-8 LANGUAGE='' QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_CONFIG_HOME/tamsel-demo"
# The WSJT-X datagrams on: with them the program's heartbeats show whether it still runs.
printf '[log]\nsender=wsjtx\nhost=127.0.0.1\nport=2237\n' >"$XDG_CONFIG_HOME/tamsel-demo/tamsel.conf"

fail() {
    echo "FAIL: $*"
    cat "$work/demo.out" 2>/dev/null
    exit 1
}
# Polls a condition every 0.1 s for up to $2 seconds (10 unless given).
waitfor() {
    local i
    for ((i = 0; i < ${2:-10} * 10; ++i)); do
        eval "$1" && return 0
        sleep 0.1
    done
    return 1
}
# The ids of the program's visible windows whose title is exactly $1.
windows() { xdotool search --onlyvisible --pid "$pid" --name "^$1\$" 2>/dev/null; }
main_window() { xdotool search --onlyvisible --pid "$pid" --name "simulated adapter" 2>/dev/null | head -1; }
# Keys to the main window, as the operator types them there.
keys() {
    local main
    main="$(main_window)"
    xdotool windowfocus --sync "$main" 2>/dev/null || xdotool windowfocus "$main"
    sleep 0.3
    xdotool key --clearmodifiers "$@"
}
# Whether the program has ended (a process ended but not yet waited for is a zombie).
gone() {
    case "$(ps -o stat= -p "$pid" 2>/dev/null)" in
    Z* | "") return 0 ;;
    esac
    return 1
}
# Waits up to $1 seconds for the program to end; sets status to its exit status, or to
# "still running".
ended() {
    status="still running"
    if waitfor gone "$1"; then
        wait "$pid"
        status=$?
        pid=""
    fi
}

# Each window of the Window menu by its access key, with the title it opens with.
menu_windows=("h:Received History" "m:Memory" "s:Heard Stations" "r:Repeaters" "p:Map")

for how in exit sigterm; do
    "$demo" >"$work/demo.out" 2>&1 &
    pid=$!
    waitfor '[ -n "$(main_window)" ]' 20 || fail "the main window did not appear"
    for item in "${menu_windows[@]}"; do
        key="${item%%:*}" title="${item#*:}"
        keys alt+w
        sleep 0.3
        xdotool key --clearmodifiers "$key"
        waitfor '[ -n "$(windows "$title")" ]' 5 || fail "Window > $title did not open"
    done
    case $how in
    exit)
        keys alt+f
        sleep 0.3
        xdotool key --clearmodifiers x
        ;;
    sigterm) kill -TERM "$pid" ;;
    esac
    ended 10
    [ "$status" = 0 ] || fail "after $how with every window open: exit status $status"
    echo "ok: $how with every window of the Window menu open ends the program (status 0)"
done
