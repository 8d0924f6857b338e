// The about window: its shape, the mail link and closing by a click.

#include "face_fixture.h"

#include <string>
#include <vector>

namespace qv::test {
namespace {

class AboutTest : public FaceTest {
protected:
    frmabout& open()
    {
        load();
        choose(MenuId::about);
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

TEST_F(AboutTest, IsACaptionlessCircleWithAPanelBeside)
{
    HWND w = open().hwnd();
    EXPECT_EQ(clientSize(w), (std::pair{355, 253}));
    EXPECT_FALSE(::GetWindowLongPtrW(w, GWL_STYLE) & WS_CAPTION);
    EXPECT_TRUE(::GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(regionMisses(w, {{79, 81}, {1, 81}, {79, 1}, {200, 150}, {351, 251}, {56, 57}},
                           {{300, 20}, {10, 240}, {0, 0}, {352, 100}, {100, 252}}),
              "");
}

TEST_F(AboutTest, TheMailLineOpensTheLinkTheVersionDoesNothingAndAClickElsewhereCloses)
{
    frmabout& about = open();
    HWND w = about.hwnd();
    EXPECT_EQ(toolText(about.tooltip(), w), L"给我发邮件");
    ::SendMessageW(w, WM_LBUTTONDOWN, 0, MAKELPARAM(200, 200));
    EXPECT_TRUE(about.image1Border());
    ::SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(100, 100));  // released elsewhere: nothing
    EXPECT_FALSE(about.image1Border());
    EXPECT_TRUE(world.shell.opened.empty());
    click(w, 200, 200);
    click(w, 300, 205, true);  // the right button too
    click(w, 280, 78);         // "1.10"
    EXPECT_EQ(world.shell.opened, std::vector<std::wstring>(2, L"mailto:qorvane@example.com"));
    EXPECT_TRUE(::IsWindow(w));

    // Twice from the menus: still one window.
    choose(MenuId::showabout);
    EXPECT_EQ(::FindWindowW(frmabout::kClassName, nullptr), w);
    click(w, 80, 80);  // on the clock face
    EXPECT_FALSE(::IsWindow(w));
}

}  // namespace
}  // namespace qv::test
