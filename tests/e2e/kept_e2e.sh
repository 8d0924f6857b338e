#!/bin/sh
# A confirmed alarm outlives the program: killed, it rings from the next start at its second, also when
# it was typed over a rung alarm whose alert was answered after it; at the session's end the program goes
# at once and leaves a one-time logon start that shows the missed alert.
. "$(dirname "$0")/e2e_lib.sh"

RUNONCE='HKCU\Software\Microsoft\Windows\CurrentVersion\RunOnce'
# With the start-up entry on, the session's end leaves no one-time start.
wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v myexe /f >/dev/null 2>&1

# An alert left up while a new alarm is typed over the rung one, from the keyboard alone; the old alert
# answered with a click on its button, then the program killed: the new alarm rings at its second.
start_app
arm 12
hide
await_alert
alert=$win
arm 25
shot retyped-over-rung
hide
set -- $(xywh "$(geometry "$alert")"); click $(($1 + 124)) $(($2 + 120)) 1
poll '! window_of_size 262x165' 50 || fail "a click on 我知道了 did not close the old alert"
[ "$(kept_at)" = "$(date -d "@$at" "+%F %T")" ] || fail "answering the old alert dropped the new alarm: '$(kept_at)'"
kill -9 "$APP_PID"; wait "$APP_PID" 2>/dev/null; APP_PID=""
poll '! app_windows | grep -q .' 50 || fail "the killed program's windows stayed"

# Killed outright: the next start arms the kept alarm again, silently, and it rings at its second.
start_app
await_alert
acknowledge "the alert after the restart"
leave 937 40
[ -z "$(kept_at)" ] || fail "the acknowledged alarm is still kept"

# The session's end, the alarm window open: the program ends by itself, leaving a one-time start.
start_app
arm 8
wineboot --end-session --force
wait_exit "$APP_PID" 0 "the program at the session's end"
poll '! app_windows | grep -q .' 50 || fail "windows left after the session's end"
cmd=$(reg_value "$RUNONCE" qorvane)
case "$cmd" in \"?*\") ;; *) fail "no quoted one-time start: '$cmd'" ;; esac
while [ "$(date +%s)" -lt $((at + 2)) ]; do sleep 0.2; done  # the logon comes after the alarm's second
# As Windows runs a per-user one-time start: the value goes, then its command runs.
wine reg delete "$RUNONCE" /v qorvane /f >/dev/null 2>&1
cmd=${cmd#\"}; wine "${cmd%\"}" & APP_PID=$!
await_window 262x165 "the missed alarm's alert"
shot missed-alert
acknowledge "the missed alarm's alert"
leave 937 40

# Every day, planted a few seconds ahead: it rings, answered it is kept for the same time tomorrow, and a
# start after a kill does not ring it again.
at=$(( $(date +%s) + 8 )); day=$(date -d "@$at" '+%F %T')
wine reg add 'HKCU\Software\qorvane' /v AlarmAt /d "$day" /f >/dev/null 2>&1
wine reg add 'HKCU\Software\qorvane' /v AlarmMsg /d "晨会" /f >/dev/null 2>&1
wine reg add 'HKCU\Software\qorvane' /v AlarmRepeat /t REG_DWORD /d 127 /f >/dev/null 2>&1
start_app
await_alert
acknowledge "the repeating alarm's alert"
tomorrow="$(date -d "$(date -d "@$at" +%F) +1 day" +%F) $(date -d "@$at" +%T)"
[ "$(kept_at)" = "$tomorrow" ] || fail "not kept for tomorrow: '$(kept_at)'"
kill -9 "$APP_PID"; wait "$APP_PID" 2>/dev/null; APP_PID=""
poll '! app_windows | grep -q .' 50 || fail "the killed program's windows stayed"
start_app
sleep 2; window_of_size 262x165 && fail "the answered ring came back after the restart"
leave 937 40
echo "PASS"
