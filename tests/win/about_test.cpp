// The about window: its shape, the mail link and closing by a click.

#include "face_fixture.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace qv::test {
namespace {

class AboutTest : public FaceTest {
protected:
    frmabout& open()
    {
        ::SendMessageW(hwnd(), WM_COMMAND, static_cast<WPARAM>(MenuId::about), 0);
        HWND w = ::FindWindowW(frmabout::kClassName, nullptr);
        EXPECT_NE(w, nullptr);
        return *static_cast<frmabout*>(Window::fromHandle(w));
    }
    static void click(HWND w, int x, int y, bool right = false)
    {
        ::SendMessageW(w, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, 0, MAKELPARAM(x, y));
        ::SendMessageW(w, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        pumpMessages();
    }
};

TEST_F(AboutTest, IsACircleWithAPanelBeside)
{
    load();
    HWND w = open().hwnd();
    RECT r{};
    ::GetClientRect(w, &r);
    EXPECT_EQ(r.right, 355);
    EXPECT_EQ(r.bottom, 253);
    EXPECT_FALSE(::GetWindowLongPtrW(w, GWL_STYLE) & WS_CAPTION);
    EXPECT_TRUE(::GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(w, rgn), ERROR);
    for (POINT p : {POINT{79, 81}, POINT{1, 81}, POINT{79, 1}, POINT{200, 150}, POINT{351, 251}, POINT{56, 57}})
        EXPECT_TRUE(::PtInRegion(rgn, p.x, p.y)) << p.x << "," << p.y;
    for (POINT p : {POINT{300, 20}, POINT{10, 240}, POINT{0, 0}, POINT{352, 100}, POINT{100, 252}})
        EXPECT_FALSE(::PtInRegion(rgn, p.x, p.y)) << p.x << "," << p.y;
    ::DeleteObject(rgn);
}

TEST_F(AboutTest, TheMailLineOpensTheLinkAndKeepsTheWindow)
{
    load();
    frmabout& about = open();
    HWND w = about.hwnd();
    ::SendMessageW(w, WM_LBUTTONDOWN, 0, MAKELPARAM(200, 200));
    EXPECT_TRUE(about.image1Border());
    ::SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
    EXPECT_FALSE(about.image1Border());
    click(w, 300, 205, true);  // the right button too
    pumpMessages();
    EXPECT_EQ(world.shell.opened,
              (std::vector<std::wstring>{L"mailto:qorvane@example.com", L"mailto:qorvane@example.com"}));
    EXPECT_TRUE(::IsWindow(w));

    wchar_t tip[64] = {};
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = w;
    ti.uId = 1;
    ti.lpszText = tip;
    ::SendMessageW(about.tooltip(), TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(tip, L"给我发邮件");
}

TEST_F(AboutTest, TheVersionDoesNothingAndAClickElsewhereCloses)
{
    load();
    HWND w = open().hwnd();
    click(w, 280, 78);  // "1.10"
    EXPECT_TRUE(::IsWindow(w));
    ::SendMessageW(w, WM_LBUTTONDOWN, 0, MAKELPARAM(200, 200));  // pressed on the link,
    ::SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(100, 100));    // released elsewhere: nothing
    pumpMessages();
    EXPECT_TRUE(::IsWindow(w));
    EXPECT_TRUE(world.shell.opened.empty());

    // Twice from the menus: still one window.
    ::SendMessageW(hwnd(), WM_COMMAND, static_cast<WPARAM>(MenuId::showabout), 0);
    EXPECT_EQ(::FindWindowW(frmabout::kClassName, nullptr), w);

    click(w, 80, 80);  // on the clock face
    EXPECT_FALSE(::IsWindow(w));
}

}  // namespace
}  // namespace qv::test
