#!/bin/sh
# Runs the clock: on $DISPLAY when there is one, otherwise on a private Xvfb
# with a screenshot of the screen every few seconds. Ctrl+C stops everything.
set -u
build="$(cd "$1" && pwd)"
. "$(dirname "$0")/winelib.sh"
qv_wine_env "$build/wineprefix"

APP_PID=""
stop() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
    qv_cleanup
}
trap stop EXIT
trap 'exit 130' INT TERM

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    echo "Running on $DISPLAY; leave with 退出 in the clock's menus, or Ctrl+C."
    wine "$build/qorvane.exe" &
    APP_PID=$!
    wait "$APP_PID"
    APP_PID=""
    exit 0
fi

qv_start_xvfb || exit 1
shot="$build/run-screen.png"
echo "No display: running on a private Xvfb ($DISPLAY)."
echo "Screenshot every 5 s: $shot   (Ctrl+C to stop)"
wine "$build/qorvane.exe" &
APP_PID=$!
while kill -0 "$APP_PID" 2>/dev/null; do
    sleep 5
    import -window root "$shot.tmp.png" 2>/dev/null && mv "$shot.tmp.png" "$shot"
done
APP_PID=""
echo "The clock has ended."
