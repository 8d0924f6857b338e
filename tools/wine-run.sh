#!/bin/sh
# Test launcher: runs one Windows program under the private prefix on its own
# Xvfb, and stops every process it started, also when the program fails.
set -u
prefix="$1"; shift
. "$(dirname "$0")/winelib.sh"
qv_wine_env "$prefix"
trap qv_cleanup EXIT
trap 'exit 130' INT TERM
qv_start_xvfb || exit 1
wine "$@"
rc=$?
exit $rc
