#!/bin/sh
# Release packages from a finished Windows build: a zip to unpack anywhere
# and a per-user installer. Needs makensis (Debian: nsis) and /usr/bin/python3;
# no display and no Wine.
# Usage: tools/dist.sh BUILD_DIR OUT_DIR
set -eu

die() { echo "dist: $*" >&2; exit 1; }

[ $# -eq 2 ] || die "usage: $0 BUILD_DIR OUT_DIR"
top=$(cd "$(dirname "$0")/.." && pwd)
[ -d "$1" ] || die "no build folder: $1"
build=$(cd "$1" && pwd)
out=$2

# The version the build's exe carries (project() in CMakeLists.txt), not
# that of the sources, which may have moved on.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
[ -n "$version" ] || die "no version: $build/CMakeCache.txt lacks CMAKE_PROJECT_VERSION"

missing=""
for f in "$build/qorvane.exe" "$build/image/help.chm" "$build/image/1.mid" \
         "$top/installer/readme.txt" "$top/installer/qorvane.nsi" "$top/res/qorvane.ico"; do
    [ -s "$f" ] || missing="$missing
  $f"
done
[ -z "$missing" ] || die "missing or empty input:$missing"
# Notepad before Windows 10 shows it right only so; git settings can change both.
readme="$top/installer/readme.txt"
cr=$(printf '\r')
[ "$(head -c 3 "$readme" | od -An -tx1 | tr -d ' \n')" = efbbbf ] &&
    [ "$(grep -c "$cr\$" "$readme")" -eq "$(wc -l <"$readme")" ] ||
    die "$readme must be UTF-8 with a BOM and CRLF line endings"
grep -q '@VERSION@' "$readme" || die "$readme has no @VERSION@ for the version"
command -v makensis >/dev/null 2>&1 || die "makensis not found (Debian package: nsis)"
[ -x /usr/bin/python3 ] || die "/usr/bin/python3 not found"

mkdir -p "$out"
out=$(cd "$out" && pwd)
zip="$out/qorvane-$version-win64.zip"
setup="$out/qorvane-$version-setup.exe"
tmp=$(mktemp -d /tmp/qorvane-dist.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
trap 'exit 130' INT TERM

# The readme as shipped: byte for byte the source but for the version.
LC_ALL=C sed "s/@VERSION@/$version/g" "$readme" >"$tmp/readme.txt"

# Entry times from the last commit, so the same sources give the same zip.
stamp=${SOURCE_DATE_EPOCH:-$(git -C "$top" log -1 --format=%ct 2>/dev/null || true)}
[ -n "$stamp" ] || stamp=$(date -r "$build/qorvane.exe" +%s)

/usr/bin/python3 - "$tmp/zip" "$stamp" "qorvane-$version" \
    "$build/qorvane.exe" "qorvane.exe" \
    "$build/image/help.chm" "image/help.chm" \
    "$build/image/1.mid" "image/1.mid" \
    "$tmp/readme.txt" "读我.txt" <<'PY'
import sys, time, zipfile
dest, stamp, root = sys.argv[1], int(sys.argv[2]), sys.argv[3]
pairs = list(zip(sys.argv[4::2], sys.argv[5::2]))
# Zip times carry no zone (UTC here) and start in 1980.
when = time.gmtime(max(stamp, 315532800))[:6]

def entry(name, mode):
    info = zipfile.ZipInfo(name, when)
    info.external_attr = mode << 16
    if name.endswith("/"):
        info.external_attr |= 0x10  # MS-DOS directory bit
    else:
        info.compress_type = zipfile.ZIP_DEFLATED
    return info

with zipfile.ZipFile(dest, "w") as z:
    z.writestr(entry(root + "/", 0o40755), b"")
    z.writestr(entry(root + "/image/", 0o40755), b"")
    for src, name in pairs:
        with open(src, "rb") as f:
            # Non-ASCII names get the UTF-8 flag, which Windows' own unzip honours.
            z.writestr(entry(root + "/" + name, 0o100644), f.read(), compresslevel=9)
PY

makensis -V2 -DVERSION="$version" -DSRCDIR="$build" -DTOPDIR="$top" -DREADMEFILE="$tmp/readme.txt" \
    -DOUTFILE="$tmp/${setup##*/}" "$top/installer/qorvane.nsi" ||
    die "makensis failed"

mv -f "$tmp/zip" "$zip"
mv -f "$tmp/${setup##*/}" "$setup"
echo "$zip"
echo "$setup"
