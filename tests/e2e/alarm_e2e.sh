#!/bin/sh
# An alarm from end to end with the real clock: set it a few seconds ahead from the face menu, hide the
# window, see the alert at that second, press Enter on its "我知道了" and see the alarm window again.
. "$(dirname "$0")/e2e_lib.sh"

start_app

# Face menu, third line: "显示闹钟设置" (after "隐藏钟面" and a separator).
choose_from_menu 937 40 39
await_window 230x299 "the alarm window"

# A time 12 s ahead; the boxes move the focus on by themselves.
at=$(( $(date +%s) + 12 ))
xdotool type --delay 120 "$(date -d "@$at" +%H%M%S)meeting"
xdotool key Return
shot alarm-set

# Hide (the third picture button) closes the window; the alarm stays armed.
set -- $(xywh "$(geometry "$win")")
click $(($1 + 152 + 34)) $(($2 + 256 + 14)) 1
poll '! window_of_size 230x299' 50 || fail "Hide did not close the alarm window"

# The alert comes at the alarm's second.
poll 'window_of_size 262x165' 250 || fail "no alert by $(date -d "@$at" +%T)"
[ "$(date +%s)" -le $((at + 3)) ] || fail "the alert came $(($(date +%s) - at)) s late"
await_window 262x165 "the alert"
shot alert

# Enter presses the focused "我知道了": the alert goes and the alarm window shows the rung alarm.
# Nothing is clicked first, so the key reaches the alert only if it took the focus by itself;
# keys in its first second are held back, as typing meant for another window.
sleep 1.2
xdotool key Return
poll '! window_of_size 262x165' 50 || fail "Enter did not close the alert"
await_window 230x299 "the alarm window, once more,"
shot alarm-after
leave 937 40
echo "PASS"
