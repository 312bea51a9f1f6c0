#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Contacts taken by a real logging program: KLog, in a home of its own under a virtual X
# server, receives one contact over UDP as WSJT-X announces it and imports another from the
# ADIF file the console wrote (File > Import from ADIF, driven with xdotool); each is then
# read back from KLog's own database. The console logs both under a German locale, whose
# decimal comma must reach neither.
#   klog_test.sh PROBE
# The conditions in single quotes, and the variables only they use, are expanded when waitfor
# evaluates them.
# shellcheck disable=SC2016,SC2034
set -uo pipefail
probe="$1"
work="$(mktemp -d)"
start=$SECONDS
xvfb_pid=""
klog_pid=""
cleanup() {
    if [ -n "$klog_pid" ]; then
        kill "$klog_pid" 2>/dev/null
        wait "$klog_pid" 2>/dev/null
    fi
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    release_instance_lock
    rm -rf "$work"
}
# KLog's one-instance lock (System V shared memory and semaphores, keyed by ftok() with 'Q' on
# files in the temporary folder) outlives KLog, even when it quits: removed with the folder.
release_instance_lock() {
    local f dev ino key
    for f in "$TMPDIR"/qipc_*; do
        [ -e "$f" ] || continue
        read -r dev ino < <(stat -c '%d %i' "$f")
        key="$(printf '0x%x' $(((0x51 << 24) | ((dev & 0xff) << 16) | (ino & 0xffff))))"
        ipcrm -M "$key" 2>/dev/null
        ipcrm -S "$key" 2>/dev/null
    done
}
trap cleanup EXIT
# KLog lets one instance run at a time, keyed on a file in the temporary folder: a folder of
# its own keeps it apart from a KLog the user has open.
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" TMPDIR="$work/tmp" LC_ALL=C.UTF-8 LANG=C.UTF-8
# KLog and the probe need the X server, whatever platform the other tests run on.
unset LANGUAGE QT_QPA_PLATFORM XAUTHORITY
mkdir -m 700 "$XDG_RUNTIME_DIR" "$TMPDIR"
db="$HOME/.klog/logbook.dat"
# The locale the probe logs under (scripts/install-deps generates it).
probe_locale=de_DE.UTF-8

fail() {
    echo "FAIL after $((SECONDS - start)) s: $*"
    echo "windows: $(dialogs | tr '\n' ';')"
    echo "KLog says: $(tail -5 "$work/klog.out" 2>/dev/null)"
    exit 1
}
# Polls a condition every 0.1 s until a deadline (30 s unless given: KLog is slow to start on
# a loaded machine); stops early when KLog has ended.
waitfor() {
    local deadline=$((SECONDS + ${2:-30}))
    while [ "$SECONDS" -lt "$deadline" ]; do
        eval "$1" && return 0
        still_running
        sleep 0.1
    done
    return 1
}
still_running() {
    if [ -n "$klog_pid" ] && ! kill -0 "$klog_pid" 2>/dev/null; then
        wait "$klog_pid"
        fail "KLog ended by itself with status $?"
    fi
}
# xdotool, never left hanging on a window that does not take the focus.
x() { timeout 10 xdotool "$@"; }
# KLog's visible top-level windows other than its splash screen, as "id title" lines.
windows() {
    local w
    for w in $(x search --onlyvisible --class klog 2>/dev/null); do
        timeout 10 xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q SPLASH && continue
        echo "$w $(x getwindowname "$w" 2>/dev/null)"
    done
}
main_window() { windows | awk '/ - Logbook of /{print $1; exit}'; }
dialogs() { windows | grep -v ' - Logbook of '; }
# Answers every question KLog asks with its default button, except an offer to download
# the entity list, which there is no network for. Returns once the main window has stood
# alone for a second.
answer_dialogs() {
    local quiet=0 id title deadline=$((SECONDS + 30))
    while [ "$SECONDS" -lt "$deadline" ]; do
        still_running
        id=""
        read -r id title < <(dialogs | head -1)
        if [ -n "$id" ]; then
            quiet=0
            echo "KLog asked: $title ($((SECONDS - start)) s)"
            x windowfocus --sync "$id" 2>/dev/null || continue
            case "$title" in
                *"CTY.dat update"*) x key Escape ;;
                *) x key Return ;;
            esac
            waitfor "! windows | grep -q '^$id '" || return 1
        elif [ -n "$(main_window)" ]; then
            quiet=$((quiet + 1))
            [ "$quiet" -ge 10 ] && return 0
        fi
        sleep 0.1
    done
    return 1
}
# Picks an item of the File menu by its underlined letter and waits for the dialog it opens
# (the title matching a pattern). The menu is keyboard-driven: a key sent before the menu
# was up is lost, so it is tried again.
file_menu() {
    local _
    for _ in 1 2 3; do
        x windowfocus --sync "$(main_window)" key alt+f
        x key "$1"
        waitfor "dialogs | grep -q '$2'" && return 0
        x key Escape
    done
    return 1
}
sql() { sqlite3 -readonly -cmd '.timeout 5000' "$db" "$1"; }
# KLog's record of a call: call, start, end, mode, submode, band, frequency, locator,
# station callsign, my locator, RST sent and received, and any further columns asked for.
row() {
    sql "SELECT l.call, l.qso_date, l.qso_date_off, m.name, m.submode, b.name, l.freq,
                upper(l.gridsquare), l.station_callsign, l.my_gridsquare, l.rst_sent,
                l.rst_rcvd ${2:+, $2}
         FROM log l JOIN mode m ON m.id = l.modeid JOIN band b ON b.id = l.bandid
         WHERE l.call = '$1'" 2>/dev/null
}
# expect_row CALL EXPECTED [FURTHER COLUMNS]
expect_row() {
    local got
    got="$(row "$1" "${3:-}")"
    [ "$got" = "$2" ] || fail "KLog's database holds for $1:
  $got
expected
  $2"
}

