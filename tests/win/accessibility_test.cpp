// What a screen reader reads from the windows' client objects.

#include "reader.h"

#include <string>
#include <tuple>
#include <vector>

namespace qv::test {
namespace {

std::vector<HWND>* g_alerts = nullptr;
void CALLBACK recordAlert(HWINEVENTHOOK, DWORD event, HWND w, LONG object, LONG, DWORD, DWORD)
{
    if (g_alerts && event == EVENT_SYSTEM_ALERT && object == OBJID_CLIENT)
        g_alerts->push_back(w);
}

TEST_F(AccessibilityTest, TheFaceIsAClockTheBoxesAndButtonsAreNamedAGreyedButtonDoesNothingAndTheAlertIsAnnounced)
{
    // The face is a clock named by the time and weekday as they are read.
    const Reader clock(hwnd());
    EXPECT_EQ(clock.role(), ROLE_SYSTEM_CLOCK);
    EXPECT_EQ(clock.name(), L"06:30:45 星期一");
    world.clock.set(2026, 12, 8, 2, 7, 0, 1);
    EXPECT_EQ(clock.name(), L"07:00:01 星期二");
    // Only the client object is ours: the frame and the rest get a window procedure's 0.
    for (LONG id : {OBJID_WINDOW, OBJID_CARET, OBJID_VSCROLL, LONG{1}})
        EXPECT_EQ(::SendMessageW(hwnd(), WM_GETOBJECT, 0, static_cast<LPARAM>(id)), 0) << id;
    frmclock& w = openAlarm();
    // The boxes' labels are drawn: their names come from us, the rest from the standard edit.
    const std::tuple<HWND, const wchar_t*, long> parts[] = {
        {w.Imgok().hwnd(), L"确定", ROLE_SYSTEM_PUSHBUTTON},   {w.Imgcam().hwnd(), L"取消", ROLE_SYSTEM_PUSHBUTTON},
        {w.Imghide().hwnd(), L"隐藏", ROLE_SYSTEM_PUSHBUTTON}, {w.Image2().hwnd(), L"关闭", ROLE_SYSTEM_PUSHBUTTON},
        {w.box(frmclock::txthour), L"点", ROLE_SYSTEM_TEXT},   {w.box(frmclock::txtmin), L"分", ROLE_SYSTEM_TEXT},
        {w.box(frmclock::txtsec), L"秒", ROLE_SYSTEM_TEXT},
        {w.box(frmclock::txtinmsg), L"填下你的事件:", ROLE_SYSTEM_TEXT}};
    for (auto [part, name, role] : parts) {
        const Reader r(part);
        EXPECT_EQ(r.name(), name);
        EXPECT_EQ(r.role(), role) << testing::PrintToString(std::wstring(name));
        if (role == ROLE_SYSTEM_TEXT) {
            ::SetWindowTextW(part, L"12");
            EXPECT_EQ(r.value(CHILDID_SELF), L"12");
        }
    }
    const Reader ok(w.Imgok().hwnd()), hide(w.Imghide().hwnd()), close(w.Image2().hwnd());
    EXPECT_EQ(ok.defaultAction(), L"按下");
    hide.act();  // a greyed button does nothing
    EXPECT_NE(hide.last(), S_OK);
    EXPECT_TRUE(::IsWindow(w.hwnd()));
    // Confirmed through the reader, as a click would.
    fill(w, L"09", L"30", L"00", L"开会");
    ok.act();
    EXPECT_TRUE(app->alarm().AlarmSet());
    ::SetFocus(w.Imghide().hwnd());
    EXPECT_TRUE(hide.state() & STATE_SYSTEM_FOCUSED);
    // Closed while the reader still holds the objects: they fail, nothing crashes.
    close.act();
    ASSERT_EQ(app->alarmWindow(), nullptr);
    EXPECT_EQ(ok.name(), L"");
    EXPECT_EQ(ok.last(), CO_E_OBJNOTCONNECTED);
    ok.act();
    EXPECT_EQ(ok.last(), CO_E_OBJNOTCONNECTED);
    // The settings' time boxes, and the edits inside them that take the typing, are named by their units.
    choose(MenuId::frmop);
    for (auto [id, unit] : {std::pair{Frmoptions::Comh, L"点"}, {Frmoptions::Comm, L"分"}, {Frmoptions::Coms, L"秒"}}) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(::GetComboBoxInfo(::GetDlgItem(app->settingsWindow()->hwnd(), id), &info));
        const Reader combo(info.hwndCombo), typed(info.hwndItem);
        EXPECT_EQ(combo.role(), ROLE_SYSTEM_COMBOBOX);
        EXPECT_TRUE(combo.name() == unit && typed.name() == unit) << unit;
    }
    // At its time the alert is announced, and read by its drawn lines.
    std::vector<HWND> alerts;
    g_alerts = &alerts;
    HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, &recordAlert,
                                           ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    world.clock.set(2026, 12, 8, 2, 9, 30, 0);
    tick();
    pumpMessages();
    ::UnhookWinEvent(hook);
    g_alerts = nullptr;
    frmmsg* alert = app->alertWindow();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alerts, std::vector<HWND>{alert->hwnd()});
    const Reader r(alert->hwnd());
    EXPECT_EQ(r.role(), ROLE_SYSTEM_ALERT);
    EXPECT_EQ(r.name(), L"你好现在是:09:30:00 你现在要做的事情是:开会");
}

}  // namespace
}  // namespace qv::test
