// Windows moved to a screen of 144 DPI (WM_DPICHANGED, as when dragged onto a scaled
// monitor): each keeps its proportions, its shape and its text inside its boxes.

#include "face_fixture.h"

#include <string>

namespace qv::test {
namespace {

constexpr int kDpi = 144;

class ScaledTest : public FaceTest {
protected:
    void SetUp() override
    {
        FaceTest::SetUp();
        load();
    }
    // What Windows sends when the window lands on the other screen.
    static void moveToDpi(HWND w, int dpi)
    {
        RECT r{};
        ::GetWindowRect(w, &r);
        RECT suggested{r.left, r.top, r.left + ::MulDiv(r.right - r.left, dpi, 96),
                       r.top + ::MulDiv(r.bottom - r.top, dpi, 96)};
        ::SendMessageW(w, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        pumpMessages();
    }
    // Text drawn in the control's font is this tall.
    static int textHeight(HWND control)
    {
        HDC dc = ::GetDC(control);
        HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)));
        TEXTMETRICW tm{};
        ::GetTextMetricsW(dc, &tm);
        ::SelectObject(dc, old);
        ::ReleaseDC(control, dc);
        return tm.tmHeight;
    }
};

// Within a pixel: a box's edges, or a client size as {0, 0, width, height}.
void expectNear(const RECT& got, const RECT& want, const char* what)
{
    for (auto edge : {&RECT::left, &RECT::top, &RECT::right, &RECT::bottom})
        EXPECT_NEAR(got.*edge, want.*edge, 1) << what;
}
RECT sized(HWND w)
{
    const auto [width, height] = clientSize(w);
    return {0, 0, width, height};
}

TEST_F(ScaledTest, TheFaceTakesThePlaceWindowsSuggests)
{
    RECT suggested{700, 0, 943, 243};
    ::SendMessageW(hwnd(), WM_DPICHANGED, MAKEWPARAM(kDpi, kDpi), reinterpret_cast<LPARAM>(&suggested));
    expectNear(placeOf(hwnd()), suggested, "face");  // 2430 twips at 144 DPI
}

TEST_F(ScaledTest, TheAlarmWindowGrowsWithItsBoxesButtonsFontAndTitleStripAndSoDoesItsAlert)
{
    frmclock& w = openAlarm();
    const RECT ok96 = placeOf(w.Imgok().hwnd());
    const int font96 = textHeight(w.box(frmclock::txthour));
    moveToDpi(w.hwnd(), kDpi);
    expectNear(sized(w.hwnd()), {0, 0, 345, 449}, "window");
    // The hour box: 120, 1545, 375 x 270 twips, a tenth of a pixel each.
    expectNear(placeOf(w.box(frmclock::txthour)), {12, 155, 50, 182}, "hour box");
    const RECT ok = placeOf(w.Imgok().hwnd());
    expectNear(ok, {12, 384, 12 + (ok96.right - ok96.left) * 3 / 2, 384 + (ok96.bottom - ok96.top) * 3 / 2}, "OK");
    EXPECT_NEAR(textHeight(w.box(frmclock::txthour)), font96 * 3 / 2, 2);
    // Hit tests follow: the title strip (down to 49 px now) drags, below it nothing does.
    ::SendMessageW(w.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 45));
    ::SendMessageW(w.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 52));
    EXPECT_EQ(world.input.drags, 1);
    // The alert it raises keeps its rounded shape and button.
    fill(w, L"6", L"31", L"0", L"x");
    w.Ok();
    world.clock.set(2026, 12, 7, 1, 6, 31, 0);
    tick();
    frmmsg* alert = app->alertWindow();
    ASSERT_NE(alert, nullptr);
    moveToDpi(alert->hwnd(), kDpi);
    expectNear(sized(alert->hwnd()), {0, 0, 393, 248}, "alert");
    // 375 x 225 px: the rounded ends and the straight edges just inside.
    EXPECT_EQ(regionMisses(alert->hwnd(), {{372, 112}, {187, 2}, {187, 222}}, {{377, 112}, {187, 227}, {3, 3}}), "");
    // 我知道了: 1080, 1440, 1575 x 735 twips.
    expectNear(placeOf(alert->cmdok()), {108, 144, 266, 218}, "got it");
}

TEST_F(ScaledTest, TheSettingsWindowKeepsEveryControlInItsPlace)
{
    choose(MenuId::frmop);
    Frmoptions& w = *app->settingsWindow();
    const int label96 = textHeight(w.item(Frmoptions::Labh));
    moveToDpi(w.hwnd(), kDpi);
    expectNear(sized(w.hwnd()), {0, 0, 446, 606}, "window");
    // 确定 closing the window: 2280, 5520, 1935 x 375 twips.
    expectNear(placeOf(w.item(Frmoptions::Cmdok)), {228, 552, 422, 590}, "close button");
    // The time frame's OK inside the frame at 120, 600: 240, 960, 1215 x 375.
    expectNear(placeOf(w.item(Frmoptions::Cmdsettime)), {36, 156, 158, 194}, "apply time");
    EXPECT_NEAR(textHeight(w.item(Frmoptions::Labh)), label96 * 3 / 2, 2);
}

TEST_F(ScaledTest, TheAboutWindowScalesItsShapePictureAndLink)
{
    HWND w = openAbout();
    const PrintedClient before(w);
    moveToDpi(w, kDpi);
    expectNear(sized(w), {0, 0, 533, 380}, "window");
    // The circle from -3, -1 to 161, 163 and the panel to 352, 252, half as big again:
    // the circle's centre and the panel's far corner inside, above and beyond the panel outside.
    EXPECT_EQ(regionMisses(w, {{120, 122}, {526, 376}, {1, 122}}, {{450, 30}, {530, 300}, {300, 380}}), "");
    // The picture is drawn at the new size: the dial, the panel and the
    // lettering each where they were, half as far again from the corner.
    const PrintedClient after(w);
    for (POINT p : {POINT{40, 120}, POINT{250, 150}, POINT{300, 235}, POINT{120, 30}}) {
        const COLORREF was = before.at(p.x, p.y), is = after.at(p.x * 3 / 2, p.y * 3 / 2);
        for (int shift : {0, 8, 16})
            EXPECT_NEAR((is >> shift) & 0xFF, (was >> shift) & 0xFF, 48) << p.x << "," << p.y;
    }
    // The mail line, 176-345 x 192-209 at 96 DPI.
    click(w, 400, 300);
    pumpMessages();
    EXPECT_EQ(world.shell.got.size(), 1u);
}

}  // namespace
}  // namespace qv::test
