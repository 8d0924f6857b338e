#pragma once
// How the program starts: one copy per user session, and the one command
// line it reads, the elevated step that sets the computer's clock.

#include <optional>
#include <string>

#include "core/localtime.h"

namespace qv {

// Creating the named one-copy lock gave `lastError`. A copy exists when the
// lock already existed, and also when creating it was refused: a copy
// running with administrator rights owns a lock this one may not open.
bool anotherCopyRuns(unsigned long lastError);

// The command line without the program's own name (quoted or not).
std::wstring argumentsOf(const std::wstring& commandLine);

struct SetClockRequest {
    LocalTime asked;          // the date and time the user asked for...
    long long askedAtMs = 0;  // ...at this reading of the steady clock
};

// "/setclock 2026-12-07 10:30:00.000 123456789"
std::wstring setClockArguments(const SetClockRequest& request);
// The arguments begin with "/setclock" (any letter case): this start is the
// elevated step and nothing else, even when the rest is malformed. Run with
// "runas", a clock started instead would run as administrator for weeks.
bool isSetClockStep(const std::wstring& arguments);
// Exactly that form, with a real date and time; nullopt for anything else.
std::optional<SetClockRequest> parseSetClockArguments(const std::wstring& arguments);

// What the clock must read now, `nowMs` on the steady clock: the time asked
// for, moved on by the time the consent prompt took. Nullopt when the steady
// clock went back (a restart in between) or more than an hour passed.
std::optional<LocalTime> clockTargetAt(const SetClockRequest& request, long long nowMs);

}  // namespace qv
