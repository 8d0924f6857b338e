#!/bin/sh
# A confirmed alarm outlives the program: killed, it rings from the next start at its second; at the
# session's end the program goes at once and leaves a one-time logon start that shows the missed alert.
. "$(dirname "$0")/e2e_lib.sh"

RUNONCE='HKCU\Software\Microsoft\Windows\CurrentVersion\RunOnce'
reg_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_SZ *//p"; }
kept_at() { reg_value 'HKCU\Software\qorvane' AlarmAt; }
# With the start-up entry on, the session's end leaves no one-time start.
wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v myexe /f >/dev/null 2>&1

arm() {  # arm SECONDS: an alarm that far ahead, confirmed and kept; its moment in $at
    choose_from_menu 937 40 39
    await_window 230x299 "the alarm window"
    at=$(( $(date +%s) + $1 ))
    xdotool type --delay 120 "$(date -d "@$at" +%H%M%S)meeting"
    xdotool key Return
    poll '[ "$(kept_at)" = "$(date -d "@$at" "+%F %T")" ]' 50 || fail "the alarm was not kept: '$(kept_at)'"
}
acknowledge() {  # acknowledge WHAT: Enter on the alert (its keys wait a second) brings back the alarm window
    sleep 1.2; xdotool key Return
    poll '! window_of_size 262x165' 50 || fail "Enter did not close $1"
    await_window 230x299 "the alarm window after the alert"
}

# Killed outright: the next start arms the kept alarm again, silently, and it rings at its second.
start_app
arm 15
set -- $(xywh "$(geometry "$win")")
click $(($1 + 152 + 34)) $(($2 + 256 + 14)) 1  # Hide
poll '! window_of_size 230x299' 50 || fail "Hide did not close the alarm window"
exe=$(qv_prefix_processes | awk '/qorvane\.exe/ {print $1}')
[ "$exe" = "$APP_PID" ] || fail "the program runs as '$exe', not as $APP_PID"
kill -9 "$exe"; wait "$APP_PID" 2>/dev/null; APP_PID=""
poll '! app_windows | grep -q .' 50 || fail "the killed program's windows stayed"
start_app
poll 'window_of_size 262x165' 250 || fail "no alert by $(date -d "@$at" +%T)"
late=$(( $(date +%s) - at ))
[ $late -ge 0 ] && [ $late -le 3 ] || fail "the alert came $late s after its second"
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
echo "PASS"
