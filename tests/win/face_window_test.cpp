// The face window as a user meets it: place, shape, hands, weekday, mouse, menus.

#include "face_fixture.h"

#include <string>
#include <vector>


namespace qv::test {
namespace {

using Texts = std::vector<std::wstring>;

bool greyed(HMENU menu, MenuId id)
{
    return (::GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED) != 0;
}

// Each item's caption, "-" for a separator.
Texts items(HMENU menu)
{
    Texts out;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
        out.push_back(::GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR ? L"-" : menuCaption(menu, i));
    return out;
}

TEST_F(FaceTest, SitsTopRightAsABorderlessTopmostToolWindowCutToARoundedSquare)
{
    loadAndShow();
    RECT wr{};
    ::GetWindowRect(hwnd(), &wr);
    EXPECT_EQ(clientSize(hwnd()), (std::pair{162, 162}));
    EXPECT_EQ(wr.right - wr.left, 162);  // no frame
    // 2500 twips left of the right edge: 857.33 px on the test's 1024 px screen.
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(wr.left, 857);
    EXPECT_EQ(wr.top, 0);
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd(), GWL_STYLE);
    const LONG_PTR ex = ::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
    EXPECT_EQ(ex & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_APPWINDOW), WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    EXPECT_TRUE(::IsWindowVisible(hwnd()));
    EXPECT_EQ(face->WindowState(), 0);
    // Corner ellipses 130 px across: (20,20) lies inside the arc, (15,15) outside.
    EXPECT_EQ(regionMisses(hwnd(), {{20, 20}, {80, 0}, {158, 80}, {139, 139}}, {{15, 15}, {160, 80}, {80, 160}, {145, 145}}),
              "");
}

TEST_F(FaceTest, HandsShowTheClockInTheirColours)
{
    load();
    const PrintedClient shot(hwnd());
    // 06:30:45: second hand towards 9, minute towards 6, hour between 6 and 7;
    // the points lie halfway along each hand from its inner end (81, 74).
    EXPECT_TRUE(shot.shows(54, 77, 1, RGB(255, 0, 255)));
    EXPECT_TRUE(shot.shows(80, 97, 1, RGB(255, 255, 0)));
    EXPECT_TRUE(shot.shows(77, 90, 1, RGB(0, 255, 255)));
    // The face picture is there too: its rim is neither white nor a hand colour.
    EXPECT_FALSE(shot.shows(80, 2, 0, RGB(255, 255, 255)));
}

TEST_F(FaceTest, WeekdayLabelAndItsTooltipFollowTheDate)
{
    load();
    EXPECT_EQ(face->Lblweek(), L"星期一");
    const RECT label = face->lblweekRect();
    const LPARAM onLabel = at(label.left + 4, label.top + 4);
    ::SendMessageW(hwnd(), WM_MOUSEMOVE, 0, onLabel);
    EXPECT_EQ(toolText(face->tooltip(), hwnd()), L"今天是26年12月07日");

    // Past midnight the next tick rewrites the weekday; the tooltip reads the
    // clock at each mouse move.
    world.clock.set(2026, 12, 8, 2, 0, 0, 1);
    ::SendMessageW(hwnd(), WM_MOUSEMOVE, 0, onLabel);
    EXPECT_EQ(toolText(face->tooltip(), hwnd()), L"今天是26年12月08日");
    tick();
    EXPECT_EQ(face->Lblweek(), L"星期二");

    // Setting the clock back shows at once.
    world.clock.set(2004, 12, 6, 1, 9, 0, 0);
    ::SendMessageW(hwnd(), WM_TIMECHANGE, 0, 0);
    EXPECT_EQ(face->Lblweek(), L"星期一");
}

TEST_F(FaceTest, PressesOffTheWeekdayDragOrOpenTheFaceMenuWithTheCdItemsFollowingTheScan)
{
    world.drives.types = {{'C', DRIVE_FIXED}, {'E', DRIVE_CDROM}};
    load();
    EXPECT_TRUE(face->CdDriveFound());
    EXPECT_EQ(face->MissingDriveCount(), 3);  // A:, B:, D:
    const RECT label = face->lblweekRect();
    const LPARAM onLabel = at(label.left + 2, label.top + 2);
    ::SendMessageW(hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, onLabel);
    ::SendMessageW(hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, onLabel);
    EXPECT_EQ(world.input.drags, 0);
    EXPECT_TRUE(world.input.menusShown.empty());
    ::SendMessageW(hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(80, 60));  // on the hands
    EXPECT_EQ(world.input.drags, 1);
    ::SendMessageW(hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, at(40, 40));
    EXPECT_EQ(world.input.menusShown, std::vector<HMENU>{face->mune()});
    EXPECT_FALSE(greyed(face->mune(), MenuId::opencddrive));
    EXPECT_FALSE(greyed(face->Tray(), MenuId::opencd));
}

TEST_F(FaceTest, WithoutACdDriveBothCdItemsAreGreyedAndTheFirstPaintLeavesTheDoorAlone)
{
    world.drives.types = {{'C', DRIVE_FIXED}, {'G', DRIVE_REMOTE}};
    loadAndShow();
    EXPECT_FALSE(face->CdDriveFound());
    EXPECT_TRUE(world.door.commands.empty());
    EXPECT_TRUE(greyed(face->Tray(), MenuId::opencd));
    ::SendMessageW(hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, at(40, 40));
    EXPECT_TRUE(greyed(face->mune(), MenuId::opencddrive));
}

TEST_F(FaceTest, BothMenusCarryTheirItemsInOrder)
{
    load();
    EXPECT_EQ(items(face->mune()), (Texts{L"隐藏钟面", L"-", L"显示闹钟设置", L"系统设置", L"-", L"打开光驱", L"-",
                                          L"帮助", L"关于", L"-", L"退出"}));
    EXPECT_EQ(items(face->Tray()), (Texts{L"隐藏钟面", L"-", L"显示闹钟设置", L"系统设置", L"-", L"打开光驱", L"-",
                                          L"关于", L"-", L"退出"}));
    EXPECT_EQ(::GetMenuItemID(face->mune(), 7), static_cast<UINT>(MenuId::help));
    EXPECT_EQ(::GetMenuItemID(face->Tray(), 9), static_cast<UINT>(MenuId::quit));
}

TEST_F(FaceTest, F1AndTheHelpItemOpenTheHelpFileBesideTheProgram)
{
    load(L"C:\\Apps\\qorvane");
    ::SendMessageW(hwnd(), WM_KEYDOWN, VK_F1, 0);
    choose(MenuId::help);
    face.reset();
    load(L"D:\\");  // installed at the root of a drive
    ::SendMessageW(hwnd(), WM_KEYDOWN, VK_F1, 0);
    EXPECT_EQ(world.help.opened, (Texts{L"C:\\Apps\\qorvane\\image\\help.chm", L"C:\\Apps\\qorvane\\image\\help.chm",
                                        L"D:\\image\\help.chm"}));
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
        tick();
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
