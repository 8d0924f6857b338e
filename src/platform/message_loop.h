#pragma once
// What the program's message loop does with each message before it is
// dispatched. The window tests pump through the same code.

#include <windows.h>

namespace qv {

// Gives the active window of ours the dialog keys (Tab, Enter on a button,
// Esc) when it takes them; otherwise translates and dispatches.
void dispatch(MSG& msg);

// GetTickCount64 of the last key pressed in any window of ours.
unsigned long long lastKeyMs();

}  // namespace qv
