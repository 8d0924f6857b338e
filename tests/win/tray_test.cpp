// The tray icon: what the shell is told, and where the icon's clicks go.

#include "face_fixture.h"

#include <set>
#include <tuple>

namespace qv::test {
namespace {

constexpr UINT kTrayCallback = 2025;
constexpr wchar_t kTip[] = L"墨蝉小闹钟  1.01\r今天是26年12月07日";
constexpr UINT kFullAdd = NIF_MESSAGE | NIF_ICON | NIF_SHOWTIP | NIF_TIP;
using Messages = std::vector<DWORD>;

// `at`: where the shell says the icon is, as version 4 tells it.
LRESULT notifyFromIcon(HWND hwnd, UINT event, POINT at = {})
{
    return ::SendMessageW(hwnd, kTrayCallback, MAKEWPARAM(at.x, at.y), event);
}

TEST_F(FaceTest, TheIconThenItsTipComeAfterTheFirstPaintAShellRestartBringsThemBackAndMoreRightsStillHearIt)
{
    app = std::make_unique<AppHost>(world.services(), L"C:\\Apps\\qorvane");
    face = &app->face();
    ASSERT_TRUE(app->Start(::GetModuleHandleW(nullptr)));
    // Nothing that needs the shell or the common controls before the time shows.
    EXPECT_TRUE(world.tray.calls.empty());
    pumpMessages();
    EXPECT_EQ(face->tooltip(), nullptr);  // until the mouse comes
    ASSERT_EQ(world.tray.messages(), (Messages{NIM_ADD, NIM_SETVERSION, NIM_MODIFY}));
    // Its callback is the face, the window every test here sends to.
    const NOTIFYICONDATAW& add = world.tray.calls[0].data;
    EXPECT_EQ(std::tuple(add.hWnd, add.uFlags, add.hIcon),
              std::tuple(hwnd(), UINT{NIF_MESSAGE | NIF_ICON | NIF_SHOWTIP}, face->Image1()));
    EXPECT_EQ(world.tray.calls[1].data.uVersion, static_cast<UINT>(NOTIFYICON_VERSION_4));
    EXPECT_EQ(world.tray.calls[2].data.uFlags, static_cast<UINT>(NIF_TIP | NIF_SHOWTIP));
    EXPECT_STREQ(world.tray.calls[2].data.szTip, kTip);
    // A new day, a new tip; ticks within the day tell the shell nothing.
    world.clock.set(2026, 12, 8, 2, 0, 0, 0);
    tick();
    world.clock.set(2026, 12, 8, 2, 0, 0, 1);
    tick();
    ASSERT_EQ(world.tray.messages(), (Messages{NIM_ADD, NIM_SETVERSION, NIM_MODIFY, NIM_MODIFY}));
    const std::wstring tomorrow = L"墨蝉小闹钟  1.01\r今天是26年12月08日";
    EXPECT_EQ(world.tray.calls[3].data.szTip, tomorrow);
    // The shell restarts without the icon: added again, with today's tip.
    world.tray.calls.clear();
    world.tray.iconUp = false;
    ::SendMessageW(hwnd(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    ASSERT_EQ(world.tray.messages(), (Messages{NIM_MODIFY, NIM_ADD, NIM_SETVERSION}));
    EXPECT_EQ(world.tray.calls[1].data.szTip, tomorrow);
    // Sent again while the icon stayed (the taskbar's DPI changed): no second add.
    world.tray.calls.clear();
    ::SendMessageW(hwnd(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_EQ(world.tray.messages(), (Messages{NIM_MODIFY, NIM_SETVERSION}));
    // Run with more rights the face still hears the shell and a normal start.
    const std::vector<UINT>& allowed = world.elevation.allowed;
    const UINT shellRestart = ::RegisterWindowMessageW(L"TaskbarCreated");
    EXPECT_EQ(std::multiset<UINT>(allowed.begin(), allowed.end()),
              (std::multiset<UINT>{frmmain::showFaceMessage(), shellRestart, kTrayCallback}));
}

// Under version 4 each release is followed by its own notice; a click still acts
// once. The keyboard reaches the icon too: Enter or Space brings the face, the
// menu key opens the menu at the icon and, escaped, gives the icons the keyboard back.
TEST_F(FaceTest, TheIconsClicksAndKeysEachActOnce)
{
    loadAndShow();
    notifyFromIcon(hwnd(), WM_RBUTTONDOWN);
    EXPECT_EQ(notifyFromIcon(hwnd(), WM_RBUTTONUP), 0);
    notifyFromIcon(hwnd(), WM_CONTEXTMENU);
    ASSERT_EQ(world.input.menusShown, std::vector<HMENU>{face->Tray()});
    world.tray.calls.clear();
    notifyFromIcon(hwnd(), WM_CONTEXTMENU, POINT{1012, 742});  // from the keyboard: at the icon
    EXPECT_EQ(world.input.menuPlaces, (std::vector<std::string>{"mouse", "1012,742"}));
    EXPECT_EQ(world.tray.messages(), Messages{NIM_SETFOCUS});
    // A command chosen from it runs (the first item hides the face); the focus stays where it put it.
    world.tray.calls.clear();
    world.input.answers = {static_cast<UINT>(MenuId::showfrmmain)};
    notifyFromIcon(hwnd(), WM_CONTEXTMENU, POINT{1012, 742});
    EXPECT_FALSE(::IsWindowVisible(hwnd()));
    EXPECT_EQ(face->WindowState(), 1);
    EXPECT_EQ(menuCaption(face->Tray(), 0), L"显示钟面");
    EXPECT_TRUE(world.tray.calls.empty());
    notifyFromIcon(hwnd(), NIN_KEYSELECT);
    pumpMessages();
    EXPECT_TRUE(::IsWindowVisible(hwnd()));
    EXPECT_EQ(face->WindowState(), 0);
    EXPECT_EQ(menuCaption(face->Tray(), 0), L"隐藏钟面");
    EXPECT_EQ(::GetFocus(), hwnd());
}

TEST_F(FaceTest, AnIconTheShellRefusesAtLogonIsAddedLaterWithItsTipAndOneUpDespiteARefusalIsRemovedAtExit)
{
    world.tray.refuseAdds = 2;
    load();
    EXPECT_EQ(world.tray.messages(), Messages{NIM_ADD});  // no tip for no icon
    // The first retry comes by itself, a second later.
    for (int i = 0; i < 300 && world.tray.calls.size() < 3; ++i) {
        ::Sleep(10);
        pumpMessages();
    }
    EXPECT_EQ(world.tray.messages(), (Messages{NIM_ADD, NIM_MODIFY, NIM_ADD}));  // a modify finds none
    ::SendMessageW(hwnd(), WM_TIMER, ModTray::kRetryTimer, 0);  // the next one, without the wait
    ASSERT_EQ(world.tray.messages().back(), static_cast<DWORD>(NIM_SETVERSION));
    const NOTIFYICONDATAW& added = world.tray.calls[world.tray.calls.size() - 2].data;
    EXPECT_EQ(added.uFlags, kFullAdd);
    EXPECT_STREQ(added.szTip, kTip);
    // Up now: no more tries.
    const std::size_t calls = world.tray.calls.size();
    ::Sleep(1200);
    pumpMessages();
    EXPECT_EQ(world.tray.calls.size(), calls);
    // A refused add that came up all the same: found by the retry, no second icon.
    app.reset();
    world.tray.calls.clear();
    world.tray.refuseAdds = 1;
    world.tray.upDespiteRefusal = true;
    load();
    ::SendMessageW(hwnd(), WM_TIMER, ModTray::kRetryTimer, 0);
    EXPECT_EQ(world.tray.messages(), (Messages{NIM_ADD, NIM_MODIFY, NIM_SETVERSION}));
    // Refused and never confirmed, yet up: the exit still takes it down.
    app.reset();
    world.tray.calls.clear();
    world.tray.refuseAdds = 1;
    load();
    ASSERT_FALSE(ModTray::IconPresent());
    choose(MenuId::quit);
    EXPECT_EQ(world.tray.messages().back(), static_cast<DWORD>(NIM_DELETE));
    EXPECT_FALSE(world.tray.iconUp);
}

}  // namespace
}  // namespace qv::test
