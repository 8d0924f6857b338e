#!/bin/sh
# A crash ends through Windows' fail-fast path, never a box: Wine gives STATUS_FAIL_FAST_EXCEPTION,
# 0xC0000602 (the shell sees its low byte, 2), where abort() gives 3; wait_exit kills a probe held up.
. "$(dirname "$0")/e2e_lib.sh"
for how in throw pure abort; do
    wine "$build/crash_probe.exe" $how & APP_PID=$!
    wait_exit $APP_PID 2 "the probe's crash by $how"
done
