#include "fakes.h"

#include <commctrl.h>

#include <cwchar>

#include "app/seconds.h"
#include "platform/message_loop.h"

namespace qv::test {

namespace {

std::int64_t wallMs(const LocalTime& t)
{
    return absoluteSeconds(t) * 1000 + t.millisecond;
}

void passTo(FakeClock& c, const LocalTime& next)
{
    const std::int64_t passed = wallMs(next) - wallMs(c.time);
    c.steady += passed > 0 ? passed : 0;
    c.time = next;
}

}  // namespace

LocalTime FakeClock::now()
{
    const LocalTime reading = time;
    if (!later.empty()) {
        passTo(*this, later.front());
        later.pop_front();
    }
    return reading;
}

void FakeClock::set(int y, int mo, int d, int weekday, int h, int mi, int s, int ms)
{
    passTo(*this, LocalTime{y, mo, d, h, mi, s, ms, weekday});
}

void FakeClock::jump(int y, int mo, int d, int weekday, int h, int mi, int s, std::int64_t elapsedMs)
{
    time = LocalTime{y, mo, d, h, mi, s, 0, weekday};
    steady += elapsedMs;
}

std::uint32_t FakeDrives::logicalDrives()
{
    std::uint32_t mask = 0;
    for (const auto& [letter, type] : types)
        mask |= 1u << (letter - 'A');
    return mask;
}

int FakeDrives::driveType(char letter)
{
    const auto it = types.find(letter);
    return it == types.end() ? DRIVE_NO_ROOT_DIR : it->second;
}

bool RecordingPower::wakeAt(const LocalTime& t)
{
    wchar_t text[40] = {};
    std::swprintf(text, 40, L"wake %04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    calls.push_back(text);
    return true;
}

bool RecordingTray::notifyIcon(DWORD message, const NOTIFYICONDATAW& data)
{
    calls.push_back(TrayCall{message, data});
    switch (message) {
    case NIM_ADD:
        if (refuseAdds > 0) {
            --refuseAdds;
            iconUp = iconUp || upDespiteRefusal;
            return false;
        }
        if (iconUp)
            return false;
        iconUp = true;
        return true;
    case NIM_DELETE: {
        const bool was = iconUp;
        iconUp = false;
        return was;
    }
    default:
        return iconUp;
    }
}

std::vector<DWORD> RecordingTray::messages() const
{
    std::vector<DWORD> out;
    for (const TrayCall& c : calls)
        out.push_back(c.message);
    return out;
}

UINT ScriptedInput::trackPopupMenu(HMENU menu, HWND, const POINT* at)
{
    menusShown.push_back(menu);
    menuPlaces.push_back(at ? std::optional<POINT>(*at) : std::nullopt);
    if (answers.empty())
        return 0;
    const UINT cmd = answers.front();
    answers.pop_front();
    return cmd;
}

void pumpMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        dispatch(msg);
}

std::wstring menuCaption(HMENU menu, UINT position)
{
    wchar_t text[64] = {};
    const int n = ::GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    return std::wstring(text, n > 0 ? n : 0);
}

std::wstring toolText(HWND tooltip, HWND owner)
{
    wchar_t text[80] = {};
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = owner;
    ti.uId = 1;
    ti.lpszText = text;
    ::SendMessageW(tooltip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&ti));
    return text;
}

std::pair<int, int> clientSize(HWND w)
{
    RECT r{};
    ::GetClientRect(w, &r);
    return {r.right, r.bottom};
}

std::string regionMisses(HWND w, std::initializer_list<POINT> inside, std::initializer_list<POINT> outside)
{
    HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
    if (::GetWindowRgn(w, rgn) == ERROR) {
        ::DeleteObject(rgn);
        return "no region";
    }
    std::string misses;
    for (bool in : {true, false})
        for (POINT p : in ? inside : outside)
            if (static_cast<bool>(::PtInRegion(rgn, p.x, p.y)) != in)
                misses += std::to_string(p.x) + "," + std::to_string(p.y) + " ";
    ::DeleteObject(rgn);
    return misses;
}

PrintedClient::PrintedClient(HWND hwnd)
{
    RECT rc{};
    ::GetClientRect(hwnd, &rc);
    width_ = rc.right;
    height_ = rc.bottom;
    HDC screen = ::GetDC(hwnd);
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, width_, height_);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    ::SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
    pixels_.resize(static_cast<std::size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            pixels_[static_cast<std::size_t>(y) * width_ + x] = ::GetPixel(mem, x, y);
    ::SelectObject(mem, old);
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    ::ReleaseDC(hwnd, screen);
}

COLORREF PrintedClient::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

bool PrintedClient::shows(int x, int y, int radius, COLORREF colour) const
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (at(x + dx, y + dy) == colour)
                return true;
    return false;
}

}  // namespace qv::test
