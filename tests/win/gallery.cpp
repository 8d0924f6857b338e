// Not a test: every window in turn for tools/gallery.sh to photograph (the
// alarm window, its repeat chooser, the alert, the settings, the about
// window). Disabled, so that only the gallery runs it. Each window is held until the shot is taken:
// "N.ready" appears in QV_GALLERY_DIR, the script answers with "N.done".

#include "face_fixture.h"

#include <string>

namespace qv::test {
namespace {

// Handles messages for `ms`, or until the file `until` appears.
void pumpFor(int ms, const std::wstring& until = L"")
{
    auto done = [&] { return !until.empty() && ::GetFileAttributesW(until.c_str()) != INVALID_FILE_ATTRIBUTES; };
    for (int i = 0; i < ms / 50 && !done(); ++i) {
        pumpMessages();
        ::Sleep(50);
    }
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
    pumpFor(30000, stem + L".done");
}

TEST_F(FaceTest, DISABLED_Gallery)
{
    world.clock.set(2026, 12, 7, 1, 9, 4, 58);
    loadAndShow();
    frmclock& w = openAlarm();
    fill(w, L"9", L"5", L"00", L"开会：三楼会议室");
    w.repeat().setMask(kEveryDay);
    ::SetFocus(w.Imgok().hwnd());  // the keyboard's mark on a picture button
    hold(1);
    w.repeat().setMask(0b0101010);  // Monday, Wednesday, Friday, confirmed; the chooser's keyboard mark
    click(w.Imgok().hwnd(), 5, 5);
    ::SetFocus(w.repeat().hwnd());
    hold(2);
    w.repeat().setMask(kMondayToFriday);
    // A reminder longer than the alert's lines, on a computer that cannot wake.
    ::SetWindowTextW(w.box(frmclock::txtinmsg),
                     L"开会：三楼会议室，带上季度报表、项目计划书和上次会议的记录，会后把意见整理好发给大家，"
                     L"再订下周去上海的车票");
    world.power.canResume = false;
    click(w.Imgok().hwnd(), 5, 5);
    hold(3);
    world.clock.set(2026, 12, 7, 1, 9, 5, 0);
    tick();
    hold(4);
    app->alertWindow()->Close();
    choose(MenuId::hidefrmclock);
    choose(MenuId::frmop);
    hold(5);
    choose(MenuId::frmop);
    choose(MenuId::about);
    ::SendMessageW(::GetFocus(), WM_KEYDOWN, VK_TAB, 1);  // the link's keyboard mark
    hold(6);
}

}  // namespace
}  // namespace qv::test
