#include "alarm/repeat_chooser.h"

#include <oleacc.h>

#include <utility>

#include "core/repeat_rule.h"
#include "core/screen_units.h"
#include "platform/contrast.h"
#include "platform/decode.h"
#include "platform/gdi.h"

namespace qv {
namespace {

constexpr const wchar_t* kDayNames[7] = {L"星期一", L"星期二", L"星期三", L"星期四", L"星期五", L"星期六", L"星期日"};
constexpr const wchar_t* kDayChips[7] = {L"一", L"二", L"三", L"四", L"五", L"六", L"日"};
constexpr unsigned kPresets[] = {kOnce, kEveryDay, kMondayToFriday};
// The picture buttons' colours: their blue text, the panel's green.
constexpr COLORREF kText = RGB(0, 51, 153), kEdge = RGB(60, 140, 90), kOff = RGB(246, 252, 246),
                   kOn = RGB(70, 165, 95), kOnText = RGB(255, 255, 255);

// Monday first on the screen, as the mask counts from Sunday.
constexpr unsigned bitOf(int day) { return 1u << ((day + 1) % 7); }

}  // namespace

bool RepeatChooser::Create(HINSTANCE instance, HWND parent, std::function<void(HDC, const RECT&)> paintBackground)
{
    paintBackground_ = std::move(paintBackground);
    registerClass(instance, L"qorvane.RepeatChooser");
    return create(instance, L"qorvane.RepeatChooser", L"重复", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 1, 1,
                  parent);
}

void RepeatChooser::place(const RECT& px, HFONT font, int dpi)
{
    font_ = font;
    dpi_ = dpi;
    ::SetWindowPos(hwnd(), nullptr, px.left, px.top, px.right - px.left, px.bottom - px.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void RepeatChooser::setMask(unsigned mask)
{
    mask_ = mask & kRepeatBits;
    ::InvalidateRect(hwnd(), nullptr, FALSE);
    ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, hwnd(), OBJID_CLIENT, CHILDID_SELF);
}

RECT RepeatChooser::caption() const
{
    RECT rc{};
    ::GetClientRect(hwnd(), &rc);
    return {0, 0, scalePixels(30, dpi_), rc.bottom};
}

RECT RepeatChooser::chip(int day) const
{
    RECT rc{};
    ::GetClientRect(hwnd(), &rc);
    const int left = scalePixels(30, dpi_), gap = scalePixels(3, dpi_);
    const int width = (rc.right - left - 6 * gap) / 7;
    const int x = left + day * (width + gap);
    return {x, 0, x + width, rc.bottom};
}

void RepeatChooser::toggle(int day)
{
    focusDay_ = day;
    setMask(mask_ ^ bitOf(day));
    ::NotifyWinEvent(EVENT_OBJECT_STATECHANGE, hwnd(), OBJID_CLIENT, day + 1);
}

void RepeatChooser::stepPreset(int direction)
{
    int at = 0;
    for (int i = 0; i < 3; ++i)
        if (kPresets[i] == mask_)
            at = i;
    setMask(kPresets[(at + direction + 3) % 3]);
}

void RepeatChooser::paint(HDC dc) const
{
    RECT rc{};
    ::GetClientRect(hwnd(), &rc);
    if (paintBackground_)
        paintBackground_(dc, rc);
    SaveDcGuard save(dc);
    ::SelectObject(dc, font_);
    const bool contrast = systemLabelColours();
    useLabelColours(dc, RGB(0, 0, 0));  // as the window's other labels
    RECT c = caption();
    ::DrawTextW(dc, L"重复", -1, &c, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    ::SetBkMode(dc, TRANSPARENT);
    const int round = scalePixels(6, dpi_);
    for (int day = 0; day < 7; ++day) {
        const bool on = (mask_ & bitOf(day)) != 0;
        const COLORREF fill = contrast ? ::GetSysColor(on ? COLOR_HIGHLIGHT : COLOR_WINDOW) : on ? kOn : kOff;
        const COLORREF edge = contrast ? ::GetSysColor(COLOR_WINDOWTEXT) : kEdge;
        const COLORREF text =
            contrast ? ::GetSysColor(on ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT) : on ? kOnText : kText;
        UniqueHbrush brush(::CreateSolidBrush(fill));
        UniqueHpen pen(::CreatePen(PS_SOLID, 1, edge));
        SelectGuard b(dc, brush.get()), p(dc, pen.get());
        RECT r = chip(day);
        ::RoundRect(dc, r.left, r.top, r.right, r.bottom, round, round);
        ::SetTextColor(dc, text);
        ::DrawTextW(dc, kDayChips[day], -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        if (day == focusDay_ && ::GetFocus() == hwnd()) {
            ::InflateRect(&r, -2, -2);
            ::SetTextColor(dc, RGB(0, 0, 0));
            ::SetBkColor(dc, RGB(255, 255, 255));
            ::DrawFocusRect(dc, &r);
        }
    }
}

long RepeatChooser::accessibleRole() const
{
    return ROLE_SYSTEM_GROUPING;
}

std::optional<std::wstring> RepeatChooser::accessibleName() const
{
    const std::wstring rule = repeatText(mask_);
    return L"重复：" + (rule.empty() ? std::wstring(L"一次") : rule);
}

AccessibleSource::Element RepeatChooser::element(long id) const
{
    const int day = static_cast<int>(id) - 1;
    const long state = STATE_SYSTEM_FOCUSABLE | ((mask_ & bitOf(day)) ? STATE_SYSTEM_CHECKED : 0) |
                       (day == focusDay_ && ::GetFocus() == hwnd() ? STATE_SYSTEM_FOCUSED : 0);
    return {ROLE_SYSTEM_CHECKBUTTON, state, kDayNames[day], {}, L"切换", chip(day)};
}

void RepeatChooser::doElementAction(long id)
{
    toggle(static_cast<int>(id) - 1);
}

LRESULT RepeatChooser::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (const std::optional<LRESULT> answered = accessible_.onMessage(hwnd(), msg, wParam, lParam))
        return *answered;
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_LEFT:
        case VK_RIGHT:
            focusDay_ = (focusDay_ + (wParam == VK_LEFT ? 6 : 1)) % 7;
            ::InvalidateRect(hwnd(), nullptr, FALSE);
            ::NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd(), OBJID_CLIENT, focusDay_ + 1);
            return 0;
        case VK_UP:
        case VK_DOWN:
            stepPreset(wParam == VK_DOWN ? 1 : -1);
            return 0;
        case VK_SPACE:
            toggle(focusDay_);
            return 0;
        default:
            break;
        }
        break;
    case WM_CHAR:
        if (wParam == L' ')
            return 0;  // taken at the key: no beep
        break;
    case WM_LBUTTONDOWN: {
        const POINT p = pointFromLParam(lParam);
        ::SetFocus(hwnd());
        RECT c = caption();
        if (::PtInRect(&c, p))
            stepPreset(1);
        for (int day = 0; day < 7; ++day) {
            RECT r = chip(day);
            if (::PtInRect(&r, p))
                toggle(day);
        }
        return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        ::InvalidateRect(hwnd(), nullptr, FALSE);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PaintDc p(hwnd());
        // Whole, off screen: the chips sit on the gradient.
        RECT rc{};
        ::GetClientRect(hwnd(), &rc);
        Canvas canvas;
        if (canvas.resize(p.dc(), rc.right, rc.bottom)) {
            paint(canvas.dc());
            ::BitBlt(p.dc(), 0, 0, rc.right, rc.bottom, canvas.dc(), 0, 0, SRCCOPY);
        }
        return 0;
    }
    case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        break;
    }
    return defaultProc(msg, wParam, lParam);
}

}  // namespace qv
