// The settings window over a recording clock setter and the Wine prefix's own registry.

#include "face_fixture.h"

#include <commctrl.h>

#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "platform/module_path.h"

namespace qv::test {
namespace {

// The prompts as the user reads them.
constexpr wchar_t kRefused[] = L"系统拒绝更改日期或时间，电脑的时钟保持原样。";
constexpr wchar_t kNotAdded[] = L"没能把本程序加入启动项：注册表拒绝写入。计算机启动时不会运行本程序。";
constexpr wchar_t kNotRemoved[] = L"没能把本程序从启动项中删除：注册表拒绝更改。计算机启动时仍会运行本程序。";

using Shown = RecordingMessages::Shown;
using Fields = std::vector<int>;
using Id = Frmoptions::Id;

Fields fields(const LocalTime& t) { return {t.year, t.month, t.day, t.hour, t.minute, t.second}; }

class SettingsTest : public FaceTest {
protected:
    void SetUp() override
    {
        FaceTest::SetUp();
        world.clock.set(2004, 3, 5, 5, 9, 5, 3);  // Friday 5 March 2004, 09:05:03
        load();
    }
    Frmoptions& open()
    {
        if (Frmoptions* was = app->settingsWindow())
            ::SendMessageW(was->hwnd(), WM_CLOSE, 0, 0);
        choose(MenuId::frmop);
        EXPECT_NE(app->settingsWindow(), nullptr);
        return *app->settingsWindow();
    }
    static void setTime(Frmoptions& w, const wchar_t* h, const wchar_t* m, const wchar_t* s)
    {
        ::SetWindowTextW(w.item(Frmoptions::Comh), h);
        ::SetWindowTextW(w.item(Frmoptions::Comm), m);
        ::SetWindowTextW(w.item(Frmoptions::Coms), s);
    }
    // Typed as the user would, the focus there first; with `leave` the focus then
    // moves on to the time frame's cancel button, which is not pressed.
    static void type(Frmoptions& w, Id box, const wchar_t* text, bool leave = false)
    {
        ::SetFocus(w.item(box));
        ::SetWindowTextW(w.item(box), text);
        if (leave)
            ::SetFocus(w.item(Frmoptions::Cmdtime));
        pumpMessages();
    }
    static void press(Frmoptions& w, Id id) { ::SendMessageW(w.item(id), BM_CLICK, 0, 0); }
    static bool ticked(Frmoptions& w)
    {
        return ::SendMessageW(w.item(Frmoptions::Chkrun), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    static SYSTEMTIME picked(Frmoptions& w)
    {
        SYSTEMTIME day{};
        ::SendMessageW(w.item(Frmoptions::Caldate), MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
        return day;
    }
    static Texts times(Frmoptions& w)
    {
        return {w.text(Frmoptions::Comh), w.text(Frmoptions::Comm), w.text(Frmoptions::Coms)};
    }
    std::wstring ours() const { return L"\"" + runProgramPath(L"C:\\Apps\\qorvane", programFileName()) + L"\""; }
    std::wstring runValue() { return world.registry.readValue(kRunKeyPath, kRunValueName).value_or(L"<none>"); }
};

TEST_F(SettingsTest, OpensWithTheCurrentTimeAndTheFocusInTheHourAndABadTimeWarnsOnlyWhenTheFocusMovesWithin)
{
    Frmoptions& w = open();
    EXPECT_EQ(w.text(Frmoptions::Labnow), L"现在的时间是： 04年03月05日  09:05:03");
    EXPECT_EQ(times(w), (Texts{L"9", L"5", L"3"}));
    // The lists run from 1 to 23 and 59.
    for (auto [id, count] : {std::pair{Frmoptions::Comh, 23}, {Frmoptions::Comm, 59}, {Frmoptions::Coms, 59}}) {
        ASSERT_EQ(::SendMessageW(w.item(id), CB_GETCOUNT, 0, 0), count);
        wchar_t first[8] = {}, last[8] = {};
        ::SendMessageW(w.item(id), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
        ::SendMessageW(w.item(id), CB_GETLBTEXT, count - 1, reinterpret_cast<LPARAM>(last));
        EXPECT_EQ(std::wstring(first) + L"-" + last, L"1-" + std::to_wstring(count));
    }
    EXPECT_TRUE(::GetFocus() == w.item(Frmoptions::Comh) || ::IsChild(w.item(Frmoptions::Comh), ::GetFocus()));
    const Id order[] = {Frmoptions::Comh,    Frmoptions::Comm,   Frmoptions::Coms,       Frmoptions::Cmdsettime,
                        Frmoptions::Cmdtime, Frmoptions::Chkrun, Frmoptions::Cmdok,      Frmoptions::Cmdsetdate,
                        Frmoptions::Cmddate, Frmoptions::Caldate, Frmoptions::Comh};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        EXPECT_EQ(::GetNextDlgTabItem(w.hwnd(), w.item(order[i]), FALSE), w.item(order[i + 1])) << i;
    // A bad time: no warning while the focus goes to the face or another program.
    type(w, Frmoptions::Comh, L"ab");
    ::SetFocus(hwnd());  // the face, as when the tray icon is clicked
    pumpMessages();
    ::SetFocus(w.item(Frmoptions::Comh));
    ::SetFocus(nullptr);  // another program took the keyboard
    pumpMessages();
    EXPECT_TRUE(world.messages.shown.empty());
    EXPECT_EQ(w.text(Frmoptions::Comh), L"ab");
    type(w, Frmoptions::Comh, L"ab", true);
    // Moving on within the window warns and resets, for each box.
    const std::pair<Id, const wchar_t*> bad[] = {{Frmoptions::Comm, L"60"}, {Frmoptions::Coms, L""}};
    for (auto [box, text] : bad)
        type(w, box, text, true);
    EXPECT_EQ(times(w), (Texts{L"9", L"5", L"3"}));
    type(w, Frmoptions::Comh, L"7.5", true);  // no whole hour, yet a number in range: only applying refuses it
    EXPECT_EQ(w.text(Frmoptions::Comh), L"7.5");
    EXPECT_EQ(world.messages.shown, std::vector<Shown>(3, {L"你所输入的，不符合时间格式标准！！", L"警告！"}));
}

TEST_F(SettingsTest, ApplyingTheTimeOrDateKeepsTheOtherARefusalIsReportedAndWithoutTheRightConsentIsAsked)
{
    Frmoptions& w = open();
    setTime(w, L"07", L"30", L"0");
    press(w, Frmoptions::Cmdsettime);
    ASSERT_EQ(world.systemTime.set.size(), 1u);
    EXPECT_EQ(fields(world.systemTime.set[0]), (Fields{2004, 3, 5, 7, 30, 0}));
    setTime(w, L"7.5", L"0", L"0");
    press(w, Frmoptions::Cmdsettime);
    EXPECT_EQ(world.systemTime.set.size(), 1u);
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_EQ(world.messages.shown[0].title, L"警告！");
    world.clock.set(2004, 3, 5, 5, 10, 0, 59);
    press(w, Frmoptions::Cmdtime);  // back to the clock; nothing applied
    EXPECT_EQ(times(w), (Texts{L"10", L"0", L"59"}));
    SYSTEMTIME day{2004, 3, 0, 15, 0, 0, 0, 0};
    ::SendMessageW(w.item(Frmoptions::Caldate), MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
    press(w, Frmoptions::Cmdsetdate);
    ASSERT_EQ(world.systemTime.set.size(), 2u);
    EXPECT_EQ(fields(world.systemTime.set[1]), (Fields{2004, 3, 15, 10, 0, 59}));
    press(w, Frmoptions::Cmddate);  // back to today; nothing applied
    EXPECT_EQ(picked(w).wDay, 5);
    world.systemTime.accept = false;
    press(w, Frmoptions::Cmdsettime);
    ASSERT_EQ(world.messages.shown.size(), 2u);
    EXPECT_EQ(world.messages.shown[1], (Shown{kRefused, L"墨蝉小闹钟"}));
    EXPECT_TRUE(::IsWindow(w.hwnd()));
    EXPECT_TRUE(world.elevation.requests.empty());
    // Without the right each apply is one step with an administrator's consent.
    world.elevation.may = false;
    world.systemTime.set.clear();
    world.messages.shown.clear();
    Frmoptions& u = open();
    setTime(u, L"7", L"30", L"0");
    press(u, Frmoptions::Cmdsettime);
    pumpMessages();
    EXPECT_TRUE(world.systemTime.set.empty());  // never tried without the right
    ASSERT_EQ(world.elevation.requests.size(), 1u);
    const auto& r = world.elevation.requests[0];
    EXPECT_EQ(r.notify, u.hwnd());
    EXPECT_EQ(fields(r.asked), (Fields{2004, 3, 5, 7, 30, 0}));
    EXPECT_EQ(r.askedAtMs, world.clock.steady);
    world.elevation.answer(ElevatedOutcome::Set);
    world.elevation.answer(ElevatedOutcome::Declined);  // the user said no: nothing to tell
    pumpMessages();
    EXPECT_TRUE(world.messages.shown.empty());
    world.elevation.answer(ElevatedOutcome::Refused);
    pumpMessages();
    EXPECT_EQ(world.messages.shown, (std::vector<Shown>{{kRefused, L"墨蝉小闹钟"}}));
    press(u, Frmoptions::Cmdsetdate);
    ASSERT_EQ(world.elevation.requests.size(), 2u);
    EXPECT_EQ(world.elevation.requests[1].asked.hour, 10);  // the date alone changes
}

// Ticking and unticking the box are checked end to end.
TEST_F(SettingsTest, TheStartUpBoxReadsOnlyOurEntryAsTickedAndARefusedRegistryIsReported)
{
    // An entry an earlier version wrote, unquoted: ticked, and written again quoted.
    world.registry.writeValue(kRunKeyPath, L"MYEXE", ours().substr(1, ours().size() - 2));
    EXPECT_TRUE(ticked(open()));
    EXPECT_EQ(runValue(), ours());
    // Switched off in Task Manager: unticked and left off; ticking turns it on again.
    HKEY approved = nullptr;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, kStartupApprovedPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &approved, nullptr);
    const BYTE off[12] = {3};
    ::RegSetValueExW(approved, kRunValueName, 0, REG_BINARY, off, sizeof off);
    ::RegCloseKey(approved);
    EXPECT_FALSE(ticked(open()));
    EXPECT_TRUE(world.registry.readBytes(kStartupApprovedPath, kRunValueName));
    press(*app->settingsWindow(), Frmoptions::Chkrun);
    // A copy elsewhere is not ours: unticked, and left alone.
    world.registry.writeValue(kRunKeyPath, kRunValueName, L"\"D:\\Old\\qorvane.exe\"");
    EXPECT_FALSE(ticked(open()));
    EXPECT_EQ(runValue(), L"\"D:\\Old\\qorvane.exe\"");
    // A refused registry shows the stored state and says why.
    world.registry.deleteValue(kRunKeyPath, kRunValueName);
    world.windowsRegistry.locked = true;
    press(open(), Frmoptions::Chkrun);
    EXPECT_FALSE(ticked(*app->settingsWindow()));
    EXPECT_EQ(runValue(), L"<none>");
    world.registry.writeValue(kRunKeyPath, kRunValueName, ours());
    ASSERT_TRUE(ticked(open()));
    press(*app->settingsWindow(), Frmoptions::Chkrun);
    EXPECT_TRUE(ticked(*app->settingsWindow()));
    EXPECT_EQ(runValue(), ours());
    EXPECT_EQ(world.messages.shown, (std::vector<Shown>{{kNotAdded, L"墨蝉小闹钟"},
                                                        {kNotRemoved, L"墨蝉小闹钟"}}));
    world.messages.shown.clear();
    // Every way of closing clears both marks and checks no box.
    const std::function<void()> ways[] = {
        [&] { press(*app->settingsWindow(), Frmoptions::Cmdok); },
        [&] { ::SendMessageW(app->settingsWindow()->hwnd(), WM_CLOSE, 0, 0); },  // the title bar's close button
        [&] { choose(MenuId::showfrmoptions); }};
    for (const auto& close : ways) {
        type(open(), Frmoptions::Comh, L"ab");  // a bad time left in the hour box: closing is no edit
        ASSERT_TRUE(face->checked(Twin::Options));
        close();
        pumpMessages();
        EXPECT_EQ(app->settingsWindow(), nullptr);
        EXPECT_FALSE(face->checked(Twin::Options));
    }
    EXPECT_TRUE(world.messages.shown.empty());
}

}  // namespace
}  // namespace qv::test
