#!/bin/sh
# Opens the built help file and checks that it holds every page, its table of
# contents and index, and that each page is the Chinese page it should be.
#   help_check.sh HELP.CHM
set -u
chm="$1"
fail() { echo "help_check: $*" >&2; exit 1; }
[ -s "$chm" ] || fail "no help file at $chm"
command -v extract_chmLib >/dev/null 2>&1 || fail "extract_chmLib is not installed"

out=$(mktemp -d /tmp/qorvane-help.XXXXXX) || fail "no temporary folder"
trap 'rm -rf "$out"' EXIT
extract_chmLib "$chm" "$out" >/dev/null 2>&1 || fail "cannot open $chm"

[ -s "$out/toc.hhc" ] || fail "no table of contents"
[ -s "$out/index.hhk" ] || fail "no keyword index"
[ -s "$out/style.css" ] || fail "no style sheet"
for page in index face hide alarm alert datetime startup cdrom exit about; do
    f="$out/$page.html"
    [ -s "$f" ] || fail "page $page.html is missing"
    grep -q 'charset=utf-8' "$f" || fail "$page.html does not declare its encoding"
    grep -q '墨蝉小闹钟\|闹钟\|钟面' "$f" || fail "$page.html is not the help text"
    [ "$page" = index ] || grep -q 'href="index.html"' "$f" || fail "$page.html has no way back"
    grep -q "\"$page.html\"" "$out/toc.hhc" || fail "$page.html is not in the contents"
done
grep -q '管理员' "$out/datetime.html" || fail "the date and time page does not mention administrator rights"
echo "help_check: $(ls "$out"/*.html | wc -l) pages OK"
