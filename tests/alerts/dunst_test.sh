#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Alerts against a real notification daemon: dunst on a private session bus under a virtual
# X server. One notification per station, replaced when the reception ends; its text as the
# daemon shows it; Reply reaches the program. Then the same bus without any notification
# service: the alert falls back and nothing blocks.
#   dunst_test.sh PROBE
set -uo pipefail
probe="$1"
if [ -z "${TAMSEL_ALERTS_INNER:-}" ]; then
    # A bus of its own that starts no service by itself: the test decides when one is there.
    export TAMSEL_ALERTS_INNER="$(mktemp)"
    trap 'rm -f "$TAMSEL_ALERTS_INNER"' EXIT
    cat >"$TAMSEL_ALERTS_INNER" <<'XML'
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
XML
    "$(dirname "$0")/../with-xvfb" dbus-run-session --config-file="$TAMSEL_ALERTS_INNER" -- "$0" "$@"
    exit
fi

work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
fail() { echo "FAIL: $*"; exit 1; }
# Waits up to 10 s for a condition.
waitfor() {
    for _ in $(seq 100); do eval "$1" && return 0; sleep 0.1; done
    return 1
}

# What the console asks of the notification service, as the bus carries it.
dbus-monitor "interface='org.freedesktop.Notifications'" >"$work/bus.log" 2>&1 &
waitfor 'grep -q NameLost "$work/bus.log"' || fail "dbus-monitor did not start"
asked() { grep -c 'member=GetCapabilities' "$work/bus.log"; }

# No service on the bus: the probe falls back (no tray under a bare X server: attention).
"$probe" --no-reply >"$work/none.out" 2>&1 &
none_pid=$!
waitfor 'grep -q "^delivered JA1XYZ 3$" "$work/none.out"' \
    || fail "no fall-back: $(cat "$work/none.out")"
echo "ok: without a notification service the window asks for attention"

# Urgency shows in the daemon's history as the time-out its urgency gave.
cat >"$work/dunstrc" <<'INI'
[global]
    markup = full
[urgency_low]
    timeout = 5
[urgency_normal]
    timeout = 7
[urgency_critical]
    timeout = 0
INI
before="$(asked)"
dunst -config "$work/dunstrc" >"$work/dunst.log" 2>&1 &
waitfor 'dunstctl count displayed >/dev/null 2>&1' || fail "dunst did not start"
waitfor '[ "$(asked)" -gt "$before" ]' \
    || fail "the service that came later was not asked what it reads"
echo "ok: a notification service that comes later is asked what it reads"
kill "$none_pid"
wait "$none_pid"

"$probe" >"$work/probe.out" 2>&1 &
probe_pid=$!
waitfor '[ "$(grep -c "^delivered JA1XYZ 1$" "$work/probe.out")" = 2 ]' \
    || fail "not delivered twice by notification: $(cat "$work/probe.out")"
waitfor '[ "$(dunstctl count displayed)" = 1 ]' || fail "not shown"
[ "$(dunstctl count waiting)" = 0 ] || fail "the second notice stacked instead of replacing"
echo "ok: one notification, replaced"

# Also the first notice, sent before dunst had said that it reads markup.
[ "$(grep -c '&lt;b&gt;QRV&lt;/b&gt; &amp; 73' "$work/bus.log")" -ge 2 ] \
    && ! grep -q '<b>QRV' "$work/bus.log" \
    || fail "a body went out unescaped: $(grep -A1 'string "via' "$work/bus.log")"
echo "ok: every body reached the daemon escaped"

dunstctl action 0 || fail "dunstctl action"
wait "$probe_pid"
grep -q '^reply JA1XYZ$' "$work/probe.out" || fail "Reply did not reach the program: $(cat "$work/probe.out")"
echo "ok: Reply reached the program"

dunstctl close-all
waitfor '[ "$(dunstctl count history)" -ge 1 ]' || fail "nothing in the history"
history="$(dunstctl history)"
python3 - "$history" <<'PY' || fail "history: $history"
import json, sys
shown = json.loads(sys.argv[1])["data"][0]
ours = [n for n in shown if n["appname"]["data"] == "Tamsel Console"]
assert len(ours) == 1, f"{len(ours)} notifications, one expected"
n = ours[0]
assert n["summary"]["data"] == "JA1XYZ is calling you", n["summary"]
body = n["body"]["data"]
# dunst reads markup: a message's own "<b>" and "&" reach it escaped, shown as typed.
assert body == "via gateway JR1YB\n&lt;b&gt;QRV&lt;/b&gt; &amp; 73", body
# dunst keeps the time-out its urgency gave (microseconds): normal's 7 s, critical's none.
assert n["timeout"]["data"] == 7000000, ("a call is no emergency", n["timeout"])
assert n["default_action_name"]["data"] == "default", n["default_action_name"]
print("ok: daemon showed", repr(n["summary"]["data"]), repr(body), "at normal urgency")
PY
# The whole console: a call to My Call is on screen within half a second of its header, and
# Reply sets the route back by the change rule.
dunstctl close-all
"$probe" --console >"$work/console.out" 2>&1 &
console_pid=$!
waitfor 'grep -q "^delivered JA1XYZ 1 after" "$work/console.out"' \
    || fail "the console's alert did not arrive: $(cat "$work/console.out")"
