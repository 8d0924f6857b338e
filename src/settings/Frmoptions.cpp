#include "settings/Frmoptions.h"

#include <commctrl.h>
#include <oleacc.h>
#include <uxtheme.h>

#include <utility>

#include "core/Modmain.h"
#include "core/screen_units.h"
#include "platform/contrast.h"
#include "platform/dpi.h"
#include "platform/late_bound.h"
#include "platform/ui_text.h"
#include "settings/settings_rules.h"

namespace qv {
namespace {

// Posted when a time box loses the focus: by then the focus has landed, and
// a window being destroyed gets no posted message at all.
constexpr UINT kBoxLeft = WM_APP + 1;
constexpr UINT kElevatedDone = WM_APP + 2;
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr LONG kFratimeX = 120, kFratimeY = 600, kFradateX = 120, kFradateY = 2280;

RECT in(LONG x0, LONG y0, RECT r)
{
    return RECT{x0 + r.left, y0 + r.top, r.right, r.bottom};
}

int largestOf(int id)
{
    return id == Frmoptions::Comh ? 23 : 59;
}

}  // namespace

Frmoptions::Frmoptions(Services services, std::wstring programPath)
    : services_(services), programPath_(std::move(programPath))
{
}

Clsreg& Frmoptions::reg()
{
    if (!reg_)
        reg_.emplace(*services_.registry, programPath_);
    return *reg_;
}

std::wstring Frmoptions::text(Id id) const
{
    return windowText(item(id));
}

HWND Frmoptions::add(const wchar_t* cls, const wchar_t* caption, DWORD style, Id id, RECT t,
                     bool big, int listHeightPx)
{
    HWND c = ::CreateWindowExW(0, cls, caption, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, hwnd(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    placed_.push_back({c, t, big, listHeightPx});
    return c;
}

void Frmoptions::layout(int dpi)
{
    UniqueHfont font = createSongti(9, dpi);
    // 14.25 pt: the size a 19-pixel character has at 96 DPI.
    UniqueHfont big(::CreateFontW(-pointsToPixels(14.25, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                  GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, L"宋体"));
    for (const Placed& p : placed_) {
        const RECT r = twipBoxToPixels(p.twips, dpi);
        // A combo box's height includes its drop-down list.
        ::SetWindowPos(p.hwnd, nullptr, r.left, r.top, r.right - r.left,
                       r.bottom - r.top + scalePixels(p.listHeightPx, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
        ::SendMessageW(p.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(p.big ? big.get() : font.get()), TRUE);
    }
    // The old fonts go only once no control uses them.
    font_ = std::move(font);
    bigFont_ = std::move(big);
}

bool Frmoptions::Load(HINSTANCE instance)
{
    late::initCommonControls();
    instance_ = instance;
    if (!createCentred(instance, kClassName, L"系统设置", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                       WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, 4455, 6060))
        return false;
    background_.reset(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE)));
    constexpr bool f = false, big = true;

    // What takes no focus first; then the rest in focus order, which is
    // the order the dialog keys walk.
    add(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, Labnow, {120, 120, 3615, 255}, f);
    // A frame draws its own caption in the button text colour whatever it is
    // asked; the blue captions are labels laid over the frames' top edge.
    add(L"BUTTON", L"", BS_GROUPBOX, Fratime, {kFratimeX, kFratimeY, 4095, 1575}, f);
    add(L"BUTTON", L"", BS_GROUPBOX, Fradate, {kFradateX, kFradateY, 4095, 3135}, f);
    add(L"STATIC", L"时间设置", SS_LEFT | SS_NOPREFIX, FratimeCaption, {kFratimeX + 120, kFratimeY - 15, 900, 210}, f);
    add(L"STATIC", L"日期设置", SS_LEFT | SS_NOPREFIX, FradateCaption, {kFradateX + 120, kFradateY - 15, 900, 210}, f);
    add(L"STATIC", L"点", SS_LEFT, Labh, in(kFratimeX, kFratimeY, {960, 480, 285, 285}), big);
    add(L"STATIC", L"分", SS_LEFT, Labm, in(kFratimeX, kFratimeY, {2160, 480, 285, 285}), big);
    add(L"STATIC", L"秒", SS_LEFT, Labs, in(kFratimeX, kFratimeY, {3360, 480, 285, 285}), big);

    const DWORD combo = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;
    add(L"COMBOBOX", L"", combo, Comh, in(kFratimeX, kFratimeY, {240, 480, 735, 300}), f, 200);
    add(L"COMBOBOX", L"", combo, Comm, in(kFratimeX, kFratimeY, {1320, 480, 735, 300}), f, 200);
    add(L"COMBOBOX", L"", combo, Coms, in(kFratimeX, kFratimeY, {2520, 480, 735, 300}), f, 200);
    add(L"BUTTON", L"确定", BS_PUSHBUTTON | WS_TABSTOP, Cmdsettime, in(kFratimeX, kFratimeY, {240, 960, 1215, 375}), f);
    add(L"BUTTON", L"取消", BS_PUSHBUTTON | WS_TABSTOP, Cmdtime, in(kFratimeX, kFratimeY, {2280, 960, 1215, 375}), f);
    HWND chkrun = add(L"BUTTON", L"随计算机启动运行", BS_AUTOCHECKBOX | WS_TABSTOP, Chkrun, {120, 5640, 2055, 255}, f);
    add(L"BUTTON", L"确定", BS_PUSHBUTTON | WS_TABSTOP, Cmdok, {2280, 5520, 1935, 375}, f);
    add(L"BUTTON", L"确定", BS_PUSHBUTTON | WS_TABSTOP, Cmdsetdate, in(kFradateX, kFradateY, {360, 2640, 1215, 375}), f);
    add(L"BUTTON", L"取消", BS_PUSHBUTTON | WS_TABSTOP, Cmddate, in(kFradateX, kFradateY, {2280, 2640, 1215, 375}), f);
    // The unit stands after its box, where the system does not look for a label.
    int named = 0;
    for (const auto& [box, unit] : {std::pair{Comh, L"点"}, std::pair{Comm, L"分"}, std::pair{Coms, L"秒"}}) {
        boxNames_[named++].attach(item(box), unit, ROLE_SYSTEM_COMBOBOX);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (::GetComboBoxInfo(item(box), &info))
            boxNames_[named++].attach(info.hwndItem, unit, ROLE_SYSTEM_TEXT);
    }
    // No "today" line: the date frame's own buttons do that, and it would not fit.
    HWND cal = add(MONTHCAL_CLASSW, L"", WS_TABSTOP | WS_BORDER | MCS_NOTODAY, Caldate, in(kFradateX, kFradateY, {120, 360, 3855, 2175}), f);
    // Themed captions ignore the colour asked for; these are drawn plain.
    for (HWND h : {chkrun, cal})
        late::SetWindowTheme(h, L"", L"");
    ::SendMessageW(cal, MCM_SETCOLOR, MCSC_MONTHBK, static_cast<LPARAM>(::GetSysColor(COLOR_BTNFACE)));
    ::SendMessageW(cal, MCM_SETCOLOR, MCSC_BACKGROUND, static_cast<LPARAM>(::GetSysColor(COLOR_BTNFACE)));
    layout(dpi());

    // Without the right to set the clock, each apply is one step with an
    // administrator's consent, and its button says so with the shield.
    needsConsent_ = !services_.elevation->maySetClock();
    for (Id apply : {Cmdsettime, Cmdsetdate})
        ::SendMessageW(item(apply), BCM_SETSHIELD, 0, needsConsent_ ? TRUE : FALSE);

    fillBoxesWithNow();
    showNow();
    for (Id box : {Comh, Comm, Coms}) {
        for (int v = 1; v <= largestOf(box); ++v)
            ::SendMessageW(item(box), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(v).c_str()));
    }
    // Ticked only when Windows will act on it: an entry switched off in Task
    // Manager stays off until the user ticks the box.
    if (reg().startsAtLogon()) {
        // As if clicked: the entry is written again with the same data.
        ::SendMessageW(chkrun, BM_SETCHECK, BST_CHECKED, 0);
        onChkrun();
    }
    ::SendMessageW(item(Cmddate), BM_CLICK, 0, 0);  // the calendar selects today
    ::SetFocus(item(Comh));
    return true;
}

void Frmoptions::fillBoxesWithNow()
{
    const LocalTime now = services_.clock->now();
    ::SetWindowTextW(item(Comh), std::to_wstring(now.hour).c_str());
    ::SetWindowTextW(item(Comm), std::to_wstring(now.minute).c_str());
    ::SetWindowTextW(item(Coms), std::to_wstring(now.second).c_str());
}

void Frmoptions::showNow()
{
    // Built in a kept buffer: the line changes every second and must not
    // allocate. The same text set again would still repaint the whole line.
    nowLine(services_.clock->now(), nextNow_);
    if (nextNow_ != shownNow_) {
        shownNow_.swap(nextNow_);
        ::SetWindowTextW(item(Labnow), shownNow_.c_str());
    }
}

bool Frmoptions::focusMovedWithin(Id box) const
{
    // Another program, the face or the tray took the keyboard: no edit ended,
    // and a box popping up there would steal the focus. Closing checks
    // nothing either: nothing is applied on closing.
    HWND focus = ::GetFocus();
    if (!focus || !::IsChild(hwnd(), focus) || focus == item(Cmdok))
        return false;
    return focus != item(box) && !::IsChild(item(box), focus);
}

void Frmoptions::checkBox(Id box)
{
    if (timeBoxAcceptable(text(box), largestOf(box)))
        return;
    services_.messages->show(hwnd(), kBoxWarning, L"警告！");
    const LocalTime now = services_.clock->now();
    const int value = box == Comh ? now.hour : box == Comm ? now.minute : now.second;
    ::SetWindowTextW(item(box), std::to_wstring(value).c_str());
}

void Frmoptions::apply(const LocalTime& t)
{
    if (needsConsent_) {
        services_.elevation->setClockElevated(hwnd(), kElevatedDone, t, services_.clock->steadyMs());
        return;
    }
    // A refusal is told, never silent; the clock stays as it was.
    if (!services_.systemTime->setLocalTime(t))
        services_.messages->show(hwnd(), kRefusedPrompt, Modmain::ProductTitle);
}

void Frmoptions::applyDate()
{
    SYSTEMTIME picked{};
    if (::SendMessageW(item(Caldate), MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&picked)) == 0)
        return;
    LocalTime t = services_.clock->now();  // the time of day stays
    t.year = picked.wYear;
    t.month = picked.wMonth;
    t.day = picked.wDay;
    apply(t);
}

void Frmoptions::applyTime()
{
    const std::optional<TimeOfDay> tod = wholeTimeOfDay(text(Comh), text(Comm), text(Coms));
    if (!tod) {
        // Let through by the box check (7.5) but no time of day: nothing is applied.
        services_.messages->show(hwnd(), kBoxWarning, L"警告！");
        return;
    }
    LocalTime t = services_.clock->now();  // the date stays
    t.hour = tod->hour;
    t.minute = tod->minute;
    t.second = tod->second;
    t.millisecond = 0;
    apply(t);
}

void Frmoptions::onChkrun()
{
    const LRESULT state = ::SendMessageW(item(Chkrun), BM_GETCHECK, 0, 0);
    if (state != BST_CHECKED && state != BST_UNCHECKED)
        return;
    const bool wanted = state == BST_CHECKED;
    if (wanted)
        reg().setreg();
    else
        reg().delreg();
    // The box shows what is stored, not what was asked: a locked key would
    // otherwise leave it promising a start that never comes.
    if (reg().startsAtLogon() == wanted)
        return;
    ::SendMessageW(item(Chkrun), BM_SETCHECK, wanted ? BST_UNCHECKED : BST_CHECKED, 0);
    services_.messages->show(hwnd(), wanted ? kRunNotAdded : kRunNotRemoved, Modmain::ProductTitle);
}

LRESULT Frmoptions::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam), code = HIWORD(wParam);
        if ((id == Comh || id == Comm || id == Coms) && code == CBN_KILLFOCUS) {
            ::PostMessageW(hwnd(), kBoxLeft, static_cast<WPARAM>(id), 0);
            return 0;
        }
        if (code != BN_CLICKED)
            break;
        switch (id) {
        case Cmdsetdate: applyDate(); break;
        case Cmdsettime: applyTime(); break;
        case Cmdtime: fillBoxesWithNow(); break;
        case Cmddate: {
            SYSTEMTIME today = toSystemTime(services_.clock->now());
            ::SendMessageW(item(Caldate), MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&today));
            break;
        }
        case Chkrun: onChkrun(); break;
        case Cmdok: ::PostMessageW(hwnd(), WM_CLOSE, 0, 0); break;
        case IDCANCEL: ::PostMessageW(hwnd(), WM_CLOSE, 0, 0); break;  // Esc, as the close box
        default: break;
        }
        return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        const bool blue = id == FratimeCaption || id == FradateCaption || id == Chkrun;
        ::SetTextColor(dc, blue ? labelTextColour(kBlue, COLOR_BTNTEXT, COLOR_BTNFACE) : ::GetSysColor(COLOR_BTNTEXT));
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(background_.get());
    }
    case kElevatedDone:
        // Declined by the user at the prompt: that needs no telling.
        if (static_cast<ElevatedOutcome>(wParam) == ElevatedOutcome::Refused)
            services_.messages->show(hwnd(), kRefusedPrompt, Modmain::ProductTitle);
        return 0;
    case kBoxLeft:
        if (focusMovedWithin(static_cast<Id>(wParam)))
            checkBox(static_cast<Id>(wParam));
        return 0;
    default:
        break;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

}  // namespace qv
