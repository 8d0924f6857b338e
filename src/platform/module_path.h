#pragma once

#include <string>

namespace qv {

// The folder of the running executable, without a trailing backslash
// unless it is a drive's root ("C:\").
std::wstring programFolder();

// The running executable's file name, e.g. "qorvane.exe".
std::wstring programFileName();

}  // namespace qv
