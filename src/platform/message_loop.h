#pragma once
// What the program's message loop does with each message before it is
// dispatched. The window tests pump through the same code.

#include <windows.h>

namespace qv {

// True when the message was used up as a dialog key.
bool handleDialogKeys(MSG& msg);

// Translates and dispatches, unless a dialog key used it up.
void dispatch(MSG& msg);

}  // namespace qv
