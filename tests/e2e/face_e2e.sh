#!/bin/sh
# The face from outside: its place, one copy only, and leaving through the
# face menu's "退出".
set -u
. "$(dirname "$0")/e2e_lib.sh"

# The elevated step's command line, with a reading no clock can match: it
# sets nothing, shows nothing and leaves with code 2.
wine "$build/qorvane.exe" /setclock 2026-12-07 10:30:00.000 999999999999999999
rc=$?
[ "$rc" -eq 2 ] || fail "the set-clock step gave exit code $rc"
app_windows | grep -q . && fail "the set-clock step showed a window"

# A copy with administrator rights holds a lock this start may not open:
# it still counts as running, and no second face comes up.
state="$shots/holder-state"; release="$shots/holder-release"
rm -f "$state" "$release"
wine "$build/rights_holder.exe" "$(winepath -w "$state")" "$(winepath -w "$release")" &
holder=$!
poll "grep -q ready '$state'" 150 || fail "the lock holder did not start"
wine "$build/qorvane.exe" &
blocked=$!
poll "! kill -0 $blocked" 150 || fail "a start beside an administrator's copy did not leave"
wait "$blocked"; rc=$?
[ "$rc" -eq 0 ] || fail "a start beside an administrator's copy gave exit code $rc"
app_windows | grep -q ' 162x162+' && fail "a face came up beside an administrator's copy"
# The holder lets go of the lock itself: the next start must find it gone.
touch "$release"
poll "grep -q released '$state'" 150 || fail "the lock holder did not let go"
wait "$holder"; rc=$?
[ "$rc" -eq 0 ] || fail "the lock holder gave exit code $rc"

start_app
poll 'face_painted' 50 || fail "the face was not painted"
import -window root "$shots/face.png"

# A second copy must not add a second face; it leaves at once.
wine "$build/qorvane.exe" &
second=$!
poll "! kill -0 $second" 150 || fail "the second copy did not exit"
wait "$second"; rc=$?
[ "$rc" -eq 0 ] || fail "the second copy gave exit code $rc"
[ "$(app_windows | grep -c ' 162x162+')" -eq 1 ] || fail "two faces after a second start"

# Right-click the face (away from the weekday): the face menu opens. Its
# last item is "退出": the program ends at once, with exit code 0.
choose_from_menu 937 40 last "$shots/face-menu.png"
expect_exit_0
echo "PASS"
