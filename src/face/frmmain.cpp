#include "face/frmmain.h"

#include <commctrl.h>
#include <oleacc.h>

#include <cmath>
#include <cwchar>
#include <utility>

#include "core/Modmain.h"
#include "core/datetext.h"
#include "core/seconds.h"
#include "face/drive_scan.h"
#include "platform/contrast.h"
#include "platform/decode.h"
#include "platform/dpi.h"
#include "platform/gdi.h"
#include "platform/late_bound.h"
#include "platform/module_path.h"
#include "platform/ui_text.h"
#include "resource.h"
#include "tray/tray_route.h"

namespace qv {
namespace {

constexpr int kLabelFontPoints = 9;
constexpr UINT_PTR kLabelToolId = 1;

COLORREF toColorref(Rgb c)
{
    return RGB(c.r, c.g, c.b);
}

RECT toRect(const PxRect& r)
{
    return RECT{r.left, r.top, r.right, r.bottom};
}

int px(float twips, int dpi)
{
    return twipsToPixels(twips, dpi);
}

void drawHand(HDC dc, const HandLine& line, HPEN pen, int dpi)
{
    ::SelectObject(dc, pen);
    ::MoveToEx(dc, px(line.X1, dpi), px(line.Y1, dpi), nullptr);
    ::LineTo(dc, px(line.X2, dpi), px(line.Y2, dpi));
}

UniqueHmenu buildPopup(std::span<const MenuEntry> entries)
{
    UniqueHmenu menu(::CreatePopupMenu());
    for (const MenuEntry& e : entries) {
        if (e.id == MenuId::separator)
            ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        else
            ::AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(e.id), e.caption);
    }
    return menu;
}

void enableItem(HMENU menu, MenuId id, bool enabled)
{
    ::EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

frmmain::frmmain(Services services, std::wstring programFolder, IFaceOwner* owner,
                 std::function<void()> onClosed)
    : services_(services),
      programFolder_(std::move(programFolder)),
      owner_(owner),
      onClosed_(std::move(onClosed))
{
}

frmmain::~frmmain()
{
    // Destroy while this object is whole, so that unloading runs as usual.
    if (Window::hwnd())
        ::DestroyWindow(Window::hwnd());
}

UINT frmmain::showFaceMessage()
{
    static const UINT msg = ::RegisterWindowMessageW(L"qorvane.showface");
    return msg;
}

bool frmmain::Load(HINSTANCE instance)
{
    instance_ = instance;
    registerClass(instance, kClassName, ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_QORVANE)));
    // A tool window has no taskbar button; the tray icon stands in for one.
    if (!create(instance, kClassName, L"", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 0, 0,
                twipsToPixels(kFaceClientTwips, kBaseDpi),
                twipsToPixels(kFaceClientTwips, kBaseDpi)))
        return false;
    // Run with administrator rights, the face must still hear the shell
    // (a restart, the icon's clicks) and a later normal start.
    for (UINT m : {showFaceMessage(), ::RegisterWindowMessageW(L"TaskbarCreated"), static_cast<UINT>(qv::WM_TRAYICON)})
        services_.elevation->allowFromFewerRights(hwnd(), m);

    Image1_.reset(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_QORVANE),
                                                  IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                  ::GetSystemMetrics(SM_CYSMICON), 0)));
    buildMenus();

    // Shape, size, pens and font all follow the monitor's DPI.
    applyDpi(dpiForWindow(hwnd()));
    placeWindow();

    const LocalTime now = services_.clock->now();
    showDate(now);
    clock();
    scanDrives();
    helpFile_ = Modmain::joinPath(programFolder_, Modmain::HelpFileName);
    LastState = WindowState() == 1 ? 0 : WindowState();

    enableItem(Tray(), MenuId::opencd, CdDriveFound_);
    // The tray icon waits for the first paint: the shell is not needed to
    // show the time.
    ::PostMessageW(hwnd(), kAfterFirstPaint, 0, 0);

    armTick(services_.clock->now().millisecond);
    return true;
}

void frmmain::afterFirstPaint()
{
    shellAsked_ = true;
    ModTray::AddTrayIcon(*this, Tray());
    ModTray::SetTrayTip(trayTipText(services_.clock->now()));
}

void frmmain::createTooltip()
{
    late::initCommonControls();
    tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                                 instance_, nullptr);
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = hwnd();
    ti.uId = kLabelToolId;
    ti.rect = lblweekRect();
    ti.lpszText = const_cast<wchar_t*>(L"");
    ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void frmmain::Show()
{
    ::ShowWindow(hwnd(), SW_SHOWNORMAL);
    ::UpdateWindow(hwnd());
}

