#include "platform/monitors.h"

#include <algorithm>

#include "platform/dpi.h"
#include "platform/late_bound.h"

namespace qv {
namespace {

PxRect toPxRect(const RECT& r)
{
    return PxRect{r.left, r.top, r.right, r.bottom};
}

struct Found {
    Monitors list;
    int primaryIndex = -1;
};

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    Found& found = *reinterpret_cast<Found*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoW(monitor, &info))
        return TRUE;
    UINT dpiX = 0, dpiY = 0;
    const int dpi = SUCCEEDED(late::GetDpiForMonitor(monitor, &dpiX, &dpiY)) && dpiX != 0
                        ? static_cast<int>(dpiX)
                        : dpiForWindow(nullptr);
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        found.primaryIndex = static_cast<int>(found.list.size());
    found.list.push_back({toPxRect(info.rcMonitor), toPxRect(info.rcWork), dpi});
    return TRUE;
}

}  // namespace

Monitors connectedMonitors()
{
    Found found;
    ::EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&found));
    // A tie for the nearest goes to the first listed: let that be the primary.
    if (found.primaryIndex > 0)
        std::rotate(found.list.begin(), found.list.begin() + found.primaryIndex,
                    found.list.begin() + found.primaryIndex + 1);
    return std::move(found.list);
}

}  // namespace qv
