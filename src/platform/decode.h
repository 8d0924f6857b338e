#pragma once
// Message decoders.

#include <windows.h>
#include <windowsx.h>

namespace qv {

// Signed: a monitor left of or above the primary gives negative coordinates,
// which LOWORD/HIWORD would turn into large positive ones.
inline POINT pointFromLParam(LPARAM lParam)
{
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

}  // namespace qv
