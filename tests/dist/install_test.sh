#!/bin/sh
# The installer as a user meets it, under Wine: a silent install, the clock
# started from its Start-menu shortcut and back after an upgrade, a silent
# uninstall (by the command the programs list holds) while the clock runs,
# and nothing of it left.
# Usage: tests/dist/install_test.sh BUILD_DIR PREFIX SETUP_EXE
set -u

fail() { printf 'FAIL: %s\n' "$*" >&2; exit 1; }
note() { bad="$bad$(printf '\n  %s' "$*")"; }  # one more line for the step's failure
[ $# -eq 3 ] || fail "usage: $0 BUILD_DIR PREFIX SETUP_EXE"
top=$(cd "$(dirname "$0")/../.." && pwd)
[ -d "$1" ] || fail "no build folder: $1"
build=$(cd "$1" && pwd)
[ -f "$3" ] || fail "no installer: $3"
setup=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt" 2>/dev/null)
[ -n "$version" ] || fail "no CMAKE_PROJECT_VERSION in $build/CMakeCache.txt"

. "$top/tools/winelib.sh"
qv_wine_env "$2"
work="$build/install-test"
rm -rf "$work"
mkdir -p "$work"

RUNKEY='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run'
UNINSTKEY='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Uninstall\qorvane'
ALARMKEY='HKEY_CURRENT_USER\Software\qorvane'
RUNONCEKEY='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\RunOnce'
LINKNAME='墨蝉小闹钟.lnk'

inst=""; lnk=""; temp=""; made_programs=""
# Leaves the shared prefix as it was, also after a failure half-way.
remove_install() {
    wineserver -k >/dev/null 2>&1
    [ -n "$inst" ] && rm -rf "$inst"
    [ -n "$lnk" ] && rm -f "$lnk"
    timeout 30 wine reg delete "$UNINSTKEY" /f >/dev/null 2>&1
    timeout 30 wine reg delete "$RUNKEY" /v myexe /f >/dev/null 2>&1
    timeout 30 wine reg delete "$ALARMKEY" /f >/dev/null 2>&1
    for v in qorvane other; do timeout 30 wine reg delete "$RUNONCEKEY" /v $v /f >/dev/null 2>&1; done
}
finish() {
    rc=$?
    [ $rc -ne 0 ] && [ -n "$inst" ] && remove_install
    # The uninstaller's temporary copy leaves its (empty) folder behind.
    [ -n "$temp" ] && rmdir "$temp"/~nsu*.tmp 2>/dev/null
    # The installer makes %LOCALAPPDATA%\Programs, shared on Windows and kept.
    [ -n "$made_programs" ] && rmdir "$made_programs" 2>/dev/null
    qv_cleanup
    rm -rf "$work"
    exit $rc
}
trap finish EXIT
trap 'exit 130' INT TERM
qv_start_xvfb || exit 1
# One server for the whole run: back-to-back Wine steps on a server that
# shuts down between them were seen to fail now and then (exit 1, or a
# registry read that found nothing).
qv_start_server

wq() { timeout 60 wine "$@" 2>/dev/null | tr -d '\r'; }
# run SECONDS WHAT COMMAND...: fails with the exit code and Wine's last words.
run() {
    limit=$1 what=$2; shift 2
    timeout "$limit" "$@" >"$work/out.log" 2>&1 && return 0
    fail "$what (exit $?): $(tail -n 5 "$work/out.log" | tr -d '\r')"
}
# A value as it is written in a .reg file.
regesc() { printf '%s' "$1" | sed 's/\\/\\\\/g; s/"/\\"/g'; }
# Writes HKCU ... Run "myexe" exactly (reg add would requote the quotes),
# and reads it back.
set_run_value() {
    { printf 'Windows Registry Editor Version 5.00\r\n\r\n[%s]\r\n' "$RUNKEY"
      printf '"myexe"="%s"\r\n' "$(regesc "$1")"; } | iconv -f UTF-8 -t UTF-16 >"$work/run.reg"
    timeout 60 wine regedit /S "$wwork\\run.reg" >/dev/null 2>&1 || fail "could not set myexe"
    read_run_value
    [ "$runv" = "\"$(regesc "$1")\"" ] || fail "myexe reads back as '$runv'"
}
# Sets runv to the data of HKCU ... Run "myexe", empty when there is none.
# Not in a $(...): a failure there would only end the subshell.
read_run_value() {
    rm -f "$work/run-now.reg"
    if ! timeout 60 wine regedit /E "$wwork\\run-now.reg" "$RUNKEY" >"$work/export.log" 2>&1; then
        # No key is no value; a key that cannot be read is a failure.
        timeout 60 wine reg query "$RUNKEY" >/dev/null 2>&1 &&
            fail "could not export the Run key: $(tail -n 3 "$work/export.log" | tr -d '\r')"
        runv=""; return 0
    fi
    runv=$(iconv -f UTF-16 -t UTF-8 "$work/run-now.reg" | tr -d '\r' | sed -n 's/^"myexe"=//p')
}
face_shown() { xwininfo -root -tree 2>/dev/null | grep '"qorvane.exe"' | grep -q ' 162x162+'; }
# poll COMMAND TENTHS: until COMMAND succeeds, at most TENTHS tenths of a second.
poll() {
    i=0
    while ! eval "$1"; do
        i=$((i + 1)); [ $i -ge "$2" ] && return 1; sleep 0.1
    done
}
# The prefix's programs, Wine's own services left out: the clock, the
# installer, the uninstaller and its copy in %TEMP%. This script and its
# tools carry the prefix too, but run no Wine loader.
ours() {
    qv_prefix_processes | while read -r pid stat age args; do
        case "$(readlink "/proc/$pid/exe" 2>/dev/null)" in *wineserver*) continue ;; *wine*) ;; *) continue ;; esac
        case "$args" in *'\system32\'*) continue ;; esac
        printf '%s %s\n' "$pid" "$args"
    done
}
# Every one of them has ended (the uninstaller runs on as a copy).
wait_idle() { poll '[ -z "$(ours)" ]' "$(($1 * 10))"; }
clocks() { ours | awk '/qorvane\.exe/ { print $1 }'; }

