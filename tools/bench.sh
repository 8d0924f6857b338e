#!/bin/sh
# Prints the figures of the program beside those of a floor face built in
# the same run: size, start-up and memory from outside, the face's tick in
# process, and the idle cost of each window. Prints; asserts nothing.
#
# QV_BENCH_IDLE_SECONDS  how long each idle state is watched (default 60)
# QV_BENCH_STARTS        starts of each program (default 5)
set -u
build="$(cd "$1" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"
idle="${QV_BENCH_IDLE_SECONDS:-60}"
starts="${QV_BENCH_STARTS:-5}"
objdump=x86_64-w64-mingw32-objdump
bench_start=$(date +%s)

cmake --build "$build" --target qorvane face_bench floor_face idle_bench >/dev/null || exit 1
app="$build/qorvane.exe"
floor="$build/floor_face.exe"

kib() { awk -v b="$1" 'BEGIN { printf "%.1f", b / 1024 }'; }

# median of the numbers on stdin
median() {
    sort -n | awk '{ v[NR] = $1 } END {
        if (NR == 0) { print "?"; exit }
        if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "?" }'; }

# ---- 1. size -----------------------------------------------------------
report_size() {
    bytes=$(stat -c %s "$1")
    symbols=$(x86_64-w64-mingw32-nm -a "$1" 2>/dev/null | wc -l)
    debug=$($objdump -h "$1" | awk '$2 ~ /^\.debug/ { printf "%s ", $2 }')
    if [ "$symbols" -eq 0 ] && [ -z "$debug" ]; then stripped=yes
    else stripped="no ($symbols symbols${debug:+; debug sections: $debug})"; fi
    echo "$(basename "$1"): $bytes bytes = $(kib "$bytes") KiB${2:+   target: $2}"
    echo "  stripped: $stripped"
    if [ -n "$3" ]; then
        echo "  sections (objdump -h), bytes:"
        $objdump -h "$1" | awk '$1 ~ /^[0-9]+$/ { print $2, $3 }' | while read -r name hex; do
            size=$(printf '%d' "0x$hex")
            printf '    %-16s %9d  (%s KiB)\n' "$name" "$size" "$(kib "$size")"
        done
        # What a strip would leave, roughly: headers and the loaded sections
        # at the file's 512-byte alignment (.bss takes no room in the file).
        kept=$($objdump -h "$1" | awk '$1 ~ /^[0-9]+$/ && $2 !~ /^\.debug/ && $2 != ".bss" { print $3 }' |
            while read -r hex; do printf '%d\n' "0x$hex"; done |
            awk '{ t += int(($1 + 511) / 512) * 512 } END { print t + 1024 }')
        echo "  without the .debug sections, about: $kept bytes = $(kib "$kept") KiB"
    fi
    echo "  imported DLLs: $($objdump -p "$1" | awk '/DLL Name:/ { printf "%s ", $3 }')"
}

echo "== 1. size =="
report_size "$app" "at most 736 KiB = 753664 bytes, stripped" sections
report_size "$floor" "" ""
echo

# ---- 2. start-up and resident memory -------------------------------------
. "$here/winelib.sh"
qv_wine_env "$build/wineprefix"
export QV_SCREEN=1024x768x24   # the faces sit at +857+0 on this screen
APP_PID=""
LAUNCHER=""
stop_app() {
    # Before its PID is known the program is still the launcher's process.
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
    [ -n "$LAUNCHER" ] && kill "$LAUNCHER" 2>/dev/null
    [ -n "$LAUNCHER" ] && wait "$LAUNCHER" 2>/dev/null
    APP_PID=""; LAUNCHER=""
}
trap 'stop_app; qv_cleanup' EXIT
trap 'exit 130' INT TERM
qv_start_xvfb || exit 1
tmp=$(mktemp -d /tmp/qorvane-bench.XXXXXX)
trap 'stop_app; qv_cleanup; rm -rf "$tmp"' EXIT