ms="$(sed -n 's/^delivered JA1XYZ 1 after \([0-9]*\) ms$/\1/p' "$work/console.out" | head -1)"
[ "$ms" -le 500 ] || fail "the notification came $ms ms after the header"
echo "ok: the console's notification was shown $ms ms after the header"
waitfor '[ "$(dunstctl count displayed)" -ge 1 ]' || fail "not shown"
dunstctl action 0 || fail "dunstctl action"
wait "$console_pid"
grep -q '^sent SetYourCall "JA1XYZ  "$' "$work/console.out" \
    || fail "Reply sent no route: $(cat "$work/console.out")"
[ "$(grep -c '^sent ' "$work/console.out")" = 1 ] \
    || fail "Reply sent more than the changed field: $(cat "$work/console.out")"
echo "ok: Reply on the console's notification sent SetYourCall \"JA1XYZ  \" alone"

# The urgency of each notice as the bus carried it: summary -> urgency byte of every Notify.
urgencies() {
    python3 - "$work/bus.log" <<'PY'
import re, sys
# One message from each line that starts one: a body's own lines may start anywhere.
calls = re.split(r"\n(?=(?:method call|method return|signal|error) )", open(sys.argv[1]).read())
for c in calls:
    if "member=Notify" not in c or "method call" not in c:
        continue
    # The application's name, the icon, the summary (the body may run over lines).
    strings = re.findall(r'^\s+string "(.*)"$', c, re.M)
    urgency = re.search(r'string "urgency"\s+variant\s+byte (\d+)', c)
    print(strings[2], urgency.group(1) if urgency else "none")
PY
}
sent="$(urgencies)"
grep -q '^JA1XYZ is calling you 1$' <<<"$sent" && ! grep -q '^JA1XYZ is calling you [^1]' <<<"$sent" \
    || fail "a call went out at another urgency than normal: $sent"
echo "ok: a call to me is sent at normal urgency"

# Three notices, one with the EMR flag; then the program ends and takes its notices along.
closes_before="$(grep -c 'member=CloseNotification' "$work/bus.log")"
"$probe" --exit >"$work/exit.out" 2>&1 || fail "the probe failed: $(cat "$work/exit.out")"
[ "$(grep -c '^delivered .* 1$' "$work/exit.out")" = 3 ] \
    || fail "not all delivered by notification: $(cat "$work/exit.out")"
[ "$(grep -c 'member=CloseNotification' "$work/bus.log")" -ge $((closes_before + 3)) ] \
    || fail "the program ended without closing its notifications"
waitfor '[ "$(dunstctl count displayed)" = 0 ] && [ "$(dunstctl count waiting)" = 0 ]' \
    || fail "notifications outlived the program: $(dunstctl count displayed) shown"
echo "ok: the program's notifications were closed when it ended"
sent="$(urgencies)"
for u in "JA2ABC heard 1" "JA3EMR heard 2"; do
    grep -qx "$u" <<<"$sent" || fail "expected \"$u\": $sent"
done
history="$(dunstctl history)"
python3 - "$history" <<'PY' || fail "history: $history"
import json, sys
shown = {n["summary"]["data"]: n["timeout"]["data"] for n in json.loads(sys.argv[1])["data"][0]
         if n["appname"]["data"] == "Tamsel Console"}
for summary, timeout in [("JA2ABC heard", 7000000), ("JA3EMR heard", 0)]:
    assert shown.get(summary) == timeout, (summary, shown)
print("ok: the daemon held a watched station at normal urgency and an EMR reception critical")
PY

# The console closes a station's notification when the operator calls that station.
"$probe" --answer >"$work/answer.out" 2>&1 &
answer_pid=$!
waitfor 'grep -q "^closed " "$work/answer.out"' \
    || fail "the notification was not closed: $(cat "$work/answer.out")"
wait "$answer_pid"
grep -q '^delivered JA1XYZ 1$' "$work/answer.out" || fail "not shown: $(cat "$work/answer.out")"
grep -q '^closed 3$' "$work/answer.out" \
    || fail "not closed by the console: $(cat "$work/answer.out")"
echo "ok: calling the station closed its notification while the console ran"

echo "dunst: all passed"
