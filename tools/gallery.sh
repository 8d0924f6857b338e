#!/bin/sh
# Screenshots of every window, for looking at: tools/gallery.sh BUILD_DIR OUT_DIR [DPI]
# At another DPI than 96 a scaled copy of the build's prefix is used.
set -eu
build="$(cd "$1" && pwd)"; out="$2"; dpi="${3:-96}"
. "$(dirname "$0")/winelib.sh"
prefix="$build/wineprefix"
if [ "$dpi" != 96 ]; then
    prefix="$build/wineprefix-$dpi"
    [ -d "$prefix" ] || cp -a "$build/wineprefix" "$prefix"
fi
qv_wine_env "$prefix"
trap qv_cleanup EXIT
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wineserver -w
qv_start_xvfb
mkdir -p "$out"
wine "$build/window_tests.exe" --gtest_also_run_disabled_tests --gtest_filter='*DISABLED_Gallery' >/dev/null 2>&1 &
tests=$!
sleep 2.5; import -window root "$out/alarm.png"
sleep 2.5; import -window root "$out/alert.png"
sleep 2.5; import -window root "$out/settings.png"
sleep 2.5; import -window root "$out/about.png"
wait "$tests"   # not the display, which is a child of this shell too
echo "gallery at $dpi DPI: $out"
