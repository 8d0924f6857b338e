#!/bin/sh
# Installs the Debian packages the build and the tests need, when missing.
set -eu

pkgs="cmake g++ make googletest mingw-w64 wine wine64 xvfb xdotool x11-utils
imagemagick fonts-wqy-microhei libchm-bin timidity fluid-soundfont-gm sox nsis
clang lld llvm"
missing=""
for p in $pkgs; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
        missing="$missing $p"
done
# chmcmd comes from a versioned Free Pascal package; the command is what counts.
command -v chmcmd >/dev/null 2>&1 || missing="$missing fp-utils"

[ -z "$missing" ] && exit 0

echo "Installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# shellcheck disable=SC2086
$sudo apt-get install -y -qq $missing
