# Shared by the end-to-end scripts (sourced): start the real program under
# Wine on a private Xvfb and look at it from outside, as a user would.
# Usage: . e2e_lib.sh BUILD_DIR PREFIX

set -u
build="$1"; prefix="$2"
. "$(dirname "$0")/../../tools/winelib.sh"
qv_wine_env "$prefix"

APP_PID=""
trap '[ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null; qv_cleanup' EXIT
trap 'exit 130' INT TERM
shots="${QV_SHOTS:-$build/e2e-shots}"
mkdir -p "$shots"
shot() { import -window root "$shots/$1.png"; }

# What the screen and the prefix looked like when a step failed.
diagnose() {
    echo "--- windows of the program and the tray:"
    LC_ALL=C xwininfo -root -tree 2>/dev/null | grep -E '"qorvane.exe"|"Wine System Tray"'
    echo "--- processes of the prefix (pid, state, age, command):"
    qv_prefix_processes
    diag="fail-$(date +%H%M%S)-$$"
    [ -n "${DISPLAY:-}" ] && shot "$diag" 2>/dev/null && echo "--- screenshot: $shots/$diag.png"
}
fail() { echo "FAIL: $*" >&2; diagnose >&2; exit 1; }

qv_start_xvfb || fail "no Xvfb"
qv_start_server || fail "no wineserver of our own"
# An alarm kept by an earlier run would ring into this one.
wine reg delete 'HKCU\Software\qorvane' /f >/dev/null 2>&1
wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\RunOnce' /v qorvane /f >/dev/null 2>&1

# poll CMD TENTHS: waits up to TENTHS tenths of a second for CMD to succeed.
poll() {
    n=0
    until eval "$1" >/dev/null 2>&1; do n=$((n + 1)); [ $n -ge "$2" ] && return 1; sleep 0.1; done
}
# wait_exit PID CODE WHAT: the process ends within 15 s, with exit code CODE.
wait_exit() {
    poll "! kill -0 $1" 150 || { kill "$1"; fail "$3 did not end"; }
    wait "$1"; rc=$?
    [ "$1" = "$APP_PID" ] && APP_PID=""
    [ "$rc" -eq "$2" ] || fail "$3 gave exit code $rc"
}

# Lines "id WxH+X+Y" of the program's top-level windows, mapped or not.
app_windows() {
    LC_ALL=C xwininfo -root -tree 2>/dev/null | grep '"qorvane.exe"' |
        sed -E 's/^ *(0x[0-9a-f]+) .*\) +([0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+) .*/\1 \2/'
}
window_ids() { app_windows | cut -d' ' -f1 | sort; }
viewable() { LC_ALL=C xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }
first_viewable() {  # the first of these windows on screen
    for id; do viewable "$id" && echo "$id" && return 0; done
    return 1
}
window_of_size() { first_viewable $(app_windows | grep " $1+" | cut -d' ' -f1); }
geometry() { app_windows | grep "^$1 " | cut -d' ' -f2; }
xywh() { echo "$1" | awk -F'[x+]' '{print $3, $4, $1, $2}'; }  # "WxH+X+Y" as "x y w h"

# pixel X Y: the colour on screen there, "r,g,b".
pixel() { import -window root -crop 1x1+"$1"+"$2" -depth 8 txt:- 2>/dev/null | sed -nE 's/.*: \(([0-9,]+)\).*/\1/p'; }
# painted WxH+X+Y: the area shows more than a few colours (not blank any more).
painted() { [ "$(import -window root -crop "$1" -format %k info: 2>/dev/null)" -gt 8 ]; }
# await_window WxH WHAT: waits for the program's window of that size, on screen and painted; its id in $win.
await_window() {
    poll "window_of_size $1" 50 || fail "$2 did not open: $(app_windows)"
    win=$(window_of_size "$1")
    poll 'painted "$(geometry $win)"' 50 || fail "$2 was not painted"
}
# click X Y BUTTON: move, pause, click (a click sent with the move can be lost).
click() { xdotool mousemove "$1" "$2"; sleep 0.3; xdotool click "$3"; }

