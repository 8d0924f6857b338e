#!/bin/sh
# The face from outside: its place, one copy only, and leaving through the
# face menu's "退出".
set -u
. "$(dirname "$0")/e2e_lib.sh"

start_app
sleep 1
import -window root "$shots/face.png"

# A second copy must not add a second face; it leaves at once.
wine "$build/qorvane.exe" &
second=$!
poll "! kill -0 $second" 150 || fail "the second copy did not exit"
[ "$(app_windows | grep -c ' 162x162+')" -eq 1 ] || fail "two faces after a second start"

# Right-click the face (away from the weekday): the face menu opens. Its
# last item is "退出": the program ends at once, with exit code 0.
choose_from_menu 937 40 last "$shots/face-menu.png"
expect_exit_0
echo "PASS"
