// The about window: its shape, and its mail line for the mouse, a screen reader and the keyboard.

#include "reader.h"

#include <string>
#include <vector>

#include "about/about_shape.h"

namespace qv::test {
namespace {

TEST_F(AccessibilityTest, TheAboutWindowIsACircleWithAPanelWhoseMailLineIsALinkForMouseReaderAndKeyboard)
{
    HWND w = openAbout();
    auto& about = *static_cast<frmabout*>(Window::fromHandle(w));
    EXPECT_EQ(regionMisses(w, {{79, 81}, {1, 81}, {79, 1}, {200, 150}, {351, 251}, {56, 57}},
                           {{300, 20}, {10, 240}, {0, 0}, {352, 100}, {100, 252}}),
              "");
    // The mouse: the mail line opens the link, the version does nothing.
    const Texts mail{L"mailto:qorvane@example.com"};
    EXPECT_EQ(toolText(about.tooltip(), w), L"给我发邮件");
    ::SendMessageW(w, WM_LBUTTONDOWN, 0, MAKELPARAM(200, 200));
    EXPECT_TRUE(about.image1Border());
    ::SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(100, 100));  // released elsewhere: nothing
    EXPECT_FALSE(about.image1Border());
    EXPECT_TRUE(world.shell.got.empty());
    click(w, 200, 200);
    click(w, 300, 205, true);  // the right button too
    click(w, 280, 78);         // "1.10"
    pumpMessages();
    EXPECT_EQ(world.shell.got, (Texts{mail[0], mail[0]}));
    EXPECT_TRUE(::IsWindow(w));
    // The reader: one child, the link.
    world.shell.got.clear();
    const Reader r(w);
    EXPECT_EQ(std::tuple(r.name(), r.childCount(), r.role(1), r.name(1), r.value(1)),
              std::tuple(L"关于", 1L, long{ROLE_SYSTEM_LINK}, L"给我发邮件", mail[0]));
    RECT link{kAboutImage1.left, kAboutImage1.top, kAboutImage1.right, kAboutImage1.bottom};
    ::MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&link), 2);
    const RECT place = r.location(1);
    EXPECT_TRUE(::EqualRect(&place, &link));
    EXPECT_EQ(r.hit({link.left + 2, link.top + 2}), 1);
    EXPECT_EQ(r.hit({link.left - 2, link.top - 2}), CHILDID_SELF);
    r.name(2);
    EXPECT_EQ(r.last(), E_INVALIDARG);
    r.act(1);
    EXPECT_EQ(world.shell.got, mail);
    // The keyboard: the link holds the focus, Tab marks it, Enter opens it.
    ASSERT_EQ(::GetFocus(), w);
    EXPECT_EQ(r.state(1) & (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED),
              STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);
    EXPECT_EQ(r.focus(), 1);
    const PrintedClient before(w);
    ::PostMessageW(w, WM_KEYDOWN, VK_TAB, 1);
    pumpMessages();
    EXPECT_EQ(::GetFocus(), w);
    const PrintedClient marked(w);
    int changed = 0;
    for (int x = kAboutImage1.left; x < kAboutImage1.right; ++x)
        changed += marked.at(x, kAboutImage1.top + 2) != before.at(x, kAboutImage1.top + 2);
    EXPECT_GT(changed, (kAboutImage1.right - kAboutImage1.left) / 3) << "no focus mark on the link";
    ::PostMessageW(w, WM_KEYDOWN, VK_RETURN, 1);
    pumpMessages();
    EXPECT_EQ(world.shell.got.size(), 2u);
    // Twice from the menus: still one window; a click on the clock face closes it.
    choose(MenuId::showabout);
    EXPECT_EQ(::FindWindowW(frmabout::kClassName, nullptr), w);
    click(w, 80, 80);
    pumpMessages();
    EXPECT_FALSE(::IsWindow(w));
}

}  // namespace
}  // namespace qv::test