locale -a | grep -qix "${probe_locale%%.*}.utf-\?8" ||
    fail "the locale $probe_locale is missing: run scripts/install-deps"
logged() { LC_ALL="$probe_locale" LANG="$probe_locale" "$probe" "$@"; }

# A UDP port nobody uses, for KLog to listen on.
port="$(python3 -c 'import socket; s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
# Settings as KLog writes them, so that it starts without its set-up wizard, and a small
# entity list, so that it does not go looking for one.
mkdir -p "$HOME/.klog"
cat >"$HOME/.klog/klogrc" <<EOF
Version=2.3;
Callsign=JE2TUV;
StationLocator=PM85KE;
UDPServer=True;
UDPServerPort=$port;
LogFromWSJTX=True;
LogAutoFromWSJTX=True;
CheckNewVersions=False;
EOF
cat >"$HOME/.klog/cty.csv" <<'EOF'
JA,Japan,339,AS,25,45,36.40,-138.38,-9.0,JA JE JF JG JH JI JJ JK JL JM JN JO JP JQ JR JS 7J 7K 7L 7M 7N;
EOF

# A virtual X server of its own, on a display it picks itself (free of the race between
# several xvfb-run -a looking for a free number at once).
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.out" &
xvfb_pid=$!
waitfor '[ -s "$work/display" ]' 10 || fail "Xvfb did not start: $(cat "$work/xvfb.out")"
DISPLAY=":$(cat "$work/display")"
export DISPLAY

klog >"$work/klog.out" 2>&1 &
klog_pid=$!
waitfor '[ -n "$(main_window)" ] || [ -n "$(dialogs)" ]' || fail "KLog did not open a window"
answer_dialogs || fail "KLog did not settle on its main window"
listening=":$(printf '%04X' "$port") "
waitfor 'cat /proc/net/udp /proc/net/udp6 2>/dev/null | grep -q "$listening"' || fail "KLog does not listen on $port"
echo "ok: KLog up and listening on UDP $port after $((SECONDS - start)) s"

# Through UDP: KLog logs the "QSO Logged" message by itself. That message has ADIF's mode
# and no submode, which KLog records as the mode's own name.
logged "$work/udp.adi" JH3ABC 439.41 "$port" || fail "the probe could not log over UDP"
waitfor '[ -n "$(row JH3ABC)" ]' || fail "the contact sent over UDP never reached KLog's log"
expect_row JH3ABC \
    "JH3ABC|2024-05-17 09:30:15|2024-05-17 09:31:42|DIGITALVOICE|DIGITALVOICE|70CM|439.41|PM95UQ|JE2TUV|PM85KE|57|55"
echo "ok: over UDP KLog logged $(row JH3ABC)"

# Through the file: File > Import from ADIF, the path typed into the file dialog.
logged "$work/tamsel.adi" JA1XYZ 145.375 || fail "the probe could not write the ADIF file"
answer_dialogs || fail "KLog did not settle before the import"
file_menu i " Open File$" || fail "File > Import from ADIF did not open a file dialog"
x windowfocus --sync "$(dialogs | awk '/ Open File$/{print $1}')"
x type --delay 5 "$work/tamsel.adi"
x key Return
# The import's progress window offers to stop it on Return: nothing is answered until the
# contact is in.
waitfor '[ -n "$(row JA1XYZ)" ]' || fail "the imported file's contact never reached KLog's log"
expect_row JA1XYZ \
    "JA1XYZ|2024-05-17 09:30:15|2024-05-17 09:31:42|DIGITALVOICE|DSTAR|2M|145.375|PM95UQ|JE2TUV|PM85KE|57|55|RPT" \
    l.prop_mode
echo "ok: from the ADIF file KLog imported $(row JA1XYZ l.prop_mode)"
answer_dialogs || fail "KLog did not settle after the import"

# File > Exit, and Yes to "Do you really want to exit KLog?".
file_menu x "KLog - Exit$" || fail "File > Exit asked nothing"
x windowfocus --sync "$(dialogs | awk '/KLog - Exit/{print $1}')" key y
pid=$klog_pid
klog_pid=""
waitfor '! kill -0 $pid 2>/dev/null' || fail "KLog did not quit"
wait "$pid" || fail "KLog quit with status $?"
echo "klog: all passed in $((SECONDS - start)) s"
