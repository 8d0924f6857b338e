# Shared by the end-to-end scripts (sourced): start the real program under
# Wine on a private Xvfb and look at it from outside, as a user would.
# Usage: . e2e_lib.sh BUILD_DIR PREFIX

build="$1"; prefix="$2"
. "$(dirname "$0")/../../tools/winelib.sh"
qv_wine_env "$prefix"

APP_PID=""; APP_RC=""
e2e_finish() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
    qv_cleanup
}
trap e2e_finish EXIT
trap 'exit 130' INT TERM
shots="${QV_SHOTS:-$build/e2e-shots}"
mkdir -p "$shots"

# What the screen and the prefix looked like when a step failed.
diagnose() {
    echo "--- windows of the program and the tray:"
    LC_ALL=C xwininfo -root -tree 2>/dev/null | grep -E '"qorvane.exe"|"Wine System Tray"'
    echo "--- processes of the prefix (pid, state, age, command):"
    qv_prefix_processes
    if [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; then
        echo "--- the program (pid $APP_PID) is still running"
    elif [ -n "$APP_PID" ]; then
        wait "$APP_PID"; APP_RC=$?; APP_PID=""
    fi
    [ -n "$APP_RC" ] && echo "--- the program ended with code $APP_RC"
    if [ -n "${DISPLAY:-}" ]; then
        diag_shot="$shots/fail-$(date +%H%M%S)-$$.png"
        import -window root "$diag_shot" 2>/dev/null && echo "--- screenshot: $diag_shot"
    fi
}
fail() { echo "FAIL: $*" >&2; diagnose >&2; exit 1; }

qv_start_xvfb || fail "no Xvfb"
qv_start_server || fail "no wineserver of our own"

# Lines "id geometry" of the program's top-level windows, mapped or not.
app_windows() {
    LC_ALL=C xwininfo -root -tree 2>/dev/null | grep '"qorvane.exe"' |
        sed -E 's/^ *(0x[0-9a-f]+) .*\) +([0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+) .*/\1 \2/'
}
face_id() { app_windows | grep ' 162x162+' | head -n1 | cut -d' ' -f1; }
viewable() { LC_ALL=C xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }

# The program's window of this size (WxH) that is on screen, if any.
window_of_size() {
    for id in $(app_windows | grep " $1+" | cut -d' ' -f1); do
        viewable "$id" && { echo "$id"; return 0; }
    done
    return 1
}
origin() { LC_ALL=C xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} END {print x, y}'; }

# poll CMD TENTHS: waits up to TENTHS tenths of a second for CMD to succeed.
poll() {
    n=0
    while ! eval "$1" >/dev/null 2>&1; do
        n=$((n + 1)); [ $n -ge "$2" ] && return 1; sleep 0.1
    done
}

# Starts the program and waits for its face in the top-right corner.
start_app() {
    # A face already up would be taken for this start's.
    app_windows | grep -q ' 162x162+' && fail "a face is up before the start"
    wine "$build/qorvane.exe" &
    APP_PID=$!
    poll 'app_windows | grep -q " 162x162+" || ! kill -0 $APP_PID' 300 ||
        fail "no face window appeared"
    if ! kill -0 "$APP_PID" 2>/dev/null; then
        wait "$APP_PID"; APP_RC=$?; APP_PID=""
        fail "the program ended before showing its face"
    fi
    # The window exists before the start-up sequence has placed it.
    poll 'app_windows | grep -q " 162x162+857+0$"' 100 ||
        fail "face not at 857,0 with 162x162: $(app_windows)"
}

# pixel X Y: the colour on screen there, "r,g,b".
pixel() { import -window root -crop 1x1+"$1"+"$2" -depth 8 txt:- 2>/dev/null | sed -nE 's/.*: \(([0-9]+),([0-9]+),([0-9]+).*/\1,\2,\3/p'; }
# painted WxH+X+Y: the area shows more than a few colours (not blank any more).
painted() { [ "$(import -window root -crop "$1" -format %k info: 2>/dev/null)" -gt 8 ]; }
face_painted() { painted 162x162+857+0; }
window_painted() {
    painted "$(LC_ALL=C xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /Width:/ {w=$NF} /Height:/ {h=$NF} END {print w "x" h "+" x "+" y}')"
}

# click X Y BUTTON: move, pause, click (a click sent with the move can be lost).
click() { xdotool mousemove "$1" "$2"; sleep 0.3; xdotool click "$3"; }

# Ids of the program's windows, for telling a new popup menu from them.
window_ids() { app_windows | cut -d' ' -f1 | sort; }

# The popup menu that appeared since `window_ids` gave $1: prints "x y w h".
open_menu_geometry() {
    before_ids="$1"
    # The face's tooltip window is made on the first mouse move: the menu is
    # the new window that is on screen.
    new_menu() {
        for id in $(window_ids | comm -13 "$before_ids" -); do
            viewable "$id" && { echo "$id"; return 0; }
        done
        return 1
    }
    poll new_menu 50 || { echo "no new window of the program came up" >&2; return 1; }
    new_id=$(new_menu)
    # Wine maps the menu before it has its final size: wait for one that holds.
    g=""
    poll 'last=$g; g=$(app_windows | grep "^$new_id " | cut -d" " -f2); [ -n "$g" ] && [ "$g" = "$last" ]' 30 ||
        { echo "the menu $new_id kept changing its size, last $g" >&2; return 1; }
    w=${g%%x*}; r=${g#*x}; h=${r%%+*}; r=${r#*+}; x=${r%%+*}; y=${r#*+}
    echo "$x $y $w $h"
}

# choose_from_menu X Y DY [SHOT]: right-clicks at X,Y, then clicks the line of
# the menu that opens DY px below its top ("last" for its bottom line),
# taking a screenshot of the open menu first when SHOT is given.
choose_from_menu() {
    dy=$3; shot=${4:-}
    window_ids > "$shots/before-ids"
    click "$1" "$2" 3
    set -- $(open_menu_geometry "$shots/before-ids")
    [ "$#" -eq 4 ] || fail "no menu opened"
    [ "$4" -gt 100 ] || fail "menu too small: $*"
    [ -n "$shot" ] && import -window root "$shot"
    [ "$dy" = last ] && dy=$(($4 - 10))
    # The line under the pointer lights up once the menu has taken the move;
    # clicking before that was seen to be lost. Its right end holds no text.
    lx=$(($1 + $3 - 8)); ly=$(($2 + dy))
    unlit=$(pixel $lx $ly)
    xdotool mousemove $(($1 + $3 / 2)) $ly
    poll '[ "$(pixel $lx $ly)" != "$unlit" ]' 30 || fail "the menu line at +$dy did not light up"
    xdotool click 1
}

# Waits for the program to end; fails unless it ends with code 0.
expect_exit_0() {
    n=0
    while kill -0 "$APP_PID" 2>/dev/null; do
        n=$((n + 1)); [ $n -ge 150 ] && fail "the program did not end"; sleep 0.1
    done
    wait "$APP_PID"; rc=$?
    APP_PID=""
    [ "$rc" -eq 0 ] || fail "exit code $rc"
    poll '! app_windows | grep -q .' 50 || fail "windows left behind"
}
