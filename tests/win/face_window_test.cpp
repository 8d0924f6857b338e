// The face window as a user meets it: place, shape, hands, weekday, mouse.

#include "face_fixture.h"

#include <commctrl.h>

#include "face/hands.h"

namespace qv::test {
namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255), kYellow = RGB(255, 255, 0), kCyan = RGB(0, 255, 255);

TEST_F(FaceTest, SitsTopRightAsABorderlessTopmostToolWindow)
{
    loadAndShow();
    RECT wr{}, cr{};
    ::GetWindowRect(hwnd(), &wr);
    ::GetClientRect(hwnd(), &cr);
    EXPECT_EQ(cr.right, 162);
    EXPECT_EQ(cr.bottom, 162);
    EXPECT_EQ(wr.right - wr.left, 162);  // no frame
    // 2500 twips left of the right edge: 857.33 px on the test's 1024 px screen.
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(wr.left, 857);
    EXPECT_EQ(wr.top, 0);

    const LONG_PTR style = ::GetWindowLongPtrW(hwnd(), GWL_STYLE);
    const LONG_PTR ex = ::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);  // no taskbar button
    EXPECT_FALSE(ex & WS_EX_APPWINDOW);
    EXPECT_TRUE(::IsWindowVisible(hwnd()));
    EXPECT_EQ(face->WindowState(), 0);
    EXPECT_EQ(face->LastState, 0);
}

TEST_F(FaceTest, IsCutToARoundedSquare)
{
    load();
    HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(hwnd(), rgn), ERROR);
    // Corner ellipses 130 px across: (20,20) lies inside the arc, (15,15) outside.
    const POINT inside[] = {{80, 80}, {20, 20}, {80, 0}, {0, 80}, {158, 80}, {80, 158}, {139, 139}};
    const POINT outside[] = {{0, 0}, {15, 15}, {159, 0}, {0, 159}, {160, 80}, {80, 160}, {161, 161}, {145, 145}};
    for (POINT p : inside)
        EXPECT_TRUE(::PtInRegion(rgn, p.x, p.y)) << p.x << "," << p.y;
    for (POINT p : outside)
        EXPECT_FALSE(::PtInRegion(rgn, p.x, p.y)) << p.x << "," << p.y;
    ::DeleteObject(rgn);
}

TEST_F(FaceTest, HandsShowTheClockInTheirColours)
{
    load();
    EXPECT_EQ(face->hands(), computeHands(6, 30, 45, 2430, 2430));
    const PrintedClient shot(hwnd());
    // 06:30:45: second hand towards 9, minute towards 6, hour between 6 and 7;
    // the points lie halfway along each hand from its inner end (81, 74).
    EXPECT_TRUE(shot.shows(54, 77, 1, kMagenta));
    EXPECT_TRUE(shot.shows(80, 97, 1, kYellow));
    EXPECT_TRUE(shot.shows(77, 90, 1, kCyan));
    // The face picture is there too: its rim is neither white nor a hand colour.
    EXPECT_FALSE(shot.shows(80, 2, 0, RGB(255, 255, 255)));
}

TEST_F(FaceTest, WeekdayLabelAndItsTooltipFollowTheDate)
{
    load();
    EXPECT_EQ(face->Lblweek(), L"星期一");

    auto tooltipText = [this] {
        wchar_t buf[80] = {};
        TTTOOLINFOW ti{};
        ti.cbSize = sizeof ti;
        ti.hwnd = hwnd();
        ti.uId = 1;
        ti.lpszText = buf;
        ::SendMessageW(face->tooltip(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&ti));
        return std::wstring(buf);
    };
    const RECT label = face->lblweekRect();
    const LPARAM onLabel = at(label.left + 4, label.top + 4);

    ::SendMessageW(hwnd(), WM_MOUSEMOVE, 0, onLabel);
    EXPECT_EQ(tooltipText(), L"今天是26年12月07日");

    // Past midnight the next tick rewrites the weekday; the tooltip reads the
    // clock at each mouse move.
    world.clock.set(2026, 12, 8, 2, 0, 0, 1);
    ::SendMessageW(hwnd(), WM_MOUSEMOVE, 0, onLabel);
    EXPECT_EQ(tooltipText(), L"今天是26年12月08日");
    ::SendMessageW(hwnd(), WM_TIMER, frmmain::kTmrmain, 0);
    EXPECT_EQ(face->Lblweek(), L"星期二");

    // Setting the clock back shows at once.
    world.clock.set(2004, 12, 6, 1, 9, 0, 0);
    ::SendMessageW(hwnd(), WM_TIMECHANGE, 0, 0);
    EXPECT_EQ(face->Lblweek(), L"星期一");
}