started=$(date +%s)
wwork=$(wq winepath -w "$work")
wq cmd /c 'echo %LOCALAPPDATA%&echo %TEMP%' >"$work/vars"
local_win=$(sed -n 1p "$work/vars"); temp_win=$(sed -n 2p "$work/vars")
programs_win=$(wq reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' /v Programs |
    sed -n 's/.*REG_SZ[[:space:]]*//p')
[ -n "$local_win" ] && [ -n "$temp_win" ] && [ -n "$programs_win" ] && [ -n "$wwork" ] ||
    fail "cannot read the prefix's folders"
inst_win="$local_win\\Programs\\qorvane"
exe_win="$inst_win\\qorvane.exe"
wq winepath -u "$inst_win" "$programs_win" "$temp_win" >"$work/paths"
inst=$(sed -n 1p "$work/paths"); inst=${inst%/}
lnk=$(sed -n 2p "$work/paths"); lnk="${lnk%/}/$LINKNAME"
temp=$(sed -n 3p "$work/paths"); temp=${temp%/}
case "$inst" in /*/Programs/qorvane) ;; *) inst=""; fail "odd install folder: $inst_win" ;; esac

[ -d "${inst%/*}" ] || made_programs=${inst%/*}
if [ -e "$inst" ] || [ -e "$lnk" ]; then
    echo "note: removing an install left by an earlier run"
    remove_install
    qv_start_server
fi

# --- Install ---------------------------------------------------------------
run 120 "the installer failed" wine "$setup" /S

bad=""
for f in qorvane.exe image/help.chm image/1.mid; do
    cmp -s "$build/$f" "$inst/$f" || note "$f missing or not the build's (installer older than the build?)"
done
LC_ALL=C sed "s/@VERSION@/$version/g" "$top/installer/readme.txt" | cmp -s - "$inst/读我.txt" ||
    note "读我.txt missing or not installer/readme.txt with the version"
[ -s "$inst/uninstall.exe" ] || note "no uninstall.exe"
[ -f "$lnk" ] || note "no shortcut $lnk"

rm -f "$work/uninst.reg"
timeout 60 wine regedit /E "$wwork\\uninst.reg" "$UNINSTKEY" >/dev/null 2>&1
if [ -f "$work/uninst.reg" ]; then
    iconv -f UTF-16 -t UTF-8 "$work/uninst.reg" | tr -d '\r' >"$work/uninst.txt"
    q=$(regesc '"')
    for line in \
        "\"DisplayName\"=\"墨蝉小闹钟\"" \
        "\"DisplayVersion\"=\"$version\"" \
        "\"Publisher\"=\"qorvane\"" \
        "\"DisplayIcon\"=\"$(regesc "$exe_win")\"" \
        "\"InstallLocation\"=\"$(regesc "$inst_win")\"" \
        "\"UninstallString\"=\"$q$(regesc "$inst_win\\uninstall.exe")$q\"" \
        "\"QuietUninstallString\"=\"$q$(regesc "$inst_win\\uninstall.exe")$q /S\"" \
        '"NoModify"=dword:00000001' \
        '"NoRepair"=dword:00000001'; do
        grep -qxF "$line" "$work/uninst.txt" || note "programs list: no $line"
    done
    # Windows shows it as the size on disk; within a tenth of the files' size.
    est=$(sed -n 's/^"EstimatedSize"=dword://p' "$work/uninst.txt")
    kb=$(( $(find "$inst" -type f -exec cat {} + | wc -c) / 1024 ))
    est=$(( 0x${est:-0} ))
    [ $((est - kb)) -le $((kb / 10)) ] && [ $((kb - est)) -le $((kb / 10)) ] ||
        note "programs list: EstimatedSize $est KB, files $kb KB"
else
    note "no programs-list entry $UNINSTKEY"
fi
[ -z "$bad" ] || fail "after the install:$bad"
echo "ok: installed in $(( $(date +%s) - started )) s"

# --- Run from the Start menu; an upgrade closes it and starts it again --------
timeout 30 wine start "$programs_win\\$LINKNAME" >/dev/null 2>&1 || fail "could not open the shortcut"
poll face_shown 150 || fail "no clock face (162x162) from the shortcut"
old=$(clocks)
run 120 "the install over the running clock failed" wine "$setup" /S
poll '[ -n "$(clocks)" ] && ! kill -0 $old 2>/dev/null && face_shown' 150 ||
    fail "the clock was not back after the install (before: $old, now: $(clocks))"
for p in $(clocks); do kill "$p"; done
poll '[ -z "$(clocks)" ]' 100 || fail "the clock outlived its kill: $(ours)"
echo "ok: the clock runs again after an install over it"

# --- A copy that will not close (one run as administrator) --------------------
# Windows keeps the installer's WM_CLOSE from such a copy; this one ignores it.
# Installing over it or uninstalling must stop in bounded time, changing and
# starting nothing, even with an alarm kept.
snapshot() {
    find "$inst" -printf '%P %s %C@\n' | sort
    timeout 60 wine reg query "$UNINSTKEY" 2>&1 | tr -d '\r'
}
run 60 "could not plant a kept alarm" wine reg add "$ALARMKEY" /v AlarmAt /d '2030-01-02 07:30:00' /f
run 60 "could not plant its reminder" wine reg add "$ALARMKEY" /v AlarmMsg /d '开会' /f
snapshot >"$work/before"
wine "$build/deaf_face.exe" "$wwork\\deaf-ready" >/dev/null 2>&1 &
deaf=$!
poll '[ -s "$work/deaf-ready" ]' 300 || fail "the stand-in copy did not start"
# A silent setup that stops itself exits with 2 (124 here is a hang, 0 going on).
timeout 20 wine "$setup" /S >/dev/null 2>&1; rc=$?
[ $rc -eq 2 ] || fail "the installer over a copy that would not close gave $rc, not 2"
# _?= runs it in place, so its exit code is its own.
timeout 20 wine "$inst/uninstall.exe" /S "_?=$inst_win" >/dev/null 2>&1; rc=$?
[ $rc -eq 2 ] || fail "the uninstaller over a copy that would not close gave $rc, not 2"
snapshot | diff "$work/before" - >&2 || fail "a refused install or uninstall changed the above"
[ -z "$(clocks)" ] || fail "a refused install or uninstall started the clock: $(ours)"
kill "$deaf"; wait "$deaf" 2>/dev/null
run 120 "the install after the copy was closed failed" wine "$setup" /S
poll face_shown 150 || fail "no clock started by an install with an alarm kept"
echo "ok: refused while a copy would not close; once it had, installed and started for the alarm"

# --- Ask for start-up ----------------------------------------------------------
set_run_value "\"$exe_win\""
run 60 "could not plant its one-time start" wine reg add "$RUNONCEKEY" /v qorvane /d "$exe_win" /f
run 60 "could not plant another one-time start" wine reg add "$RUNONCEKEY" /v other /d 'C:\other.exe' /f

# --- Uninstall, as the programs list does it, with the clock running -------------
quiet=$(sed -n 's/^"QuietUninstallString"=//p' "$work/uninst.txt" |
    sed 's/^"//; s/"$//; s/\\"/"/g; s/\\\\/\\/g')
unexe=${quiet#\"}; unexe=${unexe%%\"*}; unargs=${quiet##*\"}
# shellcheck disable=SC2086
run 60 "the uninstaller failed" wine "$unexe" $unargs
poll '! face_shown' 200 || fail "the uninstaller left the clock running"
wait_idle 60 || fail "still running 60 s after the uninstaller: $(ours)"

bad=""
if [ -e "$inst" ]; then
    note "left in the install folder: $(cd "$inst" && find . -mindepth 1 | tr '\n' ' ')"
    [ -z "$(ls -A "$inst")" ] && bad="$bad (the empty folder)"
fi
[ -e "$lnk" ] && note "shortcut $lnk"
timeout 60 wine reg query "$UNINSTKEY" >/dev/null 2>&1 && note "programs-list entry $UNINSTKEY"
read_run_value
[ -n "$runv" ] && note "start-up value myexe = $runv"
timeout 60 wine reg query "$ALARMKEY" >/dev/null 2>&1 && note "kept alarm $ALARMKEY"
timeout 60 wine reg query "$RUNONCEKEY" /v qorvane >/dev/null 2>&1 && note "one-time start qorvane"
timeout 60 wine reg delete "$RUNONCEKEY" /v other /f >/dev/null 2>&1 || note "another program's one-time start was deleted"
[ -z "$bad" ] || fail "after the uninstall:$bad"
echo "ok: uninstalled, clock closed, nothing left"

# --- A start-up entry of another copy is not the uninstaller's to delete -------
other='"C:\Tools\qorvane-1.10\qorvane.exe"'
run 120 "the second install failed" wine "$setup" /S
[ -z "$(clocks)" ] || fail "an install with no clock and no alarm started one: $(ours)"
set_run_value "$other"
run 60 "the second uninstall failed" wine "$inst/uninstall.exe" /S
wait_idle 60 || fail "still running 60 s after the second uninstaller: $(ours)"
[ -e "$inst" ] && fail "the second uninstall left $inst"
read_run_value
kept=$runv
timeout 60 wine reg delete "$RUNKEY" /v myexe /f >/dev/null 2>&1
[ "$kept" = "\"$(regesc "$other")\"" ] || fail "another copy's start-up value was changed: '$kept'"
echo "ok: another copy's start-up value kept"

echo "PASS ($(( $(date +%s) - started )) s)"
