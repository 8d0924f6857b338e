// The face window as a user meets it: place, shape, hands, weekday, mouse,
// menus; and, when the screens change, lost off every monitor it comes back
// to the nearest one's top-right corner at that monitor's DPI.

#include "face_fixture.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace qv::test {
namespace {

// Each item's caption, "-" for a separator.
Texts items(HMENU menu)
{
    Texts out;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
        out.push_back(::GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR ? L"-" : menuCaption(menu, i));
    return out;
}

TEST_F(FaceTest, IsABorderlessTopmostRoundedSquareWithHandsThatDragsOrOpensItsMenuOffTheWeekday)
{
    world.drives.types = {{'C', DRIVE_FIXED}, {'E', DRIVE_CDROM}};
    loadAndShow();  // its place and size are the screens test's and the end-to-end test's
    EXPECT_EQ(::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_APPWINDOW),
              WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    // Corner ellipses 130 px across: (20,20) lies inside the arc, (15,15) outside.
    EXPECT_EQ(regionMisses(hwnd(), {{20, 20}, {80, 0}, {158, 80}, {139, 139}},
                           {{15, 15}, {160, 80}, {80, 160}, {145, 145}}),
              "");
    // 06:30:45: second hand towards 9, minute towards 6, hour between 6 and 7;
    // the points lie halfway along each hand from its inner end (81, 74).
    const PrintedClient shot(hwnd());
    EXPECT_TRUE(shot.shows(54, 77, 1, RGB(255, 0, 255)));
    EXPECT_TRUE(shot.shows(80, 97, 1, RGB(255, 255, 0)));
    EXPECT_TRUE(shot.shows(77, 90, 1, RGB(0, 255, 255)));
    // The face picture is there too: its rim is neither white nor a hand colour.
    EXPECT_FALSE(shot.shows(80, 2, 0, RGB(255, 255, 255)));
    // A second copy brings a hidden face back.
    ::ShowWindow(hwnd(), SW_MINIMIZE);
    ::ShowWindow(hwnd(), SW_HIDE);
    ::SendMessageW(hwnd(), frmmain::showFaceMessage(), 0, 0);
    EXPECT_TRUE(::IsWindowVisible(hwnd()));
    EXPECT_EQ(face->WindowState(), 0);
    // Presses off the weekday drag or open the face menu; its items follow the drive scan.
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
    EXPECT_FALSE(marked(face->mune(), MenuId::opencddrive, MF_GRAYED) ||
                 marked(face->Tray(), MenuId::opencd, MF_GRAYED));
    EXPECT_EQ(items(face->mune()), (Texts{L"隐藏钟面", L"-", L"显示闹钟设置", L"系统设置", L"-", L"打开光驱", L"-",
                                          L"帮助", L"关于", L"-", L"退出"}));
    EXPECT_EQ(items(face->Tray()),
              (Texts{L"隐藏钟面", L"-", L"显示闹钟设置", L"系统设置", L"-", L"打开光驱", L"-", L"关于", L"-", L"退出"}));
    // Without a CD drive both items are greyed and the first paint leaves the door alone.
    app.reset();
    world.door.got.clear();
    world.drives.types = {{'C', DRIVE_FIXED}, {'G', DRIVE_REMOTE}};
    loadAndShow();
    EXPECT_TRUE(world.door.got.empty());
    EXPECT_TRUE(marked(face->Tray(), MenuId::opencd, MF_GRAYED));
    ::SendMessageW(hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, at(40, 40));
    EXPECT_TRUE(marked(face->mune(), MenuId::opencddrive, MF_GRAYED));
}

TEST_F(FaceTest, WeekdayLabelAndItsTooltipFollowTheDateAndF1OpensTheHelpBesideTheProgram)
{
    load();
    EXPECT_EQ(face->Lblweek(), L"星期一");
    const RECT label = face->lblweekRect();
    const LPARAM onLabel = at(label.left + 4, label.top + 4);
    ::SendMessageW(hwnd(), WM_MOUSEMOVE, 0, onLabel);
    EXPECT_EQ(toolText(face->tooltip(), hwnd()), L"今天是26年12月07日");
    // Past midnight the next tick rewrites the weekday; the tip reads the clock at each mouse move.
    world.clock.set(2026, 12, 8, 2, 0, 0, 1);
    ::SendMessageW(hwnd(), WM_MOUSEMOVE, 0, onLabel);
    EXPECT_EQ(toolText(face->tooltip(), hwnd()), L"今天是26年12月08日");
    tick();
    EXPECT_EQ(face->Lblweek(), L"星期二");
    // Setting the clock back shows at once.
    world.clock.set(2004, 12, 6, 1, 9, 0, 0);
    ::SendMessageW(hwnd(), WM_TIMECHANGE, 0, 0);
    EXPECT_EQ(face->Lblweek(), L"星期一");
    // F1 and the help item open the help file beside the program.
    ::SendMessageW(hwnd(), WM_KEYDOWN, VK_F1, 0);
    choose(MenuId::help);
    app.reset();
    load(L"D:\\");  // installed at the root of a drive
    ::SendMessageW(hwnd(), WM_KEYDOWN, VK_F1, 0);
    EXPECT_EQ(world.help.got, (Texts{L"C:\\Apps\\qorvane\\image\\help.chm", L"C:\\Apps\\qorvane\\image\\help.chm",
                                     L"D:\\image\\help.chm"}));
}

// Each message this thread sends, as its window has handled it.
class SentHook {
public:
    explicit SentHook(std::function<void(const CWPRETSTRUCT&)> seen)
    {
        seen_ = std::move(seen);
        hook_ = ::SetWindowsHookExW(WH_CALLWNDPROCRET, proc, nullptr, ::GetCurrentThreadId());
    }
    ~SentHook()
    {
        ::UnhookWindowsHookEx(hook_);
        seen_ = nullptr;
    }

private:
    static LRESULT CALLBACK proc(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HC_ACTION && seen_)
            seen_(*reinterpret_cast<const CWPRETSTRUCT*>(lParam));
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline std::function<void(const CWPRETSTRUCT&)> seen_;
    HHOOK hook_;
};

TEST_F(FaceTest, TheSecondsPaintMovesNoWindowUnlessOneInSightCameOverTheFaceAndNoMenuOfOursIsOpen)
{
    loadAndShow();
    int second = 45;
    auto paintASecond = [&] {
        world.clock.set(2026, 12, 7, 1, 6, 30, ++second);
        tick();
        ::UpdateWindow(hwnd());
    };
    int moves = 0;
    SentHook counting([&](const CWPRETSTRUCT& m) { moves += m.hwnd == hwnd() && m.message == WM_WINDOWPOSCHANGING; });
    auto topmostAt = [](int x, int y) {
        return ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"STATIC", L"",
                                 WS_POPUP | WS_VISIBLE, x, y, 200, 100, nullptr, nullptr, nullptr, nullptr);
    };
    paintASecond();
    paintASecond();
    // Above the face but elsewhere on the screen, or over it but cloaked: nothing to climb over.
    HWND elsewhere = topmostAt(0, 500), hidden = topmostAt(800, 0);
    world.input.hidden = {hidden};
    paintASecond();
    EXPECT_EQ(moves, 0);
    // Over it and in sight: not while our own menu is up, but at the next paint after.
    HWND cover = topmostAt(800, 0);
    world.input.whileOpen = [&] { paintASecond(); };
    ::SendMessageW(hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, at(40, 40));
    EXPECT_EQ(moves, 0);
    paintASecond();
    EXPECT_GE(moves, 1);
    bool faceAbove = false;
    for (HWND w = ::GetWindow(cover, GW_HWNDPREV); w && !faceAbove; w = ::GetWindow(w, GW_HWNDPREV))
        faceAbove = w == hwnd();
    EXPECT_TRUE(faceAbove);
    // A window the face owns stays above it anyway: nothing to climb over.
    HWND owned = ::CreateWindowExW(WS_EX_NOACTIVATE, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 800, 0, 200, 100, hwnd(),
                                   nullptr, nullptr, nullptr);
    moves = 0;
    paintASecond();
    EXPECT_EQ(moves, 0);
    // A full-screen program in front, as the shell tells or as it covers the
    // monitor without a caption: out of its way, and on top again after.
    auto topmost = [&] { return (::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    HWND full = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1024, 768, nullptr, nullptr, nullptr, nullptr);
    for (const auto& enter : std::initializer_list<std::function<void()>>{
             [&] { world.input.busy = true; }, [&] { ::ShowWindow(full, SW_SHOW), ::SetForegroundWindow(full); }}) {
        enter();
        paintASecond();
        EXPECT_FALSE(topmost());
        world.input.busy = false;
        ::ShowWindow(full, SW_HIDE);
        paintASecond();
        EXPECT_TRUE(topmost());
    }
    for (HWND w : {cover, elsewhere, hidden, owned, full})
        ::DestroyWindow(w);
}

const MonitorArea kPrimary{{0, 0, 1024, 768}, {0, 0, 1024, 768}, 96};
const MonitorArea kRight{{1024, 0, 3072, 1536}, {1024, 0, 3072, 1536}, 144};

using Place = std::pair<LONG, LONG>;

Place origin(HWND w) { return {placeOf(w).left, placeOf(w).top}; }

void moveTo(HWND w, int x, int y)
{
    ::SetWindowPos(w, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
void displayChanged(HWND w) { ::SendMessageW(w, WM_DISPLAYCHANGE, 24, MAKELPARAM(1024, 768)); }

TEST_F(FaceTest, LostOffTheScreenTheFaceComesBackToTheNearestCornerAtThatMonitorsDpiNotTheSuggestedPlace)
{
    loadAndShow();
    // Hidden to the tray when its screen (Wine's one monitor) went: back in the corner once shown.
    moveTo(hwnd(), -5000, -5000);
    face->SetWindowState(1);
    displayChanged(hwnd());
    face->SetWindowState(0);
    EXPECT_EQ(origin(hwnd()), (Place{857, 0}));
    // Two monitors, the face just below the right one; only the work area's setting counts.
    Monitors monitors{kPrimary, kRight};
    face->setMonitorSource([&monitors] { return monitors; });
    moveTo(hwnd(), 2000, 1600);
    ::SendMessageW(hwnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    EXPECT_EQ(origin(hwnd()), (Place{2000, 1600}));
    // Once the face lands on the 144 DPI monitor, Windows sends WM_DPICHANGED from inside the move.
    bool sent = false;
    {
        SentHook windows([&](const CWPRETSTRUCT& c) {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(c.lParam);
            const bool moved = c.message == WM_WINDOWPOSCHANGED && !(pos->flags & SWP_NOMOVE);
            if (!sent && c.hwnd == hwnd() && moved && pos->x >= 1024) {
                sent = true;
                RECT suggested{1100, 300, 1343, 543};
                ::SendMessageW(hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
            }
        });
        ::SendMessageW(hwnd(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    }
    EXPECT_TRUE(sent);
    // 2500 twips from the right edge at 144 DPI: 1024 + 1798 px.
    EXPECT_EQ(origin(hwnd()), (Place{2822, 0}));
    EXPECT_EQ(clientSize(hwnd()), (std::pair{243, 243}));
    // A 240 px square now, with 195 px corners; the second hand's middle moves from (54, 77) to (81, 115).
    EXPECT_EQ(regionMisses(hwnd(), {{238, 120}, {30, 30}}, {{241, 120}, {22, 22}}), "");
    EXPECT_TRUE(PrintedClient(hwnd()).shows(81, 115, 1, RGB(255, 0, 255)));
    // That monitor unplugged: back on the primary, at its size again.
    monitors = {kPrimary};
    displayChanged(hwnd());
    EXPECT_EQ(origin(hwnd()), (Place{857, 0}));
    EXPECT_EQ(clientSize(hwnd()), (std::pair{162, 162}));
}

}  // namespace
}  // namespace qv::test
