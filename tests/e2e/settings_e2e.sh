#!/bin/sh
# The settings window from outside: open it from the face menu, switch starting at logon on and off and
# see the entry come and go in the prefix's registry, close it with "确定". Nothing touches the clock.
. "$(dirname "$0")/e2e_lib.sh"

run_key='HKCU\software\microsoft\windows\CurrentVersion\Run'
run_entry() { wine reg query "$run_key" /v myexe 2>/dev/null | tr -d '\r'; }

# The face is the run's first program: a window program starting while a console tool brings up
# Wine's services was seen to end before its face. The entry is read only when the settings window opens.
start_app
wine reg delete "$run_key" /v myexe /f >/dev/null 2>&1

# Face menu, fourth line: "系统设置"; a 297 x 404 client in the frame Wine draws (3 px, 20 px caption).
choose_from_menu 937 40 56
await_window 303x427 "the settings window"
shot settings
set -- $(xywh "$(geometry "$win")")
cx=$(($1 + 3)); cy=$(($2 + 23))

# "随计算机启动运行" on: the quoted path of this copy under the Run key.
click $((cx + 16)) $((cy + 384)) 1
poll 'run_entry | grep -q "REG_SZ *\".*qorvane.exe\"$"' 50 || fail "no quoted start-up entry: $(run_entry)"
# And off again: the value is gone.
click $((cx + 16)) $((cy + 384)) 1
poll '! run_entry | grep -q myexe' 50 || fail "the start-up entry stayed: $(run_entry)"

# "确定" at the bottom closes the window.
click $((cx + 216)) $((cy + 380)) 1
poll '! window_of_size 303x427' 50 || fail "确定 did not close the settings window"
leave 937 40
echo "PASS"
