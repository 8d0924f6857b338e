#!/bin/sh
# Hiding the face from its menu, bringing it back from the tray icon, and
# leaving through the tray menu's "退出".
set -u
. "$(dirname "$0")/e2e_lib.sh"

start_app
face=$(face_id)
poll "viewable $face" 50 || fail "face not shown"

# Wine's own notification area (no window manager here): icons in slots from
# its client's left edge; the first slot's centre is 13 px in and 13 px up.
# The area appears with the first icon, which comes after the face's first paint.
tray_area() {
    LC_ALL=C xwininfo -root -tree | grep '"Wine System Tray"' |
        sed -E 's/.* ([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+) .*/\1 \2 \3 \4/'
}
poll '[ -n "$(tray_area)" ]' 100 || fail "no notification area"
tray=$(tray_area)
set -- $tray
icon_x=$(($3 + 13)); icon_y=$(($4 + $2 - 13))
icon_is_red() {
    import -window root -crop 6x6+$((icon_x - 3))+$((icon_y - 3)) -depth 8 txt:- 2>/dev/null |
        grep -q -E ': \((1[5-9][0-9]|2[0-9][0-9]),([0-9]|[1-9][0-9]),([0-9]|[1-9][0-9])\)'
}
poll icon_is_red 50 || fail "no tray icon"

# Face menu, first item "隐藏钟面": the face goes.
choose_from_menu 937 40 10
poll "! viewable $face" 50 || fail "the face did not hide"
import -window root "$shots/face-hidden.png"

# A left click on the tray icon brings it back.
click $icon_x $icon_y 1
poll "viewable $face" 50 || fail "the tray icon did not bring the face back"
app_windows | grep -q " 162x162+857+0$" || fail "face came back elsewhere: $(app_windows)"

# Tray menu: its last item is "退出", which closes every window.
choose_from_menu $icon_x $icon_y last "$shots/tray-menu.png"
expect_exit_0
poll '! icon_is_red' 50 || fail "the tray icon is still there"
import -window root "$shots/tray-after-exit.png"
echo "PASS"
