// Every menu command, sent to the real face window.

#include "face_fixture.h"

#include <cwchar>
#include <string>
#include <vector>

namespace qv::test {
namespace {

constexpr wchar_t kClockClass[] = L"qorvane.frmclock";
constexpr wchar_t kOptionsClass[] = L"qorvane.Frmoptions";
constexpr wchar_t kAboutClass[] = L"qorvane.frmabout";

class MenusTest : public FaceTest {
protected:
    void choose(MenuId id) { ::SendMessageW(hwnd(), WM_COMMAND, static_cast<WPARAM>(id), 0); }

    bool checked(HMENU menu, MenuId id) const
    {
        return (::GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    // Both items of a pair, which must always agree.
    bool pairChecked(MenuId faceItem, MenuId trayItem) const
    {
        const bool a = checked(face->mune(), faceItem), b = checked(face->Tray(), trayItem);
        EXPECT_EQ(a, b) << "twin marks disagree";
        return a && b;
    }

    static int windowsOfClass(const wchar_t* cls)
    {
        struct Count {
            const wchar_t* cls;
            int n;
        } count{cls, 0};
        ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND w, LPARAM p) -> BOOL {
            auto* c = reinterpret_cast<Count*>(p);
            wchar_t name[64] = {};
            ::GetClassNameW(w, name, 64);
            c->n += std::wstring(name) == c->cls;
            return TRUE;
        }, reinterpret_cast<LPARAM>(&count));
        return count.n;
    }
};

TEST_F(MenusTest, AlarmItemsOpenAndCloseTheAlarmWindowWithTwinMarks)
{
    load();
    choose(MenuId::showclock);
    HWND clock = ::FindWindowW(kClockClass, nullptr);
    ASSERT_NE(clock, nullptr);
    EXPECT_TRUE(::IsWindowVisible(clock));
    EXPECT_TRUE(pairChecked(MenuId::showclock, MenuId::hidefrmclock));
    EXPECT_TRUE(::GetWindowLongPtrW(clock, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

    choose(MenuId::hidefrmclock);  // the other menu closes it
    EXPECT_FALSE(::IsWindow(clock));
    EXPECT_FALSE(pairChecked(MenuId::showclock, MenuId::hidefrmclock));
}

TEST_F(MenusTest, AWindowClosedByItselfClearsTheMarksAndOpensAgain)
{
    load();
    choose(MenuId::frmop);
    HWND options = ::FindWindowW(kOptionsClass, nullptr);
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(pairChecked(MenuId::showfrmoptions, MenuId::frmop));
    EXPECT_FALSE(checked(face->mune(), MenuId::showclock));

    ::SendMessageW(options, WM_CLOSE, 0, 0);  // its own close button
    EXPECT_FALSE(::IsWindow(options));
    EXPECT_FALSE(pairChecked(MenuId::showfrmoptions, MenuId::frmop));

    choose(MenuId::showfrmoptions);
    EXPECT_NE(::FindWindowW(kOptionsClass, nullptr), nullptr);
    EXPECT_TRUE(pairChecked(MenuId::showfrmoptions, MenuId::frmop));
    EXPECT_EQ(windowsOfClass(kOptionsClass), 1);
}

TEST_F(MenusTest, AboutShowsOneWindowWithoutMarks)
{
    load();
    choose(MenuId::about);
    choose(MenuId::showabout);
    EXPECT_EQ(windowsOfClass(kAboutClass), 1);
    EXPECT_FALSE(checked(face->mune(), MenuId::about));
    EXPECT_FALSE(checked(face->Tray(), MenuId::showabout));
    EXPECT_EQ(::GetForegroundWindow(), ::FindWindowW(kAboutClass, nullptr));
}

TEST_F(MenusTest, HidingTheFaceAndBringingItBackFromTheTrayMenu)
{
    loadAndShow();
    choose(MenuId::hidefrmmain);
    EXPECT_FALSE(::IsWindowVisible(hwnd()));
    EXPECT_EQ(face->WindowState(), 1);
    EXPECT_EQ(menuCaption(face->Tray(), 0), L"显示钟面");

    choose(MenuId::showfrmmain);
    pumpMessages();
    EXPECT_TRUE(::IsWindowVisible(hwnd()));
    EXPECT_EQ(face->WindowState(), 0);
    EXPECT_EQ(menuCaption(face->Tray(), 0), L"隐藏钟面");

    choose(MenuId::showfrmmain);  // the tray item toggles
    EXPECT_FALSE(::IsWindowVisible(hwnd()));
    EXPECT_EQ(menuCaption(face->Tray(), 0), L"显示钟面");
}

TEST_F(MenusTest, HelpOpensWhatF1Opens)
{
    load();
    choose(MenuId::help);
    ::SendMessageW(hwnd(), WM_KEYDOWN, VK_F1, 0);
    ASSERT_EQ(world.help.opened.size(), 2u);
    EXPECT_EQ(world.help.opened[0], L"C:\\Apps\\qorvane\\image\\help.chm");
    EXPECT_EQ(world.help.opened[1], world.help.opened[0]);
}

TEST_F(MenusTest, CdItemsToggleTheDoorWithTwinMarksAndTheFirstPaintClosesIt)
{
    loadAndShow();
    ASSERT_EQ(world.door.commands, std::vector<std::wstring>{L"set CDAudio door closed"});
    EXPECT_FALSE(pairChecked(MenuId::opencddrive, MenuId::opencd));

    choose(MenuId::opencddrive);
    EXPECT_TRUE(pairChecked(MenuId::opencddrive, MenuId::opencd));
    // Repaints move the hands but leave the door alone.
    ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(pairChecked(MenuId::opencddrive, MenuId::opencd));
    choose(MenuId::opencd);
    EXPECT_FALSE(pairChecked(MenuId::opencddrive, MenuId::opencd));
    choose(MenuId::opencd);
    EXPECT_EQ(world.door.commands,
              (std::vector<std::wstring>{L"set CDAudio door closed", L"set CDAudio door open",
                                         L"set CDAudio door closed", L"set CDAudio door open"}));
}

TEST_F(MenusTest, WithoutACdDriveTheFirstPaintLeavesTheMultimediaLibraryAlone)
{
    world.drives.types = {{'C', DRIVE_FIXED}};
    loadAndShow();
    EXPECT_TRUE(world.door.commands.empty());
}

// Records the class of each window as it is destroyed, in order.
std::vector<std::wstring>* g_destroyed = nullptr;
LRESULT CALLBACK recordDestroy(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_DESTROYWND && g_destroyed) {
        wchar_t name[64] = {};
        ::GetClassNameW(reinterpret_cast<HWND>(wParam), name, 64);
        if (std::wcsncmp(name, L"qorvane.", 8) == 0)
            g_destroyed->push_back(name);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(MenusTest, TrayExitClosesEveryWindowInOrderThenTheFace)
{
    loadAndShow();
    choose(MenuId::frmop);
    choose(MenuId::showabout);
    choose(MenuId::showclock);
    std::vector<std::wstring> destroyed;
    g_destroyed = &destroyed;
    HHOOK hook = ::SetWindowsHookExW(WH_CBT, recordDestroy, nullptr, ::GetCurrentThreadId());

    choose(MenuId::quit);
    ::UnhookWindowsHookEx(hook);
    g_destroyed = nullptr;
    EXPECT_EQ(destroyed, (std::vector<std::wstring>{kClockClass, kAboutClass, kOptionsClass,
                                                    frmmain::kClassName}));
    EXPECT_FALSE(::IsWindow(hwnd()));
    EXPECT_EQ(closedCount, 1);
    EXPECT_FALSE(ModTray::IconPresent());
}

TEST_F(MenusTest, FaceExitLeavesTheOtherWindowsToTheProcessEnd)
{
    load();
    choose(MenuId::showclock);
    choose(MenuId::end);
    EXPECT_EQ(world.process.exits, std::vector<UINT>{0});
    EXPECT_FALSE(ModTray::IconPresent());
    // Nothing was unloaded: the window is still there and its marks unchanged.
    EXPECT_NE(::FindWindowW(kClockClass, nullptr), nullptr);
    EXPECT_TRUE(pairChecked(MenuId::showclock, MenuId::hidefrmclock));
}

}  // namespace
}  // namespace qv::test