TEST_F(FaceTest, LeftPressDragsExceptOnTheWeekday)
{
    load();
    const RECT label = face->lblweekRect();
    ::SendMessageW(hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(label.left + 2, label.top + 2));
    EXPECT_EQ(world.input.drags, 0);
    EXPECT_TRUE(world.input.menusShown.empty());
    ::SendMessageW(hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(80, 60));  // on the hands
    EXPECT_EQ(world.input.drags, 1);
}

TEST_F(FaceTest, RightPressOpensTheFaceMenuWithTheCdItemFollowingTheScan)
{
    world.drives.types = {{'C', DRIVE_FIXED}, {'E', DRIVE_CDROM}};
    load();
    EXPECT_TRUE(face->CdDriveFound());
    EXPECT_EQ(face->MissingDriveCount(), 3);  // A:, B:, D:
    const RECT label = face->lblweekRect();
    ::SendMessageW(hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, at(label.left + 2, label.top + 2));
    EXPECT_TRUE(world.input.menusShown.empty());
    ::SendMessageW(hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, at(40, 40));
    ASSERT_EQ(world.input.menusShown.size(), 1u);
    EXPECT_EQ(world.input.menusShown[0], face->mune());
    EXPECT_EQ(::GetMenuState(face->mune(), static_cast<UINT>(MenuId::opencddrive), MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_EQ(::GetMenuState(face->Tray(), static_cast<UINT>(MenuId::opencd), MF_BYCOMMAND) & MF_GRAYED, 0u);
}

TEST_F(FaceTest, WithoutACdDriveBothCdItemsAreGreyed)
{
    world.drives.types = {{'C', DRIVE_FIXED}, {'G', DRIVE_REMOTE}};
    load();
    EXPECT_FALSE(face->CdDriveFound());
    EXPECT_NE(::GetMenuState(face->Tray(), static_cast<UINT>(MenuId::opencd), MF_BYCOMMAND) & MF_GRAYED, 0u);
    ::SendMessageW(hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, at(40, 40));
    EXPECT_NE(::GetMenuState(face->mune(), static_cast<UINT>(MenuId::opencddrive), MF_BYCOMMAND) & MF_GRAYED, 0u);
}

TEST_F(FaceTest, BothMenusCarryTheirItemsInOrder)
{
    load();
    const wchar_t* const mune[] = {L"隐藏钟面", L"", L"显示闹钟设置", L"系统设置", L"", L"打开光驱",
                                   L"", L"帮助", L"关于", L"", L"退出"};
    const wchar_t* const tray[] = {L"隐藏钟面", L"", L"显示闹钟设置", L"系统设置", L"",
                                   L"打开光驱", L"", L"关于", L"", L"退出"};
    ASSERT_EQ(::GetMenuItemCount(face->mune()), 11);
    ASSERT_EQ(::GetMenuItemCount(face->Tray()), 10);
    for (UINT i = 0; i < 11; ++i) {
        EXPECT_EQ(menuCaption(face->mune(), i), mune[i]) << i;
        EXPECT_EQ((::GetMenuState(face->mune(), i, MF_BYPOSITION) & MF_SEPARATOR) != 0, *mune[i] == 0) << i;
    }
    for (UINT i = 0; i < 10; ++i) {
        EXPECT_EQ(menuCaption(face->Tray(), i), tray[i]) << i;
        EXPECT_EQ((::GetMenuState(face->Tray(), i, MF_BYPOSITION) & MF_SEPARATOR) != 0, *tray[i] == 0) << i;
    }
    EXPECT_EQ(::GetMenuItemID(face->mune(), 7), static_cast<UINT>(MenuId::help));
    EXPECT_EQ(::GetMenuItemID(face->Tray(), 9), static_cast<UINT>(MenuId::quit));
}

TEST_F(FaceTest, F1OpensTheHelpFileBesideTheProgram)
{
    load(L"C:\\Apps\\qorvane");
    ::SendMessageW(hwnd(), WM_KEYDOWN, VK_F1, 0);
    face.reset();
    load(L"D:\\");  // installed at the root of a drive
    ::SendMessageW(hwnd(), WM_KEYDOWN, VK_F1, 0);
    ASSERT_EQ(world.help.opened.size(), 2u);
    EXPECT_EQ(world.help.opened[0], L"C:\\Apps\\qorvane\\image\\help.chm");
    EXPECT_EQ(world.help.opened[1], L"D:\\image\\help.chm");
}

TEST_F(FaceTest, FaceMenuExitEndsAtOnceWithoutUnloading)
{
    load();
    world.input.answers = {static_cast<UINT>(MenuId::end)};
    ::SendMessageW(hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, at(40, 40));
    ASSERT_EQ(world.process.exits, std::vector<UINT>{0});
    EXPECT_EQ(world.tray.calls.back().message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_FALSE(ModTray::IconPresent());
    EXPECT_TRUE(::IsWindow(hwnd()));  // the process ends; no window closes first
    EXPECT_EQ(closedCount, 0);
}

TEST_F(FaceTest, ASecondCopyBringsAHiddenFaceBack)
{
    loadAndShow();
    ::ShowWindow(hwnd(), SW_MINIMIZE);
    ::ShowWindow(hwnd(), SW_HIDE);
    ::SendMessageW(hwnd(), frmmain::showFaceMessage(), 0, 0);
    EXPECT_TRUE(::IsWindowVisible(hwnd()));
    EXPECT_EQ(face->WindowState(), 0);
}

}  // namespace
}  // namespace qv::test

namespace qv::test {
namespace {

TEST_F(FaceTest, KeepsItsSizeAndShapeWhenTheMonitorScales)
{
    load();
    RECT suggested{700, 0, 943, 243};
    ::SendMessageW(hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT cr{}, wr{};
    ::GetClientRect(hwnd(), &cr);
    ::GetWindowRect(hwnd(), &wr);
    EXPECT_EQ(cr.right, 243);  // 2430 twips at 144 DPI
    EXPECT_EQ(cr.bottom, 243);
    EXPECT_EQ(wr.left, 700);
    HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(hwnd(), rgn), ERROR);
    EXPECT_TRUE(::PtInRegion(rgn, 238, 120));   // 240 px square now
    EXPECT_FALSE(::PtInRegion(rgn, 241, 120));
    EXPECT_TRUE(::PtInRegion(rgn, 30, 30));     // 195 px corners
    EXPECT_FALSE(::PtInRegion(rgn, 22, 22));
    ::DeleteObject(rgn);
    // The hands scale too: the second hand's middle moves from (54, 77) to (81, 115).
    EXPECT_TRUE(PrintedClient(hwnd()).shows(81, 115, 1, RGB(255, 0, 255)));
}

}  // namespace
}  // namespace qv::test

namespace qv::test {
namespace {

// Window moves the face's own thread sends itself.
struct MovesOf {
    static inline HWND watched = nullptr;
    static inline int count = 0;
    HHOOK hook;
    explicit MovesOf(HWND w)
    {
        watched = w;
        count = 0;
        hook = ::SetWindowsHookExW(WH_CALLWNDPROC, &MovesOf::proc, nullptr, ::GetCurrentThreadId());
    }
    ~MovesOf() { ::UnhookWindowsHookEx(hook); }
    static LRESULT CALLBACK proc(int code, WPARAM w, LPARAM l)
    {
        const auto* m = reinterpret_cast<const CWPSTRUCT*>(l);
        if (code == HC_ACTION && m->hwnd == watched && m->message == WM_WINDOWPOSCHANGING)
            ++count;
        return ::CallNextHookEx(nullptr, code, w, l);
    }
};

TEST_F(FaceTest, TheSecondsPaintMovesNoWindowUnlessOneCameAboveTheFace)
{
    loadAndShow();
    int second = 45;
    auto paintASecond = [&] {
        world.clock.set(2026, 12, 7, 1, 6, 30, ++second);
        ::SendMessageW(hwnd(), WM_TIMER, frmmain::kTmrmain, 0);
        ::UpdateWindow(hwnd());
    };
    MovesOf moves(hwnd());
    paintASecond();
    paintASecond();
    EXPECT_EQ(MovesOf::count, 0);

    // Another topmost window over the face: the next paint puts the face back on top.
    HWND cover = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"STATIC", L"",
                                   WS_POPUP | WS_VISIBLE, 800, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ::SetWindowPos(cover, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_NE(::GetWindow(hwnd(), GW_HWNDPREV), nullptr);
    ::InvalidateRect(hwnd(), nullptr, FALSE);
    paintASecond();
    EXPECT_GE(MovesOf::count, 1);
    bool faceAbove = false;
    for (HWND w = ::GetWindow(cover, GW_HWNDPREV); w && !faceAbove; w = ::GetWindow(w, GW_HWNDPREV))
        faceAbove = w == hwnd();
    EXPECT_TRUE(faceAbove);
    ::DestroyWindow(cover);
}

}  // namespace
}  // namespace qv::test
