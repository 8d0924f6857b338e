#!/bin/sh
# The face from outside: its place, one copy only, and leaving through the face menu's "退出".
. "$(dirname "$0")/e2e_lib.sh"

# The elevated step with a reading no clock can match, or malformed: it sets and shows nothing, code 2.
for request in "2026-12-07 10:30:00.000 999999999999999999" "2026-13-07 10:30:00.000 1"; do
    wine "$build/qorvane.exe" /setclock $request &
    wait_exit $! 2 "the set-clock step $request"
    app_windows | grep -q . && fail "the set-clock step $request showed a window"
done

# A copy with administrator rights holds a lock this start may not open: it counts as running, no face.
state="$shots/holder-state"; release="$shots/holder-release"
rm -f "$state" "$release"
wine "$build/rights_holder.exe" "$(winepath -w "$state")" "$(winepath -w "$release")" &
holder=$!
poll "grep -q ready '$state'" 150 || fail "the lock holder did not start"
wine "$build/qorvane.exe" &
wait_exit $! 0 "a start beside an administrator's copy"
app_windows | grep -q ' 162x162+' && fail "a face came up beside an administrator's copy"
# The holder lets go of the lock itself: the next start must find it gone.
touch "$release"
poll "grep -q released '$state'" 150 || fail "the lock holder did not let go"
wait_exit $holder 0 "the lock holder"

start_app
shot face

# A second copy must not add a second face; it leaves at once.
wine "$build/qorvane.exe" &
wait_exit $! 0 "the second copy"
[ "$(app_windows | grep -c ' 162x162+')" -eq 1 ] || fail "two faces after a second start"

# Right-click the face (away from the weekday): the face menu's last line ends the program at once.
leave 937 40 face-menu
echo "PASS"
