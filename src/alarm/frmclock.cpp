#include "alarm/frmclock.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <utility>

#include "alarm/alarm_rules.h"
#include "alarm/alarm_texts.h"
#include "alarm/reminder_text.h"
#include "core/Modmain.h"
#include "core/digits.h"
#include "core/screen_units.h"
#include "platform/contrast.h"
#include "platform/decode.h"
#include "platform/dpi.h"
#include "platform/gdi.h"
#include "platform/late_bound.h"
#include "platform/ui_text.h"
#include "resource.h"

namespace qv {
namespace {

constexpr UINT_PTR kBalloonTimer = 2;
constexpr UINT kBalloonMs = 6000;
constexpr RECT kImage1{120, 120, 3210, 375};
constexpr RECT kBoxes[] = {
    {120, 1545, 375, 270},   // txthour
    {1080, 1545, 375, 270},  // txtmin
    {2160, 1545, 375, 270},  // txtsec
    {120, 2400, 3210, 375},  // txtinmsg
};
// Between the alarm line and the buttons, across the window's width.
constexpr RECT kRepeat{120, 3510, 3210, 255};
constexpr POINT kImgok{120, 3840}, kImgcam{1200, 3840}, kImghide{2280, 3840}, kImage2{2960, 120};

void drawStretched(HDC dc, HBITMAP bitmap, const RECT& to)
{
    if (!bitmap)
        return;
    BITMAP info{};
    ::GetObjectW(bitmap, sizeof info, &info);
    UniqueHdc mem(::CreateCompatibleDC(dc));
    SelectGuard select(mem.get(), bitmap);
    ::SetStretchBltMode(dc, HALFTONE);
    ::SetBrushOrgEx(dc, 0, 0, nullptr);
    ::StretchBlt(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, mem.get(), 0, 0,
                 info.bmWidth, info.bmHeight, SRCCOPY);
}

// What a paste into `box` may add within `limit`: the selection it replaces
// makes room.
std::size_t pasteRoom(HWND box, std::size_t limit)
{
    DWORD from = 0, to = 0;
    ::SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    const std::size_t kept = static_cast<std::size_t>(::GetWindowTextLengthW(box)) - (to - from);
    return kept < limit ? limit - kept : 0;
}

// The reminder box as the balloon's one tool.
TTTOOLINFOW balloonTool(HWND owner, HWND box)
{
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_IDISHWND;
    ti.hwnd = owner;
    ti.uId = reinterpret_cast<UINT_PTR>(box);
    return ti;
}

}  // namespace

frmclock::frmclock(Services services, IAlarmOwner& owner, std::wstring helpFile)
    : services_(services), owner_(owner), helpFile_(std::move(helpFile))
{
    constexpr UINT kLine = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;
    labels_[lblshow] = {{120, 720, 1215, 255}, {}, kLine};
    labels_[lbltime] = {{1440, 720, 1455, 255}, {}, kLine};
    labels_[lblsettime] = {{120, 1200, 2295, 255}, {}, kLine};
    labels_[lblhour] = {{600, 1560, 375, 255}, {}, kLine};
    labels_[lblmin] = {{1560, 1560, 375, 255}, {}, kLine};
    labels_[lblsec] = {{2640, 1560, 375, 255}, {}, kLine};
    labels_[lblsetthing] = {{120, 1920, 2295, 255}, {}, kLine};
    labels_[lblshowall] = {{120, 3000, 3135, 495}, {}, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX};
}

RECT frmclock::px(const RECT& twips) const
{
    return twipBoxToPixels(twips, dpi());
}

RECT frmclock::Image1Rect() const
{
    return px(kImage1);
}

bool frmclock::Load(HINSTANCE instance)
{
    late::initCommonControls();
    instance_ = instance;
    if (!createCentred(instance, kClassName, L"闹钟设置", WS_POPUP | WS_CLIPCHILDREN,
                       WS_EX_TOOLWINDOW, 3450, 4485))
        return false;
    panel_.reset(static_cast<HBITMAP>(::LoadImageW(instance, MAKEINTRESOURCEW(IDB_ALARM_PANEL),
                                                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    title_.reset(static_cast<HBITMAP>(::LoadImageW(instance, MAKEINTRESOURCEW(IDB_ALARM_TITLE),
                                                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));

    for (int i = 0; i < kBoxCount; ++i) {
        boxes_[i] = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0,
                                      hwnd(), nullptr, instance, nullptr);
        ::SendMessageW(boxes_[i], EM_SETLIMITTEXT, i == txtinmsg ? kReminderLimit : kTimeBoxLimit, 0);
        late::SetWindowSubclass(boxes_[i], &BoxProc, static_cast<UINT_PTR>(i), reinterpret_cast<DWORD_PTR>(this));
    }
    // After the reminder in the tab order, before the buttons.
    repeat_.Create(instance, hwnd(), [this](HDC dc, const RECT& area) {
        const RECT at = px(kRepeat);
        ::BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, backdrop_.dc(),
                 at.left + area.left, at.top + area.top, SRCCOPY);
    });
    // Each time box by the unit after it, the message box by the line above it.
    const wchar_t* const boxNames[kBoxCount] = {L"点", L"分", L"秒", L"填下你的事件:"};
    for (int i = 0; i < kBoxCount; ++i)
        boxNames_[i].attach(boxes_[i], boxNames[i], ROLE_SYSTEM_TEXT);
    Imgok_.Create(instance, hwnd(), 0, 0, {IDB_OK, IDB_OK_LIT}, L"确定", [this] { Ok(); });
    Imgcam_.Create(instance, hwnd(), 0, 0, {IDB_CANCEL, IDB_CANCEL_LIT}, L"取消", [this] { Cancel(); });
    Imghide_.Create(instance, hwnd(), 0, 0, {IDB_HIDE, IDB_HIDE_LIT}, L"隐藏", [this] { closeSoon(); });
    Image2_.Create(instance, hwnd(), 0, 0, {IDB_CLOSE, IDB_CLOSE_LIT}, L"关闭", [this] { closeSoon(); });
    layout(dpi());

    setLabel(lblshow, L"当前时间为:");
    showTime();
    setLabel(lblsettime, L"填下你的时间:(24小时制)");
    setLabel(lblhour, L"点");
    setLabel(lblmin, L"分");
    setLabel(lblsec, L" 秒");
    setLabel(lblsetthing, L"填下你的事件:");

    if (const std::optional<AlarmEntry>& shown = owner_.alarm().shown()) {
        setHideEnabled(true);
        for (Box b : {txthour, txtmin, txtsec})
            setBox(b, shown->field(b));
        setBox(txtinmsg, shown->reminder);
        setLabel(lblshowall, shown->shownText());
        repeat_.setMask(shown->repeat);
    } else {
        setHideEnabled(false);
        clearBoxes();
        setLabel(lblshowall, L"");
    }
    // Selected, so that a new time typed over a shown alarm replaces it.
    moveTo(txthour);
    return true;
}

void frmclock::layout(int dpi)
{
    // The old font is let go only once no box uses it any more.
    UniqueHfont font = createSongti(9, dpi);
    for (int i = 0; i < kBoxCount; ++i) {
        const RECT r = px(kBoxes[i]);
        ::SetWindowPos(boxes_[i], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        ::SendMessageW(boxes_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    }
    font_ = std::move(font);
    repeat_.place(px(kRepeat), font_.get(), dpi);
    const struct {
        PictureButton& button;
        POINT twips;
    } buttons[] = {{Imgok_, kImgok}, {Imgcam_, kImgcam}, {Imghide_, kImghide}, {Image2_, kImage2}};
    for (const auto& b : buttons)
        b.button.place(twipsToPixels(b.twips.x, dpi), twipsToPixels(b.twips.y, dpi), dpi);
    if (balloon_)
        ::SendMessageW(balloon_, TTM_SETMAXTIPWIDTH, 0, scalePixels(220, dpi));

    // The stretched panel and title strip, drawn once per size rather than
    // on every tick of the time label.
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const WindowDc screen(hwnd());
    const bool ready = backdrop_.resize(screen.dc(), client.right, client.bottom) &&
                       back_.resize(screen.dc(), client.right, client.bottom);
    if (ready) {
        drawStretched(backdrop_.dc(), panel_.get(), client);
        drawStretched(backdrop_.dc(), title_.get(), Image1Rect());
    }
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

std::wstring frmclock::boxText(Box which) const
{
    return windowText(boxes_[which]);
}

void frmclock::setBox(Box which, const std::wstring& text)
{
    ::SetWindowTextW(boxes_[which], text.c_str());
}

void frmclock::setLabel(Label which, std::wstring_view text)
{
    if (labels_[which].text == text)
        return;  // nothing to repaint
    labels_[which].text.assign(text);  // in the capacity it has: the time comes every second
    const RECT r = px(labels_[which].twips);
    ::InvalidateRect(hwnd(), &r, FALSE);
}

void frmclock::clearBoxes()
{
    clearTimeBoxes();
    setBox(txtinmsg, L"");
}

void frmclock::clearTimeBoxes()
{
    setBox(txthour, L"");
    setBox(txtmin, L"");
    setBox(txtsec, L"00");
}

void frmclock::setHideEnabled(bool enabled)
{
    Imghide_.enable(enabled);
    Imghide_.setPicture(enabled ? IDB_HIDE_LIT : IDB_HIDE_GREY);
}

void frmclock::showTime()
{
    wchar_t buffer[64];
    setLabel(lbltime, systemTimeText(services_.clock->now(), buffer));
}

void frmclock::closeSoon()
{
    // Posted: the click that asks for it is still being handled by a child.
    ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

void frmclock::Ok()
{
    const std::wstring h = boxText(txthour), m = boxText(txtmin), s = boxText(txtsec), msg = boxText(txtinmsg);
    // Stored and armed before any box opens: timers tick while it is open.
    const Confirmation c = owner_.confirm(h, m, s, msg, repeat_.mask());
    switch (c.verdict) {
    case EntryVerdict::Empty:
        services_.messages->show(hwnd(), kEmptyPrompt, Modmain::ProductTitle);
        return;
    // A wrong time costs the time typed, never the reminder.
    case EntryVerdict::NotNumeric:
        services_.messages->show(hwnd(), kNotNumericPrompt, kWarningTitle);
        if (hwnd())
            clearTimeBoxes();
        return;
    case EntryVerdict::OutOfRange:
        services_.messages->show(hwnd(), kOutOfRangePrompt, Modmain::ProductTitle);
        if (hwnd())
            clearTimeBoxes();
        return;
    case EntryVerdict::Ok:
        break;
    }
    setHideEnabled(true);
    setLabel(lblshowall, owner_.alarm().shown()->shownText());
    if (c.earlierThanNow)
        services_.messages->show(hwnd(), kEarlierPrompt, kAppTitle);  // a warning: it rings tomorrow
    if (c.cannotKeep && hwnd())
        showBalloon(txtinmsg, kCannotKeepTitle, kCannotKeepText);
    else if (c.cannotWake && hwnd())
        showBalloon(txtinmsg, kCannotWakeTitle, kCannotWakeText);
    else if (c.noLogonStart && hwnd())
        showBalloon(txtinmsg, kNoLogonStartTitle, kNoLogonStartText);
}

void frmclock::Cancel()
{
    owner_.cancel();
    setLabel(lblshowall, L"");
    clearBoxes();
    repeat_.setMask(kOnce);
}

void frmclock::pasteReminder()
{
    const std::optional<std::wstring> clip = clipboardText(hwnd());
    if (!clip)
        return;
    const FittedPaste fitted = fitPastedReminder(*clip, pasteRoom(boxes_[txtinmsg], kReminderLimit));
    ::SendMessageW(boxes_[txtinmsg], EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(fitted.text.c_str()));
    if (fitted.cut)
        showBalloon(txtinmsg, kReminderTooLongTitle, kReminderTooLongText);
}

bool frmclock::pasteTime(Box which)
{
    const std::optional<std::wstring> clip = clipboardText(hwnd());
    if (!clip || clip->size() <= pasteRoom(boxes_[which], kTimeBoxLimit))
        return false;
    // Cut to fit, "1300" would become "13" and arm an hour nobody asked for.
    showBalloon(which, kTimeTooLongTitle, kTimeTooLongText);
    return true;
}

void frmclock::showBalloon(Box under, const wchar_t* title, const wchar_t* text)
{
    if (!balloon_) {
        balloon_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                     WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | TTS_BALLOON, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                                     instance_, nullptr);
        TTTOOLINFOW ti = balloonTool(hwnd(), boxes_[txtinmsg]);
        ti.lpszText = const_cast<wchar_t*>(L"");
        ::SendMessageW(balloon_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        ::SendMessageW(balloon_, TTM_SETMAXTIPWIDTH, 0, scalePixels(220, dpi()));
    }
    hideBalloon();
    balloonText_ = text;
    TTTOOLINFOW ti = balloonTool(hwnd(), boxes_[txtinmsg]);
    ti.lpszText = const_cast<wchar_t*>(text);
    ::SendMessageW(balloon_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    ::SendMessageW(balloon_, TTM_SETTITLEW, TTI_WARNING, reinterpret_cast<LPARAM>(title));
    RECT r{};
    ::GetWindowRect(boxes_[under], &r);
    ::SendMessageW(balloon_, TTM_TRACKPOSITION, 0, MAKELPARAM((r.left + r.right) / 2, r.bottom));
    ::SendMessageW(balloon_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
    ::SetTimer(hwnd(), kBalloonTimer, kBalloonMs, nullptr);
}

void frmclock::hideBalloon()
{
    if (!balloon_ || !::IsWindowVisible(balloon_))
        return;
    TTTOOLINFOW ti = balloonTool(hwnd(), boxes_[txtinmsg]);
    ::SendMessageW(balloon_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
    ::KillTimer(hwnd(), kBalloonTimer);
}

void frmclock::beforeChar(Box which, wchar_t ch)
{
    constexpr wchar_t kEnter = 13;
    const int held = ::GetWindowTextLengthW(boxes_[which]);
    switch (which) {
    case txthour:
        if (held == 1)
            moveTo(txtmin);
        break;
    case txtmin:
        if (held == 1)
            moveTo(txtsec);
        break;
    case txtsec:
        if (held == 1 || ch == kEnter)
            moveTo(txtinmsg);
        break;
    case txtinmsg:
        if (ch == kEnter)
            Ok();
        break;
    default:
        break;
    }
}

void frmclock::moveTo(Box which)
{
    focus_ = boxes_[which];
    ::SetFocus(focus_);
    // Typing replaces what the box holds ("00", a shown alarm's time or
    // reminder); Enter in the reminder keeps it.
    ::SendMessageW(focus_, EM_SETSEL, 0, -1);
}

void frmclock::halfWidthIn(Box which)
{
    // However a full-width digit came in (typed, pasted, from an input
    // method), the box shows the ASCII digit that will be armed; two
    // full-width ones are wider than the box.
    const std::wstring text = boxText(which), digits = halfWidthDigits(text);
    if (digits == text)
        return;
    DWORD from = 0, to = 0;
    ::SendMessageW(boxes_[which], EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    setBox(which, digits);
    ::SendMessageW(boxes_[which], EM_SETSEL, from, to);
}

void frmclock::tabFrom(Box which, bool backwards)
{
    // The boxes in their order, then the buttons that can be pressed.
    HWND next = ::GetNextDlgTabItem(hwnd(), boxes_[which], backwards);
    if (!next)
        return;
    ::SetFocus(next);
    if (std::find(boxes_.begin(), boxes_.end(), next) != boxes_.end())
        ::SendMessageW(next, EM_SETSEL, 0, -1);
}

LRESULT CALLBACK frmclock::BoxProc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR which,
                                   DWORD_PTR ref)
{
    auto* self = reinterpret_cast<frmclock*>(ref);
    const Box b = static_cast<Box>(which);
    switch (msg) {
    case WM_KEYDOWN:
        if (wParam == VK_TAB) {
            self->tabFrom(b, ::GetKeyState(VK_SHIFT) < 0);
            return 0;
        }
        if (wParam == VK_F1) {
            self->services_.help->showHelp(self->hwnd(), self->helpFile_);
            return 0;
        }
        break;
    case WM_GETDLGCODE:
        // Tab and Enter drive the keyboard flow here, not the dialog keys.
        if (const MSG* m = reinterpret_cast<const MSG*>(lParam);
            m && (m->wParam == VK_TAB || m->wParam == VK_RETURN) &&
            (m->message == WM_KEYDOWN || m->message == WM_CHAR))
            return late::DefSubclassProc(box, msg, wParam, lParam) | DLGC_WANTMESSAGE;
        break;
    case WM_PASTE:
        if (b == txtinmsg) {
            self->pasteReminder();
            return 0;
        }
        if (self->pasteTime(b))
            return 0;
        break;
    case WM_KILLFOCUS:
        self->hideBalloon();
        break;
    case WM_CHAR:
        self->hideBalloon();
        if (wParam == L'\t')
            return 0;  // moving on was done at the key press
        // Decided on the text before the character lands; the character still
        // goes to this box.
        self->beforeChar(b, static_cast<wchar_t>(wParam));
        break;
    case WM_NCDESTROY:
        late::RemoveWindowSubclass(box, &BoxProc, which);
        break;
    default:
        break;
    }
    return late::DefSubclassProc(box, msg, wParam, lParam);
}

void frmclock::paint(HDC dc, const RECT& area) const
{
    ::BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
             backdrop_.dc(), area.left, area.top, SRCCOPY);
    SaveDcGuard save(dc);
    ::SelectObject(dc, font_.get());
    useLabelColours(dc, RGB(0, 0, 0));
    for (const LabelItem& l : labels_) {
        RECT r = px(l.twips), overlap{};
        if (::IntersectRect(&overlap, &r, &area))
            ::DrawTextW(dc, l.text.c_str(), static_cast<int>(l.text.size()), &r, l.format);
    }
}

LRESULT frmclock::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: {
        // Only what changed, drawn off screen so the ticking time does not flicker.
        PaintDc p(hwnd());
        const RECT& a = p.area();
        paint(back_.dc(), a);
        ::BitBlt(p.dc(), a.left, a.top, a.right - a.left, a.bottom - a.top, back_.dc(), a.left,
                 a.top, SRCCOPY);
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT client{};
        ::GetClientRect(hwnd(), &client);
        paint(reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        if (wParam == kBalloonTimer)
            hideBalloon();
        return 0;
    case WM_COMMAND:
        // Esc, through the dialog keys: the window closes as its close button closes it.
        if (LOWORD(wParam) == IDCANCEL && HIWORD(wParam) == BN_CLICKED) {
            closeSoon();
            return 0;
        }
        // Typing past the reminder's limit is told, like a cut paste.
        if (HIWORD(wParam) == EN_MAXTEXT && reinterpret_cast<HWND>(lParam) == boxes_[txtinmsg])
            showBalloon(txtinmsg, kReminderTooLongTitle, kReminderTooLongText);
        if (HIWORD(wParam) == EN_CHANGE)
            for (Box b : {txthour, txtmin, txtsec})
                if (reinterpret_cast<HWND>(lParam) == boxes_[b])
                    halfWidthIn(b);
        return 0;
    case WM_ACTIVATE:
        // A window without dialog handling keeps its own focus across activation.
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (HWND f = ::GetFocus(); f && ::IsChild(hwnd(), f))
                focus_ = f;
            hideBalloon();  // topmost: it would sit over the alert or another program
        } else if (focus_) {
            ::SetFocus(focus_);
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        const POINT p = pointFromLParam(lParam);
        const RECT title = Image1Rect();
        if (::PtInRect(&title, p))
            services_.input->dragWindow(hwnd());
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_F1) {
            services_.help->showHelp(hwnd(), helpFile_);
            return 0;
        }
        break;
    case WM_DESTROY:
        ::KillTimer(hwnd(), kBalloonTimer);
        break;
    default:
        break;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

}  // namespace qv
