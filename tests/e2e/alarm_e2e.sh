#!/bin/sh
# An alarm from end to end with the real clock: set it a few seconds ahead from the face menu, hide the
# window, see the alert at that second, press Enter on its "我知道了" and see the alarm window again.
. "$(dirname "$0")/e2e_lib.sh"

start_app
arm 12
shot alarm-set
hide
await_alert
shot alert
acknowledge "the alert"
shot alarm-after
leave 937 40
echo "PASS"
