#!/bin/sh
# Creates the build folder's private Wine prefix once, with CJK font substitutes.
set -eu
prefix="$1"
stamp="$prefix/.qorvane-prefix-v2"
[ -f "$stamp" ] && exit 0

. "$(dirname "$0")/winelib.sh"
qv_wine_env "$prefix"
mkdir -p "$prefix"
trap qv_cleanup EXIT INT TERM
qv_start_xvfb

wineboot -i >/dev/null 2>&1
wineserver -w

# Without these every Chinese caption, menu and message box shows boxes.
# Imported from a UTF-16 .reg file: Wine turns command-line arguments into
# UTF-16 through the host locale, which would garble "宋体".
reg="$prefix/qorvane-settings.reg"
{
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    for f in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "SimSun" "宋体" "NSimSun" \
             "Microsoft Sans Serif" "Segoe UI" "Microsoft YaHei" "Microsoft YaHei UI"; do
        printf '"%s"="WenQuanYi Micro Hei"\r\n' "$f"
    done
    # Xvfb has no window manager: a "managed" window makes Wine wait for one
    # (about two seconds per show, four per minimise). Unmanaged, Wine
    # places and stacks the windows itself, as Windows does.
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n'
    printf '"Managed"="N"\r\n'
} | iconv -f UTF-8 -t UTF-16 >"$reg"
wine regedit /S "$reg" >/dev/null 2>&1
wineserver -w
touch "$stamp"
