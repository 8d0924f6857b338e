// The tray icon: what the shell is told, and where the icon's clicks go.

#include "face_fixture.h"

#include <algorithm>

namespace qv::test {
namespace {

constexpr UINT kTrayCallback = 2025;
constexpr wchar_t kTip[] = L"墨蝉小闹钟  1.01\r今天是26年12月07日";
using Messages = std::vector<DWORD>;

LRESULT notifyFromIcon(HWND hwnd, UINT mouseMessage)
{
    return ::SendMessageW(hwnd, kTrayCallback, 0, mouseMessage);
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
    ASSERT_EQ(world.tray.messages(), (Messages{NIM_ADD, NIM_MODIFY}));
    const NOTIFYICONDATAW& add = world.tray.calls[0].data;
    EXPECT_EQ(add.cbSize, sizeof(NOTIFYICONDATAW));
    EXPECT_EQ(add.hWnd, hwnd());
    EXPECT_EQ(add.uID, 0u);
    EXPECT_EQ(add.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON));
    EXPECT_EQ(add.uCallbackMessage, kTrayCallback);
    EXPECT_NE(add.hIcon, nullptr);
    EXPECT_EQ(add.hIcon, face->Image1());
    const NOTIFYICONDATAW& tip = world.tray.calls[1].data;
    EXPECT_EQ(tip.uFlags, static_cast<UINT>(NIF_TIP));
    EXPECT_STREQ(tip.szTip, kTip);

    // A new day, a new tip; ticks within the day tell the shell nothing.
    world.clock.set(2026, 12, 8, 2, 0, 0, 0);
    tick();
    world.clock.set(2026, 12, 8, 2, 0, 0, 1);
    tick();
    ASSERT_EQ(world.tray.messages(), (Messages{NIM_ADD, NIM_MODIFY, NIM_MODIFY}));
    EXPECT_STREQ(world.tray.calls[2].data.szTip, L"墨蝉小闹钟  1.01\r今天是26年12月08日");
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

TEST_F(FaceTest, AShellRestartBringsTheIconAndTipBack)
{
    load();
    world.tray.iconUp = false;  // gone with the old shell
    ::SendMessageW(hwnd(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    ASSERT_EQ(world.tray.messages(), (Messages{NIM_ADD, NIM_MODIFY, NIM_MODIFY, NIM_ADD}));
    const NOTIFYICONDATAW& again = world.tray.calls[3].data;
    EXPECT_EQ(again.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(again.hIcon, face->Image1());
    EXPECT_STREQ(again.szTip, kTip);

    // Sent again while the icon stayed (the taskbar's DPI changed): no second add.
    ::SendMessageW(hwnd(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_EQ(world.tray.messages().back(), static_cast<DWORD>(NIM_MODIFY));
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
    EXPECT_EQ(world.tray.messages(), (Messages{NIM_ADD, NIM_MODIFY, NIM_ADD}));
    EXPECT_FALSE(ModTray::IconPresent());

    ::SendMessageW(hwnd(), WM_TIMER, ModTray::kRetryTimer, 0);  // the next one, without the wait
    EXPECT_TRUE(ModTray::IconPresent());
    EXPECT_TRUE(world.tray.iconUp);
    ASSERT_EQ(world.tray.messages().back(), static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(world.tray.calls.back().data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_STREQ(world.tray.calls.back().data.szTip, kTip);

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
    EXPECT_EQ(world.tray.messages(), (Messages{NIM_ADD, NIM_MODIFY}));  // no second icon

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
