#!/bin/sh
# An alarm from end to end with the real clock: set it a few seconds ahead
# from the face menu, hide the window, see the alert at that second, press
# Enter on its "我知道了" and see the alarm window again.
set -u
. "$(dirname "$0")/e2e_lib.sh"


start_app

# Face menu, third line: "显示闹钟设置" (after "隐藏钟面" and a separator).
choose_from_menu 937 40 39
poll 'window_of_size 230x299' 50 || fail "the alarm window did not open"
alarm=$(window_of_size 230x299)

# A time 12 s ahead; the boxes move the focus on by themselves.
at=$(( $(date +%s) + 12 ))
hh=$(date -d "@$at" +%H); mm=$(date -d "@$at" +%M); ss=$(date -d "@$at" +%S)
poll "window_painted $alarm" 50 || fail "the alarm window was not painted"
xdotool type --delay 120 "$hh$mm$ss"
xdotool type --delay 120 "meeting"
xdotool key Return
import -window root "$shots/alarm-set.png"

# Hide (the third picture button) closes the window; the alarm stays armed.
set -- $(origin "$alarm")
click $(($1 + 152 + 34)) $(($2 + 256 + 14)) 1
poll '! window_of_size 230x299' 50 || fail "Hide did not close the alarm window"

# The alert comes at the alarm's second.
poll 'window_of_size 262x165' 250 || fail "no alert by $hh:$mm:$ss"
rang=$(date +%s)
[ "$rang" -le $((at + 3)) ] || fail "the alert came $((rang - at)) s late"
alert=$(window_of_size 262x165)
poll "window_painted $alert" 50 || fail "the alert was not painted"
import -window root "$shots/alert.png"

# Enter presses the focused "我知道了": the alert goes and the alarm window
# shows the rung alarm. Nothing is clicked first, so the key reaches the
# alert only if it took the focus by itself.
xdotool key Return
poll '! window_of_size 262x165' 50 || fail "Enter did not close the alert"
poll 'window_of_size 230x299' 50 || fail "the alarm window did not come back"
poll 'window_painted $(window_of_size 230x299)' 50 || fail "the alarm window came back unpainted"
import -window root "$shots/alarm-after.png"

# Leave through the face menu's "退出".
choose_from_menu 937 40 last
expect_exit_0
echo "PASS"
