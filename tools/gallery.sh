#!/bin/sh
# Screenshots of every window, for looking at:
#   tools/gallery.sh BUILD_DIR OUT_DIR [DPI] [contrast]
# At another DPI than 96, or with "contrast" (a high-contrast black colour
# scheme), a copy of the build's prefix is used.
set -eu
build="$(cd "$1" && pwd)"; out="$2"; dpi="${3:-96}"; scheme="${4:-}"
. "$(dirname "$0")/winelib.sh"
prefix="$build/wineprefix"
if [ "$dpi" != 96 ] || [ -n "$scheme" ]; then
    prefix="$build/wineprefix-$dpi${scheme:+-$scheme}"
    [ -d "$prefix" ] || cp -a "$build/wineprefix" "$prefix"
fi
qv_wine_env "$prefix"
trap qv_cleanup EXIT
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
if [ "$scheme" = contrast ]; then
    while read -r name rgb; do
        wine reg add 'HKCU\Control Panel\Colors' /v "$name" /t REG_SZ /d "$rgb" /f >/dev/null 2>&1
    done <<'COLOURS'
Window 0 0 0
WindowText 255 255 255
ButtonFace 0 0 0
ButtonText 255 255 255
ButtonHilight 255 255 255
ButtonShadow 128 128 128
GrayText 0 255 0
Hilight 0 128 255
HilightText 255 255 255
Menu 0 0 0
MenuText 255 255 255
Scrollbar 0 0 0
InfoWindow 0 0 0
InfoText 255 255 255
COLOURS
fi
wineserver -w
qv_start_xvfb
mkdir -p "$out"
signals="$out/.signals"
rm -rf "$signals"; mkdir -p "$signals"
QV_GALLERY_DIR="$(winepath -w "$signals")" \
    wine "$build/window_tests.exe" --gtest_also_run_disabled_tests --gtest_filter='*DISABLED_Gallery' >/dev/null 2>&1 &
tests=$!
# Each window waits for its shot: N.ready from the program, N.done from here.
n=0
for name in alarm alarm-repeat wake-balloon alert settings about; do
    n=$((n + 1)); i=0
    while [ ! -e "$signals/$n.ready" ] && kill -0 "$tests" 2>/dev/null && [ $i -lt 600 ]; do
        sleep 0.1; i=$((i + 1))
    done
    import -window root "$out/$name.png"
    : >"$signals/$n.done"
done
wait "$tests"   # not the display, which is a child of this shell too
rm -rf "$signals"
echo "gallery at $dpi DPI: $out"
