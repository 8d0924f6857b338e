// The tray icon: what the shell is told, and where the icon's clicks go.

#include "face_fixture.h"

#include <algorithm>

namespace qv::test {
namespace {

constexpr UINT kTrayCallback = 2025;
constexpr wchar_t kTip[] = L"墨蝉小闹钟  1.01\r今天是26年12月07日";
using Messages = std::vector<DWORD>;

// `at`: where the shell says the icon is, as version 4 tells it.
LRESULT notifyFromIcon(HWND hwnd, UINT event, POINT at = {})
{
    return ::SendMessageW(hwnd, kTrayCallback, MAKEWPARAM(at.x, at.y), event);
}

TEST_F(FaceTest, TheIconThenItsTipComeAfterTheFirstPaint)
{
    face = std::make_unique<frmmain>(world.services(), L"C:\\Apps\\qorvane");
    ASSERT_TRUE(face->Load(::GetModuleHandleW(nullptr)));
    face->Show();
    // Nothing that needs the shell or the common controls before the time shows.
    EXPECT_TRUE(world.tray.calls.empty());
    pumpMessages();
    EXPECT_EQ(face->tooltip(), nullptr);  // until the mouse comes
    ASSERT_EQ(world.tray.messages(), (Messages{NIM_ADD, NIM_SETVERSION, NIM_MODIFY}));
    const NOTIFYICONDATAW& add = world.tray.calls[0].data;
    EXPECT_EQ(add.cbSize, sizeof(NOTIFYICONDATAW));
    EXPECT_EQ(add.hWnd, hwnd());
    EXPECT_EQ(add.uID, 0u);
    EXPECT_EQ(add.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_SHOWTIP));
    EXPECT_EQ(add.uCallbackMessage, kTrayCallback);
    EXPECT_NE(add.hIcon, nullptr);
    EXPECT_EQ(add.hIcon, face->Image1());
    EXPECT_EQ(world.tray.calls[1].data.uVersion, static_cast<UINT>(NOTIFYICON_VERSION_4));
    const NOTIFYICONDATAW& tip = world.tray.calls[2].data;
    EXPECT_EQ(tip.uFlags, static_cast<UINT>(NIF_TIP | NIF_SHOWTIP));
    EXPECT_STREQ(tip.szTip, kTip);