void frmmain::buildMenus()
{
    mune_ = buildPopup(faceMenuEntries());
    Tray_ = buildPopup(trayMenuEntries());
}

void frmmain::applyDpi(int dpi)
{
    dpi_ = dpi;
    const int client = twipsToPixels(kFaceClientTwips, dpi);
    ::SetWindowPos(hwnd(), nullptr, 0, 0, client, client,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    shapeWindow();

    // Face picture, scaled once here rather than on every paint.
    {
        const WindowDc screen(hwnd());
        facePicture_.resize(screen.dc(), client, client);
        back_.resize(screen.dc(), client, client);
    }

    UniqueHbitmap source(static_cast<HBITMAP>(
        ::LoadImageW(instance_, MAKEINTRESOURCEW(IDB_FACE), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (source) {
        UniqueHdc sourceDc(::CreateCompatibleDC(facePicture_.dc()));
        SelectGuard select(sourceDc.get(), source.get());
        // Outside the picture lies outside the region too; repeat its corner colour.
        const COLORREF outside = ::GetPixel(sourceDc.get(), 0, 0);
        UniqueHbrush fill(::CreateSolidBrush(outside));
        const RECT all{0, 0, client, client};
        ::FillRect(facePicture_.dc(), &all, fill.get());
        const int side = scalePixels(kFaceRegionPx, dpi);
        ::SetStretchBltMode(facePicture_.dc(), HALFTONE);
        ::SetBrushOrgEx(facePicture_.dc(), 0, 0, nullptr);
        ::StretchBlt(facePicture_.dc(), 0, 0, side, side, sourceDc.get(), 0, 0, kFaceRegionPx,
                     kFaceRegionPx, SRCCOPY);
    }

    Linsec_.reset(::CreatePen(PS_SOLID, scalePixels(kLinsecStyle.widthPx, dpi), toColorref(kLinsecStyle.colour)));
    Linmin_.reset(::CreatePen(PS_SOLID, scalePixels(kLinminStyle.widthPx, dpi), toColorref(kLinminStyle.colour)));
    Linhou_.reset(::CreatePen(PS_SOLID, scalePixels(kLinhouStyle.widthPx, dpi), toColorref(kLinhouStyle.colour)));
    font_ = createSongti(kLabelFontPoints, dpi);

    if (tooltip_) {
        TTTOOLINFOW ti{};
        ti.cbSize = sizeof ti;
        ti.hwnd = hwnd();
        ti.uId = kLabelToolId;
        ti.rect = lblweekRect();
        ::SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void frmmain::shapeWindow()
{
    const int side = scalePixels(kFaceRegionPx, dpi_);
    const int corner = scalePixels(kFaceRegionCornerPx, dpi_);
    UniqueHrgn region(::CreateRoundRectRgn(0, 0, side, side, corner, corner));
    if (region && ::SetWindowRgn(hwnd(), region.get(), TRUE))
        region.release();  // the window owns it now
}

void frmmain::placeWindow()
{
    const int left = faceLeftPixels(::GetSystemMetrics(SM_CXSCREEN), dpi_);
    ::SetWindowPos(hwnd(), nullptr, left, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmmain::keepOnScreen()
{
    // A minimised face has no real place; look again once it is restored.
    if (::IsIconic(hwnd())) {
        homeAfterRestore_ = true;
        return;
    }
    RECT r{};
    ::GetWindowRect(hwnd(), &r);
    const Monitors monitors = monitors_();
    const std::optional<FaceHome> home = faceHome(PxRect{r.left, r.top, r.right, r.bottom}, monitors);
    if (!home)
        return;
    if (home->dpi != dpi_)
        applyDpi(home->dpi);
    // Landing on a monitor of another DPI sends WM_DPICHANGED, whose
    // suggested place is not this one.
    homing_ = POINT{home->left, home->top};
    ::SetWindowPos(hwnd(), nullptr, home->left, home->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    homing_.reset();
}

void frmmain::scanDrives()
{
    IDrives& drives = *services_.drives;
    const DriveScan scan =
        qv::scanDrives(drives.logicalDrives(), [&drives](char letter) { return drives.driveType(letter); });
    CdDriveFound_ = scan.CdDriveFound;
    MissingDriveCount_ = scan.MissingDriveCount;
}

RECT frmmain::lblweekRect() const
{
    const TwipRect& r = kLblweekTwips;
    return RECT{px(r.left, dpi_), px(r.top, dpi_), px(r.left + r.width, dpi_),
                px(r.top + r.height, dpi_)};
}

void frmmain::clock()
{
    setHands(services_.clock->now());
}

void frmmain::setHands(const LocalTime& t)
{
    // One reading for all three hands, so they never straddle a minute.
    const HandSet next = computeHands(t.hour, t.minute, t.second, static_cast<float>(kFaceClientTwips),
                                      static_cast<float>(kFaceClientTwips));
    const struct {
        const HandLine& before;
        const HandLine& after;
        int pen;
    } moves[] = {{hands_.sec, next.sec, kLinsecStyle.widthPx},
                 {hands_.min, next.min, kLinminStyle.widthPx},
                 {hands_.hou, next.hou, kLinhouStyle.widthPx}};
    // Only the strips the moving hands leave and enter are redrawn, one
    // rectangle a hand: the paint draws the bounds of them all anyway.
    for (const auto& m : moves) {
        if (m.before == m.after)
            continue;
        const int pen = scalePixels(m.pen, dpi_);
        const RECT before = toRect(handBoundsPx(m.before, dpi_, pen));
        const RECT after = toRect(handBoundsPx(m.after, dpi_, pen));
        RECT both{};
        ::UnionRect(&both, &before, &after);
        ::InvalidateRect(hwnd(), &both, FALSE);
    }
    hands_ = next;
}

void frmmain::showDate(const LocalTime& t)
{
    Lblweek_ = weekdayText(t);
    shownDate_ = dateKey(t);
    const RECT label = lblweekRect();
    ::InvalidateRect(hwnd(), &label, FALSE);
}

void frmmain::tick()
{
    const LocalTime now = services_.clock->now();
    setHands(now);
    // Past midnight, or after the clock was set: the weekday and tip follow.
    if (dateKey(now) != shownDate_) {
        showDate(now);
        ModTray::SetTrayTip(trayTipText(now));
    }
    // One wake-up a second for the whole program: the alarm check and the
    // open windows' time lines ride on the hands' tick.
    if (owner_)
        owner_->everySecond();
    armTick(now.millisecond);
}

void frmmain::armTick(int landedAt)
{
    const unsigned period = nextTickPeriod(landedAt, services_.clock->now().millisecond, tickPeriod_);
    if (period == 0)
        return;
    ::SetTimer(hwnd(), kTmrmain, period, nullptr);
    tickPeriod_ = period;
}

void frmmain::Ontop()
{
    // Re-showing a minimised face would undo hiding it to the tray.
    if (::IsIconic(hwnd()))
        return;
    RECT r{};
    ::GetWindowRect(hwnd(), &r);
    ::SetWindowPos(hwnd(), HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

bool frmmain::coveredInZOrder() const
{
    // Our menu is above the face while it is open; climbing over it would hide it.
    if (menuOpen_)
        return false;
    if (!(::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST))
        return true;
    RECT face{}, other{}, overlap{};
    ::GetWindowRect(hwnd(), &face);
    // Only a window that hides part of the face counts: one elsewhere on the
    // screen, or one the compositor keeps out of sight, would have the face
    // moved every second for nothing.
    // Windows the face owns (its tooltip, the help viewer) stay above it
    // whatever it does.
    for (HWND w = ::GetWindow(hwnd(), GW_HWNDPREV); w; w = ::GetWindow(w, GW_HWNDPREV))
        if (::IsWindowVisible(w) && ::GetWindowRect(w, &other) && ::IntersectRect(&overlap, &face, &other) &&
            !ownedByFace(w) && !services_.input->cloaked(w))
            return true;
    return false;
}

bool frmmain::ownedByFace(HWND window) const
{
    for (HWND owner = ::GetWindow(window, GW_OWNER); owner; owner = ::GetWindow(owner, GW_OWNER))
        if (owner == hwnd())
            return true;
    return false;
}

bool frmmain::fullScreenInFront() const
{
    if (shellAsked_ && services_.input->presenting())
        return true;
    // Every second: the common answers (the face itself in front, a window
    // with a caption, one that leaves the face uncovered) cost few calls.
    HWND front = ::GetForegroundWindow();
    if (!front || front == hwnd())
        return false;
    // A maximised window keeps its caption; a full-screen one covers the
    // whole monitor without one. The desktop's own windows cover it too.
    RECT r{}, face{}, overlap{};
    if ((::GetWindowLongPtrW(front, GWL_STYLE) & WS_CAPTION) == WS_CAPTION || !::GetWindowRect(front, &r) ||
        !::GetWindowRect(hwnd(), &face) || !::IntersectRect(&overlap, &r, &face) || !::EqualRect(&overlap, &face))
        return false;
    wchar_t kind[16] = {};
    ::GetClassNameW(front, kind, 16);
    if (front == ::GetShellWindow() || std::wcscmp(kind, L"WorkerW") == 0)
        return false;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    return ::GetMonitorInfoW(::MonitorFromWindow(hwnd(), MONITOR_DEFAULTTONEAREST), &monitor) &&
           r.left <= monitor.rcMonitor.left && r.top <= monitor.rcMonitor.top && r.right >= monitor.rcMonitor.right &&
           r.bottom >= monitor.rcMonitor.bottom;
}

void frmmain::stepAside()
{
    if (!(::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST))
        return;
    // Out of the topmost band, and below the program in front unless that is
    // topmost itself (after a topmost window the face would be one again); it
    // comes back on top at the first paint after, as a face that lost its
    // place does.
    constexpr UINT kStay = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    ::SetWindowPos(hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, kStay);
    HWND front = ::GetForegroundWindow();
    if (front && front != hwnd() && !(::GetWindowLongPtrW(front, GWL_EXSTYLE) & WS_EX_TOPMOST))
        ::SetWindowPos(hwnd(), front, 0, 0, 0, 0, kStay);
}

int frmmain::WindowState() const
{
    if (::IsIconic(hwnd()))
        return 1;
    if (::IsZoomed(hwnd()))
        return 2;
    return 0;
}

void frmmain::SetWindowState(int state)
{
    switch (state) {
    case 1: ::ShowWindow(hwnd(), SW_MINIMIZE); break;
    case 2: ::ShowWindow(hwnd(), SW_MAXIMIZE); break;
    default: ::ShowWindow(hwnd(), ::IsIconic(hwnd()) ? SW_RESTORE : SW_SHOWNORMAL); break;
    }
}

void frmmain::SetFocus()
{
    ::SetForegroundWindow(hwnd());
    ::SetFocus(hwnd());
}

void frmmain::NotificationClicked()
{
    if (owner_)
        owner_->notificationClicked();
}

void frmmain::PopupMenu(HMENU menu)
{
    runMenu(menu, nullptr);
}

bool frmmain::PopupMenuAt(HMENU menu, POINT at)
{
    return runMenu(menu, &at);
}

bool frmmain::runMenu(HMENU menu, const POINT* at)
{
    menuOpen_ = true;
    const UINT cmd = services_.input->trackPopupMenu(menu, hwnd(), at);
    menuOpen_ = false;
    if (cmd != 0)
        onMenuCommand(static_cast<MenuId>(cmd));
    return cmd != 0;
}

void frmmain::showFaceMenu(bool fromKeyboard)
{
    enableItem(mune(), MenuId::opencddrive, CdDriveFound_);
    if (!fromKeyboard) {
        PopupMenu(mune());
        return;
    }
    RECT r{};
    ::GetWindowRect(hwnd(), &r);
    const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    runMenu(mune(), &centre);
}

void frmmain::onMenuCommand(MenuId id)
{
    if (const std::optional<Twin> twin = twinOf(id)) {
        if (*twin == Twin::CdDoor)
            toggleDoor();
        else
            toggleForm(*twin);
        return;
    }
    switch (id) {
    case MenuId::hidefrmmain:
        hideFace();
        break;
    case MenuId::showfrmmain:
        toggleFace();
        break;
    case MenuId::help:
        // The same action as F1, called directly rather than by a faked key.
        services_.help->showHelp(hwnd(), helpFile_);
        break;
    case MenuId::about:
    case MenuId::showabout:
        if (owner_)
            owner_->showAbout();
        break;
    case MenuId::end:
        // No window's unload runs: the process ends here.
        ModTray::RemoveTrayIcon();
        if (owner_)
            owner_->endNow();
        else
            services_.process->exitNow(0);
        break;
    case MenuId::quit:
        quit();
        break;
    default:
        break;
    }
}

void frmmain::toggleForm(Twin twin)
{
    const WindowStep step = marks_.toggleWindow(twin);
    if (owner_) {
        if (step == WindowStep::Show)
            owner_->openWindow(twin);
        else
            owner_->closeWindow(twin);
    }
    syncMarks(twin);
}

void frmmain::openForm(Twin twin)
{
    if (!marks_.checked(twin))
        toggleForm(twin);
    else if (owner_)
        owner_->openWindow(twin);
}

void frmmain::windowClosed(Twin twin)
{
    marks_.windowClosed(twin);
    syncMarks(twin);
}

void frmmain::toggleDoor()
{
    // The marks follow the click whatever the drive makes of the command.
    services_.door->send(doorCommandText(marks_.toggleDoor()));
    syncMarks(Twin::CdDoor);
}

void frmmain::syncMarks(Twin twin)
{
    const TwinItems items = itemsOf(twin);
    const UINT state = MF_BYCOMMAND | (marks_.checked(twin) ? MF_CHECKED : MF_UNCHECKED);
    ::CheckMenuItem(mune(), static_cast<UINT>(items.faceItem), state);
    ::CheckMenuItem(Tray(), static_cast<UINT>(items.trayItem), state);
}

void frmmain::setShowfrmmainCaption(int windowState)
{
    ::ModifyMenuW(Tray(), static_cast<UINT>(MenuId::showfrmmain), MF_BYCOMMAND | MF_STRING,
                  static_cast<UINT_PTR>(MenuId::showfrmmain), showfrmmainCaption(windowState));
}

void frmmain::hideFace()
{
    // Minimising first lets the resize handling turn the tray item to "show".
    SetWindowState(1);
    ::ShowWindow(hwnd(), SW_HIDE);
}

void frmmain::toggleFace()
{
    if (WindowState() == 1) {
        SetWindowState(0);
        setShowfrmmainCaption(0);
    } else {
        setShowfrmmainCaption(1);
        hideFace();
    }
}

void frmmain::quit()
{
    ModTray::RemoveTrayIcon();
    if (owner_)
        owner_->closeOthers();
    ::DestroyWindow(hwnd());
}

bool frmmain::inLblweek(POINT p) const
{
    return kLblweekTwips.contains(static_cast<float>(pixelsToTwips(p.x, dpi_)),
                                  static_cast<float>(pixelsToTwips(p.y, dpi_)));
}

void frmmain::onMouseMove(POINT p, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // The weekday's tip and the common controls behind it wait for the mouse.
    if (!tooltip_)
        createTooltip();
    if (!tooltip_)
        return;
    if (msg == WM_MOUSEMOVE && inLblweek(p)) {
        const std::wstring text = todayText(services_.clock->now());
        TTTOOLINFOW ti{};
        ti.cbSize = sizeof ti;
        ti.hwnd = hwnd();
        ti.uId = kLabelToolId;
        ti.lpszText = const_cast<wchar_t*>(text.c_str());
        ::SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    MSG m{hwnd(), msg, wParam, lParam, 0, {p.x, p.y}};
    ::SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

void frmmain::unload()
{
    ::KillTimer(hwnd(), kTmrmain);
    tickPeriod_ = 0;
    if (owner_)
        owner_->faceUnloading();
    ModTray::RemoveTrayIcon();
}

void frmmain::PaintContent(HDC dc, const RECT& area)
{
    HDC back = back_.dc();
    const int w = area.right - area.left, h = area.bottom - area.top;
    ::BitBlt(back, area.left, area.top, w, h, facePicture_.dc(), area.left, area.top, SRCCOPY);
    {
        SaveDcGuard save(back);
        ::IntersectClipRect(back, area.left, area.top, area.right, area.bottom);
        drawHand(back, hands_.hou, Linhou_.get(), dpi_);
        drawHand(back, hands_.min, Linmin_.get(), dpi_);
        drawHand(back, hands_.sec, Linsec_.get(), dpi_);
        // Laying out the text costs even where it is clipped away.
        RECT label = lblweekRect(), overlap{};
        if (::IntersectRect(&overlap, &label, &area)) {
            ::SelectObject(back, font_.get());
            useLabelColours(back, RGB(0, 0, 0));
            ::DrawTextW(back, Lblweek_.c_str(), static_cast<int>(Lblweek_.size()), &label,
                        DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
        }
    }
    ::BitBlt(dc, area.left, area.top, w, h, back, area.left, area.top, SRCCOPY);
}

long frmmain::accessibleRole() const
{
    return ROLE_SYSTEM_CLOCK;
}

std::optional<std::wstring> frmmain::accessibleName() const
{
    const LocalTime now = services_.clock->now();
    return timeText(now) + L" " + weekdayText(now);
}

LRESULT frmmain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (const std::optional<LRESULT> answered = accessible_.onMessage(hwnd(), msg, wParam, lParam))
        return *answered;
    if (msg == showFaceMessage() && msg != 0) {
        // A second start: to the alert while one is up, which keeps the keyboard.
        if (owner_ && owner_->bringAlertForward())
            return 0;
        if (WindowState() == 1 || !::IsWindowVisible(hwnd()))
            SetWindowState(LastState);
        SetFocus();
        return 0;
    }
    // Not answered here: the switch below may want these messages too.
    if (msg == WM_DISPLAYCHANGE || (msg == WM_SETTINGCHANGE && wParam == SPI_SETWORKAREA))
        keepOnScreen();
    if (msg == WM_SIZE && wParam == SIZE_RESTORED && homeAfterRestore_) {
        homeAfterRestore_ = false;
        keepOnScreen();
    }
    switch (msg) {
    case kAfterFirstPaint:
        afterFirstPaint();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            Ontop();
        return 0;
    case WM_PAINT: {
        // The hands repaint every second; moving the window each time costs
        // more than the paint. Only a window come above the face needs it.
        if (fullScreenInFront())
            stepAside();
        else if (coveredInZOrder())
            Ontop();
        // Only the first paint closes the door: a close on every paint would
        // shut, within a second, a tray the user opened by hand.
        {
            PaintDc paint(hwnd());
            PaintContent(paint.dc(), paint.area());
        }
        // After the paint, and only for a drive that is there: the command
        // loads the multimedia library.
        if (marks_.takeStartupClose() && CdDriveFound_)
            services_.door->send(doorCommandText(DoorCommand::Close));
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT all{};
        ::GetClientRect(hwnd(), &all);
        PaintContent(reinterpret_cast<HDC>(wParam), all);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        setShowfrmmainCaption(wParam == SIZE_MINIMIZED ? 1 : 0);
        clock();
        return 0;
    case WM_COMMAND:
        if (lParam == 0)
            onMenuCommand(static_cast<MenuId>(LOWORD(wParam)));
        return 0;
    case WM_TIMER:
        if (wParam == kTmrmain)
            tick();
        return 0;
    case WM_TIMECHANGE:
        tickPeriod_ = 0;  // the running timer is in step with the old clock
        tick();
        if (owner_)
            owner_->clockChanged();
        return 0;
    case WM_POWERBROADCAST:
        // Back from sleep: ring what was missed, and set the wake again in
        // case the computer woke for something else and sleeps once more.
        // Every resume sends the first; a user's adds the second.
        if (wParam == PBT_APMRESUMEAUTOMATIC && owner_)
            owner_->resumedAutomatically();
        else if (wParam == PBT_APMRESUMESUSPEND && owner_)
            owner_->clockChanged();
        return TRUE;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        onMouseMove(pointFromLParam(lParam), msg, wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN: {
        const POINT p = pointFromLParam(lParam);
        onMouseMove(p, msg, wParam, lParam);
        if (!inLblweek(p))
            services_.input->dragWindow(hwnd());
        return 0;
    }
    case WM_RBUTTONDOWN: {
        const POINT p = pointFromLParam(lParam);
        onMouseMove(p, msg, wParam, lParam);
        if (!inLblweek(p))
            showFaceMenu(false);
        return 0;
    }
    case WM_CONTEXTMENU:
        // Shift+F10 reaches here through the default procedure, with no
        // position; the right button opened the menu at its press already.
        if (GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1) {
            showFaceMenu(true);
            return 0;
        }
        break;
    case WM_KEYUP:
        // The menu key; the default procedure does not turn it into a
        // context menu everywhere, so it is taken here, and only here.
        if (wParam == VK_APPS) {
            showFaceMenu(true);
            return 0;
        }
        break;
    case WM_KEYDOWN:
        if (wParam == VK_F1) {
            services_.help->showHelp(hwnd(), helpFile_);
            return 0;
        }
        break;
    case WM_DPICHANGED: {
        applyDpi(LOWORD(wParam));
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        const POINT to = homing_ ? *homing_ : POINT{suggested->left, suggested->top};
        ::SetWindowPos(hwnd(), nullptr, to.x, to.y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_QUERYENDSESSION:
        return TRUE;  // nothing here is worth holding up a shutdown for
    case WM_ENDSESSION:
        if (wParam && owner_)
            owner_->endSession();
        return 0;
    case WM_DESTROY:
        unload();
        if (onClosed_)
            onClosed_();
        return 0;
    default:
        break;
    }
    return defaultProc(msg, wParam, lParam);
}

}  // namespace qv
