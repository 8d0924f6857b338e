// The menu commands, sent to the real face window.

#include "face_fixture.h"

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

namespace qv::test {
namespace {

class MenusTest : public FaceTest {
protected:
    // Both items of a pair, which must always agree.
    bool pairChecked(MenuId faceItem, MenuId trayItem) const
    {
        const bool a = marked(face->mune(), faceItem, MF_CHECKED), b = marked(face->Tray(), trayItem, MF_CHECKED);
        EXPECT_EQ(a, b) << "twin marks disagree";
        return a && b;
    }
};

TEST_F(MenusTest, EitherTwinItemTogglesItsWindowAndAWindowClosedByItselfClearsBothMarks)
{
    loadAndShow();
    const struct {
        MenuId faceItem, trayItem;
        const wchar_t* cls;
    } pairs[] = {{MenuId::showclock, MenuId::hidefrmclock, frmclock::kClassName},
                 {MenuId::showfrmoptions, MenuId::frmop, Frmoptions::kClassName},
                 {MenuId::opencddrive, MenuId::opencd, nullptr}};
    for (const auto& p : pairs) {
        choose(p.faceItem);
        HWND w = p.cls ? ::FindWindowW(p.cls, nullptr) : nullptr;
        EXPECT_TRUE(!p.cls || ::IsWindowVisible(w)) << p.cls;
        EXPECT_TRUE(pairChecked(p.faceItem, p.trayItem)) << static_cast<int>(p.faceItem);
        // Repaints move the hands but leave the door alone.
        ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        choose(p.trayItem);  // the other menu closes it
        EXPECT_FALSE(::IsWindow(w));
        EXPECT_FALSE(pairChecked(p.faceItem, p.trayItem)) << static_cast<int>(p.faceItem);
        if (!p.cls)
            continue;
        choose(p.trayItem);
        ::SendMessageW(::FindWindowW(p.cls, nullptr), WM_CLOSE, 0, 0);  // its own close button
        EXPECT_FALSE(pairChecked(p.faceItem, p.trayItem)) << p.cls;
    }
    // The door: closed by the first paint, then open, closed.
    EXPECT_EQ(world.door.got,
              (Texts{L"set CDAudio door closed", L"set CDAudio door open", L"set CDAudio door closed"}));
    // About has no marks.
    choose(MenuId::showabout);
    EXPECT_FALSE(marked(face->mune(), MenuId::about, MF_CHECKED) ||
                 marked(face->Tray(), MenuId::showabout, MF_CHECKED));
}

// Records the class of each window as it is destroyed, in order.
Texts* g_destroyed = nullptr;
LRESULT CALLBACK recordDestroy(int code, WPARAM wParam, LPARAM lParam)
{
    wchar_t name[64] = {};
    if (code == HCBT_DESTROYWND && g_destroyed && ::GetClassNameW(reinterpret_cast<HWND>(wParam), name, 64) &&
        std::wcsncmp(name, L"qorvane.", 8) == 0)
        g_destroyed->push_back(name);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The keyboard's way to the menus and out of the windows, then out of the program.
TEST_F(MenusTest, TheMenuKeysOpenTheFaceMenuAtTheFaceEscClosesEachWindowAndTheTrayExitClosesAllInOrder)
{
    loadAndShow();
    face->SetFocus();
    press(VK_APPS);
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
    const std::string middle = std::to_string((r.left + r.right) / 2) + "," + std::to_string((r.top + r.bottom) / 2);
    EXPECT_EQ(world.input.menuPlaces, (std::vector<std::string>{middle, middle}));
    for (MenuId item : {MenuId::showclock, MenuId::frmop, MenuId::about}) {
        choose(item);
        HWND w = ::GetForegroundWindow();
        ASSERT_NE(w, hwnd());
        ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
        pumpMessages();
        EXPECT_FALSE(::IsWindow(w)) << static_cast<int>(item);
    }
    // The tray's exit closes every window in order, then the face, and removes the icon once.
    choose(MenuId::frmop);
    choose(MenuId::showabout);
    choose(MenuId::showclock);
    Texts destroyed;
    g_destroyed = &destroyed;
    HHOOK hook = ::SetWindowsHookExW(WH_CBT, recordDestroy, nullptr, ::GetCurrentThreadId());
    world.input.answers = {static_cast<UINT>(MenuId::quit)};
    EXPECT_EQ(::SendMessageW(hwnd(), 2025, 0, WM_RBUTTONUP), 0);  // from the icon's menu
    ::UnhookWindowsHookEx(hook);
    g_destroyed = nullptr;
    EXPECT_EQ(destroyed,
              (Texts{frmclock::kClassName, frmabout::kClassName, Frmoptions::kClassName, frmmain::kClassName}));
    EXPECT_FALSE(::IsWindow(hwnd()));
    EXPECT_EQ(closedCount, 1);
    EXPECT_EQ(world.help.closedAll, 1);  // the help viewer's windows go too
    EXPECT_TRUE(world.process.exits.empty());
    const std::vector<DWORD> all = world.tray.messages();
    EXPECT_EQ(std::count(all.begin(), all.end(), static_cast<DWORD>(NIM_DELETE)), 1);
}

}  // namespace
}  // namespace qv::test
