#pragma once
// A crash ends the program through Windows' fail-fast, not the C runtime's
// abort(): Windows Error Reporting sees it and the restart the program
// registers applies, where abort() shows a box and exits with 3, which
// Windows takes for an ordinary exit.

namespace qv {

// Call first: an uncaught exception, std::terminate, a pure virtual call
// and abort() then end the process as a crash. fail_fast.cpp is built into
// each executable, not taken from a library: under libstdc++ its handler
// must be linked before the library's own.
void failFastOnCrash();

}  // namespace qv
