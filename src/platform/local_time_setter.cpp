#include "platform/local_time_setter.h"

#include "platform/ui_text.h"
#include "platform/unique_handle.h"

namespace qv {
namespace {

// Held but disabled by default for ordinary users on some systems;
// enabling it where the token has it saves a needless refusal.
void enablePrivilege()
{
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw))
        return;
    const UniqueHandleK token(raw);
    TOKEN_PRIVILEGES tp{};
    tp.PrivilegeCount = 1;
    tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (::LookupPrivilegeValueW(nullptr, SE_SYSTEMTIME_NAME, &tp.Privileges[0].Luid))
        ::AdjustTokenPrivileges(token.get(), FALSE, &tp, sizeof tp, nullptr, nullptr);
}

BOOL WINAPI systemSetLocalTime(const SYSTEMTIME* st)
{
    return ::SetLocalTime(st);
}

}  // namespace

LocalTimeSetter::LocalTimeSetter(SetFn set) : set_(set ? set : &systemSetLocalTime) {}

bool LocalTimeSetter::setLocalTime(const LocalTime& t)
{
    enablePrivilege();
    const SYSTEMTIME st = toSystemTime(t);
    // Windows converts with the summer-time state of the moment of the call;
    // the second call, made in the new state, lands on the time asked for.
    return set_(&st) != FALSE && set_(&st) != FALSE;
}

}  // namespace qv
