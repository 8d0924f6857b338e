#!/bin/sh
# The face when the resolution changes, in a Wine desktop of its own (plain Xvfb offers no other
# mode): a face in the corner of 1920x1080 is off the screen once it shrinks to 1024x768, and must
# come back to the new corner; growing again leaves it where it is.
QV_SCREEN=1920x1080x24
. "$(dirname "$0")/e2e_lib.sh"

desktop=/desktop=qorvane-screens,1920x1080
start_app 1753 explorer $desktop

# mode W H X Y: sets W x H; the face settles at X,Y, as the program sees it and on the screen.
mode() {
    out=$(wine explorer $desktop "$build/screen_mode.exe" "$1" "$2" | tr -d '\r')
    for line in "change 0" "screen $1x$2" "face 162x162+$3+$4"; do
        echo "$out" | grep -qx "$line" || fail "after the mode $1x$2, no \"$line\": $out"
    done
    poll "LC_ALL=C xwininfo -root -tree | grep -q 'Wine desktop\".* $1x$2+0+0'" 50 ||
        fail "the desktop window is not $1x$2"
    poll "app_windows | grep -q ' 162x162+$3+$4\$'" 50 || fail "the face is not at $3,$4 on screen: $(app_windows)"
}

mode 1024 768 857 0
poll "painted 162x162+857+0" 50 || fail "the face came back unpainted"
shot screens-1024x768
# Back to the full size the face still is on the screen, and stays.
mode 1920 1080 857 0

choose_from_menu 937 40 last screens-menu
poll '! app_windows | grep -q " 162x162+"' 150 || fail "the face did not close"
echo "PASS"
