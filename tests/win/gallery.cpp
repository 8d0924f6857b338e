// Not a test: every window in turn, 2.5 s each, for tools/gallery.sh to
// photograph (the alarm window, the alert, the settings, the about window).
// Disabled, so that only the gallery runs it.

#include "face_fixture.h"

namespace qv::test {
namespace {

void wait(int ms)
{
    for (int i = 0; i < ms / 50; ++i) {
        pumpMessages();
        ::Sleep(50);
    }
}

TEST_F(FaceTest, DISABLED_Gallery)
{
    world.clock.set(2026, 12, 7, 1, 9, 4, 58);
    loadAndShow();
    ::SendMessageW(hwnd(), WM_COMMAND, static_cast<WPARAM>(MenuId::showclock), 0);
    frmclock* w = face->alarmWindow();
    ::SetWindowTextW(w->box(frmclock::txthour), L"9");
    ::SetWindowTextW(w->box(frmclock::txtmin), L"5");
    ::SetWindowTextW(w->box(frmclock::txtinmsg), L"开会：三楼会议室");
    wait(3000);
    ::SendMessageW(w->Imgok().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(w->Imgok().hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    world.clock.set(2026, 12, 7, 1, 9, 5, 0);
    ::SendMessageW(hwnd(), WM_TIMER, frmmain::kTmrmain, 0);
    wait(2500);
    face->alertWindow()->Close();
    ::SendMessageW(hwnd(), WM_COMMAND, static_cast<WPARAM>(MenuId::hidefrmclock), 0);
    ::SendMessageW(hwnd(), WM_COMMAND, static_cast<WPARAM>(MenuId::frmop), 0);
    wait(2500);
    ::SendMessageW(hwnd(), WM_COMMAND, static_cast<WPARAM>(MenuId::frmop), 0);
    ::SendMessageW(hwnd(), WM_COMMAND, static_cast<WPARAM>(MenuId::about), 0);
    wait(2500);
}

}  // namespace
}  // namespace qv::test
