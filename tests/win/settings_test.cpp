// The settings window over a recording clock setter and the Wine prefix's
// own registry.

#include "face_fixture.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/module_path.h"
#include "store/Clsreg.h"

namespace qv::test {
namespace {

class SettingsTest : public FaceTest {
protected:
    using Id = Frmoptions::Id;

    void SetUp() override
    {
        FaceTest::SetUp();
        world.clock.set(2004, 3, 5, 5, 9, 5, 3);  // Friday 5 March 2004, 09:05:03
        world.registry.deleteValue(kRunKeyPath, kRunValueName);
    }
    void TearDown() override
    {
        world.registry.deleteValue(kRunKeyPath, kRunValueName);
        FaceTest::TearDown();
    }

    Frmoptions& open()
    {
        ::SendMessageW(hwnd(), WM_COMMAND, static_cast<WPARAM>(MenuId::frmop), 0);
        Frmoptions* w = face->settingsWindow();
        EXPECT_NE(w, nullptr);
        return *w;
    }

    static void setText(Frmoptions& w, Id id, const wchar_t* text) { ::SetWindowTextW(w.item(id), text); }
    // Types into a box as the user would: the focus goes there first.
    static void type(Frmoptions& w, Id box, const wchar_t* text)
    {
        ::SetFocus(w.item(box));
        setText(w, box, text);
    }
    // The focus moves on to the time frame's cancel button, which is not pressed.
    static void leave(Frmoptions& w)
    {
        ::SetFocus(w.item(Frmoptions::Cmdtime));
        pumpMessages();
    }
    static void press(Frmoptions& w, Id id) { ::SendMessageW(w.item(id), BM_CLICK, 0, 0); }
    static bool ticked(Frmoptions& w) { return ::SendMessageW(w.item(Frmoptions::Chkrun), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    std::wstring ourPath() const { return runProgramPath(L"C:\\Apps\\qorvane", programFileName()); }
    std::wstring runValue() { return world.registry.readValue(kRunKeyPath, kRunValueName).value_or(L"<none>"); }
};

TEST_F(SettingsTest, OpensWithTheCurrentTimeFullListsAndTheFocusInTheHour)
{
    load();
    Frmoptions& w = open();
    wchar_t caption[32] = {};
    ::GetWindowTextW(w.hwnd(), caption, 32);
    EXPECT_STREQ(caption, L"系统设置");
    const LONG_PTR style = ::GetWindowLongPtrW(w.hwnd(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(::GetWindowLongPtrW(w.hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    RECT r{};
    ::GetClientRect(w.hwnd(), &r);
    EXPECT_EQ(r.right, 297);
    EXPECT_EQ(r.bottom, 404);

    EXPECT_EQ(w.text(Frmoptions::Labnow), L"现在的时间是： 04年03月05日  09:05:03");
    EXPECT_EQ(w.text(Frmoptions::Comh), L"9");
    EXPECT_EQ(w.text(Frmoptions::Comm), L"5");
    EXPECT_EQ(w.text(Frmoptions::Coms), L"3");
    for (auto [id, count] : {std::pair{Frmoptions::Comh, 23}, {Frmoptions::Comm, 59}, {Frmoptions::Coms, 59}}) {
        ASSERT_EQ(::SendMessageW(w.item(id), CB_GETCOUNT, 0, 0), count);
        wchar_t first[8] = {}, last[8] = {};
        ::SendMessageW(w.item(id), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
        ::SendMessageW(w.item(id), CB_GETLBTEXT, count - 1, reinterpret_cast<LPARAM>(last));
        EXPECT_STREQ(first, L"1");
        EXPECT_EQ(std::wstring(last), std::to_wstring(count));
    }
    SYSTEMTIME picked{};
    ::SendMessageW(w.item(Frmoptions::Caldate), MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&picked));
    EXPECT_EQ(picked.wYear, 2004);
    EXPECT_EQ(picked.wMonth, 3);
    EXPECT_EQ(picked.wDay, 5);
    EXPECT_FALSE(ticked(w));

    HWND focus = ::GetFocus();
    EXPECT_TRUE(focus == w.item(Frmoptions::Comh) || ::IsChild(w.item(Frmoptions::Comh), focus));
    // Tab walks the focus order.
    const Id order[] = {Frmoptions::Comh, Frmoptions::Comm, Frmoptions::Coms, Frmoptions::Cmdsettime,
                        Frmoptions::Cmdtime, Frmoptions::Chkrun, Frmoptions::Cmdok, Frmoptions::Cmdsetdate,
                        Frmoptions::Cmddate, Frmoptions::Caldate, Frmoptions::Comh};
    for (int i = 0; i + 1 < 11; ++i)
        EXPECT_EQ(::GetNextDlgTabItem(w.hwnd(), w.item(order[i]), FALSE), w.item(order[i + 1])) << i;
}

TEST_F(SettingsTest, LeavingABoxWithABadTimeWarnsAndResetsIt)
{
    load();
    Frmoptions& w = open();
    const std::vector<std::pair<Id, const wchar_t*>> bad = {
        {Frmoptions::Comh, L"24"}, {Frmoptions::Comm, L"60"}, {Frmoptions::Coms, L"-1"},
        {Frmoptions::Comh, L"ab"}, {Frmoptions::Coms, L""}};
    for (auto [box, text] : bad) {
        type(w, box, text);
        leave(w);
    }
    ASSERT_EQ(world.messages.shown.size(), bad.size());
    EXPECT_EQ(world.messages.shown[0].text, L"你所输入的，不符合时间格式标准！！");
    EXPECT_EQ(world.messages.shown[0].title, L"警告！");
    EXPECT_EQ(w.text(Frmoptions::Comh), L"9");
    EXPECT_EQ(w.text(Frmoptions::Comm), L"5");
    EXPECT_EQ(w.text(Frmoptions::Coms), L"3");

    for (const wchar_t* fine : {L"0", L"07", L"7.5"}) {
        type(w, Frmoptions::Comh, fine);
        leave(w);
        EXPECT_EQ(w.text(Frmoptions::Comh), fine);
    }
    EXPECT_EQ(world.messages.shown.size(), bad.size());
}

TEST_F(SettingsTest, ApplyingTheTimeKeepsTheDateAndAFractionIsRefused)
{
    load();
    Frmoptions& w = open();
    setText(w, Frmoptions::Comh, L"07");
    setText(w, Frmoptions::Comm, L"30");
    setText(w, Frmoptions::Coms, L"0");
    press(w, Frmoptions::Cmdsettime);
    ASSERT_EQ(world.systemTime.set.size(), 1u);
    const LocalTime& t = world.systemTime.set[0];
    EXPECT_EQ((std::vector<int>{t.year, t.month, t.day, t.hour, t.minute, t.second}),
              (std::vector<int>{2004, 3, 5, 7, 30, 0}));

    setText(w, Frmoptions::Comh, L"7.5");
    press(w, Frmoptions::Cmdsettime);
    EXPECT_EQ(world.systemTime.set.size(), 1u);
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_EQ(world.messages.shown[0].title, L"警告！");

    world.clock.set(2004, 3, 5, 5, 10, 0, 59);
    press(w, Frmoptions::Cmdtime);  // back to the clock; nothing applied
    EXPECT_EQ(w.text(Frmoptions::Comh), L"10");
    EXPECT_EQ(w.text(Frmoptions::Coms), L"59");
    EXPECT_EQ(world.systemTime.set.size(), 1u);
}

TEST_F(SettingsTest, FullWidthDigitsAreAcceptedInTheBoxesAndApplied)
{
    load();
    Frmoptions& w = open();
    type(w, Frmoptions::Comh, L"１２");
    leave(w);
    setText(w, Frmoptions::Comm, L"０５");
    setText(w, Frmoptions::Coms, L"3");
    press(w, Frmoptions::Cmdsettime);
    EXPECT_TRUE(world.messages.shown.empty());
    ASSERT_EQ(world.systemTime.set.size(), 1u);
    const LocalTime& t = world.systemTime.set[0];
    EXPECT_EQ((std::vector<int>{t.hour, t.minute, t.second}), (std::vector<int>{12, 5, 3}));

    type(w, Frmoptions::Comh, L"ａｂ");
    leave(w);
    EXPECT_EQ(world.messages.shown.size(), 1u);
}

TEST_F(SettingsTest, ApplyingTheDateKeepsTheTimeOfDayAndCancelGoesBackToToday)
{
    load();
    Frmoptions& w = open();
    SYSTEMTIME day{};
    day.wYear = 2004;
    day.wMonth = 3;
    day.wDay = 15;
    ::SendMessageW(w.item(Frmoptions::Caldate), MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
    press(w, Frmoptions::Cmdsetdate);
    ASSERT_EQ(world.systemTime.set.size(), 1u);
    const LocalTime& t = world.systemTime.set[0];
    EXPECT_EQ((std::vector<int>{t.year, t.month, t.day, t.hour, t.minute, t.second}),
              (std::vector<int>{2004, 3, 15, 9, 5, 3}));

    press(w, Frmoptions::Cmddate);
    SYSTEMTIME picked{};
    ::SendMessageW(w.item(Frmoptions::Caldate), MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&picked));
    EXPECT_EQ(picked.wDay, 5);
    EXPECT_EQ(world.systemTime.set.size(), 1u);
}

TEST_F(SettingsTest, ARefusedChangeIsReported)
{
    load();
    world.systemTime.accept = false;
    Frmoptions& w = open();
    EXPECT_FALSE(w.needsConsent());
    press(w, Frmoptions::Cmdsettime);
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_EQ(world.messages.shown[0].text, L"系统拒绝更改日期或时间，电脑的时钟保持原样。");
    EXPECT_EQ(world.messages.shown[0].title, L"墨蝉小闹钟");
    EXPECT_TRUE(::IsWindow(w.hwnd()));
    EXPECT_TRUE(world.elevation.requests.empty());
}

TEST_F(SettingsTest, WithoutTheRightEachApplyIsOneStepWithAnAdministratorsConsent)
{
    load();
    world.elevation.may = false;
    Frmoptions& w = open();
    EXPECT_TRUE(w.needsConsent());

    type(w, Frmoptions::Comh, L"7");
    setText(w, Frmoptions::Comm, L"30");
    setText(w, Frmoptions::Coms, L"0");
    world.clock.steady = 5'000'000;
    press(w, Frmoptions::Cmdsettime);
    pumpMessages();
    EXPECT_TRUE(world.systemTime.set.empty());  // never tried without the right
    ASSERT_EQ(world.elevation.requests.size(), 1u);
    const auto& r = world.elevation.requests[0];
    EXPECT_EQ(r.notify, w.hwnd());
    EXPECT_EQ((std::vector<int>{r.asked.year, r.asked.month, r.asked.day, r.asked.hour, r.asked.minute, r.asked.second}),
              (std::vector<int>{2004, 3, 5, 7, 30, 0}));
    EXPECT_EQ(r.askedAtMs, 5'000'000);

    world.elevation.answer(ElevatedOutcome::Set);
    world.elevation.answer(ElevatedOutcome::Declined);  // the user said no: nothing to tell
    pumpMessages();
    EXPECT_TRUE(world.messages.shown.empty());
    world.elevation.answer(ElevatedOutcome::Refused);
    pumpMessages();
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_EQ(world.messages.shown[0].text, Frmoptions::kRefusedPrompt);

    press(w, Frmoptions::Cmdsetdate);
    ASSERT_EQ(world.elevation.requests.size(), 2u);
    EXPECT_EQ(world.elevation.requests[1].asked.hour, 9);  // the date alone changes
}

TEST_F(SettingsTest, TheStartUpBoxWritesAndDeletesTheEntryInTheRegistry)
{
    load();
    Frmoptions& w = open();
    EXPECT_EQ(runValue(), L"<none>");
    press(w, Frmoptions::Chkrun);
    EXPECT_TRUE(ticked(w));
    EXPECT_EQ(runValue(), L"\"" + ourPath() + L"\"");
    press(w, Frmoptions::Chkrun);
    EXPECT_FALSE(ticked(w));
    EXPECT_EQ(runValue(), L"<none>");

    // An entry an earlier version wrote, unquoted: ticked at load, and
    // written again in the quoted form.
    world.registry.writeValue(kRunKeyPath, L"MYEXE", ourPath());
    ::SendMessageW(w.hwnd(), WM_CLOSE, 0, 0);
    Frmoptions& again = open();
    EXPECT_TRUE(ticked(again));
    EXPECT_EQ(runValue(), L"\"" + ourPath() + L"\"");

    // A copy elsewhere is not ours: unticked, and left alone.
    world.registry.writeValue(kRunKeyPath, kRunValueName, L"\"D:\\Old\\qorvane.exe\"");
    ::SendMessageW(again.hwnd(), WM_CLOSE, 0, 0);
    Frmoptions& third = open();
    EXPECT_FALSE(ticked(third));
    EXPECT_EQ(runValue(), L"\"D:\\Old\\qorvane.exe\"");
}

TEST_F(SettingsTest, ARefusedRegistryShowsTheStoredStateAndSaysWhy)
{
    load();
    world.windowsRegistry.locked = true;
    Frmoptions& w = open();
    press(w, Frmoptions::Chkrun);
    EXPECT_FALSE(ticked(w));
    EXPECT_EQ(runValue(), L"<none>");
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_EQ(world.messages.shown[0].text, Frmoptions::kRunNotAdded);
    EXPECT_EQ(world.messages.shown[0].title, L"墨蝉小闹钟");

    world.registry.writeValue(kRunKeyPath, kRunValueName, L"\"" + ourPath() + L"\"");
    ::SendMessageW(w.hwnd(), WM_CLOSE, 0, 0);
    Frmoptions& again = open();
    ASSERT_TRUE(ticked(again));
    press(again, Frmoptions::Chkrun);
    EXPECT_TRUE(ticked(again));
    EXPECT_EQ(runValue(), L"\"" + ourPath() + L"\"");
    ASSERT_EQ(world.messages.shown.size(), 2u);
    EXPECT_EQ(world.messages.shown[1].text, Frmoptions::kRunNotRemoved);
}

TEST_F(SettingsTest, EveryWayOfClosingClearsBothMarksAndChecksNoBox)
{
    load();
    // A bad time left in the hour box each time: closing is no edit.
    type(open(), Frmoptions::Comh, L"ab");
    ASSERT_TRUE(face->checked(Twin::Options));
    press(*face->settingsWindow(), Frmoptions::Cmdok);
    pumpMessages();
    EXPECT_EQ(face->settingsWindow(), nullptr);
    EXPECT_FALSE(face->checked(Twin::Options));

    type(open(), Frmoptions::Comh, L"ab");
    ::SendMessageW(face->settingsWindow()->hwnd(), WM_CLOSE, 0, 0);  // the title bar's close button
    pumpMessages();
    EXPECT_FALSE(face->checked(Twin::Options));

    type(open(), Frmoptions::Comh, L"ab");
    ::SendMessageW(hwnd(), WM_COMMAND, static_cast<WPARAM>(MenuId::showfrmoptions), 0);
    pumpMessages();
    EXPECT_EQ(face->settingsWindow(), nullptr);
    EXPECT_FALSE(face->checked(Twin::Options));
    EXPECT_TRUE(world.messages.shown.empty());
}

TEST_F(SettingsTest, OnlyMovingToAnotherControlOfTheWindowChecksABox)
{
    load();
    Frmoptions& w = open();
    type(w, Frmoptions::Comh, L"ab");
    ::SetFocus(hwnd());  // the face, as when the tray icon is clicked
    pumpMessages();
    ::SetFocus(w.item(Frmoptions::Comh));
    ::SetFocus(nullptr);  // another program took the keyboard
    pumpMessages();
    EXPECT_TRUE(world.messages.shown.empty());
    EXPECT_EQ(w.text(Frmoptions::Comh), L"ab");

    ::SetFocus(w.item(Frmoptions::Comh));
    leave(w);
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_EQ(w.text(Frmoptions::Comh), L"9");
}

}  // namespace
}  // namespace qv::test
