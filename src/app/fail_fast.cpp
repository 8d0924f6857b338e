#include "app/fail_fast.h"

#include <windows.h>

#include <csignal>
#include <exception>

namespace {

void failFast()
{
    // Windows 7 and later. Windows Error Reporting takes over; never returns.
    ::RaiseFailFastException(nullptr, nullptr, 0);
}

void failFastOnSignal(int)
{
    failFast();
}

}  // namespace

#if defined(__GLIBCXX__)
// libstdc++'s default handler writes the exception's demangled type to a
// console a window program does not have; its demangler was a sixteenth of
// the exe. Defining it here keeps the library's out of the link, and makes
// this the handler from the start, static construction included.
namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    failFast();
}
}  // namespace __gnu_cxx

// GCC's vtables refer to this weakly: with a static link nothing pulls in
// the library's, and a pure virtual call would jump to address 0.
extern "C" void __cxa_pure_virtual()
{
    failFast();
}
#endif

void qv::failFastOnCrash()
{
#if !defined(__GLIBCXX__)
    std::set_terminate(failFast);
#endif
    // The system runtime's abort() may still show its box first, but then
    // ends the process as a crash, not with 3.
    std::signal(SIGABRT, failFastOnSignal);
}
