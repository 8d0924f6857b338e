#!/bin/sh
# The face when the resolution changes: in a Wine desktop of its own (plain
# Xvfb offers no other mode), a face in the corner of 1920x1080 is off the
# screen once it shrinks to 1024x768, and must come back to the new corner;
# growing again leaves it where it is.
set -u
QV_SCREEN=1920x1080x24
. "$(dirname "$0")/e2e_lib.sh"

desktop="qorvane-screens,1920x1080"
# in_desktop PROGRAM ARGS...: runs a program inside that desktop.
in_desktop() { wine explorer /desktop="$desktop" "$@"; }

in_desktop "$build/qorvane.exe" &
APP_PID=$!
poll 'app_windows | grep -q " 162x162+1753+0$"' 300 || fail "no face at 1753,0: $(app_windows)"
poll 'painted 162x162+1753+0' 50 || fail "the face was not painted"

# mode W H X Y: sets W x H and expects the face settled at X,Y inside.
mode() {
    out=$(in_desktop "$build/screen_mode.exe" "$1" "$2" | tr -d '\r')
    echo "$out" | grep -qx "change 0" || fail "the mode $1x$2 was refused: $out"
    echo "$out" | grep -qx "screen $1x$2" || fail "the screen is not $1x$2: $out"
    echo "$out" | grep -qx "face 162x162+$3+$4" || fail "after $1x$2 the face is not at $3,$4: $out"
    # The same from outside: the desktop's own window and the face in it.
    poll "LC_ALL=C xwininfo -root -tree | grep -q 'Wine desktop\".* $1x$2+0+0'" 50 ||
        fail "the desktop window is not $1x$2"
    poll "app_windows | grep -q ' 162x162+$3+$4\$'" 50 || fail "the face is not at $3,$4 on screen: $(app_windows)"
}

mode 1024 768 857 0
poll face_painted 50 || fail "the face came back unpainted"
import -window root "$shots/screens-1024x768.png"

# Back to the full size the face still is on the screen, and stays.
mode 1920 1080 857 0

choose_from_menu 937 40 last "$shots/screens-menu.png"
poll '! app_windows | grep -q " 162x162+"' 150 || fail "the face did not close"
echo "PASS"