# The Wine process that runs EXE: the one that maps the file. The launcher
# itself becomes it (the wine script execs the loader), but check.
exe_pid() {
    if grep -qF "$1" "/proc/$2/maps" 2>/dev/null; then echo "$2"; return; fi
    for m in /proc/[0-9]*/maps; do
        grep -qF "$1" "$m" 2>/dev/null && { p=${m#/proc/}; echo "${p%/maps}"; return; }
    done
}

# The Windows modules a process has mapped, one name a line.
modules() {
    awk '{ print $6 }' "/proc/$1/maps" | grep -iE '\.(dll|drv|ocx|cpl)$' |
        sed 's|.*/||' | tr 'A-Z' 'a-z' | sort -u
}

# start_one EXE KEY: one cold start of the program, services warm.
# Appends "ms rss_kib anon_kib" to $tmp/KEY and the modules to $tmp/KEY.dlls.
start_one() {
    wineboot >/dev/null 2>&1   # the prefix's services up before the clock starts
    name=$(basename "$1")
    t0=$(date +%s%N)
    wine "$1" >/dev/null 2>&1 &
    LAUNCHER=$!
    n=0
    while ! LC_ALL=C xwininfo -root -tree 2>/dev/null | grep -F "(\"$name\" " | grep -q ' 162x162+857+0'; do
        n=$((n + 1))
        if [ $n -ge 1500 ]; then
            echo "  ($name did not appear within 30 s; this start is left out)"
            stop_app; wineserver -w; return 0
        fi
        sleep 0.02
    done
    t1=$(date +%s%N)
    sleep 2   # settled
    APP_PID=$(exe_pid "$1" "$LAUNCHER")
    if [ -n "$APP_PID" ]; then
        rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$APP_PID/status")
        anon=$(awk '/^RssAnon/ { print $2 }' "/proc/$APP_PID/status")
        modules "$APP_PID" >"$tmp/$2.dlls"
    else
        rss="?"; anon="?"
    fi
    echo "$(( (t1 - t0) / 1000000 )) $rss $anon" >>"$tmp/$2"
    stop_app
    wineserver -w   # nothing of this run is left when the next starts
}

echo "== 2. start-up and resident memory ($starts starts each, alternating) =="
wineboot >/dev/null 2>&1
wineserver -w
i=0
while [ $i -lt "$starts" ]; do
    start_one "$app" app
    start_one "$floor" floor
    i=$((i + 1))
done
for k in app floor; do
    eval "${k}_ms=\$(awk '{ print \$1 }' \"\$tmp/$k\" | median)"
    eval "${k}_rss=\$(awk '{ print \$2 }' \"\$tmp/$k\" | median)"
    eval "${k}_anon=\$(awk '{ print \$3 }' \"\$tmp/$k\" | median)"
done
echo "launch (wine X.exe) to the face mapped at 162x162+857+0, median:"
echo "  qorvane.exe  $app_ms ms   (runs: $(awk '{ printf "%s ", $1 }' "$tmp/app"))"
echo "  floor        $floor_ms ms   (runs: $(awk '{ printf "%s ", $1 }' "$tmp/floor"))"
echo "  ratio        $(ratio "$app_ms" "$floor_ms")   target: at most 1.20"
echo "resident memory (VmRSS of the exe's Wine process, 2 s after the face showed), median:"
echo "  qorvane.exe  $app_rss KiB   (of it anonymous: $app_anon KiB)"
echo "  floor        $floor_rss KiB   (of it anonymous: $floor_anon KiB)"
echo "  ratio        $(ratio "$app_rss" "$floor_rss")   target: at most 1.15"
echo "Windows modules mapped once the face is up (/proc/PID/maps):"
echo "  qorvane.exe ($(wc -l <"$tmp/app.dlls")): $(tr '\n' ' ' <"$tmp/app.dlls")"
echo "  floor ($(wc -l <"$tmp/floor.dlls")): $(tr '\n' ' ' <"$tmp/floor.dlls")"
echo "  qorvane.exe beyond the floor: $(comm -23 "$tmp/app.dlls" "$tmp/floor.dlls" | tr '\n' ' ')"
printf '  at start:'
for d in comctl32 winmm shell32 shlwapi hhctrl ole32 oleaut32 uxtheme comdlg32 powrprof; do
    if grep -qx "$d.dll" "$tmp/app.dlls"; then printf ' %s=loaded' "$d"; else printf ' %s=no' "$d"; fi
done
echo; echo

# ---- 3. the face's tick, in process ---------------------------------------
echo "== 3. the face's tick, in process (face_bench.exe) =="
wine "$build/face_bench.exe" &
APP_PID=$!; LAUNCHER=$APP_PID
wait "$LAUNCHER"; APP_PID=""; LAUNCHER=""
wineserver -w
echo

# ---- 4. idle cost of each window -------------------------------------------
echo "== 4. idle cost of each window, in process on the real clock (idle_bench.exe, $idle s each) =="
echo "(tune, CD door, registry, message boxes and clock setting faked; the floor is watched for a third of the time)"
# This prefix's Wine server, whose work for the program the bench counts
# too: started here, so that it is there to be named, and gone 5 s after.
wineserver -p5
QV_BENCH_SERVER_PID=$(qv_prefix_processes | awk '$4 ~ /wineserver/ { print $1; exit }')
export QV_BENCH_SERVER_PID
wine "$build/idle_bench.exe" "$idle" &
APP_PID=$!; LAUNCHER=$APP_PID
wait "$LAUNCHER"; APP_PID=""; LAUNCHER=""
wineserver -w
echo
echo "bench took $(( $(date +%s) - bench_start )) s"