# start_app [LEFT [WINE_ARGS...]]: starts the program; its face shows, painted, at LEFT,0 (857,0 unless told).
start_app() {
    left=${1:-857}; [ $# -gt 0 ] && shift
    # A face already up would be taken for this start's.
    app_windows | grep -q ' 162x162+' && fail "a face is up before the start"
    wine "$@" "$build/qorvane.exe" &
    APP_PID=$!
    poll 'app_windows | grep -q " 162x162+" || ! kill -0 $APP_PID' 300 || fail "no face window appeared"
    kill -0 "$APP_PID" 2>/dev/null ||
        { wait "$APP_PID"; rc=$?; APP_PID=""; fail "the program ended with code $rc before showing its face"; }
    # The window exists before the start-up sequence has placed it.
    poll "app_windows | grep -q ' 162x162+$left+0\$'" 100 || fail "face not at $left,0 with 162x162: $(app_windows)"
    poll "painted 162x162+$left+0" 50 || fail "the face was not painted"
}

# choose_from_menu X Y DY [SHOT]: right-clicks at X,Y and clicks the line DY px below the top of the
# menu that opens ("last": its bottom line), after taking the screenshot SHOT of it when given.
choose_from_menu() {
    dy=$3; menu_shot=${4:-}
    window_ids > "$shots/before-ids"
    click "$1" "$2" 3
    # The face's tooltip window is new too (made on the first mouse move), but hidden.
    poll 'menu=$(first_viewable $(window_ids | comm -13 "$shots/before-ids" -))' 50 ||
        fail "no menu opened: no new window of the program came up"
    # Wine maps the menu before it has its final size: wait for one that holds.
    g=""
    poll 'last=$g; g=$(geometry $menu); [ -n "$g" ] && [ "$g" = "$last" ]' 30 ||
        fail "the menu $menu kept changing its size, last $g"
    set -- $(xywh "$g")
    [ "$4" -gt 100 ] || fail "menu too small: $g"
    [ -n "$menu_shot" ] && shot "$menu_shot"
    [ "$dy" = last ] && dy=$(($4 - 10))
    # The line under the pointer lights up once the menu has taken the move;
    # clicking before that was seen to be lost. Its right end holds no text.
    lx=$(($1 + $3 - 8)); ly=$(($2 + dy))
    unlit=$(pixel $lx $ly)
    xdotool mousemove $(($1 + $3 / 2)) $ly
    poll '[ "$(pixel $lx $ly)" != "$unlit" ]' 30 || fail "the menu line at +$dy did not light up"
    xdotool click 1
}

# leave X Y [SHOT]: the last line of the menu opened at X,Y, "退出", ends the
# program with code 0, and no window is left behind.
leave() {
    choose_from_menu "$1" "$2" last "${3:-}"
    wait_exit "$APP_PID" 0 "the program"
    poll '! app_windows | grep -q .' 50 || fail "windows left behind"
}

reg_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_SZ *//p"; }
kept_at() { reg_value 'HKCU\Software\qorvane' AlarmAt; }
# arm SECONDS: from the face menu's third line, "显示闹钟设置", an alarm that far ahead, confirmed and
# kept; its moment in $at. The boxes move the focus on by themselves.
arm() {
    choose_from_menu 937 40 39
    await_window 230x299 "the alarm window"
    at=$(( $(date +%s) + $1 ))
    xdotool type --delay 120 "$(date -d "@$at" +%H%M%S)meeting"
    xdotool key Return
    poll '[ "$(kept_at)" = "$(date -d "@$at" "+%F %T")" ]' 50 || fail "the alarm was not kept: '$(kept_at)'"
}
hide() {  # the alarm window's third picture button closes it; the alarm stays armed
    set -- $(xywh "$(geometry "$win")"); click $(($1 + 152 + 34)) $(($2 + 256 + 14)) 1
    poll '! window_of_size 230x299' 50 || fail "Hide did not close the alarm window"
}
await_alert() {  # at $at's second, at most 3 s late
    poll 'window_of_size 262x165' 250 || fail "no alert by $(date -d "@$at" +%T)"
    late=$(( $(date +%s) - at ))
    [ $late -ge 0 ] && [ $late -le 3 ] || fail "the alert came $late s after its second"
    await_window 262x165 "the alert"
}
# acknowledge WHAT: Enter, with nothing clicked first, reaches the alert only if it took the focus
# itself; its keys wait a second. The alarm window comes back.
acknowledge() {
    sleep 1.2; xdotool key Return
    poll '! window_of_size 262x165' 50 || fail "Enter did not close $1"
    await_window 230x299 "the alarm window after the alert"
}
