// The alarm window, the alarm check and the alert, on the real windows.

#include "face_fixture.h"
#include "reader.h"

#include <cstring>
#include <string>
#include <vector>

#include "alarm/alarm_texts.h"
#include "alarm/reminder_text.h"
#include "core/Modmain.h"
#include "core/seconds.h"
#include "platform/module_path.h"
#include "platform/ui_text.h"
#include "resource.h"
#include "store/Clsreg.h"
#include "tray/tray_route.h"

namespace qv::test {
namespace {

using Shown = RecordingMessages::Shown;

const std::wstring kTuneOpen = L"open \"C:\\Apps\\qorvane\\image\\1.mid\" type sequencer alias qorvane_tune";

class AlarmTest : public FaceTest {
protected:
    void SetUp() override
    {
        FaceTest::SetUp();
        world.clock.set(2026, 12, 7, 1, 8, 0, 0);
        load();
    }
    // Keys typed at whatever box has the focus.
    static void type(const std::wstring& keys)
    {
        for (wchar_t ch : keys)
            ::SendMessageW(::GetFocus(), WM_CHAR, ch, 0);
    }
    static void push(PictureButton& b, bool right = false) { click(b.hwnd(), 10, 10, right); }
    // Filled in and confirmed in the open (or newly opened) alarm window.
    frmclock& arm(const wchar_t* h, const wchar_t* m, const wchar_t* s, const wchar_t* msg)
    {
        frmclock& w = openAlarm();
        fill(w, h, m, s, msg);
        push(w.Imgok());
        return w;
    }
    void tickAlarm(int h, int m, int s, int day = 7)
    {
        world.clock.set(2026, 12, day, day % 7, h, m, s);
        tick();
    }
    // A second after the ring: the alert's button takes clicks and keys.
    void settle()
    {
        world.clock.steady += frmmsg::kKeysAfterMs;
        ::SendMessageW(app->alertWindow()->hwnd(), WM_TIMER, frmmsg::kSettleTimer, 0);
    }
    void acknowledge()
    {
        settle();
        ::SendMessageW(app->alertWindow()->cmdok(), BM_CLICK, 0, 0);
    }
    static Texts boxes(frmclock& w)
    {
        return {w.boxText(frmclock::txthour), w.boxText(frmclock::txtmin), w.boxText(frmclock::txtsec),
                w.boxText(frmclock::txtinmsg)};
    }
    const Texts cleared{L"", L"", L"00", L""};
    // The program ends (its alarm window closed, as after a crash) and starts again at this time.
    void restartAt(int h, int m, int s, const std::wstring& folder = L"C:\\Apps\\qorvane")
    {
        app.reset();
        ModTray::RemoveTrayIcon();  // a new process starts with no icon
        world.clock.set(2026, 12, 7, 1, h, m, s);
        world.power.calls.clear();
        world.tune.got.clear();
        world.tray.calls.clear();
        app = std::make_unique<AppHost>(world.services(), folder);
        face = &app->face();
        ASSERT_TRUE(app->Start(::GetModuleHandleW(nullptr)));
        pumpMessages();
    }
    Texts kept()
    {
        auto value = [&](const wchar_t* name) { return world.registry.readValue(kKeptAlarmKeyPath, name).value_or(L"-"); };
        return {value(kAlarmAtName), value(kAlarmMsgName)};
    }
    std::optional<std::wstring> runOnce() { return world.registry.readValue(kRunOnceKeyPath, kRunOnceValueName); }
};

TEST_F(AlarmTest, AnArmedAlarmIsKeptAcrossRestartsAndOneMissedMeanwhileShowsSilentlyUntilAcknowledged)
{
    push(arm(L"9", L"5", L"0", L"x").Imgcam());
    EXPECT_EQ(kept(), (Texts{L"-", L"-"}));
    arm(L"9", L"5", L"0", L"开会");
    EXPECT_EQ(kept(), (Texts{L"2026-12-07 09:05:00", L"开会"}));
    restartAt(8, 30, 0);
    EXPECT_EQ(world.power.calls, Texts{L"wake 2026-12-07 09:03:00"});
    EXPECT_TRUE(!app->alertWindow() && world.messages.shown.empty());
    tickAlarm(9, 5, 0);
    ASSERT_NE(app->alertWindow(), nullptr);
    EXPECT_EQ(kept(), (Texts{L"2026-12-07 09:05:00", L"开会"}));  // rung, not yet seen
    // Never acknowledged: it shows at the next start, without the tune.
    restartAt(9, 30, 0);
    ASSERT_NE(app->alertWindow(), nullptr);
    EXPECT_EQ(::GetFocus(), app->alertWindow()->hwnd());  // not taken back by the face's first show
    ::SendMessageW(hwnd(), frmmain::showFaceMessage(), 0, 0);  // nor by a second start
    EXPECT_EQ(::GetFocus(), app->alertWindow()->hwnd());
    EXPECT_EQ(app->alertWindow()->shownOutall(), L"应在09:05:00提醒\r\n你现在要做的事情是:开会");
    EXPECT_TRUE(world.tune.got.empty());
    // Notified as a ring while running is, though asked for before the icon was up.
    auto info = [](const TrayCall& c) { return (c.data.uFlags & NIF_INFO) != 0; };
    const TrayCall& told = *std::find_if(world.tray.calls.rbegin(), world.tray.calls.rend(), info);
    EXPECT_TRUE(told.message == NIM_MODIFY && told.data.cbSize == sizeof told.data);
    EXPECT_EQ(told.data.szInfoTitle + (L" " + std::wstring(told.data.szInfo)), L"墨蝉小闹钟 开会");
    // Its click leads to the alert while it is up, else to the alarm window.
    ::SetForegroundWindow(hwnd());
    ::SendMessageW(hwnd(), WM_TRAYICON, 0, NIN_BALLOONUSERCLICK);
    EXPECT_EQ(::GetForegroundWindow(), app->alertWindow()->hwnd());
    // A new alarm confirmed while that alert is up outlives its answer.
    arm(L"10", L"0", L"0", L"新");
    acknowledge();
    EXPECT_EQ(kept(), (Texts{L"2026-12-07 10:00:00", L"新"}));
    ASSERT_TRUE(app->TmrclockEnabled() && app->alarmWindow());
    push(app->alarmWindow()->Imgcam());
    EXPECT_EQ(kept(), (Texts{L"-", L"-"}));
    push(app->alarmWindow()->Image2());
    pumpMessages();
    ::SendMessageW(hwnd(), WM_TRAYICON, 0, NIN_BALLOONUSERCLICK);
    EXPECT_TRUE(app->alarmWindow() && face->checked(Twin::Clock));
}

// Kept by a run that had it armed, Monday to Friday (2026-12-07 is a Monday).
TEST_F(AlarmTest, ARepeatingAlarmAnsweredStaysArmedForItsNextDayAndCancelEndsIt)
{
    KeptAlarm(world.registry).save({{2026, 12, 7, 9, 5, 0}, L"晨会", kMondayToFriday});
    restartAt(8, 0, 0);
    tickAlarm(9, 5, 0);
    ASSERT_NE(app->alertWindow(), nullptr);
    // Its ring is kept until answered, the wake follows its next day.
    EXPECT_EQ(kept(), (Texts{L"2026-12-07 09:05:00", L"晨会"}));
    EXPECT_EQ(world.power.calls, (Texts{L"wake 2026-12-07 09:03:00", L"display on", L"wake 2026-12-08 09:03:00"}));
    acknowledge();
    EXPECT_EQ(kept(), (Texts{L"2026-12-08 09:05:00", L"晨会"}));
    EXPECT_EQ(world.registry.readDword(kKeptAlarmKeyPath, kAlarmRepeatName).value, kMondayToFriday);
    ASSERT_TRUE(app->TmrclockEnabled() && app->alarmWindow());
    EXPECT_EQ(app->alarmWindow()->label(frmclock::lblshowall), L"09:05:00 周一至周五   晨会");
    push(app->alarmWindow()->Imgcam());
    EXPECT_TRUE(kept() == (Texts{L"-", L"-"}) && !app->TmrclockEnabled());
    EXPECT_EQ(world.power.calls.back(), L"cancel wake");
}

TEST_F(AlarmTest, TheSessionsEndIsNeverHeldUpAndLeavesAOneTimeLogonStartWhenAnAlarmIsKept)
{
    face->Show();
    pumpMessages();
    EXPECT_EQ(world.process.restartFlags, std::vector<DWORD>{RESTART_NO_REBOOT});
    arm(L"9", L"5", L"0", L"x");
    tickAlarm(9, 5, 0);
    EXPECT_EQ(::SendMessageW(hwnd(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    ::SendMessageW(hwnd(), WM_ENDSESSION, FALSE, 0);  // someone else said no: nothing ends
    EXPECT_TRUE(world.process.exits.empty());
    world.power.calls.clear();
    ::SendMessageW(hwnd(), WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(world.process.exits == std::vector<UINT>{0} && world.help.closedAll == 1 && world.messages.shown.empty());
    EXPECT_EQ(world.tray.messages().back(), static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(world.tune.got.back() + L", " + world.power.calls.back(), L"close qorvane_tune, display off");
    const std::wstring path = runProgramPath(L"C:\\Apps\\qorvane", programFileName());
    EXPECT_EQ(runOnce(), L"\"" + path + L"\"");
    // The next start takes it away; with the start-up entry on none is needed.
    restartAt(9, 30, 0);
    EXPECT_EQ(runOnce(), std::nullopt);
    Clsreg(world.registry, path).setreg();
    ::SendMessageW(hwnd(), WM_ENDSESSION, TRUE, 0);
    Clsreg(world.registry, path).delreg();
    EXPECT_EQ(runOnce(), std::nullopt);
}

TEST_F(AlarmTest, ARingWhileTheUserTypesTakesNoKeyAndTheReminderAlsoGoesToTheNotificationsWithASoundWhenNoTune)
{
    face->Show();
    pumpMessages();
    const std::wstring longer(300, L'事');
    frmclock& w = arm(L"9", L"5", L"0", longer.c_str());
    HWND msg = w.box(frmclock::txtinmsg);
    ::SetFocus(msg);
    ::SendMessageW(msg, EM_SETSEL, 300, 300);
    world.input.typing = true;
    world.tune.refuse = L"open";  // no MIDI device
    tickAlarm(9, 5, 0);
    frmmsg* alert = app->alertWindow();
    ASSERT_NE(alert, nullptr);
    EXPECT_TRUE(::IsWindowVisible(alert->hwnd()));
    EXPECT_EQ(::GetFocus(), msg);
    type(L"下一");
    EXPECT_EQ(w.boxText(frmclock::txtinmsg), longer + L"下一");
    // Once in the notifications, cut at the shell's limit.
    auto& calls = world.tray.calls;
    auto info = [](const TrayCall& c) { return c.message == NIM_MODIFY && (c.data.uFlags & NIF_INFO); };
    ASSERT_EQ(std::count_if(calls.begin(), calls.end(), info), 1);
    const NOTIFYICONDATAW& shown = std::find_if(calls.begin(), calls.end(), info)->data;
    EXPECT_EQ(shown.szInfoTitle + (L" " + std::wstring(shown.szInfo)), L"墨蝉小闹钟 " + std::wstring(254, L'事') + L"…");
    // In the alert it ends in "…", whole in the line's tip and for screen readers.
    EXPECT_EQ(alert->shownOutall().back(), L'…');
    EXPECT_NE(alert->outallTip(), nullptr);
    // The sequencer failed: the alarm's own sound stands in until acknowledged.
    pumpMessages();
    EXPECT_EQ(world.sound.calls, Texts{L"play"});
    ::SendMessageW(alert->hwnd(), WM_TIMER, 1, 0);
    EXPECT_EQ(world.sound.calls, (Texts{L"play", L"play"}));
    settle();
    ::SetForegroundWindow(alert->hwnd());  // as a click on it does
    EXPECT_EQ(::GetFocus(), alert->cmdok());
    acknowledge();
    EXPECT_EQ(world.sound.calls.back(), L"stop");
}

TEST_F(AlarmTest, OpensEmptyWithButtonsThatLightAndTakeTheKeys)
{
    frmclock& w = openAlarm();
    EXPECT_EQ(boxes(w), cleared);
    // The buttons light from 40 twips (2 2/3 px) inside their edge: 3 px in is lit, 2 px is not.
    PictureButton& ok = w.Imgok();
    const struct {
        int x, y, picture;
    } moves[] = {{2, 10, IDB_OK},      {3, 10, IDB_OK_LIT}, {10, 2, IDB_OK},  {10, 3, IDB_OK_LIT},
                 {66, 25, IDB_OK_LIT}, {67, 10, IDB_OK},    {10, 26, IDB_OK}, {30, 14, IDB_OK_LIT}};
    for (const auto& m : moves) {
        ::SendMessageW(ok.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(m.x, m.y));
        EXPECT_EQ(ok.picture(), m.picture) << m.x << "," << m.y;
    }
    ::SendMessageW(ok.hwnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(ok.picture(), IDB_OK);
    ::SendMessageW(ok.hwnd(), WM_RBUTTONDOWN, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(ok.hasBorder());
    ::SendMessageW(ok.hwnd(), WM_RBUTTONUP, 0, MAKELPARAM(200, 10));  // released outside: no click
    EXPECT_FALSE(ok.hasBorder());
    EXPECT_TRUE(world.messages.shown.empty());
    // Tab reaches the repeat chooser: Down steps to every day, then Monday to
    // Friday, Space takes the focused Monday off; a screen reader reads it.
    fill(w, L"9", L"5", L"0", L"x");
    ::SetFocus(w.box(frmclock::txtinmsg));
    press(VK_TAB);
    ASSERT_EQ(::GetFocus(), w.repeat().hwnd());
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_SPACE})
        press(key);
    const Reader reader(w.repeat().hwnd());
    EXPECT_EQ(reader.name() + L" " + reader.name(1) + L" " + reader.name(2), L"重复：每周二三四五 星期一 星期二");
    EXPECT_EQ(reader.state(1) & STATE_SYSTEM_CHECKED, 0);
    EXPECT_NE(reader.state(2) & STATE_SYSTEM_CHECKED, 0);
    // Then the picture buttons, which Space and Enter press.
    press(VK_TAB);
    EXPECT_EQ(::GetFocus(), w.Imgok().hwnd());
    press(VK_RETURN);
    EXPECT_EQ(w.label(frmclock::lblshowall), L"09:05:00 每周二三四五   x");
    // Hide is enabled now, so it is a stop; from the last the Tab comes round.
    for (HWND next : {w.Imgcam().hwnd(), w.Imghide().hwnd(), w.Image2().hwnd(), w.box(frmclock::txthour)}) {
        press(VK_TAB);
        EXPECT_EQ(::GetFocus(), next);
    }
    ::SetFocus(w.Imgcam().hwnd());
    ::SendMessageW(w.Imgcam().hwnd(), WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_TRUE(w.Imgcam().hasBorder() && app->alarm().AlarmSet());  // held: pressed, not yet clicked
    ::SendMessageW(w.Imgcam().hwnd(), WM_KEYUP, VK_SPACE, 1 | (3u << 30));
    EXPECT_FALSE(w.Imgcam().hasBorder() || app->alarm().AlarmSet());
    press(VK_TAB);
    press(VK_SPACE);  // on Hide
    EXPECT_EQ(app->alarmWindow(), nullptr);
}

// Typed characters first, then keys through the message loop in each window.
TEST_F(AlarmTest, TypingAndDialogKeysMoveThroughTheBoxesAndConfirm)
{
    frmclock& w = openAlarm();
    type(L"9\b");  // Backspace counts: one character held, so the focus moves on
    EXPECT_EQ(::GetFocus(), w.box(frmclock::txtmin));
    EXPECT_EQ(w.boxText(frmclock::txthour), L"");
    type(L"0530");
    EXPECT_EQ(::GetFocus(), w.box(frmclock::txtinmsg));
    EXPECT_EQ(w.boxText(frmclock::txtsec), L"30");  // "00" was selected, so typing replaced it
    ::SetFocus(w.box(frmclock::txthour));
    type(L"12");
    ::SendMessageW(w.box(frmclock::txthour), EM_SETSEL, 2, 2);
    ::SendMessageW(w.box(frmclock::txthour), WM_CHAR, L'3', 0);  // two characters at most
    EXPECT_EQ(w.boxText(frmclock::txthour), L"12");
    ::SetFocus(w.box(frmclock::txtinmsg));
    type(L"开会\r");
    EXPECT_TRUE(world.messages.shown.empty());
    EXPECT_EQ(app->alarm().AlarmTime() + app->alarm().AlarmMsg(), L"12:05:30开会");
    ::SetFocus(w.box(frmclock::txthour));
    press(VK_TAB);
    EXPECT_EQ(::GetFocus(), w.box(frmclock::txtmin));
    ::SetFocus(w.box(frmclock::txtsec));
    press(VK_RETURN);  // Enter in the second box moves on
    EXPECT_EQ(::GetFocus(), w.box(frmclock::txtinmsg));
    fill(w, L"9", L"5", L"0", L"x");
    press(VK_RETURN);  // and in the reminder confirms
    EXPECT_EQ(app->alarm().AlarmTime(), L"09:05:00");
    // Reopened over the shown alarm, a time typed from the keyboard alone
    // replaces it, and so does a reminder; Enter keeps one still selected.
    // Full-width digits show as the ASCII ones armed.
    for (const wchar_t* keys : {L"103045新\r", L"０９０５００\r"}) {
        push(app->alarmWindow()->Image2());
        pumpMessages();
        openAlarm();
        type(keys);
    }
    EXPECT_EQ(boxes(*app->alarmWindow()), (Texts{L"09", L"05", L"00", L"新"}));
    push(app->alarmWindow()->Imghide());
    pumpMessages();
    // Space presses the alert's focused Got it (Enter, the default, is pressed
    // end to end), but no key does in its first second, nor one held from before.
    tickAlarm(9, 5, 0);
    ASSERT_NE(app->alertWindow(), nullptr);
    ASSERT_EQ(::GetFocus(), app->alertWindow()->hwnd());
    for (WPARAM key : {VK_SPACE, VK_RETURN, VK_ESCAPE})
        press(key);
    ::PostMessageW(::GetFocus(), WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29));  // Alt+F4
    pumpMessages();
    settle();
    ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_RETURN, 1 | (1 << 30));  // held since then
    pumpMessages();
    ASSERT_NE(app->alertWindow(), nullptr);
    press(VK_SPACE);
    EXPECT_EQ(app->alertWindow(), nullptr);
    EXPECT_NE(app->alarmWindow(), nullptr);
}

TEST_F(AlarmTest, OkArmsThenTheAlarmRingsOnceAtItsSecondInATopmostRoundedAlertThatASecondAlarmRenews)
{
    // Another program's window, active and in front when the alarm rings.
    HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr);
    // Closed with Hide: the alarm stays armed.
    push(arm(L"9", L"5", L"0", L"x").Imghide());
    pumpMessages();
    EXPECT_FALSE(face->checked(Twin::Clock));
    ::SetForegroundWindow(other);
    tickAlarm(9, 4, 59);
    EXPECT_EQ(app->alertWindow(), nullptr);
    tickAlarm(9, 5, 0);
    frmmsg* alert = app->alertWindow();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->lbloutall(), L"你现在要做的事情是:x");
    EXPECT_EQ(world.tune.got, (Texts{kTuneOpen, L"play qorvane_tune"}));
    HWND a = alert->hwnd();
    EXPECT_TRUE(::GetWindowLongPtrW(a, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(::GetForegroundWindow(), a);
    // No click in its first second: one aimed at what was under the pointer does nothing.
    EXPECT_FALSE(::IsWindowEnabled(alert->cmdok()));
    ::SendMessageW(alert->cmdok(), BM_CLICK, 0, 0);
    ASSERT_EQ(app->alertWindow(), alert);
    settle();
    EXPECT_EQ(::GetFocus(), alert->cmdok());
    ::DestroyWindow(other);
    // A straight top edge, rounded ends, nothing beyond 250 px.
    EXPECT_EQ(regionMisses(a, {{125, 75}, {125, 2}}, {{2, 2}, {255, 75}}), "");
    ::SendMessageW(a, WM_SYSCOMMAND, SC_MINIMIZE, 0);  // it stays until acknowledged
    EXPECT_TRUE(::IsWindowVisible(a) && !::IsIconic(a));
    // A second alarm renews the alert that is still open: the same window, the tune anew.
    arm(L"9", L"6", L"0", L"second");
    push(app->alarmWindow()->Imghide());
    pumpMessages();
    world.tune.got.clear();
    tickAlarm(9, 6, 0);
    ASSERT_EQ(app->alertWindow(), alert);
    EXPECT_EQ(alert->hwnd(), a);
    EXPECT_EQ(alert->lbloutall(), L"你现在要做的事情是:second");
    EXPECT_EQ(world.tune.got, (Texts{L"close qorvane_tune", kTuneOpen, L"play qorvane_tune"}));
    // Got it, with Esc as in a message box: the alert and its tune go, the alarm window comes.
    settle();
    ::PostMessageW(alert->cmdok(), WM_KEYDOWN, VK_ESCAPE, 1);
    pumpMessages();
    EXPECT_EQ(app->alertWindow(), nullptr);
    EXPECT_EQ(world.tune.got.back(), L"close qorvane_tune");
    ASSERT_NE(app->alarmWindow(), nullptr);
    EXPECT_EQ(boxes(*app->alarmWindow()), (Texts{L"09", L"06", L"00", L"second"}));  // the alarm just rung
    EXPECT_FALSE(face->checked(Twin::Clock));  // opened by the alert, not the menus
}

TEST_F(AlarmTest, EachFailedCheckWarnsAndKeepsTheArmedAlarmWhichReopensUntilCancelledAndOkJustBeforeItsSecondRings)
{
    frmclock& w = arm(L"9", L"5", L"0", L"x");
    arm(L"ab", L"1", L"1", L"");
    // A refused time clears the time boxes; the reminder typed stays.
    arm(L"ab", L"1", L"1", L"y");
    EXPECT_EQ(boxes(w), (Texts{L"", L"", L"00", L"y"}));
    arm(L"24", L"0", L"0", std::wstring(200, L'长').c_str());
    EXPECT_EQ(boxes(w), (Texts{L"", L"", L"00", std::wstring(200, L'长')}));
    EXPECT_EQ(world.messages.shown, (std::vector<Shown>{{L"对不起，时间或事件不能为空\r否则我不能提醒你做事！", L"墨蝉小闹钟"},
                                                        {L"你输入的时间不对，不能是字母，你重新输入！", L"警告！"},
                                                        {L"对不起！你的时间设置不对，请重新设置", L"墨蝉小闹钟"}}));
    EXPECT_EQ(w.label(frmclock::lblshowall), L"09:05:00   x");
    // Closed, the window reopens with what is armed; cancel forgets it.
    push(w.Image2());  // the close button
    pumpMessages();
    frmclock& reopened = openAlarm();
    EXPECT_EQ(boxes(reopened), (Texts{L"09", L"05", L"00", L"x"}));
    EXPECT_EQ(reopened.Imghide().picture(), IDB_HIDE_LIT);
    push(reopened.Imgcam(), true);  // a right click acts too
    EXPECT_EQ(boxes(reopened), cleared);
    EXPECT_EQ(reopened.label(frmclock::lblshowall), L"");
    tickAlarm(9, 5, 0);
    EXPECT_EQ(app->alertWindow(), nullptr);
    ::SendMessageW(reopened.hwnd(), WM_CLOSE, 0, 0);
    frmclock& third = openAlarm();
    EXPECT_FALSE(::IsWindowEnabled(third.Imghide().hwnd()));
    EXPECT_EQ(third.Imghide().picture(), IDB_HIDE_GREY);
    // OK in the last milliseconds before the alarm's second rings today.
    world.clock.set(2026, 12, 7, 1, 12, 59, 59, 995);
    world.clock.later = {LocalTime{2026, 12, 7, 13, 0, 0, 1, 1}};  // the clock moves on while OK runs
    arm(L"13", L"0", L"0", L"x");
    EXPECT_EQ(world.messages.shown.size(), 3u);
    tickAlarm(13, 0, 0);
    EXPECT_NE(app->alertWindow(), nullptr);
}

TEST_F(AlarmTest, ALateRingIsSilentOneSkippedBySummerTimeHasItsTuneAndTheFaceMenusExitUnloadsNothing)
{
    arm(L"9", L"5", L"0", L"x");
    tickAlarm(9, 0, 0);
    tickAlarm(9, 6, 1);  // the computer slept through 09:05:00
    ASSERT_NE(app->alertWindow(), nullptr);
    EXPECT_EQ(app->alertWindow()->dueLine(), L"应在09:05:00提醒");
    EXPECT_TRUE(world.tune.got.empty());
    acknowledge();
    world.clock.set(2026, 3, 29, 0, 1, 0, 0);
    arm(L"2", L"30", L"0", L"x");
    world.clock.set(2026, 3, 29, 0, 1, 59, 59);
    tick();
    EXPECT_EQ(app->alertWindow(), nullptr);
    world.clock.jump(2026, 3, 29, 0, 3, 0, 0, 1000);  // 02:00 becomes 03:00, one second later
    tick();
    ASSERT_NE(app->alertWindow(), nullptr);
    EXPECT_EQ(world.tune.got.back(), L"play qorvane_tune");
    // The face menu's exit with the alert up removes the icon, closes the tune's
    // device and unloads nothing: the process end takes the windows, no mark changes.
    world.input.answers = {static_cast<UINT>(MenuId::end)};
    ::SendMessageW(hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, at(40, 40));
    ASSERT_EQ(world.process.exits, std::vector<UINT>{0});
    EXPECT_EQ(world.tray.calls.back().message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(world.tune.got.back(), L"close qorvane_tune");
    EXPECT_TRUE(world.door.got.empty());  // never shown, never painted
    EXPECT_EQ(closedCount, 0);
    EXPECT_TRUE(::IsWindow(hwnd()) && app->alertWindow() && app->alarmWindow() && face->checked(Twin::Clock));
}

// A real message box lets timers tick while it is open: no stale ring, no lost alarm.
TEST_F(AlarmTest, AnEarlierTimeIsArmedForTomorrowAndItsWarningOpenAcrossASecondRingsNothing)
{
    world.clock.set(2026, 12, 7, 1, 9, 10, 0);
    world.messages.whileOpen = [&] { tickAlarm(9, 10, 1); };
    arm(L"8", L"0", L"0", L"y");
    ASSERT_EQ(world.messages.shown, (std::vector<Shown>{{L"你设置的时间比现在的时间早", L"qorvane"}}));
    EXPECT_EQ(app->alertWindow(), nullptr);
    world.messages.whileOpen = nullptr;
    tickAlarm(23, 59, 59);
    EXPECT_EQ(app->alertWindow(), nullptr);
    tickAlarm(8, 0, 0, 8);
    ASSERT_NE(app->alertWindow(), nullptr);
    EXPECT_EQ(app->alertWindow()->lbloutall(), L"你现在要做的事情是:y");
}

// A dark system scheme for as long as it lives; the prefix gets its own back.
class DarkScheme {
public:
    static constexpr COLORREF kBack = RGB(0, 0, 128);
    DarkScheme() { ::SetSysColors(2, kIndexes, kDark); }
    ~DarkScheme() { ::SetSysColors(2, kIndexes, saved_); }

private:
    static constexpr INT kIndexes[] = {COLOR_WINDOW, COLOR_WINDOWTEXT};
    static constexpr COLORREF kDark[] = {kBack, RGB(255, 255, 0)};
    const COLORREF saved_[2] = {::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_WINDOWTEXT)};
};

// Text is smoothed: its strokes come near the colour rather than on it.
bool yellowish(COLORREF c)
{
    return GetRValue(c) >= 0xE0 && GetGValue(c) >= 0xE0 && GetBValue(c) < 0x60;
}

TEST_F(AlarmTest, UnderADarkSchemeTheWeekdayAndTheLabelsAreInTheSystemsColours)
{
    frmclock& w = openAlarm();
    const RECT week = face->lblweekRect();
    const POINT weekMiddle{(week.left + week.right) / 2, (week.top + week.bottom) / 2};
    const POINT showMiddle{20, 54};  // in "当前时间为:"
    DarkScheme dark;
    const PrintedClient faceDark(hwnd()), alarmDark(w.hwnd());
    EXPECT_TRUE(faceDark.shows(weekMiddle.x, weekMiddle.y, 6, DarkScheme::kBack));
    EXPECT_TRUE(faceDark.shows(weekMiddle.x, weekMiddle.y, 6, yellowish));
    EXPECT_TRUE(alarmDark.shows(showMiddle.x, showMiddle.y, 5, DarkScheme::kBack));
    EXPECT_TRUE(alarmDark.shows(showMiddle.x, showMiddle.y, 5, yellowish));
}

void paste(HWND box, const std::wstring& text)
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(::GlobalLock(mem), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    ::GlobalUnlock(mem);
    ::SetClipboardData(CF_UNICODETEXT, mem);
    ::CloseClipboard();
    ::SendMessageW(box, WM_PASTE, 0, 0);
}

TEST_F(AlarmTest, APastedReminderHasBlanksForLineBreaksAndALongOneIsCutAtTheLimitWithABalloon)
{
    frmclock& w = openAlarm();
    HWND msg = w.box(frmclock::txtinmsg);
    ::SetFocus(msg);
    paste(msg, L"买牛奶\r\n带\t钥匙");
    EXPECT_EQ(w.boxText(frmclock::txtinmsg), L"买牛奶 带 钥匙");
    EXPECT_EQ(w.reminderBalloon(), nullptr);  // it all fitted: nothing to say
    // Too long for a time box: refused whole, not cut to an hour nobody typed.
    paste(w.box(frmclock::txthour), L"1300000000000");
    EXPECT_EQ(w.boxText(frmclock::txthour), L"");
    ASSERT_NE(w.reminderBalloon(), nullptr);
    EXPECT_EQ(w.balloonText(), kTimeTooLongText);
    paste(w.box(frmclock::txthour), L"13");
    EXPECT_EQ(w.boxText(frmclock::txthour), L"13");
    ::SetFocus(msg);
    ::SetWindowTextW(msg, L"");
    paste(msg, std::wstring(5000, L'长'));
    EXPECT_EQ(w.boxText(frmclock::txtinmsg).size(), 2000u);
    HWND balloon = w.reminderBalloon();
    ASSERT_NE(balloon, nullptr);
    EXPECT_TRUE(::IsWindowVisible(balloon));
    EXPECT_EQ(w.balloonText(), kReminderTooLongText);
    type(L"\b");  // typing on puts it away
    EXPECT_FALSE(::IsWindowVisible(balloon));
    // Pasted over a selection, only the room it leaves counts.
    ::SendMessageW(msg, EM_SETSEL, 0, 10);
    paste(msg, std::wstring(20, L'短'));
    EXPECT_EQ(w.boxText(frmclock::txtinmsg).size(), 2000u);
    EXPECT_EQ(w.boxText(frmclock::txtinmsg).substr(0, 11), std::wstring(11, L'短'));
    EXPECT_TRUE(::IsWindowVisible(balloon));
}

TEST_F(AlarmTest, OneTimerASecondCarriesTheTimeLinesWhichAloneRepaint)
{
    face->Show();
    pumpMessages();
    frmclock& w = arm(L"8", L"0", L"3", L"x");
    choose(MenuId::showfrmoptions);
    Frmoptions* settings = app->settingsWindow();
    ASSERT_NE(settings, nullptr);
    pumpMessages();
    // No window keeps a second timer of its own: the face's wakes them all.
    for (HWND window : {w.hwnd(), settings->hwnd(), hwnd()})
        EXPECT_FALSE(::KillTimer(window, 1));
    using Box = std::vector<LONG>;
    auto toRepaint = [](HWND window) {
        RECT r{};
        ::GetUpdateRect(window, &r, FALSE);
        return Box{r.left, r.top, r.right, r.bottom};
    };
    tickAlarm(8, 0, 1);
    EXPECT_EQ(w.label(frmclock::lbltime), systemTimeText(world.clock.time));
    EXPECT_EQ(settings->text(Frmoptions::Labnow), L"现在的时间是： 26年12月07日  08:00:01");
    // The alarm window's time label is all that is repainted there.
    EXPECT_EQ(toRepaint(w.hwnd()), (Box{96, 48, 193, 65}));
    EXPECT_EQ(toRepaint(settings->hwnd()), Box(4, 0));
    // The same second again changes nothing, so nothing is repainted.
    pumpMessages();
    tickAlarm(8, 0, 1);
    EXPECT_EQ(toRepaint(w.hwnd()), Box(4, 0));
    EXPECT_EQ(toRepaint(settings->item(Frmoptions::Labnow)), Box(4, 0));
}

TEST_F(AlarmTest, TheComputerWakesForTheAlarmAndTheScreenStaysOnWhileTheAlertIsUp)
{
    auto& calls = world.power.calls;
    // Each said once a run, under the box, the graver first; a path too long for a logon start last.
    restartAt(8, 0, 0, L"C:\\" + std::wstring(250, L'q'));
    world.power.canResume = false;
    world.windowsRegistry.locked = true;
    frmclock& w = arm(L"9", L"5", L"0", L"x");
    EXPECT_EQ(w.balloonText(), kCannotKeepText);
    arm(L"9", L"5", L"0", L"x");
    EXPECT_EQ(w.balloonText(), kCannotWakeText);
    world.windowsRegistry.locked = false;
    arm(L"9", L"5", L"0", L"x");
    EXPECT_EQ(w.balloonText(), kNoLogonStartText);
    ::SendMessageW(w.reminderBalloon(), TTM_TRACKACTIVATE, FALSE, 0);
    arm(L"10", L"0", L"0", L"x");
    EXPECT_FALSE(::IsWindowVisible(w.reminderBalloon()));
    push(w.Imgcam());
    // Two minutes early, so that the resume is over by the ring.
    EXPECT_EQ(calls, (Texts{L"wake 2026-12-07 09:03:00", L"wake 2026-12-07 09:03:00", L"wake 2026-12-07 09:03:00",
                            L"wake 2026-12-07 09:58:00", L"cancel wake"}));
    calls.clear();
    // Armed for tomorrow; then the clock is set to the next morning.
    arm(L"7", L"0", L"0", L"x");
    world.clock.jump(2026, 12, 8, 2, 6, 0, 0, 1000);
    ::SendMessageW(hwnd(), WM_TIMECHANGE, 0, 0);
    ::SendMessageW(hwnd(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);  // woken for something else
    EXPECT_EQ(calls, Texts(3, L"wake 2026-12-08 06:58:00"));
    calls.clear();
    // Woken for it: kept awake to the ring, which has its tune however long the resume took.
    world.clock.set(2026, 12, 8, 2, 6, 58, 0);
    ::SendMessageW(hwnd(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    tickAlarm(7, 3, 0, 8);
    ASSERT_NE(app->alertWindow(), nullptr);
    EXPECT_EQ(world.tune.got.back() + app->alertWindow()->dueLine(), L"play qorvane_tune");
    EXPECT_EQ(calls, (Texts{L"wake 2026-12-08 06:58:00", L"awake on", L"display on", L"cancel wake", L"awake off"}));
    tickAlarm(7, 12, 59, 8);
    EXPECT_EQ(calls.back(), L"awake off");
    tickAlarm(7, 13, 0, 8);  // ten minutes: the screen may sleep, the alert stays
    EXPECT_EQ(calls.back(), L"display off");
    ASSERT_NE(app->alertWindow(), nullptr);
    // Alt+F4 and the like acknowledge it too.
    ::SendMessageW(app->alertWindow()->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(app->alertWindow(), nullptr);
    ASSERT_NE(app->alarmWindow(), nullptr);
    EXPECT_EQ(calls.back(), L"display off");
    // Leaving with an alarm armed and an alert up lets go of both.
    arm(L"7", L"14", L"5", L"x");
    tickAlarm(7, 14, 5, 8);
    arm(L"8", L"0", L"0", L"x");
    calls.clear();
    choose(MenuId::quit);
    EXPECT_EQ(calls, (Texts{L"display off", L"cancel wake"}));
}

TEST(RealPower, TheWakeTimerIsSetAndTheDisplayHeldAndReleased)
{
    IPower& power = *realServices().power;
    SYSTEMTIME st{};
    ::GetLocalTime(&st);
    const LocalTime now{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, 0, 0};
    const LocalTime tomorrow = fromAbsoluteSeconds(absoluteSeconds(now) + 86400);
    EXPECT_NE(power.wakeAt(tomorrow), WakeResult::Failed);
    EXPECT_NE(power.wakeAt(tomorrow), WakeResult::Failed);  // moved: the same timer again
    // What the thread asks of the system shows in the state the next call returns.
    ::SetThreadExecutionState(ES_CONTINUOUS);
    power.holdDisplay(true);
    EXPECT_EQ(::SetThreadExecutionState(ES_CONTINUOUS) & (ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED),
              static_cast<EXECUTION_STATE>(ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED));
    power.holdDisplay(true);
    power.holdDisplay(false);
    EXPECT_EQ(::SetThreadExecutionState(ES_CONTINUOUS), static_cast<EXECUTION_STATE>(ES_CONTINUOUS));
}

TEST(RealAlertSound, TheWholeSoundIsInTheExeAndPlaysAndStopsAlsoWithoutASoundDevice)
{
    const HMODULE exe = ::GetModuleHandleW(nullptr);
    const HRSRC found = ::FindResourceW(exe, MAKEINTRESOURCEW(IDW_ALARM_SOUND), L"WAVE");
    ASSERT_NE(found, nullptr);
    const auto* riff = static_cast<const char*>(::LockResource(::LoadResource(exe, found)));  // whole, as PlaySound reads it
    EXPECT_EQ(std::string(riff, 4) + std::string(riff + 8, 4), "RIFFWAVE");
    EXPECT_EQ(::SizeofResource(exe, found), *reinterpret_cast<const DWORD*>(riff + 4) + 8);
    IAlertSound& sound = *realServices().sound;
    for (int alert = 0; alert < 2; ++alert)  // each: the first call, a repeat, the end
        sound.play(), sound.play(), sound.stop();
}

}  // namespace
}  // namespace qv::test
