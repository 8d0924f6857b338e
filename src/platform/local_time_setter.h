#pragma once
// The computer's own clock, set from a local date and time.

#include <windows.h>

#include "platform/services.h"

namespace qv {

class LocalTimeSetter final : public ISystemTime {
public:
    using SetFn = BOOL(WINAPI*)(const SYSTEMTIME*);
    // `set` is SetLocalTime unless a test stands in for it.
    explicit LocalTimeSetter(SetFn set = nullptr);
    bool setLocalTime(const LocalTime& t) override;

private:
    SetFn set_;
};

}  // namespace qv
