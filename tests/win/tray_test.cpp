// The tray icon: what the shell is told, and where the icon's clicks go.

#include "face_fixture.h"

#include <algorithm>

namespace qv::test {
namespace {

constexpr UINT kTrayCallback = 2025;

LRESULT notifyFromIcon(HWND hwnd, UINT mouseMessage)
{
    return ::SendMessageW(hwnd, kTrayCallback, 0, mouseMessage);
}

std::vector<DWORD> messagesOf(const std::vector<TrayCall>& calls)
{
    std::vector<DWORD> out;
    for (const TrayCall& c : calls)
        out.push_back(c.message);
    return out;
}

TEST_F(FaceTest, TheIconThenItsTipComeAfterTheFirstPaint)
{
    face = std::make_unique<frmmain>(world.services(), L"C:\\Apps\\qorvane");
    ASSERT_TRUE(face->Load(::GetModuleHandleW(nullptr)));
    // Nothing that needs the shell or the common controls before the time shows.
    EXPECT_TRUE(world.tray.calls.empty());
    EXPECT_EQ(face->tooltip(), nullptr);
    face->Show();
    EXPECT_TRUE(world.tray.calls.empty());
    pumpMessages();
    EXPECT_EQ(face->tooltip(), nullptr);  // until the mouse comes
    ASSERT_EQ(world.tray.calls.size(), 2u);
    const TrayCall& add = world.tray.calls[0];
    EXPECT_EQ(add.message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(add.data.cbSize, sizeof(NOTIFYICONDATAW));
    EXPECT_EQ(add.data.hWnd, hwnd());
    EXPECT_EQ(add.data.uID, 0u);
    EXPECT_EQ(add.data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON));
    EXPECT_EQ(add.data.uCallbackMessage, kTrayCallback);
    EXPECT_NE(add.data.hIcon, nullptr);
    EXPECT_EQ(add.data.hIcon, face->Image1());

    const TrayCall& tip = world.tray.calls[1];
    EXPECT_EQ(tip.message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(tip.data.uFlags, static_cast<UINT>(NIF_TIP));
    EXPECT_STREQ(tip.data.szTip, L"墨蝉小闹钟  1.01\r今天是26年12月07日");
}

TEST_F(FaceTest, TheTipFollowsTheDate)
{
    load();
    world.clock.set(2026, 12, 8, 2, 0, 0, 0);
    ::SendMessageW(hwnd(), WM_TIMER, frmmain::kTmrmain, 0);
    ASSERT_EQ(world.tray.calls.size(), 3u);
    EXPECT_EQ(world.tray.calls[2].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_STREQ(world.tray.calls[2].data.szTip, L"墨蝉小闹钟  1.01\r今天是26年12月08日");
    // Ticks within the same day tell the shell nothing.
    world.clock.set(2026, 12, 8, 2, 0, 0, 1);
    ::SendMessageW(hwnd(), WM_TIMER, frmmain::kTmrmain, 0);
    EXPECT_EQ(world.tray.calls.size(), 3u);
}

TEST_F(FaceTest, RightReleaseOnTheIconOpensTheTrayMenu)
{
    loadAndShow();
    notifyFromIcon(hwnd(), WM_RBUTTONDOWN);
    EXPECT_TRUE(world.input.menusShown.empty());
    EXPECT_EQ(notifyFromIcon(hwnd(), WM_RBUTTONUP), 0);
    ASSERT_EQ(world.input.menusShown.size(), 1u);
    EXPECT_EQ(world.input.menusShown[0], face->Tray());
}

TEST_F(FaceTest, LeftReleaseOnTheIconRestoresOnlyAHiddenFace)
{
    loadAndShow();
    notifyFromIcon(hwnd(), WM_LBUTTONUP);  // shown: nothing happens
    EXPECT_EQ(face->WindowState(), 0);
    EXPECT_TRUE(world.input.menusShown.empty());

    ::ShowWindow(hwnd(), SW_MINIMIZE);
    ::ShowWindow(hwnd(), SW_HIDE);
    EXPECT_EQ(menuCaption(face->Tray(), 0), L"显示钟面");
    notifyFromIcon(hwnd(), WM_LBUTTONDOWN);  // a press alone does nothing
    EXPECT_FALSE(::IsWindowVisible(hwnd()));
    notifyFromIcon(hwnd(), WM_LBUTTONUP);
    pumpMessages();
    EXPECT_TRUE(::IsWindowVisible(hwnd()));
    EXPECT_EQ(face->WindowState(), 0);
    EXPECT_EQ(menuCaption(face->Tray(), 0), L"隐藏钟面");
}

TEST_F(FaceTest, AShellRestartBringsTheIconAndTipBack)
{
    load();
    world.tray.iconUp = false;  // gone with the old shell
    ::SendMessageW(hwnd(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    ASSERT_EQ(messagesOf(world.tray.calls), (std::vector<DWORD>{NIM_ADD, NIM_MODIFY, NIM_MODIFY, NIM_ADD}));
    const TrayCall& again = world.tray.calls[3];
    EXPECT_EQ(again.message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(again.data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(again.data.hIcon, face->Image1());
    EXPECT_STREQ(again.data.szTip, L"墨蝉小闹钟  1.01\r今天是26年12月07日");

    // Sent again while the icon stayed (the taskbar's DPI changed): no second add.
    ::SendMessageW(hwnd(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_EQ(world.tray.calls.back().message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_TRUE(ModTray::IconPresent());
}

TEST_F(FaceTest, AnIconTheShellRefusesAtLogonIsAddedLaterWithItsTip)
{
    world.tray.refuseAdds = 2;
    load();
    EXPECT_FALSE(ModTray::IconPresent());
    EXPECT_EQ(messagesOf(world.tray.calls), std::vector<DWORD>{NIM_ADD});  // no tip for no icon

    // The first retry comes by itself, a second later.
    for (int i = 0; i < 300 && world.tray.calls.size() < 3; ++i) {
        ::Sleep(10);
        pumpMessages();
    }
    EXPECT_EQ(messagesOf(world.tray.calls), (std::vector<DWORD>{NIM_ADD, NIM_MODIFY, NIM_ADD}));
    EXPECT_FALSE(ModTray::IconPresent());

    ::SendMessageW(hwnd(), WM_TIMER, ModTray::kRetryTimer, 0);  // the next one, without the wait
    EXPECT_TRUE(ModTray::IconPresent());
    EXPECT_TRUE(world.tray.iconUp);
    const TrayCall& added = world.tray.calls.back();
    EXPECT_EQ(added.message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(added.data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_STREQ(added.data.szTip, L"墨蝉小闹钟  1.01\r今天是26年12月07日");

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
    EXPECT_EQ(messagesOf(world.tray.calls), (std::vector<DWORD>{NIM_ADD, NIM_MODIFY}));  // no second icon

    // Refused and never confirmed, yet up: the exit still takes it down.
    face.reset();
    world.tray.calls.clear();
    world.tray.refuseAdds = 1;
    load();
    ASSERT_FALSE(ModTray::IconPresent());
    ::SendMessageW(hwnd(), WM_COMMAND, static_cast<WPARAM>(MenuId::quit), 0);
    EXPECT_EQ(world.tray.calls.back().message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_FALSE(world.tray.iconUp);
}

TEST_F(FaceTest, RunWithMoreRightsTheFaceStillHearsTheShellAndANormalStart)
{
    load();
    std::vector<UINT> allowed = world.elevation.allowed;
    std::sort(allowed.begin(), allowed.end());
    std::vector<UINT> wanted = {frmmain::showFaceMessage(), ::RegisterWindowMessageW(L"TaskbarCreated"), kTrayCallback};
    std::sort(wanted.begin(), wanted.end());
    EXPECT_EQ(allowed, wanted);
}

TEST_F(FaceTest, TrayExitClosesTheFaceAndRemovesTheIconOnce)
{
    loadAndShow();
    world.input.answers = {static_cast<UINT>(MenuId::quit)};
    EXPECT_EQ(notifyFromIcon(hwnd(), WM_RBUTTONUP), 0);
    EXPECT_FALSE(::IsWindow(hwnd()));
    EXPECT_EQ(closedCount, 1);
    EXPECT_TRUE(world.process.exits.empty());
    int deletes = 0;
    for (const TrayCall& c : world.tray.calls)
        deletes += c.message == NIM_DELETE;
    EXPECT_EQ(deletes, 1);
    EXPECT_FALSE(ModTray::IconPresent());
    ModTray::RemoveTrayIcon();  // once more, as the face's unload does: harmless
    EXPECT_EQ(world.tray.calls.back().message, static_cast<DWORD>(NIM_DELETE));
}

}  // namespace
}  // namespace qv::test
