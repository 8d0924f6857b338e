#!/bin/sh
# Fails listing every #include "..." under SRC (default src) that its folder
# may not include: app on top, then the window and feature folders, then
# platform, then core. A folder-to-folder entry below a feature is there
# because the code needs it today.
#
# folder    may include (a trailing / takes the whole folder; resource.h and
#           qv_version.h are the resource script's and the build's own)
rules='
app       app/ about/ alarm/ face/ settings/ tray/ store/ platform/ core/ resource.h
face      face/ tray/ platform/ core/ resource.h
alarm     alarm/ store/ platform/ core/ resource.h
settings  settings/ store/ platform/ core/
about     about/ platform/ core/ resource.h qv_version.h
tray      tray/ platform/ core/
store     store/ core/
platform  platform/ core/ resource.h
core      core/
'
src=${1:-src}
bad=$(
  for dir in "$src"/*/; do
    folder=$(basename "$dir")
    allowed=$(printf '%s\n' "$rules" | awk -v f="$folder" '$1 == f { sub(/^[^ ]+ +/, ""); print }')
    if [ -z "$allowed" ]; then
      echo "$dir: folder not in the table"
      continue
    fi
    grep -rn '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$dir" |
      while IFS= read -r hit; do
        target=$(printf '%s\n' "$hit" | sed 's/^[^"]*"\([^"]*\)".*/\1/')
        ok=
        for prefix in $allowed; do
          case $prefix in
            */) case $target in "$prefix"*) ok=1 ;; esac ;;
            *) [ "$target" = "$prefix" ] && ok=1 ;;
          esac
        done
        [ -n "$ok" ] || echo "$hit  ($folder may include: $allowed)"
      done
  done
)
if [ -n "$bad" ]; then
  printf 'Includes against the layers:\n%s\n' "$bad"
  exit 1
fi
