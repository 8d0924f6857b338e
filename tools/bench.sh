#!/bin/sh
# Prints the figures of the face: in-process (face_bench.exe) and from
# outside (the real program's launch until its face is on screen).
set -u
build="$(cd "$1" && pwd)"
cmake --build "$build" --target face_bench qorvane >/dev/null || exit 1
here="$(dirname "$0")"
. "$here/winelib.sh"

echo "== in process (face_bench.exe under Wine) =="
"$here/wine-run.sh" "$build/wineprefix" "$build/face_bench.exe" || exit 1

echo "== the real program =="
qv_wine_env "$build/wineprefix"
APP_PID=""
trap '[ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null; qv_cleanup' EXIT
qv_start_xvfb || exit 1
wineboot >/dev/null 2>&1   # start the prefix's services first, so they are not timed
start=$(date +%s%N)
wine "$build/qorvane.exe" &
APP_PID=$!
n=0
while ! LC_ALL=C xwininfo -root -tree 2>/dev/null | grep '"qorvane.exe"' | grep -q ' 162x162+857+0'; do
    n=$((n + 1))
    [ $n -lt 1500 ] || { echo "the face did not appear" >&2; exit 1; }
    sleep 0.02
done
end=$(date +%s%N)
echo "launch (wine qorvane.exe) to face in place:  $(( (end - start) / 1000000 )) ms"
sleep 2
pid=$(pgrep -f 'qorvane.exe' | head -n1)
[ -n "$pid" ] && echo "resident memory of the Wine process:         $(awk '/VmRSS/ {print $2, $3}' /proc/$pid/status)"
echo "size of qorvane.exe:                         $(stat -c %s "$build/qorvane.exe") bytes"
