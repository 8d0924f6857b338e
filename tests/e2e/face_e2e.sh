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

# Right-click the face (away from the weekday): the face menu opens.
window_ids > "$shots/before-ids"
click 937 40 3
set -- $(open_menu_geometry "$shots/before-ids") || fail "no menu after a right click"
[ "$#" -eq 4 ] || fail "no menu after a right click"
import -window root "$shots/face-menu.png"
[ "$4" -gt 100 ] || fail "menu too small: $*"

# The last item is "退出": the program ends at once, with exit code 0.
click $(($1 + $3 / 2)) $(($2 + $4 - 10)) 1
expect_exit_0
echo "PASS"
