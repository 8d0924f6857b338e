// Not a test: every window in turn for tools/gallery.sh to photograph (the
// alarm window, the alert, the settings, the about window). Disabled, so that
// only the gallery runs it. Each window is held until the shot is taken:
// "N.ready" appears in QV_GALLERY_DIR, the script answers with "N.done".

#include "face_fixture.h"

#include <string>

namespace qv::test {
namespace {

void pumpFor(int ms)
{
    for (int i = 0; i < ms / 50; ++i) {
        pumpMessages();
        ::Sleep(50);
    }
}

bool exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Shows window N until it is photographed (at most 30 s), at least 1 s.
void hold(int n)
{
    pumpFor(1000);
    wchar_t dir[MAX_PATH] = {};
    if (!::GetEnvironmentVariableW(L"QV_GALLERY_DIR", dir, MAX_PATH)) {
        pumpFor(1500);
        return;
    }
    const std::wstring stem = std::wstring(dir) + L"\\" + std::to_wstring(n);
    HANDLE ready = ::CreateFileW((stem + L".ready").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (ready != INVALID_HANDLE_VALUE)
        ::CloseHandle(ready);
    for (int i = 0; i < 600 && !exists(stem + L".done"); ++i) {
        pumpMessages();
        ::Sleep(50);
    }
}

TEST_F(FaceTest, DISABLED_Gallery)
{
    world.clock.set(2026, 12, 7, 1, 9, 4, 58);
    loadAndShow();
    ::SendMessageW(hwnd(), WM_COMMAND, static_cast<WPARAM>(MenuId::showclock), 0);
    frmclock* w = app->alarmWindow();
    ::SetWindowTextW(w->box(frmclock::txthour), L"9");
    ::SetWindowTextW(w->box(frmclock::txtmin), L"5");
    ::SetWindowTextW(w->box(frmclock::txtinmsg), L"开会：三楼会议室");
    ::SetFocus(w->Imgok().hwnd());  // the keyboard's mark on a picture button
    hold(1);
    // A reminder longer than the alert's lines, on a computer that cannot wake.
    ::SetWindowTextW(w->box(frmclock::txtinmsg),
                     L"开会：三楼会议室，带上季度报表、项目计划书和上次会议的记录，会后把意见整理好发给大家，"
                     L"再订下周去上海的车票");
    world.power.canResume = false;
    ::SendMessageW(w->Imgok().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(w->Imgok().hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    hold(2);
    world.clock.set(2026, 12, 7, 1, 9, 5, 0);
    ::SendMessageW(hwnd(), WM_TIMER, frmmain::kTmrmain, 0);
    hold(3);
    app->alertWindow()->Close();
    ::SendMessageW(hwnd(), WM_COMMAND, static_cast<WPARAM>(MenuId::hidefrmclock), 0);
    ::SendMessageW(hwnd(), WM_COMMAND, static_cast<WPARAM>(MenuId::frmop), 0);
    hold(4);
    ::SendMessageW(hwnd(), WM_COMMAND, static_cast<WPARAM>(MenuId::frmop), 0);
    ::SendMessageW(hwnd(), WM_COMMAND, static_cast<WPARAM>(MenuId::about), 0);
    ::SendMessageW(::GetFocus(), WM_KEYDOWN, VK_TAB, 1);  // the link's keyboard mark
    hold(5);
}

}  // namespace
}  // namespace qv::test
