// The menu commands, sent to the real face window.

#include "face_fixture.h"

#include <cwchar>
#include <string>
#include <vector>

namespace qv::test {
namespace {

using Texts = std::vector<std::wstring>;

constexpr wchar_t kClockClass[] = L"qorvane.frmclock";
constexpr wchar_t kOptionsClass[] = L"qorvane.Frmoptions";
constexpr wchar_t kAboutClass[] = L"qorvane.frmabout";

class MenusTest : public FaceTest {
protected:
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
        int n = 0;
        for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, cls, nullptr)) != nullptr;)
            ++n;
        return n;
    }
};

TEST_F(MenusTest, EitherTwinItemTogglesItsWindowAndAWindowClosedByItselfClearsBothMarks)
{
    load();
    const struct {
        MenuId faceItem, trayItem;
        const wchar_t* cls;
    } pairs[] = {{MenuId::showclock, MenuId::hidefrmclock, kClockClass},
                 {MenuId::showfrmoptions, MenuId::frmop, kOptionsClass}};
    for (const auto& p : pairs) {
        choose(p.faceItem);
        HWND w = ::FindWindowW(p.cls, nullptr);
        ASSERT_NE(w, nullptr) << p.cls;
        EXPECT_TRUE(::IsWindowVisible(w));
        EXPECT_TRUE(::GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
        EXPECT_TRUE(pairChecked(p.faceItem, p.trayItem)) << p.cls;
        choose(p.trayItem);  // the other menu closes it
        EXPECT_FALSE(::IsWindow(w));
        EXPECT_FALSE(pairChecked(p.faceItem, p.trayItem)) << p.cls;

        choose(p.trayItem);
        ::SendMessageW(::FindWindowW(p.cls, nullptr), WM_CLOSE, 0, 0);  // its own close button
        EXPECT_EQ(windowsOfClass(p.cls), 0);
        EXPECT_FALSE(pairChecked(p.faceItem, p.trayItem)) << p.cls;
        choose(p.faceItem);  // so one click opens it again
        EXPECT_EQ(windowsOfClass(p.cls), 1);
        EXPECT_TRUE(pairChecked(p.faceItem, p.trayItem)) << p.cls;
    }
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

TEST_F(MenusTest, CdItemsToggleTheDoorWithTwinMarksAndTheFirstPaintClosesIt)
{
    loadAndShow();
    ASSERT_EQ(world.door.commands, Texts{L"set CDAudio door closed"});
    EXPECT_FALSE(pairChecked(MenuId::opencddrive, MenuId::opencd));
    choose(MenuId::opencddrive);
    EXPECT_TRUE(pairChecked(MenuId::opencddrive, MenuId::opencd));
    // Repaints move the hands but leave the door alone.
    ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(pairChecked(MenuId::opencddrive, MenuId::opencd));
    choose(MenuId::opencd);
    EXPECT_FALSE(pairChecked(MenuId::opencddrive, MenuId::opencd));
    choose(MenuId::opencd);
    EXPECT_EQ(world.door.commands, (Texts{L"set CDAudio door closed", L"set CDAudio door open",
                                          L"set CDAudio door closed", L"set CDAudio door open"}));
}

// The keyboard's way to the menus and out of the windows.
TEST_F(MenusTest, TheMenuKeyAndShiftF10OpenTheFaceMenuAtTheFaceAndEscClosesEachWindow)
{
    loadAndShow();
    face->SetFocus();
    ::PostMessageW(hwnd(), WM_KEYDOWN, VK_APPS, 1);
    ::PostMessageW(hwnd(), WM_KEYUP, VK_APPS, 1 | (3u << 30));
    pumpMessages();
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    ::SetKeyboardState(keys);
    ::SendMessageW(hwnd(), WM_SYSKEYDOWN, VK_F10, 1);  // the default procedure asks for the menu
    keys[VK_SHIFT] = 0;
    ::SetKeyboardState(keys);
    ASSERT_EQ(world.input.menusShown, (std::vector<HMENU>{face->mune(), face->mune()}));
    RECT r{};
    ::GetWindowRect(hwnd(), &r);
    for (const std::optional<POINT>& at : world.input.menuPlaces) {
        ASSERT_TRUE(at.has_value());
        EXPECT_EQ(at->x, (r.left + r.right) / 2);
        EXPECT_EQ(at->y, (r.top + r.bottom) / 2);
    }

    for (MenuId item : {MenuId::showclock, MenuId::frmop, MenuId::about}) {
        choose(item);
        HWND w = ::GetForegroundWindow();
        ASSERT_NE(w, hwnd());
        ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
        pumpMessages();
        EXPECT_FALSE(::IsWindow(w)) << static_cast<int>(item);
    }
    EXPECT_EQ(windowsOfClass(kClockClass) + windowsOfClass(kOptionsClass) + windowsOfClass(kAboutClass), 0);
    EXPECT_FALSE(pairChecked(MenuId::showclock, MenuId::hidefrmclock));
    EXPECT_FALSE(pairChecked(MenuId::showfrmoptions, MenuId::frmop));
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

TEST_F(MenusTest, TrayExitClosesEveryWindowInOrderThenTheFaceAndRemovesTheIconOnce)
{
    loadAndShow();
    choose(MenuId::frmop);
    choose(MenuId::showabout);
    choose(MenuId::showclock);
    std::vector<std::wstring> destroyed;
    g_destroyed = &destroyed;
    HHOOK hook = ::SetWindowsHookExW(WH_CBT, recordDestroy, nullptr, ::GetCurrentThreadId());
    world.input.answers = {static_cast<UINT>(MenuId::quit)};
    EXPECT_EQ(::SendMessageW(hwnd(), 2025, 0, WM_RBUTTONUP), 0);  // from the icon's menu
    ::UnhookWindowsHookEx(hook);
    g_destroyed = nullptr;

    EXPECT_EQ(destroyed, (Texts{kClockClass, kAboutClass, kOptionsClass, frmmain::kClassName}));
    EXPECT_FALSE(::IsWindow(hwnd()));
    EXPECT_EQ(closedCount, 1);
    EXPECT_TRUE(world.process.exits.empty());
    int deletes = 0;
    for (DWORD m : world.tray.messages())
        deletes += m == NIM_DELETE;
    EXPECT_EQ(deletes, 1);
    EXPECT_FALSE(ModTray::IconPresent());
    ModTray::RemoveTrayIcon();  // once more, as the face's unload does: harmless
    EXPECT_EQ(world.tray.messages().back(), static_cast<DWORD>(NIM_DELETE));
}

}  // namespace
}  // namespace qv::test
