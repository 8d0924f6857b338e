#!/bin/sh
# End to end: the real program under Wine on a private Xvfb, driven from
# outside like a user would: find the face, right-click it, leave by "退出".
set -u
build="$1"; prefix="$2"
. "$(dirname "$0")/../../tools/winelib.sh"
qv_wine_env "$prefix"

APP_PID=""
finish() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
    qv_cleanup
}
trap finish EXIT
trap 'exit 130' INT TERM
fail() { echo "FAIL: $*" >&2; exit 1; }

qv_start_xvfb || fail "no Xvfb"
shots="${QV_SHOTS:-$build/e2e-shots}"
mkdir -p "$shots"

# Lines "id geometry" of the program's top-level windows.
app_windows() {
    LC_ALL=C xwininfo -root -tree 2>/dev/null | grep '"qorvane.exe"' |
        sed -E 's/^ *(0x[0-9a-f]+) .*\) +([0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+) .*/\1 \2/'
}
# Waits up to $2 tenths of a second for command $1 to succeed.
poll() {
    n=0
    while ! eval "$1" >/dev/null 2>&1; do
        n=$((n + 1)); [ $n -ge "$2" ] && return 1; sleep 0.1
    done
}

wine "$build/qorvane.exe" &
APP_PID=$!
poll 'app_windows | grep -q " 162x162+"' 300 || fail "no face window appeared"
# The window exists before the start-up sequence has placed it: give it time.
poll 'app_windows | grep -q " 162x162+857+0$"' 100 ||
    fail "face not at 857,0 with 162x162: $(app_windows)"
echo "face: $(app_windows | grep ' 162x162+')"
sleep 1
import -window root "$shots/face.png"

# A second copy must not add a second face; it leaves at once.
wine "$build/qorvane.exe" &
second=$!
n=0
while kill -0 $second 2>/dev/null; do
    n=$((n + 1)); [ $n -ge 150 ] && fail "the second copy did not exit"; sleep 0.1
done
[ "$(app_windows | grep -c ' 162x162+')" -eq 1 ] || fail "two faces after a second start"

# Right-click the face (away from the weekday) and the face menu opens.
before=$(app_windows | wc -l)
xdotool mousemove 937 40 sleep 0.3 click 3
poll '[ "$(app_windows | wc -l)" -gt "$before" ]' 50 || fail "no menu after a right click"
sleep 0.5
import -window root "$shots/face-menu.png"
menu=$(app_windows | grep -v ' 162x162+' | grep -v ' 1x1+' | tail -n 1)
echo "menu: $menu"
geom=${menu#* }
w=${geom%%x*}; rest=${geom#*x}; h=${rest%%+*}; rest=${rest#*+}; x=${rest%%+*}; y=${rest#*+}
[ "$h" -gt 100 ] || fail "menu too small: $geom"

# The last item is "退出": the program ends at once, with exit code 0.
xdotool mousemove $((x + w / 2)) $((y + h - 10)) sleep 0.4 click 1
n=0
while kill -0 $APP_PID 2>/dev/null; do
    n=$((n + 1)); [ $n -ge 150 ] && fail "the program did not end"; sleep 0.1
done
wait $APP_PID; rc=$?
APP_PID=""
[ "$rc" -eq 0 ] || fail "exit code $rc"
poll '! app_windows | grep -q .' 50 || fail "windows left behind"
echo "PASS"
