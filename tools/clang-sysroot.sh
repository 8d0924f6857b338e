#!/bin/sh
# Makes DIR a sysroot of symlinks over Debian's mingw-w64, for clang's
# x86_64-w64-windows-gnu target. clang takes the highest numbered folder under
# lib/gcc/x86_64-w64-mingw32 as GCC's; Debian names it "12-posix", which is no
# number, so clang would find neither libstdc++'s headers nor crtbegin.o.
set -eu
dir="$1"
triple=x86_64-w64-mingw32

# The posix threads variant: the one the mingw-w64 build links against.
libgcc=$("$triple-g++-posix" -print-libgcc-file-name)
gccdir=$(dirname "$libgcc")
ver=$(basename "$gccdir" | sed -n 's/^\([0-9][0-9.]*\).*/\1/p')
if [ ! -f "$libgcc" ] || [ -z "$ver" ]; then
    echo "clang-sysroot: no mingw-w64 GCC folder found ($gccdir)" >&2
    exit 1
fi

# Anew each time: a link left from an older GCC would be taken as newer.
rm -rf "$dir/lib/gcc/$triple"
mkdir -p "$dir/lib/gcc/$triple"
ln -sfn "/usr/$triple" "$dir/$triple"
ln -sfn "$gccdir" "$dir/lib/gcc/$triple/$ver"
