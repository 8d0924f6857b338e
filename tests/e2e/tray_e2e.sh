#!/bin/sh
# Hiding the face from its menu, bringing it back from the tray icon, leaving through the tray menu's "退出".
. "$(dirname "$0")/e2e_lib.sh"

start_app
face=$(app_windows | grep ' 162x162+857+0$' | cut -d' ' -f1)

# Wine's own notification area (no window manager here) comes with the first icon, after the face's
# first paint. Icons sit in slots from its left edge; the first one's centre is 13 px in and 13 px up.
tray_area() { LC_ALL=C xwininfo -root -tree | grep '"Wine System Tray"' | grep -oE '[0-9]+x[0-9]+(\+-?[0-9]+){2}'; }
poll '[ -n "$(tray_area)" ]' 100 || fail "no notification area"
set -- $(xywh "$(tray_area)")
icon_x=$(($1 + 13)); icon_y=$(($2 + $4 - 13))
icon_is_red() {
    import -window root -crop 6x6+$((icon_x - 3))+$((icon_y - 3)) -depth 8 txt:- 2>/dev/null |
        grep -q -E ': \((1[5-9][0-9]|2[0-9][0-9]),([0-9]|[1-9][0-9]),([0-9]|[1-9][0-9])\)'
}
poll icon_is_red 50 || fail "no tray icon"

# Face menu, first line "隐藏钟面": the face goes.
choose_from_menu 937 40 10
poll "! viewable $face" 50 || fail "the face did not hide"
shot face-hidden

# A left click on the tray icon brings it back.
click $icon_x $icon_y 1
poll "viewable $face" 50 || fail "the tray icon did not bring the face back"
app_windows | grep -q " 162x162+857+0$" || fail "face came back elsewhere: $(app_windows)"

# Tray menu: its last line is "退出", which closes every window.
leave $icon_x $icon_y tray-menu
poll '! icon_is_red' 50 || fail "the tray icon is still there"
shot tray-after-exit
echo "PASS"
