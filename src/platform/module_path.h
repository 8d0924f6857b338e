#pragma once

#include <string>

namespace qv {

// The folder of the running executable, without a trailing backslash
// unless it is a drive's root ("C:\").
std::wstring programFolder();

// The running executable's file name, e.g. "qorvane.exe".
std::wstring programFileName();

// The short (8.3) form of an existing path; empty where there is none (the
// path does not exist, or its volume keeps no short names).
std::wstring shortPathOf(const std::wstring& path);

}  // namespace qv
