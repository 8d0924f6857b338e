#pragma once
// Administrator rights, for setting the clock, as Windows grants them.

#include "platform/services.h"

namespace qv {

class WinElevation final : public IElevation {
public:
    bool maySetClock() override;
    void setClockElevated(HWND notify, UINT message, const LocalTime& asked, std::int64_t askedAtMs) override;
    void allowFromFewerRights(HWND window, UINT message) override;
};

// Exit codes of the elevated step.
enum SetClockExit : DWORD { kClockSet = 0, kClockRefused = 1, kBadRequest = 2 };

}  // namespace qv
