#!/bin/sh
# The read-me's pictures of the alarm window (a repeating alarm) and the
# alert, cut from the gallery's shots and kept small:
#   tools/docs_pictures.sh BUILD_DIR
set -eu
tmp=$(mktemp -d /tmp/qv-docs.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
"$(dirname "$0")/gallery.sh" "$1" "$tmp"
docs="$(cd "$(dirname "$0")/../docs" && pwd)"
# Both windows open centred on the gallery's 1024x768 screen.
convert "$tmp/alarm-repeat.png" -crop 230x299+397+234 +repage -strip -colors 96 PNG8:"$docs/alarm.png"
# The alert is a rounded shape: what lies around it is made transparent.
convert "$tmp/alert.png" -crop 250x150+381+301 +repage \
    \( -size 250x150 xc:black -fill white -draw "roundrectangle 0,0 249,149 25,75" \) \
    -alpha off -compose CopyOpacity -composite -strip -colors 64 PNG8:"$docs/alert.png"
ls -l "$docs/alarm.png" "$docs/alert.png"