    // A new day, a new tip; ticks within the day tell the shell nothing.
    world.clock.set(2026, 12, 8, 2, 0, 0, 0);
    tick();
    world.clock.set(2026, 12, 8, 2, 0, 0, 1);
    tick();
    ASSERT_EQ(world.tray.messages(), (Messages{NIM_ADD, NIM_SETVERSION, NIM_MODIFY, NIM_MODIFY}));
    EXPECT_STREQ(world.tray.calls[3].data.szTip, L"墨蝉小闹钟  1.01\r今天是26年12月08日");
}

TEST_F(FaceTest, TheIconsRightReleaseOpensTheTrayMenuAndItsLeftReleaseRestoresOnlyAHiddenFace)
{
    loadAndShow();
    notifyFromIcon(hwnd(), WM_RBUTTONDOWN);
    notifyFromIcon(hwnd(), WM_LBUTTONUP);  // shown: nothing happens
    EXPECT_EQ(face->WindowState(), 0);
    EXPECT_TRUE(world.input.menusShown.empty());
    EXPECT_EQ(notifyFromIcon(hwnd(), WM_RBUTTONUP), 0);
    EXPECT_EQ(world.input.menusShown, std::vector<HMENU>{face->Tray()});

    choose(MenuId::hidefrmmain);
    EXPECT_FALSE(::IsWindowVisible(hwnd()));
    EXPECT_EQ(face->WindowState(), 1);
    EXPECT_EQ(menuCaption(face->Tray(), 0), L"显示钟面");
    notifyFromIcon(hwnd(), WM_LBUTTONDOWN);  // a press alone does nothing
    EXPECT_FALSE(::IsWindowVisible(hwnd()));
    notifyFromIcon(hwnd(), WM_LBUTTONUP);
    pumpMessages();
    EXPECT_TRUE(::IsWindowVisible(hwnd()));
    EXPECT_EQ(face->WindowState(), 0);
    EXPECT_EQ(menuCaption(face->Tray(), 0), L"隐藏钟面");

    // The tray menu's first item toggles.
    choose(MenuId::showfrmmain);
    EXPECT_FALSE(::IsWindowVisible(hwnd()));
    choose(MenuId::showfrmmain);
    pumpMessages();
    EXPECT_TRUE(::IsWindowVisible(hwnd()));
}

// Version 4 follows each release with its own notice; the click still acts once.
// The keyboard reaches the icon too: Enter or Space brings the face, the menu
// key opens the menu at the icon and, when escaped, gives the icons the keyboard back.
TEST_F(FaceTest, TheIconAnswersTheKeyboardAndEachClickActsOnce)
{
    loadAndShow();
    notifyFromIcon(hwnd(), WM_RBUTTONDOWN);
    notifyFromIcon(hwnd(), WM_RBUTTONUP);
    notifyFromIcon(hwnd(), WM_CONTEXTMENU);
    ASSERT_EQ(world.input.menusShown, std::vector<HMENU>{face->Tray()});
    EXPECT_FALSE(world.input.menuPlaces[0].has_value());  // at the mouse

    world.tray.calls.clear();
    notifyFromIcon(hwnd(), WM_CONTEXTMENU, POINT{1012, 742});
    ASSERT_EQ(world.input.menusShown.size(), 2u);
    ASSERT_TRUE(world.input.menuPlaces[1].has_value());
    EXPECT_EQ(world.input.menuPlaces[1]->x, 1012);
    EXPECT_EQ(world.input.menuPlaces[1]->y, 742);
    EXPECT_EQ(world.tray.messages(), Messages{NIM_SETFOCUS});

    // A command chosen from it runs, and the focus stays where the command put it.
    world.tray.calls.clear();
    world.input.answers = {static_cast<UINT>(MenuId::showfrmmain)};
    notifyFromIcon(hwnd(), WM_CONTEXTMENU, POINT{1012, 742});
    EXPECT_FALSE(::IsWindowVisible(hwnd()));
    EXPECT_TRUE(world.tray.calls.empty());

    notifyFromIcon(hwnd(), NIN_KEYSELECT);
    pumpMessages();
    EXPECT_TRUE(::IsWindowVisible(hwnd()));
    EXPECT_EQ(face->WindowState(), 0);
    EXPECT_EQ(::GetFocus(), hwnd());

    // A left click on a hidden face: restored by the release, its NIN_SELECT does nothing more.
    choose(MenuId::hidefrmmain);
    notifyFromIcon(hwnd(), WM_LBUTTONDOWN);
    notifyFromIcon(hwnd(), WM_LBUTTONUP);
    choose(MenuId::hidefrmmain);  // hidden again before the notice comes
    notifyFromIcon(hwnd(), NIN_SELECT);
    pumpMessages();
    EXPECT_FALSE(::IsWindowVisible(hwnd()));
}

TEST_F(FaceTest, AShellRestartBringsTheIconAndTipBack)
{
    load();
    world.tray.iconUp = false;  // gone with the old shell
    ::SendMessageW(hwnd(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    ASSERT_EQ(world.tray.messages(),
              (Messages{NIM_ADD, NIM_SETVERSION, NIM_MODIFY, NIM_MODIFY, NIM_ADD, NIM_SETVERSION}));
    const NOTIFYICONDATAW& again = world.tray.calls[4].data;
    EXPECT_EQ(again.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_SHOWTIP | NIF_TIP));
    EXPECT_EQ(again.hIcon, face->Image1());
    EXPECT_STREQ(again.szTip, kTip);

    // Sent again while the icon stayed (the taskbar's DPI changed): no second add.
    ::SendMessageW(hwnd(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    const Messages all = world.tray.messages();
    const Messages last(all.end() - 2, all.end());
    EXPECT_EQ(last, (Messages{NIM_MODIFY, NIM_SETVERSION}));
    EXPECT_TRUE(ModTray::IconPresent());
}

TEST_F(FaceTest, AnIconTheShellRefusesAtLogonIsAddedLaterWithItsTip)
{
    world.tray.refuseAdds = 2;
    load();
    EXPECT_FALSE(ModTray::IconPresent());
    EXPECT_EQ(world.tray.messages(), Messages{NIM_ADD});  // no tip for no icon

    // The first retry comes by itself, a second later.
    for (int i = 0; i < 300 && world.tray.calls.size() < 3; ++i) {
        ::Sleep(10);
        pumpMessages();
    }
    EXPECT_EQ(world.tray.messages(), (Messages{NIM_ADD, NIM_MODIFY, NIM_ADD}));  // a modify finds none
    EXPECT_FALSE(ModTray::IconPresent());

    ::SendMessageW(hwnd(), WM_TIMER, ModTray::kRetryTimer, 0);  // the next one, without the wait
    EXPECT_TRUE(ModTray::IconPresent());
    EXPECT_TRUE(world.tray.iconUp);
    ASSERT_EQ(world.tray.messages().back(), static_cast<DWORD>(NIM_SETVERSION));
    const NOTIFYICONDATAW& added = world.tray.calls[world.tray.calls.size() - 2].data;
    EXPECT_EQ(added.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_SHOWTIP | NIF_TIP));
    EXPECT_STREQ(added.szTip, kTip);

    // Up now: no more tries.
    const std::size_t calls = world.tray.calls.size();
    ::Sleep(1200);
    pumpMessages();
    EXPECT_EQ(world.tray.calls.size(), calls);
}

TEST_F(FaceTest, AnIconThatCameUpDespiteARefusalIsFoundAndRemovedAtExit)
{
    world.tray.refuseAdds = 1;
    world.tray.upDespiteRefusal = true;
    load();
    ::SendMessageW(hwnd(), WM_TIMER, ModTray::kRetryTimer, 0);
    EXPECT_TRUE(ModTray::IconPresent());
    EXPECT_EQ(world.tray.messages(), (Messages{NIM_ADD, NIM_MODIFY, NIM_SETVERSION}));  // no second icon

    // Refused and never confirmed, yet up: the exit still takes it down.
    face.reset();
    world.tray.calls.clear();
    world.tray.refuseAdds = 1;
    load();
    ASSERT_FALSE(ModTray::IconPresent());
    choose(MenuId::quit);
    EXPECT_EQ(world.tray.messages().back(), static_cast<DWORD>(NIM_DELETE));
    EXPECT_FALSE(world.tray.iconUp);
}

TEST_F(FaceTest, RunWithMoreRightsTheFaceStillHearsTheShellAndANormalStart)
{
    load();
    std::vector<UINT> allowed = world.elevation.allowed;
    std::vector<UINT> wanted = {frmmain::showFaceMessage(), ::RegisterWindowMessageW(L"TaskbarCreated"), kTrayCallback};
    std::sort(allowed.begin(), allowed.end());
    std::sort(wanted.begin(), wanted.end());
    EXPECT_EQ(allowed, wanted);
}

}  // namespace
}  // namespace qv::test
