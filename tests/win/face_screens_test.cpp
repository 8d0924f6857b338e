// The face when the screens change: lost off every monitor it comes back to
// the nearest one's top-right corner, at that monitor's DPI.

#include "face_fixture.h"

#include <utility>

namespace qv::test {
namespace {

const MonitorArea kPrimary{{0, 0, 1024, 768}, {0, 0, 1024, 768}, 96};
const MonitorArea kRight{{1024, 0, 3072, 1536}, {1024, 0, 3072, 1536}, 144};

using Place = std::pair<LONG, LONG>;

Place origin(HWND w)
{
    RECT r{};
    ::GetWindowRect(w, &r);
    return {r.left, r.top};
}

void moveTo(HWND w, int x, int y)
{
    ::SetWindowPos(w, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void displayChanged(HWND w)
{
    ::SendMessageW(w, WM_DISPLAYCHANGE, 24, MAKELPARAM(1024, 768));
}

// What Windows does once a window lands on a monitor of another DPI: sends
// WM_DPICHANGED from inside the move, suggesting a place of its own.
class DpiOnLanding {
public:
    DpiOnLanding(HWND face, int monitorLeft, int dpi, RECT suggested)
    {
        face_ = face;
        left_ = monitorLeft;
        dpi_ = dpi;
        suggested_ = suggested;
        sent_ = false;
        hook_ = ::SetWindowsHookExW(WH_CALLWNDPROCRET, proc, nullptr, ::GetCurrentThreadId());
    }
    ~DpiOnLanding() { ::UnhookWindowsHookEx(hook_); }
    bool sent() const { return sent_; }

private:
    static LRESULT CALLBACK proc(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* c = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (code == HC_ACTION && !sent_ && c->hwnd == face_ && c->message == WM_WINDOWPOSCHANGED) {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(c->lParam);
            if (!(pos->flags & SWP_NOMOVE) && pos->x >= left_) {
                sent_ = true;
                RECT r = suggested_;
                ::SendMessageW(face_, WM_DPICHANGED, MAKEWPARAM(dpi_, dpi_), reinterpret_cast<LPARAM>(&r));
            }
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline HWND face_;
    static inline int left_, dpi_;
    static inline RECT suggested_;
    static inline bool sent_;
    HHOOK hook_;
};

TEST_F(FaceTest, LostOffTheScreenTheFaceComesBackToTheTopRightCornerAlsoWhenHiddenMeanwhile)
{
    loadAndShow();
    // Wine's one real monitor, as the system lists it.
    moveTo(hwnd(), -5000, -5000);
    displayChanged(hwnd());
    EXPECT_EQ(origin(hwnd()), (Place{857, 0}));
    // Half off the screen's edge it still overlaps it, and stays.
    moveTo(hwnd(), 950, 700);
    displayChanged(hwnd());
    EXPECT_EQ(origin(hwnd()), (Place{950, 700}));
    // Hidden to the tray when its screen went: back in the corner once shown.
    moveTo(hwnd(), -5000, -5000);
    face->SetWindowState(1);
    displayChanged(hwnd());
    face->SetWindowState(0);
    EXPECT_EQ(origin(hwnd()), (Place{857, 0}));
}

TEST_F(FaceTest, BackOnAScaledMonitorTheFaceTakesItsDpiNotTheSuggestedPlace)
{
    loadAndShow();
    Monitors monitors{kPrimary, kRight};
    face->setMonitorSource([&monitors] { return monitors; });
    moveTo(hwnd(), 2000, 1600);  // just below the right monitor
    // Only the work area's setting counts.
    ::SendMessageW(hwnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    EXPECT_EQ(origin(hwnd()), (Place{2000, 1600}));
    {
        DpiOnLanding windows(hwnd(), 1024, 144, RECT{1100, 300, 1343, 543});
        ::SendMessageW(hwnd(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
        EXPECT_TRUE(windows.sent());
    }
    // 2500 twips from the right edge at 144 DPI: 1024 + 1798 px.
    EXPECT_EQ(origin(hwnd()), (Place{2822, 0}));
    EXPECT_EQ(clientSize(hwnd()), (std::pair{243, 243}));
    EXPECT_EQ(face->dpi(), 144);
    // That monitor unplugged: back on the primary, at its size again.
    monitors = {kPrimary};
    displayChanged(hwnd());
    EXPECT_EQ(origin(hwnd()), (Place{857, 0}));
    EXPECT_EQ(clientSize(hwnd()), (std::pair{162, 162}));
}

}  // namespace
}  // namespace qv::test
